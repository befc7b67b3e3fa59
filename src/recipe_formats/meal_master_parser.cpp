#include "recipe_formats/meal_master_parser.h"

#include <array>

#include "recipe_formats/text_lines.h"
#include "recipe_formats/text_measures.h"

namespace savora::recipe_formats {
namespace {

constexpr size_t kColumnWidth = 40;
constexpr std::string_view kAmountCharacters = " 0123456789/.-";
constexpr char kHardBreak = 0x14;
// The unit abbreviations Meal-Master writes.
constexpr std::array<std::string_view, 34> kUnits = {
    "x",  "sm", "md", "lg", "cn", "pk", "pn", "dr", "ds", "ct", "bn", "sl",
    "ea", "t",  "ts", "T",  "tb", "fl", "c",  "pt", "qt", "ga", "oz", "lb",
    "ml", "cb", "cl", "dl", "l",  "dg", "cg", "mg", "g",  "kg"};

bool isBlank(std::string_view line) {
  return trimBlanks(line).empty();
}

bool startsWithField(std::string_view line, std::string_view field) {
  return trimLeftBlanks(line).starts_with(field);
}

std::string_view afterField(std::string_view line, std::string_view field) {
  return trimLeftBlanks(line).substr(field.size());
}

// The end of a recipe's directions.
bool isEndLine(std::string_view line) {
  const std::string_view t = trimBlanks(line);
  return t == "MMMMM" || t == "-----";
}

// The text of a continuation: "           -sifted" or "           -- cut into strips" (eleven
// blanks, one or two "-" and more text) continue the column's last entry. Empty for any other
// line.
std::string_view continuationText(std::string_view half) {
  if (half.size() < 13 || half.substr(0, 11).find_first_not_of(' ') != std::string_view::npos ||
      half[11] != '-') {
    return {};
  }
  half.remove_prefix(half[12] == '-' ? 13 : 12);
  if (half.starts_with('-')) return {};  // a rule of dashes
  return trimBlanks(half);
}

bool isContinuation(std::string_view half) {
  return !continuationText(half).empty();
}

// The line without the hard-break codes some writers leave in headings and end lines.
std::string withoutHardBreaks(std::string_view line) {
  std::string out;
  for (char c : line) {
    if (c != kHardBreak) out.push_back(c);
  }
  return std::string(trimRightBlanks(out));
}

// A line of the directions written without the blank line before them: a forced break ":" at
// its start or a hard break at its end.
bool isDirectionLine(std::string_view line) {
  return trimLeftBlanks(line).starts_with(':') || line.ends_with(kHardBreak);
}

// A full-width section heading: "MMMMM-----FILLING-----" or "-----FILLING-----".
bool isSectionHeading(std::string_view line) {
  const std::string_view t = trimBlanks(line);
  if (t.starts_with("MMMMM-")) return true;
  if (!t.starts_with("---") || isEndLine(t)) return false;
  for (char c : t) {
    if (c != '-' && c != ' ') return true;
  }
  return false;
}

// Whether the text from column 41 on is an ingredient entry of a right column rather than the
// rest of a long one-column line.
bool looksLikeColumnEntry(std::string_view right) {
  if (isBlank(right)) return false;
  if (isContinuation(right) || trimLeftBlanks(right).starts_with('-')) return true;
  const std::string_view amount = right.substr(0, std::min<size_t>(7, right.size()));
  return amount.find_first_not_of(kAmountCharacters) == std::string_view::npos;
}

bool isUnitAbbreviation(std::string_view word) {
  for (std::string_view unit : kUnits) {
    if (word == unit) return true;
  }
  return false;
}

// An amount that runs past column 8 pushes unit and ingredient to the right: the entry is read
// word by word instead of by column.
void splitByWords(std::string_view entry, std::string& quantity, std::string& unit,
                  std::string& ingredient) {
  std::string_view rest = trimLeftBlanks(entry);
  auto nextWord = [&rest] {
    const size_t end = std::min(rest.find(' '), rest.size());
    return rest.substr(0, end);
  };
  while (!rest.empty()) {
    const std::string_view word = nextWord();
    if (word.find_first_not_of(kAmountCharacters) != std::string_view::npos) break;
    if (!quantity.empty()) quantity += ' ';
    quantity += word;
    rest = trimLeftBlanks(rest.substr(word.size()));
  }
  if (const std::string_view word = nextWord(); isUnitAbbreviation(word)) {
    unit = word;
    rest = trimLeftBlanks(rest.substr(word.size()));
  }
  ingredient = trimBlanks(rest);
}

std::string_view column(std::string_view entry, size_t from, size_t count) {
  if (from >= entry.size()) return {};
  return trimBlanks(entry.substr(from, count));
}

// Reads the servings of a yield line; false when the line names servings but not in a form
// this reader knows. A yield that is not servings ("Yield: 3 cups") is kept as `otherYield`.
bool readServings(std::string_view line, long& servings, std::string& otherYield) {
  if (startsWithField(line, "Servings:")) {
    servings = leadingNumber(afterField(line, "Servings:"));
    return true;
  }
  const bool namesServings = line.find("servings") != std::string_view::npos ||
                             line.find("Servings") != std::string_view::npos;
  if (!namesServings) {
    if (startsWithField(line, "Yield:")) otherYield = trimBlanks(line);
    return true;
  }
  if (!startsWithField(line, "Yield:")) return false;
  const std::string_view yield = afterField(line, "Yield:");
  size_t word = std::min(yield.find("servings"), yield.find("Servings"));
  if (word == std::string_view::npos) return false;
  servings = leadingNumber(yield.substr(0, word));
  return true;
}

class Reader {
 public:
  Reader(const std::vector<std::string>& lines, size_t headerLine, const TextRecipeSink& sink,
         std::vector<TextParseError>* skipped)
      : lines_(lines), next_(headerLine + 1), sink_(sink), skipped_(skipped) {}

  std::optional<TextParseError> run() {
    bool first = true;
    while (true) {
      skipBlankLines();
      if (atEnd()) return std::nullopt;
      if (!first && !startsWithField(lines_[next_], "Title:")) {
        ++next_;  // the header line of the next recipe
        skipBlankLines();
        if (atEnd()) return std::nullopt;
      }
      first = false;
      if (!readRecipe()) {
        if (!skipped_) return error_;
        skipped_->push_back(error_);
        while (!atEnd() && !isMealMasterHeader(lines_[next_])) ++next_;  // the next recipe
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

  bool readRecipe() {
    recipe_ = TextRecipe();
    std::string otherYield;
    ++number_;
    if (atEnd() || !startsWithField(lines_[next_], "Title:")) return stop();
    recipe_.name = trimBlanks(afterField(lines_[next_], "Title:"));
    ++next_;
    if (atEnd() || !startsWithField(lines_[next_], "Categories:")) return stop();
    readCategories(afterField(lines_[next_], "Categories:"));
    ++next_;
    if (!atEnd()) {
      // A recipe without a yield line goes on with its ingredients.
      const std::string& line = lines_[next_];
      if (!readServings(line, recipe_.servings, otherYield)) return stop();
      if (startsWithField(line, "Yield:") || startsWithField(line, "Servings:")) ++next_;
    }
    if (!atEnd() && isBlank(lines_[next_])) ++next_;
    const bool ended = readIngredients();
    if (!ended) readDirections();
    if (!otherYield.empty()) {
      recipe_.instructions =
          otherYield + (recipe_.instructions.empty() ? "" : "\r\n" + recipe_.instructions);
    }
    sink_(recipe_);
    return true;
  }

  void readCategories(std::string_view text) {
    while (!text.empty()) {
      const size_t comma = std::min(text.find(','), text.size());
      const std::string_view name = trimBlanks(text.substr(0, comma));
      if (!name.empty()) recipe_.categories.emplace_back(name);
      text.remove_prefix(std::min(comma + 1, text.size()));
    }
    if (!recipe_.categories.empty()) recipe_.chapter = recipe_.categories.front();
  }

  // A continuation goes onto the column's last entry; right after a section heading (the
  // columns are empty then) it is a line of its own.
  static void addToColumn(std::vector<std::string>& entries, std::string_view half) {
    if (const std::string_view more = continuationText(half); !more.empty() && !entries.empty()) {
      entries.back() += ' ';
      entries.back() += more;
    } else if (!isBlank(half)) {
      entries.emplace_back(trimRightBlanks(half));
    }
  }

  // A block's left column, then its right one, before whatever follows the block.
  void fileColumns(std::vector<std::string>& left, std::vector<std::string>& right) {
    for (auto* entries : {&left, &right}) {
      for (const std::string& entry : *entries) recipe_.lines.push_back(mealMasterLine(entry));
      entries->clear();
    }
  }

  // Collects the ingredient block column by column; true when the recipe's end line came
  // before any directions.
  bool readIngredients() {
    std::vector<std::string> left, right;
    bool ended = false;
    while (!atEnd()) {
      const std::string_view raw = trimRightBlanks(lines_[next_]);
      const std::string plain = withoutHardBreaks(raw);
      const std::string_view line = plain;
      if (line.empty()) {
        // A blank line ends the block, unless a section heading follows it.
        size_t ahead = next_;
        while (ahead < lines_.size() && isBlank(lines_[ahead])) ++ahead;
        if (ahead >= lines_.size() || !isSectionHeading(lines_[ahead])) {
          ++next_;
          break;
        }
        next_ = ahead;
        continue;
      }
      if (isEndLine(line)) {
        ended = true;
        ++next_;
        break;
      }
      if (isMealMasterHeader(line)) {
        ended = true;
        break;
      }
      if (isSectionHeading(line)) {
        ++next_;
        fileColumns(left, right);
        std::string_view heading = trimBlanks(line);
        while (heading.starts_with('M')) heading.remove_prefix(1);
        recipe_.lines.push_back(mealMasterLine(heading));
        continue;
      }
      if (isDirectionLine(raw)) break;
      ++next_;
      if (line.size() > kColumnWidth && looksLikeColumnEntry(line.substr(kColumnWidth))) {
        addToColumn(left, line.substr(0, kColumnWidth));
        addToColumn(right, line.substr(kColumnWidth));
      } else {
        addToColumn(left, line);
      }
    }
    fileColumns(left, right);
    return ended;
  }

  void readDirections() {
    DirectionsText directions;
    while (!atEnd()) {
      const std::string& line = lines_[next_];
      if (isMealMasterHeader(line)) break;  // a recipe without its end line
      ++next_;
      if (isEndLine(line)) break;
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

bool isMealMasterHeader(std::string_view line) {
  return line.find(kMealMasterMark) != std::string_view::npos &&
         (line.starts_with("MMMMM") || line.starts_with("-----"));
}

TextRecipeLine mealMasterLine(std::string_view entry) {
  TextRecipeLine line;
  const std::string_view trimmed = trimBlanks(entry);
  if (trimmed.starts_with('-')) {
    line.info2 = trimmed;
    return line;
  }
  std::string unit, ingredient;
  // A digit or "/" in the unit columns is an amount run on past its columns ("1 1/2-2 1/4").
  const bool amountRunsOn =
      entry.size() > 8 && ((entry[7] != ' ' && entry[8] != ' ') ||
                           (entry[8] >= '0' && entry[8] <= '9') || entry[8] == '/');
  if (amountRunsOn) {
    splitByWords(entry, line.quantity, unit, ingredient);
  } else {
    line.quantity = column(entry, 0, 8);
    unit = column(entry, 8, 3);
    ingredient = column(entry, 11, std::string_view::npos);
  }
  TextMeasure measure = mealMasterMeasure(unit);
  line.unit = std::move(measure.unit);
  line.info1 = std::move(measure.words);
  // Only the name is folded to lower case; the note after ";" stays as written, ";" included.
  if (const size_t semicolon = ingredient.find(';'); semicolon != std::string::npos) {
    line.info2 = trimRightBlanks(std::string_view(ingredient).substr(semicolon));
    ingredient = trimRightBlanks(std::string_view(ingredient).substr(0, semicolon));
  }
  ingredient = lowerCp1252(ingredient);
  line.ingredient = std::move(ingredient);
  return line;
}

std::optional<TextParseError> parseMealMaster(const std::vector<std::string>& lines,
                                              size_t headerLine, const TextRecipeSink& sink,
                                              std::vector<TextParseError>* skipped) {
  return Reader(lines, headerLine, sink, skipped).run();
}

}  // namespace savora::recipe_formats
