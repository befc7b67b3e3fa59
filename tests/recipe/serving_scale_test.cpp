#include <gtest/gtest.h>

#include "../food/kitchen_units.h"
#include "kitchen.h"
#include "recipe/serving_scale.h"
#include "scripted_user.h"

namespace savora::recipe {
namespace {

using namespace savora::food::testing;
using savora::testing::recipeLine;
using savora::testing::ScriptedUser;

class ServingScaleTest : public ::testing::Test {
 protected:
  void scale(long before, long now) { scaleQuantities(recipe, units, before, now, user); }
  store::RecipeLine& line(int index) { return recipe.lines[size_t(index)]; }

  ScriptedUser user;
  food::ConversionList units{kitchenUnits()};
  store::Recipe recipe;
};

TEST_F(ServingScaleTest, FourServingsOfOneAndAHalfCupsScaledToSix) {
  line(0) = recipeLine("1 1/2", kCup, 7);
  scale(4, 6);
  EXPECT_DOUBLE_EQ(line(0).quantityValue, 2.25);
  EXPECT_EQ(line(0).quantity, "2 1/4");
  EXPECT_EQ(line(0).shownQuantity, "2 1/4");
  EXPECT_EQ(line(0).unit, kCup);
  EXPECT_EQ(line(0).ingredient, 7);
  ASSERT_EQ(user.statusHistory().size(), 1u);
  EXPECT_EQ(user.statusHistory()[0].title, "Adjusting Serving Sizes");
  EXPECT_FALSE(user.statusShown());
  EXPECT_EQ(user.waitDepth(), 0);
}

TEST_F(ServingScaleTest, FractionCharactersScaleAsTheFractionsTheyShow) {
  line(0) = recipeLine("1\xBD", kCup, 7);
  line(1) = recipeLine("\xBE", kCup, 8);
  scale(4, 6);
  EXPECT_EQ(line(0).quantity, "2 1/4");
  EXPECT_DOUBLE_EQ(line(1).quantityValue, 1.125);
}

TEST_F(ServingScaleTest, EqualServingsAndLinesWithoutAnAmountStayAsTheyAre) {
  line(0) = recipeLine("1.5", kCup, 7);
  line(1) = recipeLine("", kPinch, 3);
  line(1).info1 = "a little";
  line(2) = recipeLine("salt to taste", 0, 4);
  line(3) = recipeLine("0", kTeaspoon, 5);
  const store::Recipe before = recipe;

  scale(4, 4);
  EXPECT_EQ(recipe, before);
  EXPECT_TRUE(user.statusHistory().empty());
  // A recipe without servings showed as serving 1: setting 1 is no change either.
  scale(0, 1);
  EXPECT_EQ(recipe, before);

  scale(4, 8);
  EXPECT_EQ(line(0).quantity, "3");
  EXPECT_EQ(line(0).unit, kCup);
  for (int i = 1; i < store::kRecipeLines; ++i) EXPECT_EQ(line(i), before.lines[size_t(i)]) << i;
}

// The presentation may move an amount to another unit; the value must follow it, or saving
// would write the teaspoon count under the cup.
TEST_F(ServingScaleTest, ValueFollowsTheUnitTheAmountMovesTo) {
  line(0) = recipeLine("12", kTeaspoon, 1);
  line(1) = recipeLine("2", kCup, 2);
  scale(1, 4);
  EXPECT_EQ(line(0).unit, kCup);
  EXPECT_EQ(line(0).quantity, "1");
  EXPECT_FLOAT_EQ(float(line(0).quantityValue), 1.0f);
  EXPECT_EQ(line(1).unit, kCup);
  EXPECT_EQ(line(1).quantity, "8");
  EXPECT_FLOAT_EQ(float(line(1).quantityValue), 8.0f);
}

// Never nothing, within 5% of the exact amount or naming it, units off the ladder (grams, a
// pinch) kept, no quarts for what was measured in cups, ranges scaled at both ends.
TEST_F(ServingScaleTest, ScaledAmountsReadAsACookWritesThem) {
  struct Case {
    const char* typed;
    long unit;
    long before;
    long after;
    const char* written;
    long writtenUnit;
    double value;  // 0: the text is the amount (a range)
  };
  const Case cases[] = {
      {"1/4", kTeaspoon, 4, 1, "1/16", kTeaspoon, 0.0625},
      {"1/8", kTeaspoon, 4, 1, "1/16", kTeaspoon, 0.03125},  // the least a cook can measure
      {"1", kPinch, 4, 1, "1/4", kPinch, 0.25},
      {"1", kDozen, 4, 1, "1/4", kDozen, 0.25},
      {"250", kGram, 4, 6, "375", kGram, 375},
      {"1", kLiter, 4, 6, "1.5", kLiter, 1.5},
      {"0.2-0.25", kLiter, 4, 6, "0.3-0.375", kLiter, 0},
      {"1", kTeaspoon, 4, 16, "1 1/3", kTablespoon, 4.0 / 3},
      {"5", kTablespoon, 4, 1, "1 1/4", kTablespoon, 1.25},
      {"1 1/3", kCup, 4, 1, "1/3", kCup, 1.0 / 3},
      {"1 1/4", kCup, 4, 6, "1 7/8", kCup, 1.875},
      {"18", kTeaspoon, 1, 3, "1 1/8", kCup, 1.125},
      {"12", kCup, 1, 2, "24", kCup, 24},
      {"1", 0, 2, 3, "1 1/2", 0, 1.5},
      {"2-3", kTablespoon, 4, 6, "3-4 1/2", kTablespoon, 0},
      {"2 to 3", kCup, 2, 1, "1 to 1 1/2", kCup, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.typed) + " scaled " + std::to_string(c.before) + " to " +
                 std::to_string(c.after));
    recipe = {};
    line(0) = recipeLine(c.typed, c.unit, 1);
    scale(c.before, c.after);
    EXPECT_EQ(line(0).quantity, c.written);
    EXPECT_EQ(line(0).unit, c.writtenUnit);
    EXPECT_FLOAT_EQ(float(line(0).quantityValue), float(c.value));
  }
}

// No servings given: the window showed 1, so the amounts are multiplied by the new servings
// instead of being divided by zero.
TEST_F(ServingScaleTest, RecipeWithoutServingsCountsAsOne) {
  line(0) = recipeLine("2", 0, 1);
  scale(0, 3);
  EXPECT_EQ(line(0).quantity, "6");
  EXPECT_DOUBLE_EQ(line(0).quantityValue, 6.0);
  scale(-2, 0);  // fewer than one serving is never scaled to
  EXPECT_EQ(line(0).quantity, "6");
}

TEST_F(ServingScaleTest, ScaledFractionKeepsItsPreciseValueUntilRetyped) {
  line(0) = recipeLine("1/3", 0, 1);
  line(1) = recipeLine("1/3", 0, 2);
  scale(4, 5);
  // 5/12 reads as the nearest sixteenth, but the line keeps the amount itself.
  EXPECT_EQ(line(0).quantity, "7/16");
  EXPECT_FLOAT_EQ(float(line(0).quantityValue), float(5.0 / 12.0));
  EXPECT_DOUBLE_EQ(lineAmount(line(0)), line(0).quantityValue);

  line(1).quantity = "7/16";  // typed over by the user: the text is the amount again
  line(1).shownQuantity = "7/16 ";
  scale(5, 4);
  EXPECT_FLOAT_EQ(float(line(0).quantityValue), float(1.0 / 3.0));
  EXPECT_EQ(line(0).quantity, "1/3");
  EXPECT_FLOAT_EQ(float(line(1).quantityValue), 0.35f);
}

TEST_F(ServingScaleTest, ServingsTexts) {
  EXPECT_EQ(servingsLabel(6), "Makes 6 servings");
  EXPECT_EQ(servingsTextLine(12), "Makes 12 servings\r\n");
  EXPECT_EQ(servingsTextLine(1), "");
  EXPECT_EQ(servingsTextLine(0), "");
}

}  // namespace
}  // namespace savora::recipe
