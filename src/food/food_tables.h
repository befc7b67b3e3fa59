// The food tables the ingredient and brand windows work on, handed over as bundles.
#pragma once

#include "food/brand_table.h"
#include "food/food_group_table.h"
#include "food/ingredient_table.h"
#include "food/unit_table.h"
#include "store/recipe_table.h"

namespace savora::food {

struct BrandTables {
  BrandTable& brands;
  UnitTable& units;
  FoodGroupTable& groups;
};

// The kitchen: what a recipe line's food is made of.
struct KitchenTables {
  IngredientTable& ingredients;
  BrandTable& brands;
  UnitTable& units;
  FoodGroupTable& groups;
};

struct FoodTables {
  IngredientTable& ingredients;
  BrandTable& brands;
  UnitTable& units;
  FoodGroupTable& groups;
  store::RecipeTable& recipes;

  BrandTables brandTables() const { return {brands, units, groups}; }
};

}  // namespace savora::food
