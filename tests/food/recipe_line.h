// An ingredient line of a recipe for tests of the cascades into recipes.
#pragma once

#include "store/recipe.h"

namespace savora::food::testing {

inline store::RecipeLine recipeLine(const char* quantity, long unit, long ingredient) {
  store::RecipeLine line;
  line.quantity = quantity;
  line.unit = unit;
  line.ingredient = ingredient;
  return line;
}

}  // namespace savora::food::testing
