#include "food/food_conversion.h"

#include <gtest/gtest.h>

#include "food/brand.h"
#include "kitchen.h"
#include "kitchen_units.h"

namespace savora::food {
namespace {

using namespace savora::food::testing;

class FoodConversionTest : public ::testing::Test {
 protected:
  BrandInfo info(const BrandRecord& record) {
    return brandInformation(record, [this](long uid) { return units.typeOf(uid); });
  }
  // A product sold by weight whose serving is a volume: 16 ounces holding 2 servings of 1 cup.
  static BrandRecord flour() {
    BrandRecord r = savora::testing::brandRecord("Mill Flour", 0, "16", kOunce, "1", kCup, 2);
    r.uid = 1;
    return r;
  }
  // Counted servings: 12 items of one in a 24-ounce package.
  static BrandRecord eggs() {
    BrandRecord r = savora::testing::brandRecord("Farm Eggs", 0, "24", kOunce, "1", 0, 12);
    r.uid = 2;
    return r;
  }

  ConversionList units{kitchenUnits()};
};

TEST_F(FoodConversionTest, PackageMeasuredOneWayAndServedTheOtherLinksVolumeAndWeight) {
  const BrandInfo b = info(flour());
  EXPECT_EQ(b.packagePair.volume, "    2.0");
  EXPECT_EQ(b.packagePair.volumeUnit, kCup);
  EXPECT_EQ(b.packagePair.weight, " 16.00");
  EXPECT_EQ(b.packagePair.weightUnit, kOunce);
  EXPECT_FLOAT_EQ(convertFood(units, 1, kCup, kOunce, b), 8);
  EXPECT_FLOAT_EQ(convertFood(units, 1, kPound, kCup, b), 2);
  // Through the unit graph on both sides: 3 tablespoons are 3/16 cup = 1.5 ounces.
  EXPECT_FLOAT_EQ(convertFood(units, 3, kTablespoon, kOunce, b), 1.5f);

  // Sold by volume, served by weight: the sides swap.
  BrandRecord milk = flour();
  milk.packageUnit = kQuart;
  milk.packageSize = "1";
  milk.serving = "240";
  milk.servingUnit = kGram;
  milk.servingsInPackage = 4;
  const BrandInfo m = info(milk);
  EXPECT_EQ(m.packagePair.volume, "  1.00");
  EXPECT_EQ(m.packagePair.weight, "  960.0");
  EXPECT_FLOAT_EQ(convertFood(units, 1, kCup, kGram, m), 240);
}

TEST_F(FoodConversionTest, CountedServingsGiveTheMeasureOfOneItem) {
  const BrandInfo b = info(eggs());
  EXPECT_TRUE(b.packagePair.volume.empty());
  EXPECT_DOUBLE_EQ(b.weightPerItem.amount, 2);
  EXPECT_EQ(b.weightPerItem.unit, kOunce);
  EXPECT_FLOAT_EQ(convertFood(units, 3, 0, kOunce, b), 6);
  EXPECT_FLOAT_EQ(convertFood(units, 1, kPound, 0, b), 8);
  // No volume per item and no count factor: cups of eggs cannot be counted.
  EXPECT_FLOAT_EQ(convertFood(units, 1, kCup, 0, b), -1);
  // A counting unit counts without the brand.
  EXPECT_FLOAT_EQ(convertFood(units, 24, 0, kDozen, BrandInfo{}), 2);
  EXPECT_FLOAT_EQ(convertFood(units, 2, kDozen, 0, BrandInfo{}), 24);
  // Items to items are items, whatever the package holds.
  EXPECT_FLOAT_EQ(convertFood(units, 3, 0, 0, b), 3);
}

TEST_F(FoodConversionTest, EquivalencesOverrideThePackageAndUnreadableOnesAreIgnored) {
  BrandRecord r = eggs();
  r.equivalence1 = {"1", 0, "50", kGram};  // one egg weighs 50 grams
  r.equivalence2 = {"1", kCup, "5", 0};    // a cup holds five eggs
  BrandInfo b = info(r);
  EXPECT_DOUBLE_EQ(b.weightPerItem.amount, 50);
  EXPECT_EQ(b.weightPerItem.unit, kGram);
  EXPECT_DOUBLE_EQ(b.volumePerItem.amount, 0.2);
  EXPECT_FLOAT_EQ(convertFood(units, 2, 0, kGram, b), 100);
  EXPECT_FLOAT_EQ(convertFood(units, 1, kCup, 0, b), 5);

  r.equivalence1 = {"lots", 0, "50", kGram};
  b = info(r);
  EXPECT_DOUBLE_EQ(b.weightPerItem.amount, 2);  // back to the package's measure
  EXPECT_EQ(b.weightPerItem.unit, kOunce);
}

TEST_F(FoodConversionTest, CrossingTriesThePairsInOrderAndSameKindNeverUsesTheBrand) {
  BrandRecord r;
  r.name = "Sugar";
  r.equivalence1 = {"1", kPint, "", kGram};  // incomplete: skipped
  r.equivalence2 = {"1", kCup, "200", kGram};
  const BrandInfo b = info(r);
  EXPECT_FLOAT_EQ(convertFood(units, 2, kCup, kGram, b), 400);
  EXPECT_FLOAT_EQ(convertFood(units, 100, kGram, kTablespoon, b), 8);
  EXPECT_FLOAT_EQ(convertFood(units, 1, kCup, kTablespoon, b), 16);
  EXPECT_FLOAT_EQ(convertFood(units, 1, kPound, kOunce, BrandInfo{}), 16);
  // Nothing links volume and weight without a brand, nor a unit the list does not hold.
  EXPECT_FLOAT_EQ(convertFood(units, 1, kCup, kGram, BrandInfo{}), -1);
  EXPECT_FLOAT_EQ(convertFood(units, 1, 99, kGram, b), -1);

  // A pair with its units but amounts that cannot be read is passed over too.
  r.equivalence1 = {"1 cup", kCup, "120 g", kGram};
  EXPECT_FLOAT_EQ(convertFood(units, 2, kCup, kGram, info(r)), 400);
}

TEST_F(FoodConversionTest, PriceOfAnAmountInThePackageUnit) {
  BrandRecord r = flour();
  r.price = 3.20;
  EXPECT_NEAR(priceOfAmount(info(r), 8), 1.60, 1e-5);
  r.packageSize = "";
  EXPECT_NEAR(priceOfAmount(info(r), 2), 6.40, 1e-5);
}

TEST_F(FoodConversionTest, RecordsDifferInStoredValuesButNotInIngredientOrMedia) {
  BrandRecord a = flour();
  BrandRecord b = a;
  b.ingredient = 7;
  b.media = "flour.bmp";
  EXPECT_FALSE(brandRecordsDiffer(a, b));
  b.nutrients[kSodium] = 1;
  EXPECT_TRUE(brandRecordsDiffer(a, b));
  b = a;
  b.equivalence2.weightUnit = kGram;
  EXPECT_TRUE(brandRecordsDiffer(a, b));
}

}  // namespace
}  // namespace savora::food
