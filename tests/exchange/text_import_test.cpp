// MasterCook and Meal-Master files through the whole import: detection, the exchange tables the
// readers write, and the merge into the user's tables with every new unit and ingredient added.
#include <functional>

#include "exchange/exchange_scratch.h"
#include "exchange/import_summary.h"
#include "exchange/text_recipe_format.h"
#include "exchange_fixture.h"
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
    EXPECT_TRUE(platform::writeWholeFile(path, text));
    return path;
  }
  std::string unitName(long uid) { return units.readRecord(uid).name; }
  std::string ingredientName(long uid) {
    return ingredients.read(uid).value_or(food::Ingredient{}).name;
  }
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
  for (int i = 1; i <= 25; ++i)
    file += "      " + std::to_string(i % 10) + " c  Food " + std::to_string(i) + "\n";
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
  // Asked whether to import the rest: No imports nothing, Yes all but the broken recipe.
  for (const toolkit::Button answer : {toolkit::Button::No, toolkit::Button::Yes}) {
    user.expectMessage("Unable to Download",
                       platform::formatText(kNotRecipeFormatText, path.c_str()) +
                           "\r\n\r\nReading stopped at line 28, in recipe 3 (Broken).");
    user.expectMessage(kSkipBadTitle, kSkipBadText, answer);
    if (answer == toolkit::Button::Yes) user.expectTitle("Finished!");
    importArchive(path);
    EXPECT_EQ(books.uidOf("Downloaded Recipes") > 0, answer == toolkit::Button::Yes);
    EXPECT_FALSE(platform::fileExists("recip65x.dbf"));
  }
  EXPECT_NE(user.messages().back().text.find("  recipe 3 (Broken), line 28"), std::string::npos);
}

TEST_F(TextImportTest, TheSummaryNamesChaptersDuplicatesRenamedAndBadRecipes) {
  const long book = books.add("Soups", "", "");
  const long hot = chapters.add("Hot", book, "", "");
  const ImportSummary summary{{{hot, 3}}, 2, 1, {{4, "Broken", 28}}};
  EXPECT_EQ(importSummaryText(summary, books, chapters),
            "Soups / Hot: 3 recipes added\r\n"
            "2 duplicates skipped, 1 recipe renamed under a numbered name\r\n"
            "1 malformed recipe left out:\r\n"
            "  recipe 4 (Broken), line 28\r\n");
}

TEST_F(TextImportTest, AnUpperCaseZelNameIsAnArchiveWhateverItHolds) {
  const std::string path = write("PIES.ZEL", kMealMasterFile);
  EXPECT_EQ(readRecipeFile(store, path).format, RecipeFileFormat::ExchangeArchive);
  user.expectMessage("Error!", "Unable to decompress exported file.");
  importArchive(path);
  EXPECT_LT(books.uidOf("Downloaded Recipes"), 0);
}

TEST_F(TextImportTest, AFileOfNoKnownFormatIsToldSoAndAZipFileIsAnArchive) {
  EXPECT_EQ(readRecipeFile(store, write("notes.txt", "\n\nShopping: milk\n")).format,
            RecipeFileFormat::Unknown);
  EXPECT_EQ(readRecipeFile(store, write("data.bin", std::string("PK\x03\x04", 4) + "rest")).format,
            RecipeFileFormat::ExchangeArchive);
}

// Real collections through the whole chain: one small file (or files imported in turn) per
// behaviour, each with what the user's tables must hold afterwards.
class CollectionTest;

struct CollectionCase {
  const char* behaviour;
  std::vector<std::string> imports;  // file texts, imported in turn
  std::function<void(CollectionTest&)> setUp;
  std::function<void(CollectionTest&)> check;
};

std::string mmRecipe(const std::string& title, const std::string& categories,
                     const std::string& ingredients, const std::string& directions) {
  return "MMMMM----- Recipe via Meal-Master (tm) v8.05\n \n      Title: " + title +
         "\n Categories: " + categories + "\n      Yield: 4 servings\n \n" + ingredients + "\n  " +
         directions + "\nMMMMM\n\n";
}

class CollectionTest : public TextImportTest, public ::testing::WithParamInterface<CollectionCase> {
 public:
  static std::vector<CollectionCase> cases();

 protected:
  long mealMasterChapter(const std::string& name) {
    return chapters.uidOf(name, books.uidOf("Downloaded Recipes"));
  }
  long masterCookChapter(const std::string& name) {
    return chapters.uidOf(name, books.uidOf("MasterCook Recipes"));
  }
  long unitsNamed(const std::string& name) {
    long count = 0;
    for (auto unit = units.firstName(true, {}); unit; unit = units.nextName())
      count += *unit == name;
    return count;
  }
};

TEST_P(CollectionTest, ImportsWholeAndFaithfully) {
  const CollectionCase& c = GetParam();
  SCOPED_TRACE(c.behaviour);
  if (c.setUp) c.setUp(*this);
  for (size_t i = 0; i < c.imports.size(); ++i) {
    const bool masterCook = c.imports[i].find("MasterCook") != std::string::npos;
    const char* book = masterCook ? kMasterCookBook : kMealMasterBook;
    if (books.uidOf(book) > 0) {
      user.expectMessage("Add to Existing Book?", platform::formatText(kExistingBookText, book),
                         toolkit::Button::Yes);
    }
    expectFinished();
    importArchive(write("file" + std::to_string(i) + ".txt", c.imports[i]));
  }
  c.check(*this);
}

std::vector<CollectionCase> CollectionTest::cases() {
  const std::string stew = mmRecipe("Stew", "Mains", "      1 lb Beef\n", "Simmer.");
  return {
      {"names in the user's tables are found in any letter case and number",
       {mmRecipe("Omelet", "Eggs", "      2    Eggs\n      1 ts Food A\n", "Fry.")},
       [](CollectionTest& t) {
         t.ingredients.save({"Food a", "", false, 0, 0}, 0);
         t.ingredients.save({"egg", "", false, 0, 0}, 0);
       },
       [](CollectionTest& t) {
         const store::Recipe omelet = t.load(t.recipeUid("Omelet", t.mealMasterChapter("Eggs")));
         EXPECT_EQ(t.ingredientName(omelet.lines[0].ingredient), "egg");
         EXPECT_EQ(t.ingredientName(omelet.lines[1].ingredient), "Food a");
       }},
      {"a file twice adds nothing; a different recipe of a taken name comes in as (2)",
       {stew + mmRecipe("Stew", "Mains", "      2 lb Lamb\n", "Braise."), stew},
       nullptr,
       [](CollectionTest& t) {
         const long mains = t.mealMasterChapter("Mains");
         EXPECT_EQ(t.load(t.recipeUid("Stew", mains)).instructions, "Simmer.");
         EXPECT_EQ(t.load(t.recipeUid("Stew (2)", mains)).instructions, "Braise.");
         EXPECT_EQ(t.recipes.nextUid(), 3);
       }},
      {"an ingredient text longer than a name keeps the rest in the line's note",
       {mmRecipe("Kebab", "Grill",
                 "      2 c  Boneless skinless chicken breast halves cut into strips; or thighs\n",
                 "Grill.")},
       nullptr,
       [](CollectionTest& t) {
         const store::Recipe kebab = t.load(t.recipeUid("Kebab", t.mealMasterChapter("Grill")));
         EXPECT_EQ(t.ingredientName(kebab.lines[0].ingredient),
                   "boneless skinless chicken breast halves cut");
         EXPECT_EQ(kebab.lines[0].info2, "into strips; or thighs");
       }},
      {"every MasterCook category becomes one, also one the user already has",
       {kMasterCookFile},
       [](CollectionTest& t) { t.categories.add("Quick", "", ""); },
       [](CollectionTest& t) {
         const long hash = t.recipeUid("Hash", t.masterCookChapter("Breakfast"));
         for (const char* name : {"Breakfast", "Quick"}) {
           EXPECT_EQ(t.categories.membersOf(t.categories.uidOf(name)), std::vector<long>{hash})
               << name;
         }
       }},
      {"standard unit codes take the kitchen's units; unknown codes are added as asked",
       {mmRecipe("Custard", "Desserts", "     10 c  Milk\n      2 zz Mystery\n", "Bake.")},
       [](CollectionTest& t) {
         t.units.saveRecord({"cup", "c", food::kVolumeUnit}, 0);
       },
       [](CollectionTest& t) {
         const store::Recipe custard =
             t.load(t.recipeUid("Custard", t.mealMasterChapter("Desserts")));
         EXPECT_EQ(t.unitName(custard.lines[0].unit), "cup");
         EXPECT_EQ(t.unitsNamed("cup"), 1);
         EXPECT_EQ(t.unitsNamed("c"), 0);
         EXPECT_EQ(t.unitName(custard.lines[1].unit), "zz");
       }},
      {"a header after leading lines is found",
       {"From the collection of Aunt May\nTyped in 1994\n\n" + stew,
        "Exported for the club\n" + std::string(kMasterCookFile)},
       nullptr,
       [](CollectionTest& t) {
         EXPECT_GT(t.recipeUid("Stew", t.mealMasterChapter("Mains")), 0);
         EXPECT_GT(t.recipeUid("Hash", t.masterCookChapter("Breakfast")), 0);
       }},
  };
}

INSTANTIATE_TEST_SUITE_P(RealCollections, CollectionTest,
                         ::testing::ValuesIn(CollectionTest::cases()));

}  // namespace
}  // namespace savora::exchange
