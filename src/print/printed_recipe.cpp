#include "print/printed_recipe.h"

#include "recipe/recipe_line_text.h"

namespace savora::print {

namespace {

std::vector<std::string> ingredientLineTexts(recipe::RecipeTables& tables,
                                             const store::Recipe& recipe) {
  std::vector<std::string> texts;
  for (store::RecipeLine line : recipe.lines) {
    std::string text = recipe::lineText(tables, line, false, 1500);
    text.erase(text.find_last_not_of(" \t") + 1);
    if (!text.empty()) texts.push_back(text);
  }
  return texts;
}

}  // namespace

PrintedRecipe printedRecipe(recipe::RecipeTables& tables, const store::Recipe& recipe,
                            std::optional<nutrition::NutritionFacts> totals) {
  recipe::ShelfPlace place = recipe::shelfPlaceOf(tables, recipe);
  return {recipe.name,
          recipe.servings,
          std::move(place.book),
          std::move(place.chapter),
          recipe.description,
          ingredientLineTexts(tables, recipe),
          recipe.instructions,
          std::move(totals)};
}

}  // namespace savora::print
