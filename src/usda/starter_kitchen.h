// The kitchen a first start may fill empty tables with: US volume and weight units and metric
// ones, linked by their conversions, and food groups named and ordered as a shopping list walks a
// store, with the perishable ones flagged.
#pragma once

#include <string>

namespace savora::food {
class FoodGroupTable;
class IngredientTable;
class UnitTable;
}  // namespace savora::food

namespace savora::usda {

// True when the unit, food group and ingredient tables are all empty: a kitchen not yet set up.
bool kitchenIsEmpty(food::UnitTable& units, food::FoodGroupTable& groups,
                    food::IngredientTable& ingredients);

// Adds the starter units and food groups.
void fillStarterKitchen(food::UnitTable& units, food::FoodGroupTable& groups);

// The starter food group for a USDA food group code (100 for "0100"); "" for none.
std::string kitchenGroupForUsdaGroup(int usdaGroup);

}  // namespace savora::usda
