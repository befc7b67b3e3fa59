// The food data of an exchange run: adds the exchange units and ingredients (with their brand
// entries) that the user's tables lack, and translates the unit and ingredient references of an
// exchange recipe line into the user's.
#pragma once

#include <map>
#include <string>

#include "food/brand_table.h"
#include "food/ingredient_table.h"
#include "food/unit_table.h"
#include "store/recipe.h"

namespace savora::exchange {

// The user's food tables an import writes into.
struct UserFood {
  food::UnitTable& units;
  food::IngredientTable& ingredients;
  food::BrandTable& brands;
};

class FoodTranslation {
 public:
  // The exchange tables ("unitx", "foodx", "brandx") must be open while it is used.
  FoodTranslation(UserFood user, food::UnitTable& units, food::IngredientTable& ingredients,
                  food::BrandTable& brands);

  // Adds every exchange unit with a name that the user's units lack. A unit's conversion unit
  // is found (or added) by name, so units the user already had keep their own conversions.
  void addMissingUnits();
  // Adds every exchange ingredient that the user's ingredients lack, with its brand entries.
  void addMissingIngredients();

  // The user's unit for an exchange unit UID; 0 when none.
  long unit(long exchangeUid);
  // The user's code for an exchange ingredient code of a recipe line: ingredients by name (the
  // plural toggled once when the name is not found), brands as brand codes under the matching
  // ingredient. Recipe codes pass through; 30000 and 60000 become 0.
  long ingredientCode(long exchangeCode);
  // Translates the units and ingredient codes of every line.
  void translateLines(store::Recipe& recipe);

 private:
  long ingredient(long exchangeUid);
  long brandCode(long exchangeBrand);
  long userUnitByName(const std::string& name);

  UserFood user_;
  food::UnitTable& xUnits_;
  food::IngredientTable& xIngredients_;
  food::BrandTable& xBrands_;
  std::map<long, long> unitCache_, ingredientCache_, brandCache_;
};

}  // namespace savora::exchange
