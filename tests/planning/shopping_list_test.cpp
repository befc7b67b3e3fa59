// The shopping list built from a recipe, a menu and a plan: package rounding and prices, the
// food-group order, row texts, the total cost with Have It, own items and the text export.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "../nutrition/nutrition_fixture.h"
#include "planning/shopping_list.h"
#include "planning/week_table.h"

namespace savora::planning {
namespace {

class ShoppingListTest : public nutrition::NutritionTest {
 protected:
  void SetUp() override {
    NutritionTest::SetUp();
    weeks.open();
  }

  // A food sold in packages of `package` `unit` at `price`, in a food group; a serving is one
  // unit of 100 calories.
  long sold(const char* name, const char* package, long unit, double price, long group = 0,
            bool divisible = false) {
    food::BrandRecord r =
        savora::testing::brandRecord(std::string(name) + " brand", 0, package, unit, "1", unit, 1);
    r.price = price;
    r.divisible = divisible;
    r.group = group;
    r.nutrients[food::kCalories] = 100;
    return addPreferred(name, r);
  }

  ShoppingList& fromRecipe(std::initializer_list<store::RecipeLine> lines, long servings = 1) {
    ShoppingSource source;
    source.recipe = loaded(saveRecipe("Dish", servings, lines));
    list.build(source);
    return list;
  }

  // The rows that stand for items.
  std::vector<ShoppingRow> itemRows() const {
    std::vector<ShoppingRow> rows;
    for (const auto& row : list.rows())
      if (row.item >= 0) rows.push_back(row);
    return rows;
  }

  WeekTable weeks{store};
  ShoppingList list{{tables, groups, &weeks}, user, {}};
};

TEST(ShoppingNumbers, AmountsAndNutrientsAreWrittenByTheirSize) {
  struct Case {
    double value;
    const char* number;
    const char* nutrient;
  };
  for (const Case& c : {Case{0, "", ""}, Case{0.25, ".25", "0.25"}, Case{0.005, ".005", ""},
                        Case{2.0, "2", "2.00"}, Case{1.55, "1.6", "1.55"}, Case{7.25, "7", "7.2"},
                        Case{20.5, "20", "20"}, Case{123456789, "123456789", "123456789"}}) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(shoppingNumber(c.value), c.number);
    EXPECT_EQ(nutrientText(c.value, true), c.nutrient);
  }
  EXPECT_EQ(nutrientText(50, false), "*");
}

TEST_F(ShoppingListTest, BagsAreBoughtWholeUnlessTheBrandIsDivisible) {
  struct Case {
    const char* pounds;
    bool divisible;
    const char* price;
  };
  for (const Case& c :
       {Case{"7", false, "$6.00"}, Case{"10", false, "$6.00"}, Case{"10.05", false, "$6.00"},
        Case{"3", false, "$3.00"}, Case{"10.2", false, "$9.00"}, Case{"7", true, "$4.20"}}) {
    SCOPED_TRACE(std::string(c.pounds) + (c.divisible ? " divisible" : ""));
    const std::string name = std::string("flour ") + c.pounds + (c.divisible ? " d" : "");
    const long flour5 = sold(name.c_str(), "5", kPound, 3.00, 0, c.divisible);
    fromRecipe({line(c.pounds, kPound, flour5)});
    ASSERT_EQ(itemRows().size(), 1u);
    EXPECT_EQ(itemRows()[0].price, c.price);
    EXPECT_EQ(list.costText(), std::string("Total Cost: ") + c.price);
  }
}

TEST_F(ShoppingListTest, AnAmountThatDidNotConvertIsNeverPricedAsOnePackage) {
  const long rice = sold("rice", "1", kCup, 2.50);
  // Ounces of a food measured in cups, without an equivalence, do not convert.
  fromRecipe({line("2", kOunce, rice)});
  ASSERT_EQ(itemRows().size(), 1u);
  EXPECT_EQ(itemRows()[0].price, "$?.??");
  EXPECT_EQ(itemRows()[0].amount, "2 ounces");
  EXPECT_EQ(list.totalCost(), 0);
  list.setHaveIt(0, true);
  EXPECT_EQ(list.totalCost(), 0);
}

TEST_F(ShoppingListTest, OneFlourFromTwoRecipesOfAMenuIsOneRowInCups) {
  const long cupFlour = sold("pastry flour", "1", kCup, 1.00);
  ShoppingSource source;
  source.kind = ShoppingSourceKind::Menu;
  source.days[0] = {saveRecipe("Bread", 1, {line("1", kCup, cupFlour)})};
  source.days[3] = {saveRecipe("Roux", 1, {line("4", kTablespoon, cupFlour)})};
  list.build(source);
  ASSERT_EQ(itemRows().size(), 1u);
  EXPECT_EQ(itemRows()[0].amount, "1 1/4 cups");
  EXPECT_EQ(itemRows()[0].name, "pastry flour");
  EXPECT_EQ(itemRows()[0].price, "$2.00");
  // Seven days in the menu: 125 calories a day.
  EXPECT_NEAR(list.totals()[food::kCalories], 125.0f / 7, 0.01);
}

TEST_F(ShoppingListTest, ItemsGoGroupByGroupAndAnEmptyAmountToThePantry) {
  const long dairy = groups.add("Dairy", true);
  const long produce = groups.add("Produce", true);
  const long milk = sold("milk", "1", kCup, 1, dairy);
  const long apple = sold("apple", "1", kCup, 1, produce);
  const long butter = sold("butter", "1", kCup, 1, dairy);
  const long loose = ingredients.save({"water", "", false, 0, 0}, 0);
  const long salt = sold("salt", "1", kCup, 1, dairy);
  fromRecipe({line("1", kCup, apple), line("1", kCup, milk), line("1", kCup, loose),
              line("1", kCup, butter), line("0", kCup, salt)});
  std::vector<std::string> order;
  for (const auto& row : itemRows()) order.push_back(row.name + "@" + row.storeLocation);
  // A food without brand information has no group order and comes first; "salt" has no amount:
  // with no "Pantry Items" group it is not categorized, and it keeps its place.
  EXPECT_EQ(order, (std::vector<std::string>{"water@Not Categorized", "milk@Dairy", "butter@Dairy",
                                             "salt@Not Categorized", "apple@Produce"}));
  EXPECT_EQ(itemRows()[3].price, "");
  EXPECT_EQ(list.accuracyText(), "Accuracy: 60%        *unable to compute");
  EXPECT_EQ(itemRows()[0].nutrients[0], "*");
  EXPECT_EQ(list.rows().back().amount, kNewItemText);

  groups.add("Pantry Items", false);
  fromRecipe({line("0", kCup, salt)});
  EXPECT_EQ(itemRows()[0].storeLocation, "Pantry Items");
}

TEST_F(ShoppingListTest, APlanBuysPerishablesForItsFirstMenuOnly) {
  const long dairy = groups.add("Dairy", true);
  const long dry = groups.add("Dry Goods", false);
  const long milk = sold("milk", "1", kCup, 1, dairy);
  const long rice = sold("rice", "1", kCup, 1, dry);
  const long first = weeks.create("First");
  weeks.addEntry(first, 0, saveRecipe("Pudding", 1, {line("1", kCup, milk)}));
  const long second = weeks.create("Second");
  weeks.addEntry(second, 2,
                 saveRecipe("Rice Milk", 1, {line("3", kCup, milk), line("1", kCup, rice)}));
  ShoppingSettings settings;
  settings.excludePerishables = true;
  list.setSettings(settings);
  ShoppingSource source;
  source.kind = ShoppingSourceKind::Plan;
  source.months[0] = {first};
  source.months[5] = {second};
  list.build(source);
  std::vector<std::string> rows;
  for (const auto& row : itemRows()) rows.push_back(row.name + " " + row.amount);
  EXPECT_EQ(rows, (std::vector<std::string>{"milk 1 cup", "rice 1 cup"}));
}

TEST_F(ShoppingListTest, AMenuWithOnlyPerishablesSkipsTheRestButKeepsUnbrandedLines) {
  const long dairy = groups.add("Dairy", true);
  const long milk = sold("milk", "1", kCup, 1, dairy);
  const long rice = sold("rice", "1", kCup, 1);
  const long loose = ingredients.save({"water", "", false, 0, 0}, 0);
  ShoppingSettings settings;
  settings.onlyPerishables = true;
  list.setSettings(settings);
  ShoppingSource source;
  source.kind = ShoppingSourceKind::Menu;
  source.days[1] = {
      saveRecipe("Mix", 1, {line("1", kCup, milk), line("1", kCup, rice), line("1", kCup, loose)})};
  list.build(source);
  ASSERT_EQ(itemRows().size(), 2u);
  EXPECT_EQ(itemRows()[0].name, "water");
  EXPECT_EQ(itemRows()[1].name, "milk");
}

// One figure per serving: the recipe's own servings unless the list adjusts the recipe to its
// people; a menu's panel is per person per day and says so.
TEST_F(ShoppingListTest, NutrientsArePerServingOfTheRecipeUnlessAdjustedAndSaySo) {
  const long rice = sold("rice", "1", kCup, 1);
  struct Case {
    ShoppingSourceKind kind;
    bool adjust;
    bool divide;
    float calories;  // 4 cups of 100 calories in a recipe of 4 servings, 5 people to serve
    const char* amountOf;
  };
  const Case cases[] = {
      {ShoppingSourceKind::Recipe, false, true, 100, "Amount Per Serving"},
      {ShoppingSourceKind::Recipe, true, true, 100, "Amount Per Serving"},
      {ShoppingSourceKind::Recipe, true, false, 500, "Amount For Everyone"},
      {ShoppingSourceKind::Menu, false, true, 100.0f / 7, "Amount Per Person Per Day"},
      {ShoppingSourceKind::Menu, true, false, 500.0f / 7, "Amount Per Day"},
  };
  const long dish = saveRecipe("Dish", 4, {line("4", kCup, rice)});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.amountOf);
    ShoppingSettings settings;
    settings.servings = 5;
    settings.adjustServings = c.adjust;
    settings.divideNutrients = c.divide;
    list.setSettings(settings);
    ShoppingSource source;
    source.kind = c.kind;
    source.recipe = loaded(dish);
    source.days[0] = {dish};
    list.build(source);
    EXPECT_NEAR(list.totals()[food::kCalories], c.calories, 0.01);
    EXPECT_EQ(list.panelLines()[0], c.amountOf);
    const auto label = shoppingListDocument(list).totals;
    ASSERT_TRUE(label.has_value());
    EXPECT_EQ(label->amountOf, c.amountOf);
  }
}

TEST_F(ShoppingListTest, HaveItTakesOffExactlyWhatTheRowAddedAndLeavesItOutOfTheText) {
  const long produce = groups.add("Produce", true);
  const long apple = sold("apple", "1", kCup, 2.50, produce);
  const long pear = sold("pear", "1", kCup, 1.25, produce);
  fromRecipe({line("1", kCup, apple), line("1", kCup, pear)});
  EXPECT_EQ(list.costText(), "Total Cost: $3.75");
  list.setHaveIt(0, true);
  EXPECT_EQ(list.costText(), "Total Cost: $1.25");
  list.setHaveIt(0, true);
  EXPECT_EQ(list.costText(), "Total Cost: $1.25");
  ASSERT_TRUE(list.addOwnItem("  film\tfor camera "));
  EXPECT_FALSE(list.addOwnItem("   "));
  list.setHaveIt(2, true);  // an own item adds nothing and is always written
  EXPECT_EQ(list.costText(), "Total Cost: $1.25");
  EXPECT_EQ(list.exportText(),
            "Shopping List\r\n\r\n     Produce\r\npear  -  1 cup\r\nfilm for camera\r\n");
  const print::PrintDocument printed = shoppingListDocument(list);
  ASSERT_EQ(printed.groups.size(), 2u);
  EXPECT_EQ(printed.groups[0].heading, "Produce");
  EXPECT_EQ(printed.groups[0].items, std::vector<std::string>{"pear  -  1 cup"});
  EXPECT_EQ(printed.groups[1].items, std::vector<std::string>{"film for camera"});
  EXPECT_TRUE(printed.indentHeadings);
  list.setHaveIt(0, false);
  EXPECT_EQ(list.costText(), "Total Cost: $3.75");
  EXPECT_TRUE(list.rows().back().isNewItemRow());
  EXPECT_TRUE(list.renameOwnItem(2, "toothpaste"));
  EXPECT_FALSE(list.renameOwnItem(0, "toothpaste"));
  EXPECT_EQ(list.rows()[2].name, "toothpaste");

  ShoppingSettings hidden;
  hidden.showPrices = false;
  list.setSettings(hidden);
  EXPECT_EQ(list.costText(), "");
}

TEST_F(ShoppingListTest, AnItemRecomputedAfterItsFoodChangedKeepsItsTick) {
  const long rice = sold("rice", "1", kCup, 1.00);
  fromRecipe({line("2", kCup, rice)});
  list.setHaveIt(0, true);
  food::BrandRecord r = brands.read(list.rows()[0].brand);
  r.price = 3.00;
  r.nutrients[food::kCalories] = 50;
  brands.save(r, r.uid);
  list.recomputeItem(0);
  EXPECT_EQ(list.rows()[0].price, "$6.00");
  EXPECT_TRUE(list.rows()[0].haveIt);
  EXPECT_EQ(list.totalCost(), 0);
  EXPECT_FLOAT_EQ(list.totals()[food::kCalories], 100);
  list.setHaveIt(0, false);
  EXPECT_EQ(list.costText(), "Total Cost: $6.00");
}

TEST_F(ShoppingListTest, TheTextFileIsAppendedToOrReplaced) {
  const std::string path = (programDir.path() / "list.txt").string();
  ASSERT_TRUE(writeShoppingText(path, "a\r\n", false));
  ASSERT_TRUE(writeShoppingText(path, "b\r\n", true));
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), "a\r\nb\r\n");
  ASSERT_TRUE(writeShoppingText(path, "c\r\n", false));
  EXPECT_FALSE(writeShoppingText((programDir.path() / "no" / "x.txt").string(), "c", false));
}

}  // namespace
}  // namespace savora::planning
