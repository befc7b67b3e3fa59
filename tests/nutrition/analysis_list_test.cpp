// The analysis of recipes into nutrient totals per serving.
#include <gtest/gtest.h>

#include <cmath>

#include "nutrition/analysis_list.h"
#include "nutrition/nutrition_facts.h"
#include "nutrition_fixture.h"
#include "print/nutrition_label.h"

namespace savora::nutrition {
namespace {

TEST_F(NutritionTest, TotalsArePerServingAndUnreadableQuantitiesCountAsOne) {
  const long rice = food("rice", "1", kCup, 100, 2, 10);
  struct Case {
    const char* quantity;
    long servings;
    float calories;
  };
  for (const Case& c :
       {Case{"2", 4, 50}, Case{"", 1, 100}, Case{"a few", 2, 50}, Case{"1/2", 1, 50}}) {
    SCOPED_TRACE(c.quantity);
    const long uid = saveRecipe("Rice", c.servings, {line(c.quantity, kCup, rice)});
    const Totals totals = analyzeRecipe(tables, user, loaded(uid));
    EXPECT_FLOAT_EQ(totals[food::kCalories], c.calories);
    EXPECT_FLOAT_EQ(totals[food::kTotalFat], c.calories / 50);
  }
}

TEST_F(NutritionTest, LinesOfOneFoodMergeInTheFirstLinesUnit) {
  const long rice = food("rice", "1", kCup, 160);
  const long uid = saveRecipe("Rice", 1, {line("1", kCup, rice), line("2", kTablespoon, rice)});
  AnalysisList list(tables, user);
  list.addRecipeLines(loaded(uid));
  list.completeItemsAndTotal();
  ASSERT_EQ(list.items().size(), 1u);
  EXPECT_FLOAT_EQ(list.items()[0].lineAmount, 1.125f);
  EXPECT_EQ(list.items()[0].lineUnit, kCup);
  EXPECT_FLOAT_EQ(list.totals()[food::kCalories], 180);
  EXPECT_EQ(list.analyzedCount(), 1);
}

TEST_F(NutritionTest, ALineThatDidNotConvertNeverSwallowsOneThatDid) {
  const long rice = food("rice", "1", kCup, 100);
  // Ounces of a food measured in cups, without an equivalence, do not convert.
  const long uid = saveRecipe("Rice", 1, {line("2", kOunce, rice), line("1", kCup, rice)});
  AnalysisList list(tables, user);
  list.addRecipeLines(loaded(uid));
  list.completeItemsAndTotal();
  EXPECT_EQ(list.items().size(), 2u);
  EXPECT_FLOAT_EQ(list.totals()[food::kCalories], 100);
}

TEST_F(NutritionTest, AWeighedServingTakesCupsOnlyThroughAnEquivalence) {
  // 1 cup of sugar weighs 7 ounces; a serving is 1 ounce of 110 calories.
  const long sugar = food("sugar", "1", kOunce, 110, 0, 0, {"1", kCup, "7", kOunce});
  const long salt = food("salt", "1", kOunce, 0, 0, 100);
  const long uid = saveRecipe("Sweet", 1, {line("1", kCup, sugar), line("1", kCup, salt)});
  AnalysisList list(tables, user);
  list.addRecipeLines(loaded(uid));
  list.completeItemsAndTotal();
  EXPECT_FLOAT_EQ(list.totals()[food::kCalories], 770);
  EXPECT_FLOAT_EQ(list.totals()[food::kSodium], 0);
  EXPECT_EQ(list.analyzedCount(), 1);
  ASSERT_EQ(list.items().size(), 2u);
}

TEST_F(NutritionTest, ABrandLineAndAFoodWithoutBrandAreHandled) {
  const long rice = food("rice", "1", kCup, 100);
  const long plain = ingredients.save({"water", "", false, 0, 0}, 0);
  const long uid = saveRecipe(
      "Mixed", 2, {line("3", kCup, brandOf[rice] + store::kBrandCodeBase), line("1", kCup, plain)});
  AnalysisList list(tables, user);
  list.addRecipeLines(loaded(uid));
  list.completeItemsAndTotal();
  EXPECT_FLOAT_EQ(list.totals()[food::kCalories], 150);
  EXPECT_EQ(list.items().size(), 2u);
  EXPECT_EQ(list.analyzedCount(), 1);
}

TEST_F(NutritionTest, AUsedRecipeAddsItsLinesInFullDividedByTheOuterServings) {
  const long rice = food("rice", "1", kCup, 100);
  const long inner = saveRecipe("Rice Base", 2, {line("2", kCup, rice)});
  const long outer =
      saveRecipe("Pilaf", 4, {line("3", 0, inner + store::kRecipeCodeBase), line("2", kCup, rice)});
  EXPECT_FLOAT_EQ(analyzeRecipe(tables, user, loaded(outer))[food::kCalories], 100);
  bool analyzingShown = false;
  for (const auto& s : user.statusHistory()) analyzingShown |= s.text == "Analyzing Rice Base";
  EXPECT_TRUE(analyzingShown);
  EXPECT_FALSE(user.statusShown());
}

TEST_F(NutritionTest, RecipesThatUseThemselvesEndAndCountEachLineOnce) {
  const long rice = food("rice", "1", kCup, 100);
  const long a = saveRecipe("A", 1, {});
  const long b =
      saveRecipe("B", 1, {line("1", 0, a + store::kRecipeCodeBase), line("1", kCup, rice)});
  saveRecipe("A", 1,
             {line("1", 0, a + store::kRecipeCodeBase), line("1", 0, b + store::kRecipeCodeBase),
              line("1", kCup, rice)},
             a);
  EXPECT_FLOAT_EQ(analyzeRecipe(tables, user, loaded(a))[food::kCalories], 200);
}

TEST_F(NutritionTest, TheLabelNamesTheIngredientsItCouldNotCount) {
  const long rice = food("rice", "1", kCup, 100);
  const long leek = ingredients.save({"leek", "leeks", false, 0, 0}, 0);  // no brand
  const long stock = food("chicken stock", "1", kOunce, 5);  // no cup-to-ounce equivalence
  const long uid = saveRecipe(
      "Soup", 2,
      {line("1", kCup, rice), line("3", 0, leek), line("2", kCup, stock), line("1", kCup, rice)});
  const NutritionFacts facts = analyzeRecipeFacts(tables, user, loaded(uid));
  EXPECT_FLOAT_EQ(facts.totals[food::kCalories], 100);
  EXPECT_EQ(notCountedText(facts), "2 of 3 ingredients not counted: leeks, chicken stock");
  EXPECT_TRUE(print::nutritionLabelText(facts).ends_with(
      "calorie diet.\n2 of 3 ingredients not counted: leeks, chicken stock"));
  EXPECT_EQ(notCountedText(NutritionFacts(facts.totals)), "");
}

TEST_F(NutritionTest, ZeroServingsCountAsOne) {
  const long rice = food("rice", "1", kCup, 100, 4);
  const long uid = saveRecipe("Rice", 0, {line("2", kCup, rice)});
  const Totals totals = analyzeRecipe(tables, user, loaded(uid));
  for (float value : totals) EXPECT_TRUE(std::isfinite(value));
  EXPECT_FLOAT_EQ(totals[food::kCalories], 200);
}

TEST_F(NutritionTest, AShoppingListScalesToItsServingsAndDividesPerPersonAndDay) {
  const long rice = food("rice", "1", kCup, 100);
  const long uid = saveRecipe("Rice", 2, {line("2", kCup, rice)});
  AnalysisModes modes;
  modes.mode = AnalysisModes::Mode::ShoppingList;
  modes.servingsSetting = 4;
  modes.adjustServings = true;
  modes.divideNutrients = true;
  modes.dayDivisor = 2;
  AnalysisList list(tables, user, modes);
  list.addRecipeLines(loaded(uid), true);
  list.completeItemsAndTotal();
  // 4 cups for 4 people: 400 calories, 100 a person, 50 a day.
  EXPECT_FLOAT_EQ(list.items()[0].lineAmount, 4);
  EXPECT_FLOAT_EQ(list.totals()[food::kCalories], 50);
}

}  // namespace
}  // namespace savora::nutrition
