// What a print looks like: the paper mode, card position and style, margins, fonts and switches
// that the print set-up window edits, and its rules for each print kind.
#pragma once

#include <array>
#include <string>

#include "toolkit/log_font.h"

namespace savora::print {

enum class PrintKind { Recipe, RecipeList, Menu, YearMenu, ShoppingList, TextPage };
enum class PaperMode { FormattedCards = 0, FourBySixCards = 1, StandardSheet = 2, CustomPaper = 3 };
enum class CardStyle { Background = 0, Corner = 1 };

struct Margins {
  double left = 1.87;
  double right = 2.0;
  double top = 1.15;
  double bottom = 7.25;
  double paperWidth = 8.5;
  double paperHeight = 11.0;
  bool operator==(const Margins&) const = default;
};

toolkit::LogFont defaultTitleFont();
toolkit::LogFont defaultBodyFont();

struct PrintSettings {
  PaperMode paperMode = PaperMode::FormattedCards;
  CardStyle cardStyle = CardStyle::Corner;
  int cardPosition = 1;  // 1..3, where a print on cards starts
  Margins margins;
  bool reduceSpace = true;
  bool twoColumns = true;
  bool twoOnAPage = true;
  bool printNutrition = false;
  toolkit::LogFont titleFont = defaultTitleFont();
  toolkit::LogFont bodyFont = defaultBodyFont();
  bool operator==(const PrintSettings&) const = default;

  bool onCards() const {
    return paperMode == PaperMode::FormattedCards || paperMode == PaperMode::FourBySixCards;
  }
};

// The settings file keeps six integer print options; in file order they hold: reduce space, two
// columns, two on a page, print nutrition, the card style (1 corner, 0 background) and the paper
// mode (0 formatted cards, 1 four-by-six cards, 2 standard sheet, 3 custom paper).
using StoredOptions = std::array<int, 6>;
void readOptions(const StoredOptions& stored, PrintSettings& settings);
StoredOptions storedOptions(const PrintSettings& settings);

// Chooses a paper mode: its margins, paper size (except for custom paper, which keeps what was
// entered) and font heights.
void choosePaperMode(PrintSettings& settings, PaperMode mode);
// Chooses where on the sheet a card prints: sets the top and bottom margins of the position.
// Positions the mode does not offer are refused (false).
bool chooseCardPosition(PrintSettings& settings, int position);
// The top and bottom margins of a card position in a card mode.
Margins cardMargins(PaperMode mode, int position, Margins margins);
// Card positions a card mode goes through (3 for formatted cards, 2 for four-by-six cards).
int cardPositions(PaperMode mode);

// What the set-up window offers for a kind in the chosen paper mode.
struct Offered {
  bool cardModes = false;
  bool cardPositions = false;
  bool thirdCard = false;
  bool cardStyles = false;
  bool twoColumns = false;
  bool reduceSpace = false;
  bool twoOnAPage = false;
  bool printNutrition = false;
  bool paperSize = false;  // WIDTH and HEIGHT shown
};
Offered offeredFor(PrintKind kind, PaperMode mode);
// Card modes only print recipes: for other kinds a card mode becomes the standard sheet.
void fitModeToKind(PrintSettings& settings, PrintKind kind);

// The margin check before printing: empty when the printed area is at least an inch each way,
// else the error message to show (title "Error!").
std::string marginError(const Margins& margins);

}  // namespace savora::print
