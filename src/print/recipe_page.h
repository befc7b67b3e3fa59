// A recipe as printed: name, servings, book and chapter, description, ingredient lines,
// instructions and, on sheets with print nutrition on, the Nutrition Facts label.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "nutrition/nutrition_facts.h"
#include "print/page_writer.h"
#include "recipe/recipe_tables.h"
#include "store/recipe.h"

namespace savora::print {

// The recipe's ingredient lines that have text, worded as the recipe window words them, with
// trailing blanks and tabs removed.
std::vector<std::string> ingredientLineTexts(recipe::RecipeTables& tables,
                                             const store::Recipe& recipe);

// Prints the recipe from the pen's current line; `totals` is the label's content (none: no label).
void printRecipePage(PageWriter& pen, recipe::RecipeTables& tables, const store::Recipe& recipe,
                     const std::optional<nutrition::NutritionFacts>& totals);

}  // namespace savora::print
