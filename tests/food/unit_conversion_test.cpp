#include "food/unit_conversion.h"

#include <gtest/gtest.h>

#include <cmath>

#include "kitchen_units.h"

namespace savora::food {
namespace {

using namespace savora::food::testing;

TEST(UnitConversionTest, ConvertsAlongAndAgainstDefinitions) {
  struct Case {
    const char* what;
    float amount;
    long from;
    long to;
    float expected;
  };
  const Case cases[] = {
      {"along two definitions", 1, kCup, kTeaspoon, 48},
      {"against two definitions", 48, kTeaspoon, kCup, 1},
      {"up then down the tree", 1, kPint, kQuart, 0.5f},
      {"four steps", 1, kGallon, kTablespoon, 256},
      {"defined unit answers directly", 16, kTablespoon, kCup, 1},
      {"weight", 2, kPound, kOunce, 32},
      {"same unit, even one with no definition", 5, kPinch, kPinch, 5},
      {"volume to weight has no path", 1, kCup, kOunce, -1},
      {"unit without definition", 1, kPinch, kTeaspoon, -1},
      {"count unit is not linked to anything", 1, kDozen, kTeaspoon, -1},
      {"source not in the list", 1, 99, kTeaspoon, -1},
      {"target not in the list", 1, kTeaspoon, 99, -1},
  };
  ConversionList list(kitchenUnits());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_FLOAT_EQ(list.convert(c.amount, c.from, c.to), c.expected);
  }
}

TEST(UnitConversionTest, ArithmeticIsSinglePrecision) {
  ConversionList list(kitchenUnits());
  // 1 gram in pounds: 1 / 28.35 / 16, each step rounded to float.
  const float expected = (1.0f / 28.35f) / 16.0f;
  EXPECT_EQ(list.convert(1, kGram, kPound), expected);
}

TEST(UnitConversionTest, OwnDefinitionIsFollowedBeforeUnitsDefinedByIt) {
  // A cycle of contradicting definitions: cup = 8 fl oz = 40 tsp, but also tbsp = 1/16 cup
  // and tsp = 1/3 tbsp (48 tsp). The cup's own definition is searched first.
  ConversionList list({{1, 8, 2, 0, 4},            // cup = 8 fluid ounces
                       {2, 5, 3, 0, 4},            // fluid ounce = 5 teaspoons
                       {3, 1 / 3.0f, 4, 0, 8},     // teaspoon = 1/3 tablespoon
                       {4, 1 / 16.0f, 1, 0, 2}});  // tablespoon = 1/16 cup
  EXPECT_FLOAT_EQ(list.convert(1, 1, 3), 40);
  // The visited marks are cleared for every conversion: the same question gives the same answer.
  EXPECT_FLOAT_EQ(list.convert(1, 1, 3), 40);
}

TEST(UnitConversionTest, BadFactorsNeverGiveAnAmount) {
  struct Case {
    const char* what;
    long from;
    long to;
  };
  // 5: unreadable conversion text (-1) defined by teaspoons; 6: a conversion unit but no number
  // (0), defined by tablespoons.
  std::vector<ConversionEntry> units = kitchenUnits();
  units.push_back({5 + 100, -1, kTeaspoon, 0, 2});
  units.push_back({6 + 100, 0, kTablespoon, 0, 2});
  const Case cases[] = {
      {"unreadable factor is not multiplied in", 105, kTeaspoon},
      {"unreadable factor towards it", kCup, 105},
      {"zero factor is not divided by", kTablespoon, 106},
      {"zero factor from the top of the tree", kCup, 106},
  };
  ConversionList list(std::move(units));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const float result = list.convert(1, c.from, c.to);
    EXPECT_TRUE(std::isfinite(result));
    EXPECT_LE(result, 0);
  }
}

TEST(UnitConversionTest, LadderStepsToTheNearestAdjustableUnit) {
  struct Case {
    const char* what;
    bool smaller;
    float amount;
    long unit;
    float expectedAmount;
    long expectedUnit;
  };
  const Case cases[] = {
      {"cup to tablespoons", true, 1, kCup, 16, kTablespoon},
      {"tablespoons to teaspoons", true, 2, kTablespoon, 6, kTeaspoon},
      {"nothing below teaspoon", true, 1, kTeaspoon, -1, kTeaspoon},
      {"teaspoons to tablespoons", false, 6, kTeaspoon, 2, kTablespoon},
      {"cup to quart, skipping the pint that does not adjust", false, 2, kCup, 0.5f, kQuart},
      {"nothing above gallon", false, 1, kGallon, -1, kGallon},
      {"pound to ounces", true, 1, kPound, 16, kOunce},
      {"a unit outside the ladder steps onto it", true, 1, kPint, 2, kCup},
      {"no definition, no ladder", false, 3, kPinch, -1, kPinch},
  };
  ConversionList list(kitchenUnits());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    long unit = c.unit;
    const float result =
        c.smaller ? list.nextSmaller(c.amount, unit) : list.nextLarger(c.amount, unit);
    EXPECT_FLOAT_EQ(result, c.expectedAmount);
    EXPECT_EQ(unit, c.expectedUnit);
  }
}

TEST(UnitConversionTest, LadderIgnoresUnitsTenThousandTimesSmaller) {
  std::vector<ConversionEntry> units = kitchenUnits();
  units.push_back({50, 1 / 20000.0f, kTeaspoon, 1, 2});  // a drop
  ConversionList list(std::move(units));
  long unit = kTeaspoon;
  EXPECT_EQ(list.nextSmaller(1, unit), -1);
  EXPECT_EQ(unit, kTeaspoon);
}

}  // namespace
}  // namespace savora::food
