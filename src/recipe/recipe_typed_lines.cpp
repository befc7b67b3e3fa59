// Whole ingredient lines typed or pasted into the quantity field, as a cook writes them
// ("2 tbsp butter, melted"), cut into quantity, unit, ingredient and preparation by the rules the
// recipe file importers use; pasted lines fill the recipe's lines from the current one on.
#include <algorithm>
#include <vector>

#include "food/ingredient_text.h"
#include "food/unit_names.h"
#include "food/unit_table.h"
#include "platform/text.h"
#include "recipe/recipe_edit.h"
#include "recipe/recipe_line_text.h"
#include "recipe_formats/text_measures.h"

namespace savora::recipe {
namespace {

constexpr int kLastLine = store::kRecipeLines - 1;

std::vector<std::string> typedLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    if (std::string line = platform::trim(text.substr(start, end - start)); !line.empty())
      lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

}  // namespace

food::IngredientText RecipeEdit::splitTypedLine(std::string_view text) {
  const food::UnitSettings settings = tables_.unitSettings;
  // The kitchen's own units come first, as typed; then the measures recipe files write.
  const food::MeasureReader measure = [this, settings](std::string_view word) {
    for (const bool byAbbreviation : {true, false}) {
      if (food::unitUidOfText(tables_.units, word, byAbbreviation, settings) != 0)
        return food::MeasureWord{std::string(word), ""};
    }
    recipe_formats::TextMeasure known = recipe_formats::knownMeasure(word);
    return food::MeasureWord{std::move(known.unit), std::move(known.words)};
  };
  return food::splitIngredientText(text, measure);
}

void RecipeEdit::fillEditorFromText(std::string_view text) {
  fillEditor(splitTypedLine(text));
}

void RecipeEdit::fillEditor(const food::IngredientText& parts) {
  editor_.selectedBrand = 0;
  editor_.selectedRecipe = 0;
  editor_.quantity = parts.quantity;
  editor_.unitText = parts.unit;
  editor_.info1 = parts.words;
  // The comma goes back: the commit takes the preparation off unless the whole text names an
  // ingredient ("pepper, black").
  editor_.ingredientText = parts.ingredient + parts.preparation;
  editor_.info2.clear();
}

bool RecipeEdit::takeTypedLines() {
  const bool lineFree = platform::trim(editor_.unitText).empty() &&
                        platform::trim(editor_.ingredientText).empty() &&
                        editor_.selectedBrand == 0 && editor_.selectedRecipe == 0;
  // Lines that reached the field some other way than a paste: the line keeps its own quantity.
  if (editor_.quantity.find_first_of("\r\n") != std::string::npos) {
    const std::string pasted = editor_.quantity;
    editor_.quantity = lineFree ? "" : recipe_.lines[size_t(current_)].quantity;
    commitEditor();
    placeLines(pasted);
    return true;
  }
  // One word ("2a", "few") is a quantity as typed; a line has words apart. Over a line in use,
  // a typed text replaces the whole line only when it reads as one ("2 tbsp butter"); "a few"
  // stays the quantity of the line's ingredient.
  const std::string typed = platform::trim(editor_.quantity);
  if (typed.find_first_of(" \t") == std::string::npos || food::isAmountOnly(typed)) return false;
  const food::IngredientText parts = splitTypedLine(typed);
  if (lineFree || (!parts.quantity.empty() && !parts.ingredient.empty())) fillEditor(parts);
  return false;
}

void RecipeEdit::pasteLines(std::string_view text) {
  commitLine();
  placeLines(text);
}

// An empty current line takes the first line; the others fill the lines below, moving lines in
// use down while the last line is free. What does not fit is named, never dropped unseen.
void RecipeEdit::placeLines(std::string_view text) {
  const std::vector<std::string> texts = typedLines(text);
  auto& lines = recipe_.lines;
  size_t next = 0;
  int at = current_;
  if (!texts.empty() && lineIsEmpty(lines[size_t(current_)])) {
    loadLine(current_);
    fillEditorFromText(texts[next++]);
    commitEditor();
  }
  for (; next < texts.size(); ++next) {
    const int target = at + 1;
    if (target > kLastLine) break;
    if (!lineIsEmpty(lines[size_t(target)])) {
      if (!lineIsEmpty(lines[kLastLine])) break;  // inserting would push the last line off
      std::move_backward(lines.begin() + target, lines.end() - 1, lines.end());
      lines[size_t(target)] = {};
    }
    loadLine(target);
    fillEditorFromText(texts[next]);
    commitEditor();
    at = target;
  }
  loadLine(at);
  if (next < texts.size()) {
    std::string left;
    for (; next < texts.size(); ++next) left += "\r\n" + texts[next];
    user_.message("Recipe Full!", "ASTERISK", toolkit::Buttons::Ok,
                  "You cannot add any more items to this recipe.\r\nThese lines were not added:" +
                      left);
  }
}

}  // namespace savora::recipe
