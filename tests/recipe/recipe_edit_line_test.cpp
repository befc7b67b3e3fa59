// The line editor: committing typed names, brand and recipe references, the package-size
// check, changing units, and the line actions.
#include <gtest/gtest.h>

#include "recipe_edit_fixture.h"

namespace savora::recipe {
namespace {

using toolkit::Button;

constexpr const char* kNewUnit =
    "handful is not found on the unit list.  Would you like to add it to the list?";
constexpr const char* kNewIngredient =
    "walnuts is not found on the ingredient list.  Would you like to add walnut to the list?";

TEST_F(RecipeEditTest, UnknownUnitAndIngredientAreAddedOnlyWhenTheUserSaysYes) {
  ASSERT_TRUE(edit.open(0, chapter));
  type("1", "handful", "walnuts", "chopped");
  user.expectMessage("New Unit?", kNewUnit, Button::Yes);
  user.expectMessage("New Ingredient?", kNewIngredient, Button::Yes);
  edit.commitLine();
  const store::RecipeLine& added = edit.recipe().lines[0];
  ASSERT_NE(added.unit, 0);
  EXPECT_EQ(units.readRecord(added.unit).name, "handful");
  EXPECT_EQ(units.readRecord(added.unit).frequency, 1);
  ASSERT_NE(added.ingredient, 0);
  EXPECT_EQ(ingredients.read(added.ingredient)->name, "walnut");
  EXPECT_EQ(ingredients.read(added.ingredient)->plural, "walnuts");
  EXPECT_EQ(added.info1, "chopped");

  edit.loadLine(1);
  type("2", "smidge", "pecans");
  user.expectMessage("New Unit?",
                     "smidge is not found on the unit list.  Would you like to add it to the list?",
                     Button::No);
  user.expectMessage(
      "New Ingredient?",
      "pecans is not found on the ingredient list.  Would you like to add pecan to the list?",
      Button::No);
  edit.commitLine();
  EXPECT_EQ(edit.recipe().lines[1].unit, 0);
  EXPECT_EQ(edit.recipe().lines[1].ingredient, 0);
  EXPECT_EQ(edit.recipe().lines[1].quantity, "2");
  EXPECT_FALSE(units.findText("smidge", false));
  EXPECT_EQ(ingredients.uidOfText("pecans"), 0);
}

TEST_F(RecipeEditTest, DeclinedNamesStayOnTheLineAsTyped) {
  struct Case {
    const char* unit;
    const char* ingredient;
    const char* info1;
    const char* row;
  };
  const Case cases[] = {
      {"pinch", "nutmeg", "", "2 pinch nutmeg"},
      {"pinch", "nutmeg", "fresh", "2 pinch fresh nutmeg"},
      {"cup", "nutmeg", "grated", "2 cups grated nutmeg"},
  };
  ASSERT_TRUE(edit.open(0, chapter));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.row);
    edit.loadLine(0);
    type("2", c.unit, c.ingredient, c.info1);
    if (std::string(c.unit) == "pinch") user.answerNextMessage(Button::No);
    user.answerNextMessage(Button::No);
    edit.commitLine();
    user.verifyAllAnswered();
    EXPECT_EQ(row(0), c.row);
    edit.commitLine();  // committing again asks nothing and adds nothing
    EXPECT_EQ(row(0), c.row);
  }
}

TEST_F(RecipeEditTest, PluralNamesFindTheirSingulars) {
  ingredients.save({"leek", "", false, 0, 0}, 0);
  struct Case {
    const char* unit;
    long unitUid;
    const char* ingredient;
    long ingredientUid;
  };
  const Case cases[] = {
      {"tsps", kTeaspoon, "tomato sauces", sauce},
      {"lbs", kPound, "Leeks", ingredients.uidOfText("leek")},
      {"Cups", kCup, "flours", flour},
  };
  ASSERT_TRUE(edit.open(0, chapter));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.unit);
    type("2", c.unit, c.ingredient);
    edit.commitLine();
    EXPECT_EQ(edit.recipe().lines[0].unit, c.unitUid);
    EXPECT_EQ(edit.recipe().lines[0].ingredient, c.ingredientUid);
  }
  EXPECT_TRUE(user.messages().empty());
}

TEST_F(RecipeEditTest, NewPluralNamesAreOfferedSingular) {
  ASSERT_TRUE(edit.open(0, chapter));
  type("1 1/2", "handfuls", "leeks, sliced");
  user.expectMessage(
      "New Unit?",
      "handfuls is not found on the unit list.  Would you like to add handful to the list?",
      Button::Yes);
  user.expectMessage(
      "New Ingredient?",
      "leeks is not found on the ingredient list.  Would you like to add leek to the list?",
      Button::Yes);
  edit.commitLine();
  EXPECT_EQ(units.readRecord(edit.recipe().lines[0].unit).name, "handful");
  EXPECT_EQ(ingredients.read(edit.recipe().lines[0].ingredient)->name, "leek");
  EXPECT_EQ(row(0), "1 1/2 handfuls leeks, sliced");
  edit.loadLine(0);
  type("1 1/2", "lbs", "leek, sliced", "", "thinly");
  edit.commitLine();
  EXPECT_EQ(row(0), "1 1/2 pounds leeks, sliced thinly");
}

TEST_F(RecipeEditTest, KnownNamesAreFoundInAnyFormAndCountedOncePerChange) {
  ASSERT_TRUE(edit.open(0, chapter));
  type("3", " Cups", "Eggs", "", "beaten");  // plural unit, plural ingredient name
  edit.commitLine();
  EXPECT_EQ(edit.recipe().lines[0].unit, kCup);
  EXPECT_EQ(edit.recipe().lines[0].ingredient, egg);
  edit.nextLine();
  edit.selectLine(0);
  EXPECT_EQ(edit.editor().unitText, "cups");
  EXPECT_EQ(edit.editor().ingredientText, "eggs");
  edit.commitLine();  // nothing changed: no second count
  EXPECT_EQ(units.readRecord(kCup).frequency, 1);
  EXPECT_EQ(ingredients.read(egg)->frequency, 1);
  EXPECT_EQ(edit.recipe().lines[0].info2, "beaten");

  edit.editor().info2 = "";  // an emptied field empties the note
  edit.commitLine();
  EXPECT_EQ(edit.recipe().lines[0].info2, "");
}

TEST_F(RecipeEditTest, BrandLineKeepsItsBrandWhileTheIngredientStays) {
  store::Recipe r;
  r.name = "Pizza";
  r.lines[0].quantity = "1";
  r.lines[0].unit = kCan8;
  r.lines[0].ingredient = redSauce + store::kBrandCodeBase;
  const long pizza = recipes.save(0, chapter, r, true);
  ASSERT_TRUE(edit.open(pizza, chapter));

  EXPECT_EQ(edit.editor().ingredientText, "tomato sauce");
  EXPECT_EQ(edit.editor().selectedBrand, redSauce);
  EXPECT_EQ(edit.editor().unitText, "8-oz can");
  edit.commitLine();
  EXPECT_EQ(edit.recipe().lines[0].ingredient, redSauce + store::kBrandCodeBase);
  EXPECT_EQ(row(0), "1 8-oz can Red Sauce");
  EXPECT_FALSE(edit.isModified());

  edit.editor().ingredientText = "flour";  // another ingredient drops the brand
  edit.commitLine();
  EXPECT_EQ(edit.recipe().lines[0].ingredient, flour);
}

TEST_F(RecipeEditTest, RecipeLineOpensItsRecipeAndKeepsTheReference) {
  const long crust = addRecipe("Pie Crust", chapter);
  ASSERT_TRUE(edit.open(0, chapter));
  EXPECT_TRUE(edit.addRecipeReference(crust));
  EXPECT_EQ(edit.recipe().lines[0].ingredient, crust + store::kRecipeCodeBase);
  EXPECT_EQ(edit.editor().selectedRecipe, crust);
  EXPECT_EQ(edit.selectLine(1), 0);
  EXPECT_EQ(edit.selectLine(0), crust);  // the window opens it in a window of its own
  EXPECT_EQ(edit.editor().ingredientText, "Pie Crust");
  edit.commitLine();
  EXPECT_EQ(edit.recipe().lines[0].ingredient, crust + store::kRecipeCodeBase);
  EXPECT_EQ(row(0), "Pie Crust");
}

TEST_F(RecipeEditTest, RecipeReferenceGoesIntoTheFirstEmptyLineUntilTheRecipeIsFull) {
  const long crust = addRecipe("Pie Crust", chapter);
  ASSERT_TRUE(edit.open(0, chapter));
  auto& lines = edit.recipe().lines;
  lines[0].info1 = "first";
  lines[2].info1 = "third";
  edit.loadLine(0);
  ASSERT_TRUE(edit.addRecipeReference(crust));
  EXPECT_EQ(lines[1].ingredient, crust + store::kRecipeCodeBase);
  EXPECT_EQ(lines[0].info1, "first");

  for (auto& l : lines) l.info1 = "used";
  edit.loadLine(0);
  user.expectMessage("Recipe Full!", "You cannot add any more items to this recipe.");
  EXPECT_FALSE(edit.addRecipeReference(crust));
}

TEST_F(RecipeEditTest, PackageUnitNoProductComesInIsOfferedInTheSizeSold) {
  ASSERT_TRUE(edit.open(0, chapter));
  type("1", "16-oz can", "tomato sauce");
  user.expectMessage("Information",
                     "None of the tomato sauce products come in 16-oz can.\r\nRed Sauce comes in "
                     "8-oz can.\r\nWould you like to use this size?",
                     Button::Yes);
  edit.commitLine();
  EXPECT_EQ(edit.recipe().lines[0].unit, kCan8);
  EXPECT_EQ(edit.editor().unitText, "8-oz can");
  EXPECT_EQ(user.messages().back().icon, "INFORMATION");

  edit.loadLine(1);
  type("2", "16-oz can", "tomato sauce");
  user.answerNextMessage(Button::No);
  edit.commitLine();
  EXPECT_EQ(edit.recipe().lines[1].unit, kCan16);

  // Unchanged unit, plain unit, or a product sold in the unit: no question.
  edit.commitLine();
  edit.loadLine(2);
  type("1", "cup", "tomato sauce");
  edit.commitLine();
  addBrand("Big Red", sauce, "1", kCan16, "1", kCan16, 1);
  edit.loadLine(3);
  type("1", "16-oz can", "tomato sauce");
  edit.commitLine();
  EXPECT_EQ(edit.recipe().lines[3].unit, kCan16);
  EXPECT_EQ(user.messages().size(), 2u);
}

TEST_F(RecipeEditTest, ChangingTheUnitConvertsTheQuantity) {
  ASSERT_TRUE(edit.open(0, chapter));
  type("1", "cup", "flour");
  EXPECT_TRUE(edit.changeUnit(kCup, kTablespoon));
  EXPECT_EQ(edit.editor().quantity, "16");

  // Across volume and weight through the flour's package: 1 cup weighs 8 ounces.
  type("2", "cup", "flour");
  EXPECT_TRUE(edit.changeUnit(kCup, kOunce));
  EXPECT_EQ(edit.editor().quantity, "16");
  type("4", "ounce", "flour");
  EXPECT_TRUE(edit.changeUnit(kOunce, kCup));
  EXPECT_EQ(edit.editor().quantity, "1/2");
  edit.editor().unitText = "cup";
  edit.commitLine();
  EXPECT_EQ(edit.recipe().lines[0].unit, kCup);
  EXPECT_FLOAT_EQ(float(edit.recipe().lines[0].quantityValue), 0.5f);

  // No package links eggs' volume and weight; no quantity, no unit: nothing changes.
  type("2", "cup", "egg");
  EXPECT_FALSE(edit.changeUnit(kCup, kOunce));
  type("", "cup", "flour");
  EXPECT_FALSE(edit.changeUnit(kCup, kOunce));
  type("a few", "cup", "flour");
  EXPECT_FALSE(edit.changeUnit(kCup, kOunce));
  type("2", "", "flour");
  EXPECT_FALSE(edit.changeUnit(0, kOunce));
  EXPECT_EQ(edit.editor().quantity, "2");
}

TEST_F(RecipeEditTest, SpecifyingABrandNeedsAListedIngredient) {
  ASSERT_TRUE(edit.open(0, chapter));
  type("1", "", "walnuts");
  user.expectMessage("Wait!", "You must enter an ingredient before you can specify a brand.");
  EXPECT_EQ(edit.ingredientForBrand(), 0);
  type("1", "", "Flour");
  EXPECT_EQ(edit.ingredientForBrand(), flour);
}

class RecipeLineActionsTest : public RecipeEditTest {
 protected:
  void SetUp() override {
    RecipeEditTest::SetUp();
    ASSERT_TRUE(edit.open(0, chapter));
    for (int i = 0; i < store::kRecipeLines; ++i) {
      edit.recipe().lines[size_t(i)].quantity = std::to_string(i + 1);
    }
    edit.loadLine(0);
  }
  std::string quantities() {
    std::string all;
    for (const auto& l : edit.recipe().lines) all += (l.quantity.empty() ? "_" : l.quantity) + " ";
    return all;
  }
};

TEST_F(RecipeLineActionsTest, NextLineWrapsFromTheLastLineToTheFirst) {
  edit.recipe().lines[10].quantity = "";  // a free line left: the recipe is not full
  edit.selectLine(21);
  edit.nextLine();
  EXPECT_EQ(edit.currentLine(), 22);
  EXPECT_EQ(edit.editor().quantity, "23");
  edit.editor().quantity = "99";
  edit.nextLine();
  EXPECT_EQ(edit.currentLine(), 0);
  EXPECT_EQ(edit.editor().quantity, "1");
  EXPECT_EQ(edit.recipe().lines[22].quantity, "99");  // committed before moving
}

TEST_F(RecipeLineActionsTest, AFullRecipeHasNoLineAfterTheLast) {
  edit.selectLine(22);
  edit.editor().quantity = "99";
  user.expectMessage("Recipe Full!", "You cannot add any more items to this recipe.");
  EXPECT_FALSE(edit.nextLine());
  EXPECT_EQ(edit.currentLine(), 22);
  EXPECT_EQ(edit.editor().quantity, "99");
  EXPECT_EQ(edit.recipe().lines[22].quantity, "99");
  EXPECT_EQ(edit.recipe().lines[0].quantity, "1");
}

TEST_F(RecipeLineActionsTest, InsertNeedsAFreeLastLineAndDeleteClearsIt) {
  user.expectMessage("Recipe Full!", "You cannot add any more items to this recipe.");
  edit.selectLine(1);
  EXPECT_FALSE(edit.insertLine());  // line 23 would be lost
  edit.selectLine(22);
  edit.editor().quantity = "";
  edit.selectLine(1);
  edit.editor().quantity = "2a";  // typed into the line before it moves
  EXPECT_TRUE(edit.insertLine());
  EXPECT_EQ(quantities(), "1 _ 2a 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 ");
  EXPECT_EQ(edit.currentLine(), 1);
  EXPECT_EQ(edit.editor().quantity, "");

  edit.selectLine(0);
  edit.deleteLine();
  EXPECT_EQ(quantities(), "_ 2a 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 _ ");
  EXPECT_EQ(edit.editor().quantity, "");
}

TEST_F(RecipeLineActionsTest, MovingSwapsWithTheNeighbourAndStopsAtTheEnds) {
  user.expectMessage("Wait!", "This ingredient is at the top of the list.");
  EXPECT_FALSE(edit.moveLineUp());
  EXPECT_TRUE(edit.moveLineDown());
  EXPECT_EQ(edit.currentLine(), 1);
  EXPECT_EQ(edit.editor().quantity, "1");
  EXPECT_EQ(quantities().substr(0, 6), "2 1 3 ");
  EXPECT_TRUE(edit.moveLineUp());
  EXPECT_EQ(quantities().substr(0, 6), "1 2 3 ");

  edit.selectLine(22);
  user.expectMessage("Wait!", "This ingredient is at the bottom of the list.");
  EXPECT_FALSE(edit.moveLineDown());
  EXPECT_EQ(user.messages().back().icon, "ASTERISK");
}

}  // namespace
}  // namespace savora::recipe
