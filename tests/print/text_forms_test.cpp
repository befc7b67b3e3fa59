// Text forms of recipes and the label, and writing them to the file the person names.
#include <gtest/gtest.h>

#include "../nutrition/nutrition_fixture.h"
#include "platform/file_ops.h"
#include "print/nutrition_label.h"
#include "print/print_document.h"
#include "print/recipe_text_form.h"
#include "print/text_file.h"

namespace savora::print {
namespace {

TEST(TextFileTest, ProgramFileExtensionsAreRefusedOnTheFilesOwnName) {
  struct Case {
    const char* name;
    bool refused;
  };
  for (const Case& c :
       {Case{"recipes.dbf", true}, Case{"RECIPES.DBF", true}, Case{"notes.old.dbf", true},
        Case{"notes.z_t", true}, Case{"a.exe.txt", false}, Case{"notes", false},
        Case{"notes.txt", false}, Case{"/home/cook/my.dbf.folder/notes.txt", false},
        Case{"/home/cook/old.dat/notes", false}}) {
    EXPECT_EQ(isProtectedFileName(c.name), c.refused) << c.name;
  }
}

class TextFileWriteTest : public savora::testing::ProgramFoldersTest {
 protected:
  savora::testing::ScriptedUser user;
};

TEST_F(TextFileWriteTest, AnExistingFileIsAppendedToOrReplacedAsAnswered) {
  const std::string path = programDir.str() + "/out.txt";
  const std::string question =
      "That file already exists.  You can add\r\nthis information to the end of the file\r\n"
      "or over write the file.  Would you like\r\nto append to the end of this file?";
  ASSERT_TRUE(writeTextFile(user, path, "one\n"));
  user.expectMessage("Append to File!", question, toolkit::Button::Yes);
  ASSERT_TRUE(writeTextFile(user, path, "caf\xe9\n"));
  EXPECT_EQ(platform::readWholeFile(path), "one\ncaf\xc3\xa9\n");
  user.expectMessage("Append to File!", question, toolkit::Button::No);
  ASSERT_TRUE(writeTextFile(user, path, "two\n"));
  EXPECT_EQ(platform::readWholeFile(path), "two\n");

  const std::string table = programDir.str() + "/rc65.dbf";
  user.expectMessage("Wait!", table + " is an invalid file name.");
  EXPECT_FALSE(writeTextFile(user, table, "x"));
  EXPECT_FALSE(platform::fileExists(table));
}

TEST(NutritionLabelTextTest, ValuesAndPercentsFollowTheirFormats) {
  nutrition::Totals t{};
  t[food::kCalories] = 250;
  t[food::kCaloriesFromFat] = 117;
  t[food::kTotalFat] = 13;
  t[food::kSaturatedFat] = 5;
  t[food::kSodium] = 600;
  t[food::kVitaminA] = 4;
  t[food::kIron] = 10;
  const std::string text = nutritionLabelText(t);
  EXPECT_EQ(text,
            "\n\nNUTRITION FACTS\n"
            "Amount Per Serving\n"
            "Calories   250         Calories from Fat 117\n"
            "                            % Daily Value*\n"
            "Total Fat    13g                  20%\n"
            "    Saturated Fat     5g          25%\n"
            "Cholesterol     0mg                0%\n"
            "Sodium   600mg                    25%\n"
            "Total Carbohydrate     0g          0%\n"
            "    Dietary Fiber     0g           0%\n"
            "    Sugars     0g\n"
            "Protein     0g\n"
            "Vitamin A     4%     Vitamin C     0%\n"
            "Calcium     0%       Iron         10%\n\n"
            "* Percent Daily Values are based on a 2,000 calorie diet.");
}

class RecipeTextTest : public nutrition::NutritionTest {};

TEST_F(RecipeTextTest, TheTextFormListsTheRecipeInOrderWithItsLabel) {
  const long butter = food("butter", "1", kTablespoon, 100, 13, 90);
  store::Recipe r =
      loaded(saveRecipe("Buttered Toast", 2, {line("2", kTablespoon, butter), line("", 0, 0)}, 0,
                        "Toast.\r\nSpread."));
  r.description = "Quick\r\nand good";
  r.lines[1].info1 = "bread slices\t ";
  const std::string text =
      recipeTextFile(printedRecipe(tables, r, nutrition::analyzeRecipe(tables, user, r)), true);
  EXPECT_EQ(text.substr(0, text.find("\n\nNUTRITION")),
            "Buttered Toast\n\nBook: Family\nChapter: Breads\n\nQuick\nand good\nServes: 2\n\n"
            "2 tablespoons butter\nBread slices\n\nToast.\nSpread.");
  EXPECT_NE(text.find("Total Fat    13g                  20%\n"), std::string::npos);
  EXPECT_TRUE(text.ends_with("calorie diet.\n\n\n"));

  r.servings = 1;
  const std::string single = recipeTextFile(printedRecipe(tables, r, std::nullopt), true);
  EXPECT_EQ(single.find("Serves"), std::string::npos);
  EXPECT_EQ(single.find("NUTRITION"), std::string::npos);
}

TEST(DocumentTextTest, MenusIndentItemsAndShoppingListsIndentHeadings) {
  PrintDocument menu{"Week of May 2", {{kDayNames[0], {"Pancakes", "Soup"}}, {kDayNames[1], {}}}};
  EXPECT_EQ(documentText(menu, false), "Week of May 2\nSunday\n     Pancakes\n     Soup\nMonday\n");
  PrintDocument list{"Shopping List", {{"Dairy", {"1 cup  -  milk"}}}, true};
  EXPECT_EQ(documentText(list, false), "Shopping List\n     Dairy\n1 cup  -  milk\n");
  EXPECT_EQ(textPageText("Family", "Our recipes."), "Family\n\nOur recipes.");
}

}  // namespace
}  // namespace savora::print
