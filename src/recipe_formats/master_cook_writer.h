// Writes recipes in the MasterCook export layout: the "Exported from" mark, the centred title,
// "Recipe By", "Serving Size" and "Categories" (two to a line, in columns), the Amount / Measure /
// Ingredient -- Preparation Method table, the directions and the "- - - -" footer.
//
// The description goes into "Recipe By" (on one line); the chapter is written as the first
// category, so a recipe comes back into a chapter of that name. An amount the table cannot hold
// (longer than 8 characters, or with letters) goes in front of the ingredient text, so that the
// line still reads as an ingredient. A preparation that would run past 80 columns goes on
// "-- " lines under the ingredient, which the import joins to it.
#pragma once

#include <string>
#include <vector>

#include "recipe_formats/text_recipe.h"

namespace savora::recipe_formats {

// The recipes as Windows-1252 text with CR LF line ends.
std::string masterCookText(const std::vector<TextRecipe>& recipes);

// One line of the ingredient table, and "-- " lines under it for a long preparation.
std::vector<std::string> masterCookIngredientLines(const TextRecipeLine& line);

}  // namespace savora::recipe_formats
