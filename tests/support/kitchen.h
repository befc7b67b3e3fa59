// One kitchen for tests and benchmarks: the food tables (units, ingredients, food groups, brands)
// and the recipe table on one store, opened in the current program folder with brands following
// unit and ingredient replacements, and short ways to add units and brands. `UserType` is the
// person the store talks to: the scripted user in tests, a silent one in benchmarks.
#pragma once

#include <initializer_list>
#include <string>
#include <utility>

#include "food/brand_table.h"
#include "food/food_group_table.h"
#include "food/ingredient_table.h"
#include "food/unit_table.h"
#include "store/recipe.h"
#include "store/recipe_table.h"
#include "store/table_store.h"

namespace savora::testing {

// A unit as tests write them; what they leave out is as a new unit has it.
inline food::UnitRecord unitRecord(const char* name, const char* abbreviation,
                                   const char* conversion = "", long conversionUnit = 0,
                                   long adjust = 0, long measure = 2,
                                   long type = food::kVolumeUnit) {
  food::UnitRecord r;
  r.name = name;
  r.abbreviation = abbreviation;
  r.conversion = conversion;
  r.conversionUnit = conversionUnit;
  r.adjust = adjust;
  r.smallestMeasure = measure;
  r.type = type;
  return r;
}

// An ingredient line of a recipe.
inline store::RecipeLine recipeLine(const char* quantity, long unit, long ingredient,
                                    const char* info1 = "", const char* info2 = "") {
  store::RecipeLine line;
  line.quantity = quantity;
  line.unit = unit;
  line.ingredient = ingredient;
  line.info1 = info1;
  line.info2 = info2;
  return line;
}

// A brand of `ingredient` sold in packages of `package` `packageUnit`, holding `servings`
// servings of `serving` `servingUnit`.
inline food::BrandRecord brandRecord(const std::string& name, long ingredient, const char* package,
                                     long packageUnit, const char* serving = "",
                                     long servingUnit = 0, double servings = 0) {
  food::BrandRecord r;
  r.name = name;
  r.ingredient = ingredient;
  r.packageSize = package;
  r.packageUnit = packageUnit;
  r.serving = serving;
  r.servingUnit = servingUnit;
  r.servingsInPackage = servings;
  return r;
}

// Gives a new ingredient of that name `brand` as its preferred brand; returns its UID.
inline long addPreferred(food::IngredientTable& ingredients, food::BrandTable& brands,
                         const std::string& name, food::BrandRecord brand,
                         const std::string& plural = "") {
  const long ingredient = ingredients.save({name, plural, false, 0, 0}, 0);
  brand.ingredient = ingredient;
  ingredients.save({name, plural, false, brands.save(brand, 0), 0}, ingredient);
  return ingredient;
}

template <class UserType>
struct Kitchen {
  // Call with the program folder current.
  void openKitchen() {
    for (store::TableModule* table : std::initializer_list<store::TableModule*>{
             &units, &ingredients, &groups, &brands, &recipes})
      table->open();
    food::connectBrands(brands, units, ingredients, groups);
  }
  // teaspoon 1 (tsp), tablespoon 2 (T, = 3 teaspoons), ounce 3 (oz, weight); false when the
  // table gave other UIDs.
  bool addSpoonsAndOunce() {
    return units.saveRecord({"teaspoon", "tsp", food::kVolumeUnit, "", 0, 8, 1, 0}, 0) == 1 &&
           units.saveRecord({"tablespoon", "T", food::kVolumeUnit, "3", 1, 2, 1, 0}, 0) == 2 &&
           units.saveRecord({"ounce", "oz", food::kWeightUnit, "", 0, 4, 1, 0}, 0) == 3;
  }
  long addPreferred(const std::string& name, food::BrandRecord brand,
                    const std::string& plural = "") {
    return testing::addPreferred(ingredients, brands, name, std::move(brand), plural);
  }

  UserType user;
  store::TableStore store{user};
  food::UnitTable units{store};
  food::IngredientTable ingredients{store};
  food::FoodGroupTable groups{store};
  food::BrandTable brands{store, units};
  store::RecipeTable recipes{store, "rc65"};
};

}  // namespace savora::testing
