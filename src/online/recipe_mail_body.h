// The body of a recipe e-mail: the personal message, then each recipe as plain text (name,
// servings from 2, description, the ingredient lines that show any text, instructions).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "recipe/recipe_tables.h"

namespace savora::online {

// The body never grows past this many characters; each piece takes the room that is left.
inline constexpr size_t kMailBodyLimit = 29999;
// A body longer than this is reported as cut short.
inline constexpr size_t kMailBodyWarning = 29500;

struct RecipeMailBody {
  std::string text;
  bool tooLong = false;  // longer than kMailBodyWarning: some text may have been cut
};

// A recipe to mail and the tables it is read from: the user's bookshelf or the catalogue.
struct MailedRecipe {
  recipe::RecipeTables* tables;
  long uid = 0;
};

RecipeMailBody recipeMailBody(std::string_view personalMessage,
                              const std::vector<MailedRecipe>& recipes);
// The same for recipes that all come from `tables`.
RecipeMailBody recipeMailBody(recipe::RecipeTables& tables, std::string_view personalMessage,
                              const std::vector<long>& recipeUids);

}  // namespace savora::online
