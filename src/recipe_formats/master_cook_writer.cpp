#include "recipe_formats/master_cook_writer.h"

#include <algorithm>

#include "platform/text.h"
#include "recipe_formats/text_lines.h"
#include "recipe_formats/text_recipe_layout.h"

namespace savora::recipe_formats {
namespace {

constexpr std::string_view kMark = "                     *  Exported from  MasterCook  *";
constexpr std::string_view kFooter = "                   - - - - - - - - - - - - - - - - - - ";
constexpr size_t kTitleCentre = 40;
constexpr size_t kAmountWidth = 8;
constexpr size_t kMeasureWidth = 12;
constexpr size_t kIngredientColumn = 24;  // counted from 0
constexpr size_t kLineWidth = 80;
constexpr size_t kCategoryColumn = 33;  // the second category of a line, after the field name
constexpr std::string_view kCategoryIndent = "                ";
constexpr size_t kDirectionsWidth = 75;
constexpr std::string_view kAmountCharacters = " 0123456789/.-";

std::string padded(std::string text, size_t width) {
  if (text.size() < width) text.resize(width, ' ');
  return text;
}

// Text on one line: line breaks and runs of blanks become one blank.
std::string oneLine(std::string_view text) {
  std::string flat(trimBlanks(text));
  for (char& c : flat) {
    if (c == '\r' || c == '\n' || c == '\t') c = ' ';
  }
  return collapseBlanks(trimBlanks(flat));
}

// The chapter first, then the recipe's other categories, each once; a name with a run of blanks
// would read as two.
std::vector<std::string> categoriesOf(const TextRecipe& recipe) {
  std::vector<std::string> names;
  auto add = [&names](const std::string& name) {
    const std::string single = oneLine(name);
    if (single.empty()) return;
    for (const std::string& had : names) {
      if (platform::equalsIgnoreCase(had, single)) return;
    }
    names.push_back(single);
  };
  add(recipe.chapter);
  for (const std::string& category : recipe.categories) add(category);
  return names;
}

std::vector<std::string> categoryLines(const std::vector<std::string>& names) {
  std::vector<std::string> lines;
  for (size_t i = 0; i < names.size(); i += 2) {
    std::string line = i == 0 ? "Categories    : " : std::string(kCategoryIndent);
    line += names[i];
    if (i + 1 < names.size()) {
      line = padded(line + "  ", kCategoryIndent.size() + kCategoryColumn);
      line += names[i + 1];
    }
    lines.push_back(line);
  }
  if (lines.empty()) lines.emplace_back("Categories    : ");
  return lines;
}

bool fitsAmountColumn(std::string_view quantity) {
  return quantity.size() <= kAmountWidth &&
         quantity.find_first_not_of(kAmountCharacters) == std::string_view::npos;
}

// What the measure column says: the unit's name, or a size word standing alone.
std::string measureOf(const TextRecipeLine& line, bool& sizeAsMeasure) {
  const std::string lower = platform::toLower(line.info1);
  sizeAsMeasure = line.unit.empty() && line.info1 == lower &&
                  (lower == "small" || lower == "medium" || lower == "large");
  return sizeAsMeasure ? line.info1 : line.unit;
}

}  // namespace

std::vector<std::string> masterCookIngredientLines(const TextRecipeLine& line) {
  bool sizeAsMeasure = false;
  std::string measure = measureOf(line, sizeAsMeasure);
  const bool amountFits = fitsAmountColumn(line.quantity);
  std::vector<std::string> words;
  if (!amountFits) words.push_back(line.quantity);
  if (measure.size() > kMeasureWidth) {
    words.push_back(measure);
    measure.clear();
  }
  if (!sizeAsMeasure) words.push_back(line.info1);
  words.push_back(line.ingredient);
  std::string text;
  for (const std::string& word : words) {
    if (word.empty()) continue;
    if (!text.empty()) text += ' ';
    text += word;
  }
  std::vector<std::string> more;
  if (line.quantity.empty() && line.unit.empty() && line.ingredient.empty() && line.info1.empty()) {
    text = trimBlanks(line.info2);  // a section line, as written
  } else if (const std::string_view note = preparationText(line.info2); !note.empty()) {
    // Past the first line the note goes on "-- " lines, each read back as more of it; a part
    // ending in ":" or "-" would read as a heading, so such a note stays on one line.
    const size_t room = kLineWidth - kIngredientColumn;
    std::vector<std::string> parts =
        wrapWords(note, room > text.size() + 4 ? room - text.size() - 4 : 1, room - 3, "-");
    const bool joinable = std::all_of(parts.begin() + 1, parts.end(), [](const std::string& p) {
      return !p.ends_with(':') && !p.ends_with('-') &&
             p.find_first_of("abcdefghijklmnopqrstuvwxyz") != std::string::npos;
    });
    if (parts.size() > 1 && joinable && text.size() + 4 < room) {
      text += " -- " + parts.front();
      for (size_t i = 1; i < parts.size(); ++i)
        more.push_back(std::string(kIngredientColumn, ' ') + "-- " + parts[i]);
    } else {
      text += " -- " + std::string(note);
    }
  }
  std::string amount = amountFits ? line.quantity : "";
  amount.insert(0, kAmountWidth - amount.size(), ' ');
  std::vector<std::string> lines = {
      std::string(trimRightBlanks(amount + "  " + padded(measure, kMeasureWidth) + "  " + text))};
  lines.insert(lines.end(), more.begin(), more.end());
  return lines;
}

std::string masterCookText(const std::vector<TextRecipe>& recipes) {
  std::string out;
  auto put = [&out](std::string_view line) {
    out.append(trimRightBlanks(line));
    out += "\r\n";
  };
  for (const TextRecipe& recipe : recipes) {
    put("");
    put(kMark);
    put("");
    const std::string title = oneLine(recipe.name);
    put(std::string(kTitleCentre - std::min(kTitleCentre, title.size() / 2), ' ') + title);
    put("");
    put("Recipe By     : " + oneLine(recipe.description));
    put("Serving Size  : " + std::to_string(std::max(recipe.servings, 1L)) +
        "     Preparation Time :0:00");
    for (const std::string& line : categoryLines(categoriesOf(recipe))) put(line);
    put("");
    put("  Amount  Measure       Ingredient -- Preparation Method");
    put("--------  ------------  --------------------------------");
    for (const TextRecipeLine& line : recipe.lines) {
      for (const std::string& text : masterCookIngredientLines(line)) put(text);
    }
    put("");
    for (const std::string& line : directionLines(recipe.instructions, "", kDirectionsWidth))
      put(line);
    put("");
    put(kFooter);
    put("");
  }
  return out;
}

}  // namespace savora::recipe_formats
