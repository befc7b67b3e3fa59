#include "online/recipe_mail_body.h"

#include "recipe/recipe_line_text.h"
#include "store/recipe.h"
#include "store/recipe_table.h"

namespace savora::online {

namespace {

void append(std::string& body, std::string_view piece) {
  if (body.size() < kMailBodyLimit) body.append(piece.substr(0, kMailBodyLimit - body.size()));
}

}  // namespace

RecipeMailBody recipeMailBody(recipe::RecipeTables& tables, std::string_view personalMessage,
                              const std::vector<long>& recipeUids) {
  std::vector<MailedRecipe> recipes;
  for (const long uid : recipeUids) recipes.push_back({&tables, uid});
  return recipeMailBody(personalMessage, recipes);
}

RecipeMailBody recipeMailBody(std::string_view personalMessage,
                              const std::vector<MailedRecipe>& recipes) {
  std::string body;
  append(body, personalMessage);
  append(body, "\r\n\r\n");
  for (const MailedRecipe& mailed : recipes) {
    recipe::RecipeTables& tables = *mailed.tables;
    store::Recipe recipe;
    if (tables.recipes.load(mailed.uid, recipe) == 0) continue;
    append(body, recipe.name);
    append(body, "\r\n\r\n");
    if (recipe.servings > 1) append(body, "Serves: " + std::to_string(recipe.servings) + "\r\n");
    append(body, recipe.description);
    append(body, "\r\n\r\n");
    for (store::RecipeLine line : recipe.lines) {
      std::string shown = recipe::lineText(tables, line, false, 1500);
      // The list's padding means nothing in a message.
      shown.erase(shown.find_last_not_of(' ') + 1);
      if (shown.empty()) continue;
      append(body, shown);
      append(body, "\r\n");
    }
    append(body, "\r\n");
    append(body, recipe.instructions);
    append(body, "\r\n\r\n");
  }
  const bool tooLong = body.size() > kMailBodyWarning;
  return {std::move(body), tooLong};
}

}  // namespace savora::online
