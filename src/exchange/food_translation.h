// The food data of an exchange run: adds the exchange units and ingredients (with their brand
// entries) that the user's tables lack, and translates the unit and ingredient references of an
// exchange recipe line into the user's, following the decisions of the matching dialog written
// into the exchange records: a unit's NAME holds its replacement's name, its ABBREV "<info>"
// (the unit becomes note text) or "<nothing>"; an ingredient's PLURAL "importIO" sends it to the
// memorized replacements.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "exchange/folded_names.h"
#include "exchange/memorized_table.h"
#include "food/brand_table.h"
#include "food/ingredient_table.h"
#include "food/unit_table.h"
#include "store/recipe.h"

namespace savora::exchange {

inline constexpr const char* kUnitAsInfo = "<info>";
inline constexpr const char* kUnitDropped = "<nothing>";
inline constexpr const char* kIngredientMemorized = "importIO";

// The user's food tables an import writes into.
struct UserFood {
  food::UnitTable& units;
  food::IngredientTable& ingredients;
  food::BrandTable& brands;
};

class FoodTranslation {
 public:
  // The exchange tables ("unitx", "foodx", "brandx") must be open while it is used.
  FoodTranslation(store::TableStore& store, UserFood user, food::UnitTable& units,
                  food::IngredientTable& ingredients, food::BrandTable& brands);
  ~FoodTranslation();

  // Whether the user's table lacks the exchange unit or ingredient (ingredients also under the
  // other number, "eggs" for "egg").
  bool userLacksUnit(long exchangeUid);
  bool userLacksIngredient(long exchangeUid);
  // Adds one exchange unit or ingredient (with its brands) to the user's table; its UID there.
  long addUnit(long exchangeUid);
  long addIngredient(long exchangeUid);

  UserFood& user() { return user_; }
  food::UnitTable& exchangeUnits() { return xUnits_; }
  food::IngredientTable& exchangeIngredients() { return xIngredients_; }

  // The user's unit for an exchange unit UID; 0 when none.
  long unit(long exchangeUid);
  // The user's code for an exchange ingredient code of a recipe line: ingredients by name (the
  // plural toggled once when the name is not found), brands as brand codes under the matching
  // ingredient. Recipe codes pass through; 30000 and 60000 become 0.
  long ingredientCode(long exchangeCode);
  // Translates the units and ingredient codes of every line, with the notes the decisions add.
  void translateLines(store::Recipe& recipe);

 private:
  long ingredient(long exchangeUid);
  long brandCode(long exchangeBrand);
  long userUnitByName(const std::string& name);

  store::TableStore& store_;
  UserFood user_;
  std::unique_ptr<MemorizedTable> memory_;
  food::UnitTable& xUnits_;
  food::IngredientTable& xIngredients_;
  food::BrandTable& xBrands_;
  std::map<long, long> unitCache_, ingredientCache_, brandCache_;
  // The user's units and ingredients by name, read once per run instead of walked per name.
  FoldedNames userUnitNames_, userIngredientNames_;
};

}  // namespace savora::exchange
