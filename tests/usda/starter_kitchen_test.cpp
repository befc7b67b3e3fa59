// The first start's kitchen, brands filled from USDA foods, and a recipe analysed through them.
#include <gtest/gtest.h>

#include "app/starter_kitchen_offer.h"
#include "food/food_conversion.h"
#include "kitchen_fixture.h"
#include "nutrition/nutrition_facts.h"
#include "recipe/serving_scale.h"
#include "usda/starter_kitchen.h"
#include "usda/usda_brand.h"

namespace savora::usda {
namespace {

TEST_F(KitchenTest, TheStarterKitchenConvertsUsAndMetricUnits) {
  EXPECT_TRUE(kitchenIsEmpty(units, groups, ingredients));
  fillStarterKitchen(units, groups);
  EXPECT_FALSE(kitchenIsEmpty(units, groups, ingredients));

  food::ConversionList list = units.conversionList();
  struct Case {
    float amount;
    const char* from;
    const char* to;
    float expected;
  };
  for (const Case& c : {Case{48, "teaspoon", "cup", 1}, Case{1, "gallon", "cup", 16},
                        Case{1, "cup", "milliliter", 236.6f}, Case{1, "liter", "cup", 4.227f},
                        Case{1, "pound", "gram", 453.6f}, Case{2, "kilogram", "pound", 4.409f},
                        Case{1, "pint", "fluid ounce", 16}}) {
    SCOPED_TRACE(std::string(c.from) + " to " + c.to);
    EXPECT_NEAR(list.convert(c.amount, unit(c.from), unit(c.to)), c.expected, c.expected * 2e-3);
  }
  // Scaled amounts climb the ladder: 48 teaspoons read 1 cup.
  store::RecipeLine line;
  line.unit = unit("teaspoon");
  recipe::presentLineAmount(line, list, 48);
  EXPECT_EQ(line.quantity, "1");
  EXPECT_EQ(line.unit, unit("cup"));

  const auto list2 = groups.groups();
  ASSERT_GE(list2.size(), 10u);
  EXPECT_EQ(list2.front().name, "Produce");
  EXPECT_TRUE(list2.front().perishable);
  EXPECT_FALSE(groups.perishableOf(groups.uidOf("Baking & Spices")));
  EXPECT_TRUE(groups.perishableOf(groups.uidOf("Dairy & Eggs")));
  for (size_t i = 1; i < list2.size(); ++i) EXPECT_LT(list2[i - 1].order, list2[i].order);
}

constexpr const char* kOfferTitle = "Set Up Your Kitchen?";

TEST_F(KitchenTest, TheKitchenIsOfferedOnceAndDecliningChangesNothing) {
  user.answerNextMessage(toolkit::Button::No);
  EXPECT_TRUE(app::offerStarterKitchen(units, groups, ingredients, user));
  EXPECT_TRUE(kitchenIsEmpty(units, groups, ingredients));
  EXPECT_FALSE(app::offerStarterKitchen(units, groups, ingredients, user));
  EXPECT_EQ(user.messages().size(), 1u);
  EXPECT_EQ(user.messages()[0].title, kOfferTitle);
}

TEST_F(KitchenTest, AcceptingTheOfferFillsTheKitchenAndAKitchenInUseIsNotAsked) {
  user.answerNextMessage(toolkit::Button::Yes);
  EXPECT_TRUE(app::offerStarterKitchen(units, groups, ingredients, user));
  EXPECT_TRUE(units.findText("cup", false));
  EXPECT_FALSE(groups.groups().empty());
  EXPECT_TRUE(ingredients.save({"salt", "", false, 0, 0}, 0) > 0);

  // Another settings folder, tables already in use: nothing is asked.
  savora::testing::TempFolder otherConfig;
  ::setenv("XDG_CONFIG_HOME", otherConfig.str().c_str(), 1);
  EXPECT_FALSE(app::offerStarterKitchen(units, groups, ingredients, user));
  EXPECT_EQ(user.messages().size(), 1u);
}

TEST_F(KitchenTest, AUsdaBrandConvertsCupsAndItemsToGramsThroughTheFoodsMeasures) {
  fillStarterKitchen(units, groups);
  const long flour = ingredients.save({"flour", "", false, 0, 0}, 0);
  const food::BrandRecord r = usdaBrand(sourceFood(20081), flour, units, groups);
  EXPECT_EQ(r.name, "USDA SR21 20081: Wheat flour, white, all-purpose, enriched, bleached");
  EXPECT_EQ(r.serving, "100");
  EXPECT_EQ(r.servingUnit, unit("gram"));
  EXPECT_EQ(r.equivalence1, (food::Equivalence{"1", unit("cup"), "125", unit("gram")}));
  EXPECT_EQ(r.group, groups.uidOf("Pasta, Rice & Grains"));
  EXPECT_DOUBLE_EQ(r.nutrients[food::kCalories], 364);

  food::ConversionList list = units.conversionList();
  const food::BrandInfo info =
      food::brandInformation(r, [this](long uid) { return units.type(uid); });
  EXPECT_NEAR(food::convertFood(list, 2, unit("cup"), unit("gram"), info), 250, 0.01);
  EXPECT_NEAR(food::convertFood(list, 1, unit("tablespoon"), unit("gram"), info), 7.81, 0.01);

  // Eggs come in graded sizes: one egg is the middle one, large.
  const food::BrandRecord egg = usdaBrand(sourceFood(1123), 0, units, groups);
  EXPECT_EQ(egg.equivalence2, (food::Equivalence{"1", 0, "50", unit("gram")}));
  const food::BrandInfo eggInfo =
      food::brandInformation(egg, [this](long uid) { return units.type(uid); });
  EXPECT_NEAR(food::convertFood(list, 2, 0, unit("gram"), eggInfo), 100, 0.01);
  // A measure in a unit the list lacks is left out; gram is added when missing.
  EXPECT_EQ(itemMeasure(sourceFood(9003))->description, "medium (3\" dia)");
  EXPECT_EQ(volumeMeasure(sourceFood(11282))->description, "cup, chopped");
}

TEST_F(KitchenTest, GramIsAddedForAUsdaBrandWhenTheListHasNone) {
  const food::BrandRecord r = usdaBrand(sourceFood(1001), 0, units, groups);
  ASSERT_NE(r.servingUnit, 0);
  EXPECT_EQ(units.readRecord(r.servingUnit).name, "gram");
  EXPECT_EQ(r.equivalence1, food::Equivalence{});  // no cup in the list
  EXPECT_EQ(r.group, 0);
}

TEST_F(KitchenTest, ARecipeWhoseFoodsTakeUsdaNutrientsIsAnalysedFromThoseRows) {
  fillStarterKitchen(units, groups);
  const long flour = ingredients.save({"flour", "", false, 0, 0}, 0);
  const long milk = ingredients.save({"milk", "", false, 0, 0}, 0);
  const long egg = ingredients.save({"egg", "eggs", false, 0, 0}, 0);
  const long book = books.add("Family", "", "");
  store::Recipe r;
  r.name = "Batter";
  r.servings = 4;
  r.lines[0] = {"2", unit("cup"), flour};
  r.lines[1] = {"1", unit("cup"), milk};
  r.lines[2] = {"2", 0, egg};
  r.uid = recipes.save(0, chapters.add("Breads", book, "", ""), r, true);

  store::Recipe twice = r;  // the same food again is asked once
  twice.lines[3] = {"1", unit("tablespoon"), flour};
  const auto gaps = nutrientGaps(twice, kitchen);
  ASSERT_EQ(gaps.size(), 3u);
  EXPECT_EQ(gaps[2].name, "egg");
  EXPECT_EQ(gaps[2].line, 2);
  for (const NutrientGap& gap : gaps) {
    const auto found = sourceFoods().search(gap.name, 1);
    ASSERT_EQ(found.size(), 1u);
    giveUsdaNutrients(*found[0], gap.ingredient, kitchen);
  }
  EXPECT_TRUE(nutrientGaps(r, kitchen).empty());

  // By hand from the same rows: 2 cups of flour at 125 g, a cup of milk at 244 g, two eggs at
  // 50 g, kcal per 100 g, for 4 servings.
  const Food& flourRow = *sourceFoods().search("flour", 1)[0];
  EXPECT_EQ(flourRow.measures.at(0), (Measure{1, "cup", 125}));
  const double byHand = (250 * flourRow.value(kEnergy) + 244 * sourceFood(1077).value(kEnergy) +
                         100 * sourceFood(1123).value(kEnergy)) /
                        100 / 4;
  const nutrition::Totals totals = nutrition::analyzeRecipe(tables, user, r);
  EXPECT_NEAR(totals[food::kCalories], byHand, byHand * 0.01);
}

}  // namespace
}  // namespace savora::usda
