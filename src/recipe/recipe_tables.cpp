#include "recipe/recipe_tables.h"

#include "store/recipe.h"

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

}  // namespace savora::recipe
