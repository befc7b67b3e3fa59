#include "nutrition/daily_values.h"

namespace savora::nutrition {

double dailyValue(food::Nutrient nutrient) {
  switch (nutrient) {
    case food::kTotalFat:
      return 65;
    case food::kSaturatedFat:
      return 20;
    case food::kCholesterol:
      return 300;
    case food::kSodium:
      return 2400;
    case food::kTotalCarbohydrate:
      return 300;
    case food::kDietaryFiber:
      return 25;
    default:
      return 0;
  }
}

long double percentOfDailyValue(food::Nutrient nutrient, double amount) {
  const double value = dailyValue(nutrient);
  if (value == 0) return amount;
  return (long double)amount * (1.0L / value) * 100.0L;
}

}  // namespace savora::nutrition
