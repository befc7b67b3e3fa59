#include "exchange/master_cook_parser.h"

#include "exchange/text_lines.h"

namespace savora::exchange {
namespace {

constexpr std::string_view kAmountCharacters = " 0123456789/.-";

bool isBlank(std::string_view line) { return trimBlanks(line).empty(); }

// The text after "Field :" when the line starts with the field name; nothing otherwise.
std::optional<std::string_view> fieldValue(std::string_view line, std::string_view field) {
  line = trimLeftBlanks(line);
  if (!line.starts_with(field)) return std::nullopt;
  const size_t colon = line.find(':', field.size());
  if (colon == std::string_view::npos) return std::nullopt;
  return trimLeftBlanks(line.substr(colon + 1));
}

bool isTableHeading(std::string_view line) {
  const std::string collapsed = collapseBlanks(line);
  return collapsed.find("Amount Measure Ingredient") != std::string::npos;
}

bool isSubHeading(std::string_view text) {
  if (text.ends_with(':') || text.starts_with("--")) return true;
  bool letters = false;
  for (char c : text) {
    if (c >= 'a' && c <= 'z') return false;
    if (c >= 'A' && c <= 'Z') letters = true;
  }
  return letters;
}

std::string_view column(std::string_view line, size_t from, size_t count) {
  if (from >= line.size()) return {};
  return trimBlanks(line.substr(from, count));
}

class Reader {
 public:
  Reader(const std::vector<std::string>& lines, size_t markLine, const TextRecipeSink& sink)
      : lines_(lines), next_(markLine + 1), sink_(sink) {}

  std::optional<TextParseError> run() {
    while (true) {
      skipBlankLines();
      if (atEnd()) return std::nullopt;
      if (isMasterCookMark(lines_[next_])) {  // a mark with no recipe after it
        ++next_;
        continue;
      }
      if (!readRecipe()) return error_;
    }
  }

 private:
  bool atEnd() const { return next_ >= lines_.size(); }
  void skipBlankLines() {
    while (!atEnd() && isBlank(lines_[next_])) ++next_;
  }
  bool stop() {
    error_ = TextParseError{number_, recipe_.name, next_ + 1};
    return false;
  }
  // The value of the next non-blank line's field, which is then read.
  std::optional<std::string_view> field(std::string_view name) {
    skipBlankLines();
    if (atEnd()) return std::nullopt;
    auto value = fieldValue(lines_[next_], name);
    if (value) ++next_;
    return value;
  }

  bool readRecipe() {
    recipe_ = TextRecipe();
    ++number_;
    recipe_.name = trimBlanks(lines_[next_++]);
    const auto by = field("Recipe By");
    if (!by) return stop();
    recipe_.description = trimBlanks(*by);
    const auto size = field("Serving Size");
    if (!size) return stop();
    recipe_.servings = leadingNumber(*size);
    const auto categories = field("Categories");
    if (!categories) return stop();
    recipe_.chapter = trimBlanks(categories->substr(0, categories->find("   ")));
    readIngredients();
    readDirections();
    sink_(recipe_);
    return true;
  }

  void readIngredients() {
    size_t heading = next_;
    while (heading < lines_.size() && !isTableHeading(lines_[heading]) &&
           !isMasterCookMark(lines_[heading])) {
      ++heading;
    }
    if (heading >= lines_.size() || !isTableHeading(lines_[heading])) return;
    next_ = heading + 1;
    if (!atEnd() && trimLeftBlanks(lines_[next_]).starts_with("--")) ++next_;
    while (!atEnd()) {
      const std::string_view line = trimRightBlanks(lines_[next_]);
      if (line.empty()) {
        ++next_;
        return;
      }
      auto entry = masterCookLine(line);
      if (!entry) return;  // the directions start without a blank line
      recipe_.lines.push_back(std::move(*entry));
      ++next_;
    }
  }

  void readDirections() {
    DirectionsText directions;
    while (!atEnd()) {
      const std::string& line = lines_[next_];
      if (isMasterCookMark(line)) break;
      ++next_;
      // Notes start a paragraph of their own.
      if (trimLeftBlanks(line).starts_with("NOTES :")) directions.add("");
      directions.add(line);
    }
    recipe_.instructions = directions.finish();
  }

  const std::vector<std::string>& lines_;
  size_t next_;
  const TextRecipeSink& sink_;
  TextRecipe recipe_;
  long number_ = 0;
  TextParseError error_;
};

}  // namespace

bool isMasterCookMark(std::string_view line) {
  return collapseBlanks(line).find(kMasterCookMark) != std::string::npos;
}

std::optional<TextRecipeLine> masterCookLine(std::string_view line) {
  line = trimRightBlanks(line);
  if (line.empty()) return std::nullopt;
  const std::string_view amount = line.substr(0, std::min<size_t>(9, line.size()));
  if (amount.find_first_not_of(kAmountCharacters) != std::string_view::npos) return std::nullopt;
  if (line.size() > 9 && line[9] != ' ') return std::nullopt;
  TextRecipeLine entry;
  entry.quantity = trimBlanks(amount);
  std::string_view measure = column(line, 10, 13);
  const std::string_view ingredient = column(line, 24, std::string_view::npos);
  if (entry.quantity.empty() && measure.empty()) {
    if (ingredient.empty()) return std::nullopt;
    if (isSubHeading(ingredient)) {
      entry.info2 = ingredient;
      return entry;
    }
  }
  while (measure.ends_with('s')) measure.remove_suffix(1);
  entry.unit = lowerCp1252(measure);
  entry.ingredient = ingredient;
  return entry;
}

std::optional<TextParseError> parseMasterCook(const std::vector<std::string>& lines,
                                              size_t markLine, const TextRecipeSink& sink) {
  return Reader(lines, markLine, sink).run();
}

}  // namespace savora::exchange
