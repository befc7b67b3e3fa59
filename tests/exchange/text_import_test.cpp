// MasterCook and Meal-Master files through the whole import: detection, the exchange tables the
// readers write, and the merge into the user's tables with every new unit and ingredient added.
#include "exchange_fixture.h"
#include "exchange/exchange_scratch.h"
#include "exchange/text_recipe_format.h"
#include "platform/text.h"

namespace savora::exchange {
namespace {

constexpr const char* kMealMasterFile =
    "MMMMM----- Recipe via Meal-Master (tm) v8.05\n"
    " \n"
    "      Title: Apple Pie\n"
    " Categories: Desserts, Pies\n"
    "      Yield: 99999 servings\n"
    " \n"
    "      2 c  Flour, all-purpose; sifted         1 T  Sugar\n"
    "      3    Apples\n"
    " \n"
    "  Bake.\n"
    "MMMMM\n"
    "\n"
    "MMMMM----- Recipe via Meal-Master (tm) v8.05\n"
    " \n"
    "      Title: Shortbread\n"
    " Categories: Desserts\n"
    "      Yield: 1 loaf\n"
    " \n"
    "      1 c  Butter\n"
    "      2 c  Flour, all-purpose\n"
    " \n"
    "  Chill.\n"
    "MMMMM\n";

constexpr const char* kMasterCookFile =
    "                     * Exported from MasterCook *\n"
    "\n"
    "                                Hash\n"
    "\n"
    "Recipe By     : Aunt May\n"
    "Serving Size  : 4     Preparation Time :0:00\n"
    "Categories    : Breakfast                        Quick\n"
    "\n"
    "  Amount  Measure       Ingredient -- Preparation Method\n"
    "--------  ------------  --------------------------------\n"
    "       2  tablespoons   oil\n"
    "\n"
    "Fry.\n"
    "\n"
    "                     * Exported from MasterCook *\n"
    "\n"
    "                                Toast\n"
    "\n"
    "Recipe By     : \n"
    "Serving Size  : 2     Preparation Time :0:00\n"
    "Categories    : Snacks\n"
    "\n"
    "  Amount  Measure       Ingredient -- Preparation Method\n"
    "--------  ------------  --------------------------------\n"
    "       2  slices        bread\n"
    "\n"
    "Toast it.\n";

class TextImportTest : public ExchangeTest {
 protected:
  std::string write(const std::string& name, const std::string& text) {
    const std::string path = archivePath(name);
    platform::writeWholeFile(path, text);
    return path;
  }
  std::string unitName(long uid) { return units.readRecord(uid).name; }
  std::string ingredientName(long uid) { return ingredients.read(uid).value_or(food::Ingredient{}).name; }
};

TEST_F(TextImportTest, MealMasterFileImportsIntoDownloadedRecipes) {
  expectFinished();
  importArchive(write("pies.mmf", kMealMasterFile));
  const long book = books.uidOf("Downloaded Recipes");
  ASSERT_GT(book, 0);
  EXPECT_EQ(books.get(book)->info.rfind("These recipes were downloaded on ", 0), 0u);
  const long desserts = chapters.uidOf("Desserts", book);
  const store::Recipe pie = load(recipeUid("Apple Pie", desserts));
  EXPECT_EQ(pie.servings, 9999);  // held at the field's limit
  EXPECT_EQ(pie.lines[0].quantity, "2");
  EXPECT_EQ(unitName(pie.lines[0].unit), "cup");
  EXPECT_EQ(ingredientName(pie.lines[0].ingredient), "flour, all-purpose");
  EXPECT_EQ(pie.lines[0].info2, "; sifted");
  EXPECT_EQ(ingredientName(pie.lines[1].ingredient), "apples");
  EXPECT_EQ(unitName(pie.lines[2].unit), "tablespoon");
  const store::Recipe shortbread = load(recipeUid("Shortbread", desserts));
  EXPECT_EQ(shortbread.servings, 1);
  EXPECT_EQ(shortbread.lines[1].ingredient, pie.lines[0].ingredient);  // one flour
  EXPECT_EQ(categories.membersOf(categories.uidOf("Pies")),
            (std::vector<long>{recipeUid("Apple Pie", desserts)}));
  EXPECT_EQ(categories.membersOf(categories.uidOf("Desserts")).size(), 2u);
  EXPECT_FALSE(platform::fileExists("recip65x.dbf"));
}

TEST_F(TextImportTest, IngredientLinesPastTheTwentyThirdGoInFrontOfTheInstructions) {
  std::string file =
      "MMMMM----- Recipe via Meal-Master (tm) v8.05\n\n      Title: Feast\n"
      " Categories: Mains\n      Yield: 4 servings\n\n";
  for (int i = 1; i <= 25; ++i) file += "      " + std::to_string(i % 10) + " c  Food " + std::to_string(i) + "\n";
  file += "\n  Cook it all.\nMMMMM\n";
  expectFinished();
  importArchive(write("feast.mmf", file));
  const store::Recipe feast =
      load(recipeUid("Feast", chapters.uidOf("Mains", books.uidOf("Downloaded Recipes"))));
  EXPECT_EQ(ingredientName(feast.lines[22].ingredient), "food 23");
  EXPECT_EQ(feast.instructions, "4 cup food 24\r\n5 cup food 25\r\n\r\nCook it all.");
  EXPECT_EQ(ingredients.uidOfText("food 24"), 0);  // no ingredient made for a line not kept
}

TEST_F(TextImportTest, MasterCookFileImportsEachRecipeIntoItsFirstCategory) {
  expectFinished();
  importArchive(write("hash.mxp", kMasterCookFile));
  const long book = books.uidOf("MasterCook Recipes");
  ASSERT_GT(book, 0);
  const store::Recipe hash = load(recipeUid("Hash", chapters.uidOf("Breakfast", book)));
  EXPECT_EQ(hash.description, "Aunt May");
  EXPECT_EQ(hash.servings, 4);
  EXPECT_EQ(unitName(hash.lines[0].unit), "tablespoon");
  EXPECT_EQ(hash.instructions, "Fry.");
  EXPECT_GT(recipeUid("Toast", chapters.uidOf("Snacks", book)), 0);
}

TEST_F(TextImportTest, AMalformedFileImportsNothingAndSaysWhereItStopped) {
  std::string file = kMealMasterFile;
  file += "\nMMMMM----- Recipe via Meal-Master (tm) v8.05\n \n      Title: Broken\n";
  const std::string path = write("broken.mmf", file);
  user.expectMessage("Unable to Download",
                     platform::formatText(kNotRecipeFormatText, path.c_str()) +
                         "\r\n\r\nReading stopped at line 28, in recipe 3 (Broken).");
  importArchive(path);
  EXPECT_LT(books.uidOf("Downloaded Recipes"), 0);
  EXPECT_FALSE(platform::fileExists("recip65x.dbf"));
}

TEST_F(TextImportTest, AnUpperCaseZelNameIsAnArchiveWhateverItHolds) {
  const std::string path = write("PIES.ZEL", kMealMasterFile);
  EXPECT_EQ(readRecipeFile(store, path).format, RecipeFileFormat::ExchangeArchive);
  user.expectMessage("Error!", "Unable to decompress exported file.");
  importArchive(path);
  EXPECT_LT(books.uidOf("Downloaded Recipes"), 0);
}

TEST_F(TextImportTest, AFileOfNeitherFormatIsTakenForAnArchive) {
  EXPECT_EQ(readRecipeFile(store, write("notes.txt", "\n\nShopping: milk\n")).format,
            RecipeFileFormat::ExchangeArchive);
}

}  // namespace
}  // namespace savora::exchange
