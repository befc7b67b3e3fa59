// Reads an ingredient line of a web page ("1 1/2 cups flour, sifted", "2 large eggs",
// "1 (14 oz) can tomatoes", "200g butter") by the rules of the recipe window's typed lines
// (food/ingredient_text.h), with the measures the text importers know: the amount, the measure
// as the kitchen names it, a size or package size as the first note, the ingredient in lower
// case, and the preparation as the second note, kept as written (", sifted").
#pragma once

#include <string_view>

#include "recipe_formats/text_recipe.h"

namespace savora::recipe_formats {

// The line's parts; Windows-1252 text in and out. A line without an amount or a measure is all
// ingredient (and note).
TextRecipeLine readIngredientLine(std::string_view text);

}  // namespace savora::recipe_formats
