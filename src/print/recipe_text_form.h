// A recipe as it is written to a text file: name, book and chapter, description, servings,
// ingredient lines and instructions, with the label's text form when it is given.
#pragma once

#include <optional>
#include <string>

#include "nutrition/nutrition_facts.h"
#include "recipe/recipe_tables.h"
#include "store/recipe.h"

namespace savora::print {

std::string recipeTextFile(recipe::RecipeTables& tables, const store::Recipe& recipe,
                           const std::optional<nutrition::NutritionFacts>& label);

}  // namespace savora::print
