// Printing recipes and writing them to text: one recipe, or a list of recipes one after another
// on cards or sheets, each with its own analysis when the label is asked for.
#pragma once

#include <string>
#include <vector>

#include "print/print_settings.h"
#include "recipe/recipe_tables.h"
#include "store/recipe.h"
#include "toolkit/canvas.h"

namespace savora::toolkit {
class User;
}

namespace savora::print {

// Draws the recipes (kind Recipe or RecipeList) and finishes the canvas; false when the canvas
// could not be finished (the printer or file failed). A list starts at the chosen card position
// and moves to the next card (cards) or sheet (sheets, unless two on a page) after each recipe.
bool printRecipes(toolkit::Canvas& canvas, const PrintSettings& settings,
                  recipe::RecipeTables& tables, toolkit::User& user,
                  const std::vector<store::Recipe>& recipes);

// The recipes' text forms one after another, each with its label when print nutrition is on.
std::string recipesText(recipe::RecipeTables& tables, toolkit::User& user,
                        const std::vector<store::Recipe>& recipes, bool withLabel);

}  // namespace savora::print
