#include "recipe_formats/ingredient_line_reader.h"

#include "food/ingredient_text.h"
#include "recipe_formats/text_lines.h"
#include "recipe_formats/text_measures.h"

namespace savora::recipe_formats {

TextRecipeLine readIngredientLine(std::string_view text) {
  const food::IngredientText parts = food::splitIngredientText(text, [](std::string_view word) {
    TextMeasure found = knownMeasure(word);
    return food::MeasureWord{std::move(found.unit), std::move(found.words)};
  });
  // Pages capitalise names ("All-Purpose Flour"); the kitchen's names are lower case.
  return {parts.quantity, parts.unit, lowerCp1252(parts.ingredient), parts.words,
          parts.preparation};
}

}  // namespace savora::recipe_formats
