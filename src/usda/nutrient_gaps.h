// The ingredients of a recipe that give the analysis nothing (no brand of theirs has a nutrient),
// and giving one an ingredient's nutrients from a USDA food.
#pragma once

#include <string>
#include <vector>

#include "food/food_tables.h"
#include "store/recipe.h"
#include "usda/usda_food.h"

namespace savora::usda {

using KitchenTables = food::KitchenTables;

struct NutrientGap {
  int line = 0;   // the first line of the ingredient, from 0
  long unit = 0;  // that line's unit; 0 for counted items
  long ingredient = 0;
  std::string name;
};

// True when a brand of the ingredient has any nutrient.
bool ingredientHasNutrients(long ingredient, food::BrandTable& brands);

// The ingredients of the recipe's lines without nutrients, each once, in line order. Lines of
// other recipes and of brands are left out: they bring their own.
std::vector<NutrientGap> nutrientGaps(const store::Recipe& recipe, KitchenTables tables);

// Saves a brand of the ingredient filled from the food and makes it the preferred brand; returns
// the brand's UID.
long giveUsdaNutrients(const Food& food, long ingredient, KitchenTables tables);

}  // namespace savora::usda
