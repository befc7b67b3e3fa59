#include "food/quantity.h"

#include <gtest/gtest.h>

#include <string>

#include "food/unit_conversion.h"
#include "kitchen_units.h"

namespace savora::food {
namespace {

using namespace savora::food::testing;

TEST(QuantityTest, ParsesQuantityText) {
  struct Case {
    std::string text;
    double expected;
  };
  const Case cases[] = {
      {"1 1/2", 1.5},
      {"1-1/2", 1.5},
      {"  1 1/2\t ", 1.5},
      {"1  1 / 2", 1.5},
      {"3/4", 0.75},
      {".75", 0.75},
      {"2.5", 2.5},
      {"1 .5", 1.5},  // a blank beside the point is a slip
      {"1. 5", 1.5},
      {"1 2", -1},  // two numbers are not one amount
      {"1 2.5", -1},
      {"12", 12},
      {"", 0},
      {"   ", -1},  // not empty, and nothing is left once trimmed
      {"1/0", -1},
      {"1 1/0", -1},
      {"1.2.3", -1},
      {"1/2/3", -1},
      {"1/2.5", -1},
      {"1.5/2", -1},
      {"1 1/2 3", -1},
      {"2-3", 2},
      {"1/2-1", 0.5},
      {"1/2-1/4", 0.5},  // a smaller right side keeps the dash: read as a mixed number
      {"1/2-x", -1},
      {"1\t1/2", -1},  // a tab inside is not a blank
      {"2 to 3", 2},
      {"2 or 3", 2},
      {"2to3", -1},  // the character before the word goes too
      {"to 3", -1},
      {"or 3", -1},
      {"3-2", -1},  // descending: read as a mixed number, which fails
      {"2-", -1},
      {"-3", -1},
      {"eggs", -1},
      {"1 egg", -1},
      // The fraction characters of Windows-1252.
      {"\xBD", 0.5},
      {"1\xBD", 1.5},
      {"1 \xBC", 1.25},
      {"\xBE", 0.75},
      {"1\xBD-2", 1.5},
      {std::string(30, ' ') + "5", 5},
      {std::string(31, ' ') + "5", -1},  // only 31 characters are read
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("\"" + c.text + "\"");
    EXPECT_DOUBLE_EQ(parseQuantity(c.text), c.expected);
  }
}

TEST(QuantityTest, TellsPluralQuantities) {
  struct Case {
    const char* text;
    bool plural;
  };
  const Case cases[] = {
      {"2", true},
      {"1", false},
      {"1/2", false},
      {"", false},
      {"1-1/2", true},
      {"2-3", true},
      {"1 to 2", true},
      {"1 or 2", true},
      {"1/2-2", true},
      {"1/2-1", false},
      {"1 to 1", false},
      {"eggs", false},
      {"1.01", true},
      // The first range word or dash decides; later ones are not looked at.
      {"1 to 1 or 2", false},
      {"1/2-1 to 3", false},
      {"1/2 or 2-3", true},
      {"1\xBC", true},
      {"\xBE", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(isPluralQuantity(c.text), c.plural);
  }
}

TEST(QuantityTest, WritesNearestKitchenFraction) {
  struct Case {
    double amount;
    long limit;
    const char* expected;
  };
  const Case cases[] = {
      {0.2, 16, "3/16"},
      {0.2, 8, "1/4"},  // 2/8 ties with 1/4: the smaller denominator stays
      {0.2, 5, "1/5"},  // fifths only when they are the limit
      {0.2, 6, "1/6"},  // ... so with a limit of 6 they are skipped
      {0.33, 2, "1/2"},
      {0.33, 3, "1/3"},
      {0.33, 16, "1/3"},
      {0.97, 4, "1"},  // rounds up to the next whole number
      {2.9, 2, "3"},
      {0.01, 2, ""},  // rounds to nothing
      {0, 16, ""},
      {2.5, 4, "2 1/2"},
      {3, 16, "3"},
      {1.2, 1, "1"},  // a limit below 2: the nearest whole number
      {1.9, 1, "2"},
      {0.75, 1, "1"},  // ... rounded, not cut off
      {1.2, 0, "1"},
      {0.5, 99999, "1/2"},  // a huge smallest measure still answers
      // Exact ties are ties despite the rounding of k/d, and results are reduced.
      {0.4695, 12, "1/2"},
      {0.754, 32, "3/4"},
      {0.6, 20, "3/5"},
      {1.75, 64, "1 3/4"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.amount << " limit " << c.limit);
    EXPECT_EQ(writeQuantity(c.amount, c.limit), c.expected);
  }
  for (long limit = 3; limit <= 50; ++limit) {
    SCOPED_TRACE(::testing::Message() << "0.33 limit " << limit);
    EXPECT_EQ(writeQuantity(0.33, limit), "1/3");
  }
}

TEST(QuantityTest, PresentsAmountsInTheUnitThatReadsBest) {
  struct Case {
    const char* what;
    double amount;
    long unit;
    const char* text;
    long shownUnit;
  };
  const Case cases[] = {
      {"48 teaspoons are a cup", 48, kTeaspoon, "1", kCup},
      {"16 cups stay cups: dry goods are not shown by the gallon", 16, kCup, "16", kCup},
      {"4 quarts are a gallon", 4, kQuart, "1", kGallon},
      {"2 tablespoons stay (1/8 cup is below a quarter)", 2, kTablespoon, "2", kTablespoon},
      {"6 tablespoons stay (3/8 cup is not a clean quarter)", 6, kTablespoon, "6", kTablespoon},
      {"8 tablespoons are half a cup", 8, kTablespoon, "1/2", kCup},
      {"4 tablespoons are a quarter cup", 4, kTablespoon, "1/4", kCup},
      {"a quarter cup stays", 0.25, kCup, "1/4", kCup},
      {"1 1/2 teaspoons stay", 1.5, kTeaspoon, "1 1/2", kTeaspoon},
      {"32 ounces are 2 pounds", 32, kOunce, "2", kPound},
      {"a pint is off the ladder and stays", 1.5, kPint, "1 1/2", kPint},
      {"grams stay grams", 375, kGram, "375", kGram},
      {"no unit: sixteenths", 2.2, 0, "2 3/16", 0},
      {"unit outside the list: sixteenths", 0.2, 77, "3/16", 77},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ConversionList list(kitchenUnits());
    double amount = c.amount;
    long unit = c.unit;
    EXPECT_EQ(presentQuantity(list, amount, unit), c.text);
    EXPECT_EQ(unit, c.shownUnit);
  }
}

TEST(QuantityTest, PresentationEndsOnContradictingDefinitions) {
  // Each unit is half the other, so each is "the next larger" of the other without end.
  ConversionList list({{1, 2, 2, 1, 4}, {2, 2, 1, 1, 4}});
  double amount = 3;
  long unit = 1;
  presentQuantity(list, amount, unit);
  EXPECT_TRUE(unit == 1 || unit == 2);
}

}  // namespace
}  // namespace savora::food
