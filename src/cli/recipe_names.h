// Finding the recipes named on the command line: "Book/Chapter/Name" (names compared ignoring
// case) or a recipe's UID.
#pragma once

#include <optional>
#include <string_view>

#include "recipe/recipe_tables.h"
#include "store/recipe.h"

namespace savora::cli {

// The recipe, loaded with its UID set; nothing when no recipe has that name or UID.
std::optional<store::Recipe> findRecipe(recipe::RecipeTables& tables, std::string_view name);

}  // namespace savora::cli
