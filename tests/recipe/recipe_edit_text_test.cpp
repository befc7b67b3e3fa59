// Line texts, the view tab's text and the way quantities are stored.
#include <gtest/gtest.h>

#include "recipe/recipe_line_text.h"
#include "recipe_edit_fixture.h"

namespace savora::recipe {
namespace {

using savora::testing::recipeLine;

TEST(IngredientCodeTest, RangesSplitIntoIngredientRecipeAndBrand) {
  using Kind = IngredientTarget::Kind;
  EXPECT_EQ(decodeIngredientCode(0), IngredientTarget{});
  EXPECT_EQ(decodeIngredientCode(30000), (IngredientTarget{Kind::Ingredient, 30000}));
  EXPECT_EQ(decodeIngredientCode(30001), (IngredientTarget{Kind::Recipe, 1}));
  EXPECT_EQ(decodeIngredientCode(60000), (IngredientTarget{Kind::Recipe, 30000}));
  EXPECT_EQ(decodeIngredientCode(60001), (IngredientTarget{Kind::Brand, 1}));
  for (long code : {0L, 7L, 30007L, 60007L}) {
    EXPECT_EQ(encodeIngredientCode(decodeIngredientCode(code)), code);
  }
}

TEST_F(RecipeEditTest, LineTextJoinsPiecesAndKeepsACommaNoteAgainstTheName) {
  ASSERT_TRUE(edit.open(0, chapter));
  auto& lines = edit.recipe().lines;
  lines[0] = recipeLine("2", kCup, flour, "", ", sifted");
  lines[1] = recipeLine("3", 0, egg, "large");
  lines[2] = recipeLine("", 0, 0, "pinch of salt");
  lines[3] = recipeLine("1", 0, addRecipe("Pie Crust", chapter) + store::kRecipeCodeBase);
  lines[4] = recipeLine("2", kCan8, redSauce + store::kBrandCodeBase);
  lines[5] = recipeLine("1", kTablespoon, flour, "", "sifted");

  EXPECT_EQ(row(0), "2 cups flour, sifted");
  EXPECT_EQ(edit.lineText(0, false, 64).size(), 64u);  // padded for the list
  EXPECT_EQ(row(1), "3 large eggs");
  EXPECT_EQ(row(2), "Pinch of salt");
  EXPECT_EQ(row(3), "1 Pie Crust");
  EXPECT_EQ(row(4), "2 8-oz cans Red Sauce");
  EXPECT_EQ(row(5), "1 tablespoon flour sifted");
  EXPECT_EQ(edit.lineText(6, false, 64), "");  // an empty line has no padding either
}

TEST_F(RecipeEditTest, OnlyALineLongerThanTheRowIsCutWithDots) {
  ASSERT_TRUE(edit.open(0, chapter));
  auto& lines = edit.recipe().lines;
  lines[0] =
      recipeLine("1", kCup, flour, "freshly milled and very carefully weighed on the kitchen scale of");
  const std::string full = edit.lineText(0, false, 1500);
  ASSERT_GT(full.size(), 64u);
  EXPECT_EQ(edit.lineText(0, false, 64), full.substr(0, 61) + "...");

  lines[1] = recipeLine("", 0, 0, std::string(64, 'x').c_str());  // fills the row exactly
  EXPECT_EQ(edit.lineText(1, false, 64), "X" + std::string(63, 'x'));
}

TEST_F(RecipeEditTest, PresentationRewritesDecimalsAndScaledValues) {
  ASSERT_TRUE(edit.open(0, chapter));
  auto& lines = edit.recipe().lines;
  lines[0] = recipeLine("0.5", kCup, flour);
  EXPECT_EQ(row(0), "0.5 cup flour");  // presentation off: as stored
  edit.lineText(0, true, 64);
  EXPECT_EQ(lines[0].quantity, "1/2");
  EXPECT_EQ(lines[0].shownQuantity, "1/2");
  EXPECT_FLOAT_EQ(float(lines[0].quantityValue), 0.5f);

  // A whole-number text without a value is left as typed.
  lines[1] = recipeLine("2", kCup, flour);
  edit.lineText(1, true, 64);
  EXPECT_EQ(lines[1].quantity, "2");
  EXPECT_EQ(lines[1].shownQuantity, "");
}

TEST_F(RecipeEditTest, ScaledQuantityIsStoredAsWrittenUnlessRetyped) {
  ASSERT_TRUE(edit.open(0, chapter));
  auto& lines = edit.recipe().lines;
  lines[0] = recipeLine("1/3", 0, flour);
  lines[1] = recipeLine("1/3", 0, egg);
  // A serving adjustment from 2 to 2 servings: the value is set, the text rebuilt.
  for (int i : {0, 1}) {
    lines[size_t(i)].quantityValue = float(2 * ((1.0 / 3) / 2));
    edit.lineText(i, true, 64);
    EXPECT_EQ(lines[size_t(i)].quantity, "1/3");
  }
  edit.loadLine(0);
  edit.selectLine(1);
  edit.editor().quantity = "1/2";  // retyped after the adjustment
  edit.selectLine(0);
  edit.recipe().servings = 2;

  const SaveOutcome saved = edit.save("Scones");
  ASSERT_EQ(saved.result, SaveResult::Saved);
  store::Recipe stored;
  ASSERT_EQ(recipes.load(saved.uid, stored), chapter);
  EXPECT_EQ(stored.lines[0].quantity, "1/3");  // as written, never raw decimals
  EXPECT_EQ(stored.lines[1].quantity, "1/2");
  // The buffer keeps what the user sees, and nothing is left to save.
  EXPECT_EQ(edit.recipe().lines[0].quantity, "1/3");
  EXPECT_FALSE(edit.isModified());
}

TEST_F(RecipeEditTest, TextFormHasBookChapterServingsLinesAndInstructions) {
  ASSERT_TRUE(edit.open(0, chapter));
  store::Recipe& r = edit.recipe();
  r.servings = 1;
  r.description = "Quick bread.";
  r.instructions = "Bake.";
  r.lines[2] = recipeLine("2", kCup, flour, "", ", sifted");
  const std::string row = edit.lineText(2, false, 1500);
  EXPECT_EQ(edit.textForm(), "Book: Family\r\nChapter: Breads\r\n\r\nQuick bread.\r\n\r\n    " +
                                 row + "\r\n\r\nBake.");

  r.servings = 4;
  EXPECT_TRUE(edit.textForm().starts_with(
      "Book: Family\r\nChapter: Breads\r\n\r\nMakes 4 servings\r\nQuick bread."));
}

TEST_F(RecipeEditTest, TextFormStaysWithinItsBuffer) {
  ASSERT_TRUE(edit.open(0, chapter));
  store::Recipe& r = edit.recipe();
  r.description = std::string(40000, 'd');
  r.instructions = std::string(40000, 'i');
  r.lines[0] = recipeLine("2", kCup, flour);
  const std::string text = edit.textForm();
  EXPECT_LT(text.size(), kTextFormBuffer);
  EXPECT_NE(text.find(std::string(29000, 'd')), std::string::npos);
}

}  // namespace
}  // namespace savora::recipe
