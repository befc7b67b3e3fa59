#include "recipe/recipe_tables.h"

#include "store/recipe.h"
#include "store/recipe_table.h"

namespace savora::recipe {

IngredientTarget decodeIngredientCode(long code) {
  using Kind = IngredientTarget::Kind;
  if (code <= 0) return {};
  if (code > store::kBrandCodeBase) return {Kind::Brand, code - store::kBrandCodeBase};
  if (code > store::kRecipeCodeBase) return {Kind::Recipe, code - store::kRecipeCodeBase};
  return {Kind::Ingredient, code};
}

long encodeIngredientCode(IngredientTarget target) {
  switch (target.kind) {
    case IngredientTarget::Kind::Ingredient:
      return target.uid;
    case IngredientTarget::Kind::Recipe:
      return target.uid + store::kRecipeCodeBase;
    case IngredientTarget::Kind::Brand:
      return target.uid + store::kBrandCodeBase;
    case IngredientTarget::Kind::None:
      break;
  }
  return 0;
}

std::vector<store::Recipe> loadRecipes(RecipeTables& tables, const std::vector<long>& uids) {
  std::vector<store::Recipe> recipes;
  for (const long uid : uids) {
    store::Recipe recipe;
    if (tables.recipes.load(uid, recipe) == 0) continue;
    recipe.uid = uid;
    recipes.push_back(std::move(recipe));
  }
  return recipes;
}

}  // namespace savora::recipe
