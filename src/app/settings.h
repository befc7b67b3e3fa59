// The user's settings: every value of the positional settings file "SAVORA5.INI" in the Windows
// directory, with its default. Read once when the main window is built, changed in memory by the
// windows that own each value, and written back whole at exit.
//
// The file has 76 lines, one value per line: integers in decimal, doubles in the "%f" form, texts
// as they are. The first line is the title followed by " Window Position:"; when the first line
// of a file lacks "Window Position:" nothing is read.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "toolkit/log_font.h"

namespace savora::app {

inline constexpr const char* kSettingsFileName = "SAVORA5.INI";

// Longest texts kept when reading; longer values in the file are cut to these lengths.
inline constexpr size_t kMaxFaceName = 31;
inline constexpr size_t kMaxBackupFolder = 259;
inline constexpr size_t kMaxEmailText = 259;
inline constexpr size_t kMaxFirstHandheldText = 519;
inline constexpr size_t kMaxSecondHandheldText = 259;

// The main window's frame in screen pixels; all four 0 stand for a window that covered the whole
// screen and is to reopen at screen size.
struct WindowPosition {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  bool isFullScreen() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
  bool operator==(const WindowPosition&) const = default;
};

// Program-wide options shared by every shopping list and the serving adjustment.
struct ShoppingListOptions {
  bool showPrices = true;
  bool adjustServings = false;
  bool divideNutrients = true;
  int serves = 5;

  bool operator==(const ShoppingListOptions&) const = default;
};

// The three recipe browse modes ("Cookbook", "Cookbook and Chapter", "Category"); the bookshelf
// writes them back with exactly one set.
struct BrowseModes {
  bool cookbook = true;
  bool cookbookAndChapter = false;
  bool category = false;

  bool operator==(const BrowseModes&) const = default;
};

// Margins and paper size of the print set-up, in inches.
struct PageMeasurements {
  double leftMargin = 1.87;
  double rightMargin = 2.0;
  double topMargin = 1.15;
  double bottomMargin = 7.25;
  double paperWidth = 8.5;
  double paperHeight = 11.0;

  bool operator==(const PageMeasurements&) const = default;
};

inline toolkit::LogFont defaultBodyFont() {
  toolkit::LogFont font;
  font.height = -11;
  font.weight = 400;
  return font;
}

struct PrintSettings {
  toolkit::LogFont titleFont;                     // the first font of the file
  toolkit::LogFont bodyFont = defaultBodyFont();  // the second
  PageMeasurements page;
  // The six integer print options in file order (lines 59, 60, 61, 64, 75, 76); the print set-up
  // gives them their meaning.
  std::array<int, 6> options = {1, 1, 1, 0, 1, 0};

  bool operator==(const PrintSettings&) const = default;
};

struct EmailSettings {
  std::string senderName;
  std::string senderAddress;
  std::string mailServer;

  bool operator==(const EmailSettings&) const = default;
};

// The record identifiers last selected on one bookshelf; -1 for none.
struct BookshelfSelection {
  long book = -1;
  long chapter = -1;
  long category = -1;

  bool operator==(const BookshelfSelection&) const = default;
};

// The handheld lines: the desktop sync folder the probe found last and the sync user chosen
// last (preselected in the next choice). The option is kept as read and written back unchanged.
struct HandheldSettings {
  std::string firstText;   // desktop sync folder, up to 519 characters
  std::string secondText;  // user chosen last, up to 259 characters
  int option = 0;          // also read by the recipe, menu and media windows

  bool operator==(const HandheldSettings&) const = default;
};

struct Settings {
  WindowPosition window;
  ShoppingListOptions shoppingList;
  BrowseModes browse;
  PrintSettings print;
  bool includeInstructionsInSearch = true;  // "Include instructions in search."
  int recipeWindowOption = 0;
  long tipCounter = 1;  // number of the next tip video; "tip.cnt" overrides it when present
  int recipeMediaOption = 0;
  std::string backupFolder = "\\";
  EmailSettings email;
  int updateServiceOption = 1;
  int reserved = 0;  // stored twice in the file; the later copy wins
  bool abbreviatedUnits = false;
  bool showIntro = true;  // play the intro video at start
  BookshelfSelection recipeShelf;
  BookshelfSelection catalogShelf;
  HandheldSettings handheld;
  long lastMenuWeek = -1;  // identifier of the menu last shown in a menu window; -1 for none

  // Stores the main window's frame at exit; a window covering the whole screen is kept as four
  // zeros whatever its coordinates.
  void storeWindowPosition(int left, int top, int right, int bottom, bool coversScreen);
  bool isFullScreen() const { return window.isFullScreen(); }

  // Reads the values found in the text of a settings file. Values whose lines are missing, empty
  // or malformed keep their current values (the defaults in a new object), and the whole text
  // is ignored when its first line lacks "Window Position:". Returns whether the header was
  // found. Never throws.
  bool parse(std::string_view text);
  // Reads the whole settings file of the Windows directory (any length) as parse() does.
  // Returns false, keeping every value, when the file is missing or has no header.
  bool readSettings();

  // The 76 lines of the file for `title`, each ending in "\n". Line breaks inside texts are cut
  // off there, so every value stays on its own line.
  std::string format(const std::string& title) const;
  // Creates the settings file new with format(title). Returns false when it cannot be written.
  [[nodiscard]] bool writeSettings(const std::string& title) const;

  bool operator==(const Settings&) const = default;
};

// Native path of the settings file.
std::string settingsFilePath();

}  // namespace savora::app
