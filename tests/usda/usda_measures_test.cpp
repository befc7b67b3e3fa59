// Recipe lines weighed through the USDA measure that fits them, against totals worked out by hand
// from ABBREV.txt (per 100 g) and WEIGHT.txt (grams of a measure).
#include <gtest/gtest.h>

#include "kitchen_fixture.h"
#include "nutrition/nutrition_facts.h"
#include "usda/starter_kitchen.h"
#include "usda/usda_brand.h"

namespace savora::usda {
namespace {

TEST_F(KitchenTest, EachLineIsWeighedByTheMeasureOfItsUnitAndForm) {
  fillStarterKitchen(units, groups);
  struct Case {
    const char* line;
    long food;
    const char* quantity;
    const char* unit;  // empty: counted items
    food::Nutrient nutrient;
    double byHand;
  };
  const Case cases[] = {
      // The fluid cup, 238 g, not "cup, whipped" (120 g): 119 g x 345 kcal / 100 g.
      {"1/2 cup heavy cream", 1053, "1/2", "cup", food::kCalories, 410.55},
      // "1 leek = 89 g", the measure named by the food: 267 g x 61 kcal / 100 g.
      {"3 leeks", 11246, "3", "", food::kCalories, 162.87},
      // "Potato medium (...) = 213 g": 852 g x 77 kcal / 100 g.
      {"4 potato", 11352, "4", "", food::kCalories, 656.04},
      // "1 tsp = 6.0 g", not a 48th of the 292 g cup: 6 g x 38758 mg / 100 g.
      {"1 teaspoon salt", 2047, "1", "teaspoon", food::kSodium, 2325.48},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const long ingredient = ingredients.save({c.line, "", false, 0, 0}, 0);
    giveUsdaNutrients(sourceFood(c.food), ingredient, kitchen);
    store::Recipe r;
    r.servings = 1;
    r.lines[0].quantity = c.quantity;
    r.lines[0].unit = *c.unit ? unit(c.unit) : 0;
    r.lines[0].ingredient = ingredient;
    const nutrition::Totals totals = nutrition::analyzeRecipe(tables, user, r);
    EXPECT_NEAR(totals[c.nutrient], c.byHand, c.byHand * 0.005);
  }
}

TEST(UsdaMeasureTest, ItemsAreCountedBySizeWordsAfterTheFoodsNameAndByItsNoun) {
  EXPECT_EQ(itemMeasure(sourceFood(11352))->grams, 213);  // "Potato medium (...)"
  EXPECT_EQ(itemMeasure(sourceFood(11246))->description, "leek");
  EXPECT_EQ(volumeMeasure(sourceFood(1053))->grams, 238);
  EXPECT_EQ(spoonMeasure(sourceFood(2047), volumeMeasure(sourceFood(2047)))->description, "tsp");
}

TEST(UsdaMeasureTest, AFoodWithoutAWeightForTheLineSaysSoAndOffersItsMeasures) {
  EXPECT_EQ(missingWeightNote(sourceFood(2047), LineMeasure::Items, ""),
            "No USDA weight for one of this food. Its measures: 1 cup = 292 g; 1 tbsp = 18 g; "
            "1 tsp = 6 g; 1 dash = 0.4 g.");
  EXPECT_EQ(missingWeightNote(sourceFood(2047), LineMeasure::Volume, "cup"), "");
  EXPECT_EQ(missingWeightNote(sourceFood(11352), LineMeasure::Items, ""), "");
  EXPECT_EQ(missingWeightNote(sourceFood(11352), LineMeasure::Weight, "gram"), "");
}

}  // namespace
}  // namespace savora::usda
