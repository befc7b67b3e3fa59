// Daily values of the nutrients that have one, and an amount's percent of its daily value.
#pragma once

#include "food/brand.h"

namespace savora::nutrition {

// The daily value of a nutrient in its unit (grams or milligrams); 0 for a nutrient without one
// (calories, calories from fat, sugars, protein, and the vitamins and minerals, which are stored
// as percents already).
double dailyValue(food::Nutrient nutrient);

// amount × (1 / daily value) × 100, in extended precision; the amount itself for a nutrient
// without daily value.
long double percentOfDailyValue(food::Nutrient nutrient, double amount);

}  // namespace savora::nutrition
