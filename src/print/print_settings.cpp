#include "print/print_settings.h"

namespace savora::print {

toolkit::LogFont defaultTitleFont() {
  return toolkit::LogFont{};  // Times New Roman, -16, bold
}

toolkit::LogFont defaultBodyFont() {
  toolkit::LogFont font;
  font.height = -11;
  font.weight = 400;
  return font;
}

void readOptions(const StoredOptions& stored, PrintSettings& settings) {
  settings.reduceSpace = stored[0] != 0;
  settings.twoColumns = stored[1] != 0;
  settings.twoOnAPage = stored[2] != 0;
  settings.printNutrition = stored[3] != 0;
  settings.cardStyle = stored[4] != 0 ? CardStyle::Corner : CardStyle::Background;
  settings.paperMode =
      stored[5] >= 0 && stored[5] <= 3 ? PaperMode(stored[5]) : PaperMode::FormattedCards;
}

StoredOptions storedOptions(const PrintSettings& s) {
  return {s.reduceSpace,
          s.twoColumns,
          s.twoOnAPage,
          s.printNutrition,
          s.cardStyle == CardStyle::Corner,
          int(s.paperMode)};
}

int cardPositions(PaperMode mode) {
  if (mode == PaperMode::FormattedCards) return 3;
  if (mode == PaperMode::FourBySixCards) return 2;
  return 0;
}

Margins cardMargins(PaperMode mode, int position, Margins m) {
  struct TopBottom {
    double top, bottom;
  };
  static constexpr TopBottom kFormatted[] = {{1.15, 7.25}, {4.2, 4.25}, {7.2, 1.25}};
  static constexpr TopBottom kFourBySix[] = {{1.5, 6.0}, {6.0, 1.5}};
  if (position < 1 || position > cardPositions(mode)) return m;
  const TopBottom tb =
      mode == PaperMode::FormattedCards ? kFormatted[position - 1] : kFourBySix[position - 1];
  m.top = tb.top;
  m.bottom = tb.bottom;
  return m;
}

void choosePaperMode(PrintSettings& s, PaperMode mode) {
  s.paperMode = mode;
  const bool cards = s.onCards();
  s.titleFont.height = cards ? -16 : -24;
  s.bodyFont.height = cards ? -11 : -16;
  switch (mode) {
    case PaperMode::FormattedCards:
      s.margins = {1.87, 2.0, 1.15, 7.25, 8.5, 11.0};
      break;
    case PaperMode::FourBySixCards:
      s.margins = {1.37, 1.5, 1.5, 6.0, 8.5, 11.0};
      break;
    case PaperMode::StandardSheet:
      s.margins = {1.0, 1.0, 1.0, 1.0, 8.5, 11.0};
      break;
    case PaperMode::CustomPaper:
      break;  // as entered
  }
  if (cards) s.cardPosition = 1;
}

bool chooseCardPosition(PrintSettings& s, int position) {
  if (position < 1 || position > cardPositions(s.paperMode)) return false;
  s.cardPosition = position;
  s.margins = cardMargins(s.paperMode, position, s.margins);
  return true;
}

Offered offeredFor(PrintKind kind, PaperMode mode) {
  const bool recipes = kind == PrintKind::Recipe || kind == PrintKind::RecipeList;
  const bool cards =
      recipes && (mode == PaperMode::FormattedCards || mode == PaperMode::FourBySixCards);
  Offered o;
  o.cardModes = recipes;
  o.cardPositions = cards;
  o.cardStyles = cards;
  o.thirdCard = cards && mode == PaperMode::FormattedCards;
  o.twoColumns = !cards && recipes;
  o.reduceSpace = !cards;
  o.twoOnAPage = !cards && kind == PrintKind::RecipeList;
  o.printNutrition = !cards && (recipes || kind == PrintKind::ShoppingList);
  o.paperSize = mode == PaperMode::CustomPaper;
  return o;
}

void fitModeToKind(PrintSettings& s, PrintKind kind) {
  if (s.onCards() && !offeredFor(kind, s.paperMode).cardModes)
    choosePaperMode(s, PaperMode::StandardSheet);
}

std::string marginError(const Margins& m) {
  // Exactly one inch left passes, whatever the rounding of the decimal margins.
  constexpr double kSlack = 1e-9;
  if (m.paperWidth - m.left - m.right < 1.0 - kSlack)
    return "Paper width must be larger or\r\nthe left and right margins must be smaller.";
  if (m.paperHeight - m.top - m.bottom < 1.0 - kSlack)
    return "Paper height must be larger or\r\nthe top and bottom margins must be smaller.";
  return {};
}

}  // namespace savora::print
