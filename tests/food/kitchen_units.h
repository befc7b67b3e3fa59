// A kitchen's unit graph as the conversion list holds it, for tests of conversions and of the
// quantity presentation.
#pragma once

#include <vector>

#include "food/unit_conversion.h"

namespace savora::food::testing {

enum KitchenUnit : long {
  kTeaspoon = 1,
  kTablespoon,
  kCup,
  kQuart,
  kGallon,
  kPint,
  kFluidOunce,
  kOunce,
  kPound,
  kGram,
  kDozen,
  kPinch,
  kLiter,
};

// Volume: tablespoon = 3 teaspoons, cup = 16 tablespoons, quart = 4 cups, gallon = 4 quarts
// (all adjustable; quart and gallon measure liquids only), pint = 2 cups and fluid ounce = 2
// tablespoons (not adjustable). Weight: pound = 16 ounces (adjustable), ounce = 28.35 grams. Dozen
// counts 12 items; pinch has no definition; gram and liter are metric. In name order, as the unit table gives them.
inline constexpr long kWeight = 1;

inline std::vector<ConversionEntry> kitchenUnits() {
  return {
      {kCup, 16, kTablespoon, 1, 4},
      {kDozen, 12, 0, 0, 2},
      {kFluidOunce, 2, kTablespoon, 0, 4},
      {kGallon, 4, kQuart, 1, 4, 0, true},
      {kGram, 0, 0, 0, 2, kWeight, false, true},
      {kLiter, 0, 0, 0, 4, 0, false, true},
      {kOunce, 28.35f, kGram, 1, 4, kWeight},
      {kPinch, 0, 0, 0, 2},
      {kPint, 2, kCup, 0, 2},
      {kPound, 16, kOunce, 1, 4, kWeight},
      {kQuart, 4, kCup, 1, 4, 0, true},
      {kTablespoon, 3, kTeaspoon, 1, 2},
      {kTeaspoon, 0, 0, 1, 8},
  };
}

}  // namespace savora::food::testing
