// A brand filled from a USDA food: sold and served by 100 g, the 14 nutrients of 100 g (vitamin
// A, vitamin C, calcium and iron as percents of the label's daily values), a volume measure and
// the weight of one item from the household measures, and a name that says where it came from.
#pragma once

#include <string>

#include "food/brand.h"
#include "usda/food_measures.h"
#include "usda/usda_food.h"

namespace savora::food {
class FoodGroupTable;
class UnitTable;
}  // namespace savora::food

namespace savora::usda {

// Daily values of the era's labels, for the percent nutrients.
inline constexpr double kVitaminADailyIu = 5000;
inline constexpr double kVitaminCDailyMg = 60;
inline constexpr double kCalciumDailyMg = 1000;
inline constexpr double kIronDailyMg = 18;

// "USDA SR21 01001: Butter, salted", cut to a brand name's length.
std::string usdaBrandName(const Food& food);

// The 14 nutrients of 100 g, rounded to 2 decimals as brands keep them.
std::array<double, food::kNutrientCount> nutrientsPer100g(const Food& food);

// The brand of `ingredient` filled from the food. Units are the user's: gram (added when the
// list has none), and the volume unit of the measure when the list has it. Equivalence 1 is the
// food's volume measure, equivalence 2 the weight of one item or, for a food not counted in
// items, of a spoonful (food_measures.h). The food group is the kitchen's group for the USDA
// group when the list has it.
food::BrandRecord usdaBrand(const Food& food, long ingredient, food::UnitTable& units,
                            food::FoodGroupTable& groups);

// A brand the user already has, given the food's values: name, serving, nutrients and
// equivalences, and the food group when it had none. A package it gives (with its price) stays,
// its servings counted anew in 100 g servings when the package converts to grams; a brand
// without a package is sold by 100 g like a new one.
food::BrandRecord withUsdaValues(const food::BrandRecord& brand, const Food& food,
                                 food::UnitTable& units, food::FoodGroupTable& groups);

}  // namespace savora::usda
