#include "app/settings.h"

#include <limits>
#include <string>
#include <vector>

#include "app/run_file_text.h"
#include "platform/file_ops.h"
#include "platform/program_dirs.h"

namespace savora::app {
namespace {

constexpr std::string_view kHeaderMark = "Window Position:";
constexpr std::string_view kAppPathPrefix = "App Path: ";

// The text up to its first line break, so that a value can never spill onto the next line and
// shift every later value.
std::string_view singleLine(std::string_view text) {
  return text.substr(0, text.find_first_of("\r\n"));
}

// The fourteen lines of a print font, in the order of the Windows LOGFONT fields.
template <class Font, class V>
void visitFont(Font& font, V& v) {
  constexpr long kMin = std::numeric_limits<long>::min();
  constexpr long kMax = std::numeric_limits<long>::max();
  v.number(font.height, kMin, kMax);
  v.number(font.width, kMin, kMax);
  v.number(font.escapement, kMin, kMax);
  v.number(font.orientation, kMin, kMax);
  v.number(font.weight, kMin, kMax);
  // The byte fields of the font: anything outside 0..255 is malformed.
  v.number(font.italic, 0, 255);
  v.number(font.underline, 0, 255);
  v.number(font.strikeOut, 0, 255);
  v.number(font.charSet, 0, 255);
  v.number(font.outPrecision, 0, 255);
  v.number(font.clipPrecision, 0, 255);
  v.number(font.quality, 0, 255);
  v.number(font.pitchAndFamily, 0, 255);
  v.text(font.faceName, kMaxFaceName);
}

// Walks the 76 lines of the file in order, handing each value to the visitor. `S` is Settings or
// const Settings, so one list drives both the reader and the writer and they cannot disagree.
template <class S, class V>
void visitLines(S& s, V& v) {
  constexpr long kIntMin = std::numeric_limits<int>::min();
  constexpr long kIntMax = std::numeric_limits<int>::max();
  constexpr long kLongMin = std::numeric_limits<long>::min();
  constexpr long kLongMax = std::numeric_limits<long>::max();
  auto integer = [&](auto& value) { v.number(value, kIntMin, kIntMax); };
  auto identifier = [&](auto& value) { v.number(value, kLongMin, kLongMax); };

  v.header();
  integer(s.window.left);
  integer(s.window.top);
  integer(s.window.right);
  integer(s.window.bottom);
  v.flag(s.shoppingList.showPrices);
  v.flag(s.shoppingList.adjustServings);
  v.flag(s.shoppingList.divideNutrients);
  integer(s.shoppingList.serves);
  v.flag(s.browse.cookbook);
  v.flag(s.browse.cookbookAndChapter);
  v.flag(s.browse.category);
  visitFont(s.print.titleFont, v);
  visitFont(s.print.bodyFont, v);
  v.real(s.print.page.leftMargin);
  v.real(s.print.page.rightMargin);
  v.real(s.print.page.topMargin);
  v.real(s.print.page.bottomMargin);
  v.real(s.print.page.paperWidth);
  v.real(s.print.page.paperHeight);
  v.flag(s.includeInstructionsInSearch);
  v.appPath();
  integer(s.recipeWindowOption);
  identifier(s.tipCounter);
  integer(s.recipeMediaOption);
  v.text(s.backupFolder, kMaxBackupFolder);
  v.text(s.email.senderName, kMaxEmailText);
  v.text(s.email.senderAddress, kMaxEmailText);
  v.text(s.email.mailServer, kMaxEmailText);
  integer(s.updateServiceOption);
  integer(s.reserved);
  v.flag(s.abbreviatedUnits);
  integer(s.print.options[0]);
  integer(s.print.options[1]);
  integer(s.print.options[2]);
  v.flag(s.showIntro);
  integer(s.reserved);
  integer(s.print.options[3]);
  identifier(s.recipeShelf.book);
  identifier(s.catalogShelf.book);
  identifier(s.recipeShelf.chapter);
  identifier(s.catalogShelf.chapter);
  identifier(s.recipeShelf.category);
  identifier(s.catalogShelf.category);
  v.text(s.handheld.firstText, kMaxFirstHandheldText);
  v.text(s.handheld.secondText, kMaxSecondHandheldText);
  integer(s.handheld.option);
  identifier(s.lastMenuWeek);
  integer(s.print.options[4]);
  integer(s.print.options[5]);
}

// Takes the file's lines one by one; a value whose line is missing or unreadable is left alone.
class LineReader {
 public:
  explicit LineReader(std::vector<std::string_view> lines) : lines_(std::move(lines)) {}

  void header() { next(); }
  void appPath() { next(); }  // the program directory of the writer; the current one is used

  template <class T>
  void number(T& value, long min, long max) {
    const auto line = next();
    if (!line) return;
    const auto parsed = parseLong(*line);
    if (parsed && *parsed >= min && *parsed <= max) value = static_cast<T>(*parsed);
  }
  void flag(bool& value) {
    const auto line = next();
    if (!line) return;
    if (const auto parsed = parseLong(*line)) value = *parsed != 0;
  }
  void real(double& value) {
    const auto line = next();
    if (!line) return;
    if (const auto parsed = parseDouble(*line)) value = *parsed;
  }
  void text(std::string& value, size_t maxLength) {
    if (const auto line = next()) value = std::string(line->substr(0, maxLength));
  }

 private:
  std::optional<std::string_view> next() {
    if (index_ >= lines_.size()) return std::nullopt;
    return lines_[index_++];
  }

  std::vector<std::string_view> lines_;
  size_t index_ = 0;
};

class LineWriter {
 public:
  explicit LineWriter(const std::string& title) : title_(title) {}

  void header() { line(std::string(singleLine(title_)) + " Window Position:"); }
  void appPath() { line(std::string(kAppPathPrefix) + platform::programDirectory()); }
  template <class T>
  void number(const T& value, long, long) {
    line(std::to_string(static_cast<long>(value)));
  }
  void flag(bool value) { line(value ? "1" : "0"); }
  void real(double value) { line(formatDouble(value)); }
  void text(const std::string& value, size_t) { line(singleLine(value)); }

  std::string take() { return std::move(out_); }

 private:
  void line(std::string_view text) {
    out_ += text;
    out_ += '\n';
  }

  const std::string& title_;
  std::string out_;
};

}  // namespace

std::string settingsFilePath() {
  return platform::windowsDirectory() + kSettingsFileName;
}

void Settings::storeWindowPosition(int left, int top, int right, int bottom, bool coversScreen) {
  window = coversScreen ? WindowPosition{} : WindowPosition{left, top, right, bottom};
}

bool Settings::parse(std::string_view text) {
  auto lines = splitLines(text);
  if (lines.empty() || lines[0].find(kHeaderMark) == std::string_view::npos) return false;
  LineReader reader(std::move(lines));
  visitLines(*this, reader);
  return true;
}

bool Settings::readSettings() {
  // The whole file: a fixed read limit would silently drop the lines after long texts.
  const auto text = platform::readWholeFile(settingsFilePath());
  return text && parse(*text);
}

std::string Settings::format(const std::string& title) const {
  LineWriter writer(title);
  visitLines(*this, writer);
  return writer.take();
}

bool Settings::writeSettings(const std::string& title) const {
  return platform::writeWholeFile(settingsFilePath(), format(title));
}

}  // namespace savora::app
