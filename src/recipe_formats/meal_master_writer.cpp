#include "recipe_formats/meal_master_writer.h"

#include <algorithm>

#include "platform/text.h"
#include "recipe_formats/text_lines.h"
#include "recipe_formats/text_measures.h"
#include "recipe_formats/text_recipe_layout.h"

namespace savora::recipe_formats {
namespace {

constexpr size_t kAmountWidth = 7;
constexpr size_t kLineWidth = 40;   // past it a reader looks for a second column
constexpr size_t kTextColumn = 11;  // counted from 0
constexpr size_t kDirectionsWidth = 75;
constexpr std::string_view kContinuation = "           -";

// The chapter first, then the recipe's other categories, each once.
std::vector<std::string> categoriesOf(const TextRecipe& recipe) {
  std::vector<std::string> names;
  auto add = [&names](const std::string& name) {
    if (name.empty() || name.find(',') != std::string::npos) return;
    for (const std::string& had : names) {
      if (platform::equalsIgnoreCase(had, name)) return;
    }
    names.push_back(name);
  };
  add(recipe.chapter);
  for (const std::string& category : recipe.categories) add(category);
  return names;
}

std::string joined(const std::vector<std::string>& parts, std::string_view separator) {
  std::string text;
  for (const std::string& part : parts) {
    if (part.empty()) continue;
    if (!text.empty()) text += separator;
    text += part;
  }
  return text;
}

// A section line (only a second note) starting with "-" reads back as one as it is.
bool isSectionLine(const TextRecipeLine& line) {
  return line.quantity.empty() && line.unit.empty() && line.ingredient.empty() &&
         line.info1.empty();
}

bool isSizeWord(std::string_view word) {
  return word == "small" || word == "medium" || word == "large";
}

}  // namespace

std::vector<std::string> mealMasterIngredientLines(const TextRecipeLine& line) {
  if (isSectionLine(line)) {
    // "-----" alone would end the recipe.
    const std::string_view note = trimBlanks(line.info2);
    const std::string text = note.starts_with('-') ? std::string(note) : "-" + std::string(note);
    return {text == "-----" ? text + "-" : text};
  }
  std::string code = mealMasterCode(line.unit);
  std::vector<std::string> words;
  if (!line.unit.empty() && code.empty()) words.push_back(line.unit);
  // A size alone fits the unit column: "lg" reads back as the note "large".
  const bool sizeCode = line.unit.empty() && isSizeWord(line.info1);
  if (sizeCode) code = mealMasterCode(line.info1);
  if (!sizeCode) words.push_back(line.info1);
  words.push_back(line.ingredient);
  std::string text = joined(words, " ");
  if (const std::string_view note = preparationText(line.info2); !note.empty())
    text += "; " + std::string(note);

  std::string start = line.quantity;
  if (start.size() < kAmountWidth) start.insert(0, kAmountWidth - start.size(), ' ');
  start += ' ';
  start += code;
  start.resize(std::max(start.size() + 1, kTextColumn), ' ');
  // A continuation starting with "-" would read as a rule of dashes.
  const std::vector<std::string> parts =
      wrapWords(text, kLineWidth - std::min(start.size(), kLineWidth - 10),
                kLineWidth - kContinuation.size(), "-");
  std::vector<std::string> lines;
  for (const std::string& part : parts) {
    lines.push_back(lines.empty() ? start + part : std::string(kContinuation) + part);
  }
  if (lines.empty()) lines.push_back(std::string(trimRightBlanks(start)));
  return lines;
}

std::string mealMasterText(const std::vector<TextRecipe>& recipes) {
  std::string out;
  auto put = [&out](std::string_view line) {
    out.append(trimRightBlanks(line));
    out += "\r\n";
  };
  for (const TextRecipe& recipe : recipes) {
    put(kMealMasterHeader);
    put("");
    put("      Title: " + recipe.name);
    put(" Categories: " + joined(categoriesOf(recipe), ", "));
    put("      Yield: " + std::to_string(std::max(recipe.servings, 1L)) + " Servings");
    put("");
    for (const TextRecipeLine& line : recipe.lines) {
      for (const std::string& text : mealMasterIngredientLines(line)) put(text);
    }
    // A blank line ends the ingredients; without any, a second one keeps the directions out.
    put("");
    if (recipe.lines.empty()) put("");
    std::string instructions = recipe.instructions;
    if (!trimBlanks(recipe.description).empty())
      instructions = std::string(trimBlanks(recipe.description)) + "\r\n\r\n" + instructions;
    for (const std::string& line : directionLines(instructions, "  ", kDirectionsWidth - 2))
      put(line);
    put("");
    put("MMMMM");
    put("");
  }
  return out;
}

}  // namespace savora::recipe_formats
