#include "recipe_formats/master_cook_parser.h"

#include "recipe_formats/text_lines.h"
#include "recipe_formats/text_measures.h"

namespace savora::recipe_formats {
namespace {

constexpr std::string_view kAmountCharacters = " 0123456789/.-";

bool isBlank(std::string_view line) {
  return trimBlanks(line).empty();
}

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

// Text with neither amount nor measure that starts with "-" and reads as words ("-- cut into
// strips") continues the ingredient above; "--TOPPING--" and "-- For the glaze:" are headings.
bool isContinuationText(std::string_view text) {
  if (!text.starts_with('-') || text.ends_with('-') || text.ends_with(':')) return false;
  return text.find_first_of("abcdefghijklmnopqrstuvwxyz") != std::string_view::npos;
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

// The separator of dashes and blanks MasterCook writes before the notes, and its nutrition
// association line: neither is part of the directions.
bool isExportDecoration(std::string_view line) {
  const std::string_view text = trimBlanks(line);
  if (text.starts_with("Nutr. Assoc.")) return true;
  return text.size() >= 3 && text.find_first_not_of("- ") == std::string_view::npos &&
         text.find(' ') != std::string_view::npos;
}

// The categories of the "Categories" field and the lines under it: names stand in columns
// apart by runs of blanks (a TAB is read as blanks).
void addCategories(std::string_view text, std::vector<std::string>& categories) {
  text = trimBlanks(text);
  while (!text.empty()) {
    const size_t gap = std::min(text.find("  "), text.size());
    categories.emplace_back(trimBlanks(text.substr(0, gap)));
    text = trimLeftBlanks(text.substr(gap));
  }
}

class Reader {
 public:
  Reader(const std::vector<std::string>& lines, size_t markLine, const TextRecipeSink& sink,
         std::vector<TextParseError>* skipped)
      : lines_(lines), next_(markLine + 1), sink_(sink), skipped_(skipped) {}

  std::optional<TextParseError> run() {
    while (true) {
      skipBlankLines();
      if (atEnd()) return std::nullopt;
      if (isMasterCookMark(lines_[next_])) {  // a mark with no recipe after it
        ++next_;
        continue;
      }
      if (!readRecipe()) {
        if (!skipped_) return error_;
        skipped_->push_back(error_);
        while (!atEnd() && !isMasterCookMark(lines_[next_])) ++next_;  // the next recipe
      }
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
    addCategories(*categories, recipe_.categories);
    if (!recipe_.categories.empty()) recipe_.chapter = recipe_.categories.front();
    DirectionsText directions;
    readIngredients(directions);
    readDirections(directions);
    sink_(recipe_);
    return true;
  }

  // The lines between the header fields and the ingredient table: indented ones carry more
  // categories, others (a yield such as "Yield: 65 crackers") open the directions.
  void readHeaderLines(size_t heading, DirectionsText& directions) {
    for (; next_ < heading; ++next_) {
      const std::string& line = lines_[next_];
      if (isBlank(line)) continue;
      if (line.starts_with("          ")) {
        addCategories(line, recipe_.categories);
      } else {
        directions.addLine(line);
      }
    }
  }

  void readIngredients(DirectionsText& directions) {
    size_t heading = next_;
    while (heading < lines_.size() && !isTableHeading(lines_[heading]) &&
           !isMasterCookMark(lines_[heading])) {
      ++heading;
    }
    if (heading >= lines_.size() || !isTableHeading(lines_[heading])) return;
    readHeaderLines(heading, directions);
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
      ++next_;
      if (continues(*entry)) continue;
      recipe_.lines.push_back(std::move(*entry));
    }
  }

  // Adds a continuation line to the ingredient above it, as written; false for other lines.
  bool continues(const TextRecipeLine& entry) {
    if (!entry.quantity.empty() || !entry.unit.empty() || !entry.info1.empty() ||
        !isContinuationText(entry.ingredient) || recipe_.lines.empty() ||
        recipe_.lines.back().ingredient.empty()) {
      return false;
    }
    std::string& note = recipe_.lines.back().info2;
    if (note.empty()) {
      note = entry.ingredient;
    } else {
      note += ' ';
      note += trimBlanks(std::string_view(entry.ingredient)
                             .substr(std::string_view(entry.ingredient).find_first_not_of('-')));
    }
    return true;
  }

  void readDirections(DirectionsText& directions) {
    while (!atEnd()) {
      const std::string& line = lines_[next_];
      if (isMasterCookMark(line)) break;
      ++next_;
      if (isExportDecoration(line)) {
        // The separator only parts the directions from the notes: one paragraph break.
        if (!directions.atBreak()) directions.add("");
        skipBlankLines();
        continue;
      }
      // Notes start a paragraph of their own.
      if (trimLeftBlanks(line).starts_with("NOTES :") && !directions.atBreak()) directions.add("");
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
  std::vector<TextParseError>* skipped_;
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
    if (isContinuationText(ingredient)) {
      entry.ingredient = ingredient;  // the reader joins it to the line above
      return entry;
    }
    if (isSubHeading(ingredient)) {
      entry.info2 = ingredient;
      return entry;
    }
  }
  TextMeasure unit = masterCookMeasure(measure);
  entry.unit = std::move(unit.unit);
  entry.info1 = std::move(unit.words);
  // "butter -- softened": the name, then the preparation as written.
  const size_t preparation = ingredient.find(" -- ");
  entry.ingredient = trimRightBlanks(ingredient.substr(0, preparation));
  if (preparation != std::string_view::npos)
    entry.info2 = trimBlanks(ingredient.substr(preparation));
  return entry;
}

std::optional<TextParseError> parseMasterCook(const std::vector<std::string>& lines,
                                              size_t markLine, const TextRecipeSink& sink,
                                              std::vector<TextParseError>* skipped) {
  return Reader(lines, markLine, sink, skipped).run();
}

}  // namespace savora::recipe_formats
