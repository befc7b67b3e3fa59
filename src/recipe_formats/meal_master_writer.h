// Writes recipes in the Meal-Master layout: the header line, title, categories and yield, one
// column of ingredients (the amount right-aligned in 7 columns, the unit's two-letter code in
// columns 9 and 10, the text from column 12, continued on "-" lines past column 40), the
// directions, and the "MMMMM" end line.
//
// What the format cannot hold goes where a cook still reads it: a unit without a code and a
// line's first note go in front of the ingredient text, the second note after "; ", the
// description in front of the directions. The chapter is written as the first category, so a
// recipe comes back into a chapter of that name.
#pragma once

#include <string>
#include <vector>

#include "recipe_formats/text_recipe.h"

namespace savora::recipe_formats {

inline constexpr const char* kMealMasterHeader = "MMMMM----- Recipe via Meal-Master (tm) v8.05";

// The recipes as Windows-1252 text with CR LF line ends.
std::string mealMasterText(const std::vector<TextRecipe>& recipes);

// One ingredient line with its continuation lines.
std::vector<std::string> mealMasterIngredientLines(const TextRecipeLine& line);

}  // namespace savora::recipe_formats
