#include "usda/starter_kitchen.h"

#include "food/food_group_table.h"
#include "food/ingredient_table.h"
#include "food/unit_table.h"

namespace savora::usda {
namespace {

struct StarterUnit {
  const char* name;
  const char* abbreviation;
  long type;
  const char* conversion;  // 1 unit = conversion of `per`
  const char* per;         // "" with a conversion: the unit counts items
  long adjust;             // a rung of the ladder scaled amounts move on
  long smallestMeasure;
};

// Each unit's definition names a unit listed above it. The US units form the ladder scaled
// amounts climb ("48 teaspoons" read "1 cup"); the metric ones keep the unit they were given.
constexpr long V = food::kVolumeUnit;
constexpr long W = food::kWeightUnit;
const StarterUnit kUnits[] = {
    {"teaspoon", "tsp", V, "", "", 1, 8},
    {"tablespoon", "tbsp", V, "3", "teaspoon", 1, 2},
    {"cup", "c", V, "16", "tablespoon", 1, 4},
    {"pint", "pt", V, "2", "cup", 0, 2},
    {"quart", "qt", V, "4", "cup", 1, 4},
    {"gallon", "gal", V, "4", "quart", 1, 4},
    {"fluid ounce", "fl oz", V, "2", "tablespoon", 0, 4},
    {"milliliter", "ml", V, "0.2029", "teaspoon", 0, 2},
    {"liter", "l", V, "1000", "milliliter", 0, 4},
    {"gram", "g", W, "", "", 0, 2},
    {"kilogram", "kg", W, "1000", "gram", 0, 4},
    {"ounce", "oz", W, "28.35", "gram", 1, 4},
    {"pound", "lb", W, "16", "ounce", 1, 4},
    {"dozen", "doz", V, "12", "", 0, 2},
    {"pinch", "pinch", V, "", "", 0, 2},
    {"dash", "dash", V, "", "", 0, 2},
};

struct StarterGroup {
  const char* name;
  bool perishable;
};
// In the order of a walk through a grocery store.
const StarterGroup kGroups[] = {
    {"Produce", true},
    {"Bakery", true},
    {"Meat & Poultry", true},
    {"Fish & Seafood", true},
    {"Dairy & Eggs", true},
    {"Baking & Spices", false},
    {"Pasta, Rice & Grains", false},
    {"Beans & Legumes", false},
    {"Canned Goods & Soups", false},
    {"Oils & Condiments", false},
    {"Cereal & Breakfast", false},
    {"Nuts & Seeds", false},
    {"Snacks & Sweets", false},
    {"Beverages", false},
    {"Frozen Foods", true},
};

}  // namespace

bool kitchenIsEmpty(food::UnitTable& units, food::FoodGroupTable& groups,
                    food::IngredientTable& ingredients) {
  return !units.firstName(true, {}) && groups.groups().empty() && !ingredients.firstByUid();
}

void fillStarterKitchen(food::UnitTable& units, food::FoodGroupTable& groups) {
  for (const StarterUnit& u : kUnits) {
    food::UnitRecord r;
    r.name = u.name;
    r.abbreviation = u.abbreviation;
    r.type = u.type;
    r.conversion = u.conversion;
    r.conversionUnit = *u.per != '\0' && units.findText(u.per, false) ? units.number("UID") : 0;
    r.adjust = u.adjust;
    r.smallestMeasure = u.smallestMeasure;
    units.saveRecord(r, 0);
  }
  for (const StarterGroup& g : kGroups) groups.add(g.name, g.perishable);
}

std::string kitchenGroupForUsdaGroup(int usdaGroup) {
  switch (usdaGroup) {
    case 100:
      return "Dairy & Eggs";
    case 200:
      return "Baking & Spices";
    case 400:
      return "Oils & Condiments";
    case 500:
    case 700:
    case 1000:
    case 1300:
    case 1700:
      return "Meat & Poultry";
    case 600:
      return "Canned Goods & Soups";
    case 800:
      return "Cereal & Breakfast";
    case 900:
    case 1100:
      return "Produce";
    case 1200:
      return "Nuts & Seeds";
    case 1400:
      return "Beverages";
    case 1500:
      return "Fish & Seafood";
    case 1600:
      return "Beans & Legumes";
    case 1800:
      return "Bakery";
    case 1900:
    case 2500:
      return "Snacks & Sweets";
    case 2000:
      return "Pasta, Rice & Grains";
    case 2100:
    case 2200:
      return "Frozen Foods";
    default:
      return {};
  }
}

}  // namespace savora::usda
