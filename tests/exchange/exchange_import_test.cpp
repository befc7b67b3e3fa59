#include <cstdlib>

#include "archive/codes.h"
#include "exchange/archive_extract.h"
#include "exchange/exchange_scratch.h"
#include "exchange/import_run_mark.h"
#include "exchange/shelf_pass.h"
#include "exchange_fixture.h"
#include "platform/text.h"
#include "temp_folder.h"

namespace savora::exchange {
namespace {

using savora::testing::readFileBytes;
using toolkit::Button;

store::RecipeLine line(long unit, long ingredient, const std::string& quantity = "1") {
  store::RecipeLine l;
  l.quantity = quantity;
  l.unit = unit;
  l.ingredient = ingredient;
  return l;
}

std::string existingBookText(const std::string& name) {
  return platform::formatText(kExistingBookText, name.c_str());
}

// Every file of the program folder with its bytes.
std::map<std::string, std::string> folderBytes(const std::filesystem::path& folder) {
  std::map<std::string, std::string> bytes;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) bytes[entry.path().string()] = readFileBytes(entry.path());
  }
  return bytes;
}

bool noScratchLeft() {
  for (const std::string& table : exchangeTableNames()) {
    if (platform::fileExists(table + ".dbf")) return false;
  }
  return !platform::fileExists("cxp") && !platform::fileExists(kExtractStagingFolder);
}

// Writes a ZIP with Python's zipfile: entries name=content.
std::string pythonZip(const std::string& path, const std::vector<std::string>& names) {
  std::string script = "import zipfile; z = zipfile.ZipFile('" + path + "', 'w')\n";
  for (const std::string& name : names) {
    script += "z.writestr(" + std::string("'") + name + "', b'HOSTILE " + name + "')\n";
  }
  script += "z.close()\n";
  const std::string command = "/usr/bin/python3 -c \"" + script + "\"";
  EXPECT_EQ(std::system(command.c_str()), 0);
  return path;
}

// One book "Soups" with chapter "Hot": Broth (2), Stew (3) using Broth and Dumplings (4), whose
// lines carry a cup, an egg, a brand and a reference outside the archive.
void soupArchive(ArchiveBuilder& a) {
  a.book("bookx", 10, "Soups");
  a.chapter("chapterx", 20, 10, "Hot");
  a.unit(1, "cup", "8", 2);
  a.unit(2, "fluid ounce", "2", 3);
  a.unit(3, "tablespoon");
  a.food(5, "egg");
  a.food(6, "flour");
  a.brand(7, 6, "Acme");
  a.recipe("recip65x", 2, 20, "Broth", {line(1, 5, "2")});
  a.recipe("recip65x", 3, 20, "Stew",
           {line(0, 30002), line(0, 30004), line(0, 60007), line(0, 30099), line(0, 30000)});
  a.recipe("recip65x", 4, 20, "Dumplings", {line(3, 6)});
  a.category("categx", 1, -1, "Winter");
  a.category("categx", 1, 3, "Winter");
  a.category("categx", 1, 4, "Winter");
}

TEST_F(ExchangeTest, ArchiveImportsBooksRecipesFoodCategoriesAndMenus) {
  soupArchive(archive);
  archive.mediaList("list1", "soup.bmp");
  archive.book("mbookx", 1, "Menus Book", "C:\\old\\place\\list1");
  archive.chapter("mchapx", 1, 1, "Sunday");
  archive.recipe("meal64x", 1, 1, "Roast");
  archive.menuRow(1, "Sunday Lunch", -1, -1);
  archive.menuRow(1, "Sunday Lunch", 0, 1);
  archive.menuRow(1, "Sunday Lunch", 1, 77);  // no such recipe: dropped
  archive.pack(archivePath("soups.zel"));

  const long eggs = ingredients.save({"eggs", "", false, 0, 0}, 0);
  expectFinished();
  importArchive(archivePath("soups.zel"));
  EXPECT_TRUE(noScratchLeft());

  const long book = books.uidOf("Soups");
  ASSERT_GT(book, 0);
  const long hot = chapters.uidOf("Hot", book);
  const long broth = recipeUid("Broth", hot), stew = recipeUid("Stew", hot),
             dumplings = recipeUid("Dumplings", hot);
  ASSERT_GT(broth, 0);
  ASSERT_GT(dumplings, 0);
  const store::Recipe brothRecipe = load(broth);
  EXPECT_EQ(brothRecipe.lines[0].ingredient, eggs);  // "egg" found as "eggs"
  EXPECT_EQ(units.readRecord(brothRecipe.lines[0].unit).name, "cup");
  EXPECT_EQ(brothRecipe.instructions, "Cook Broth");

  const long flour = ingredients.uidOfText("flour");
  ASSERT_GT(flour, 0);
  ASSERT_EQ(brands.brandsOf(flour).size(), 1u);
  const store::Recipe stewRecipe = load(stew);
  EXPECT_EQ(stewRecipe.lines[0].ingredient, broth + store::kRecipeCodeBase);
  EXPECT_EQ(stewRecipe.lines[1].ingredient, dumplings + store::kRecipeCodeBase);
  EXPECT_EQ(stewRecipe.lines[2].ingredient, brands.brandsOf(flour)[0] + store::kBrandCodeBase);
  EXPECT_EQ(stewRecipe.lines[3].ingredient, 0);  // a recipe the archive does not carry
  EXPECT_EQ(stewRecipe.lines[4].ingredient, 0);

  const long winter = categories.uidOf("Winter");
  EXPECT_EQ(categories.membersOf(winter), (std::vector<long>{stew, dumplings}));

  // The catalogue pass files into the user's bookshelf; the menu points at its recipe.
  const long menuBook = books.uidOf("Menus Book");
  const long roast = recipeUid("Roast", chapters.uidOf("Sunday", menuBook));
  ASSERT_GT(roast, 0);
  const long menu = menus.uidOf("Sunday Lunch");
  EXPECT_EQ(menus.entriesOf(menu), (std::vector<planning::ListItem>{{0, roast}}));
  // The book's media list came from "cxp" into "cmm" under a new name.
  const std::string bitmap = books.get(menuBook)->bitmap;
  ASSERT_FALSE(bitmap.empty());
  EXPECT_EQ(store::readMediaList(bitmap)[0], "soup.bmp");
}

TEST_F(ExchangeTest, TheSameArchiveTwiceAddsNothingOrANumberedBook) {
  soupArchive(archive);
  archive.pack(archivePath("soups.zel"));
  expectFinished();
  importArchive(archivePath("soups.zel"));
  const long count = recipes.nextUid();

  user.expectMessage("Add to Existing Book?", existingBookText("Soups"), Button::Yes);
  expectFinished();
  importArchive(archivePath("soups.zel"));
  EXPECT_EQ(recipes.nextUid(), count);

  for (const char* name : {"Soups 1", "Soups 2"}) {
    user.expectMessage("Add to Existing Book?", existingBookText("Soups"), Button::No);
    expectFinished();
    importArchive(archivePath("soups.zel"));
    const long book = books.uidOf(name);
    ASSERT_GT(book, 0) << name;
    EXPECT_GT(recipeUid("Stew", chapters.uidOf("Hot", book)), 0) << name;
  }
}

TEST_F(ExchangeTest, AReferenceToARecipeSkippedAsDuplicateBecomesZero) {
  const long book = books.add("Soups", "", "");
  const long hot = chapters.add("Hot", book, "", "");
  // The archive's Broth as the user already has it, under the name in another case.
  store::Recipe mine;
  mine.name = "broth";
  mine.servings = 4;
  mine.instructions = "Cook Broth";
  mine.lines[0] = line(units.saveRecord({"cup", "c", food::kVolumeUnit}, 0),
                       ingredients.save({"egg", "", false, 0, 0}, 0), "2");
  const long myBroth = recipes.save(0, hot, mine, false);
  soupArchive(archive);
  archive.pack(archivePath("soups.zel"));

  user.expectMessage("Add to Existing Book?", existingBookText("Soups"), Button::Yes);
  expectFinished();
  importArchive(archivePath("soups.zel"));
  EXPECT_EQ(recipeUid("Broth", hot), myBroth);
  const store::Recipe stew = load(recipeUid("Stew", hot));
  EXPECT_EQ(stew.lines[0].ingredient, 0);
  EXPECT_EQ(stew.lines[1].ingredient, recipeUid("Dumplings", hot) + store::kRecipeCodeBase);
}

TEST_F(ExchangeTest, UnitsTheUserHadKeepTheirConversions) {
  const long tablespoon = units.saveRecord({"tablespoon", "tbsp", food::kVolumeUnit}, 0);
  food::UnitRecord cup{"cup", "c", food::kVolumeUnit, "16", tablespoon};
  const long myCup = units.saveRecord(cup, 0);
  soupArchive(archive);
  archive.unit(8, "gill", "4", 2);
  archive.pack(archivePath("soups.zel"));
  expectFinished();
  importArchive(archivePath("soups.zel"));

  EXPECT_EQ(units.readRecord(myCup).conversionUnit, tablespoon);
  ASSERT_TRUE(units.findText("gill", false));
  const food::UnitRecord gill = units.readRecord(units.number("UID"));
  EXPECT_EQ(units.readRecord(gill.conversionUnit).name, "fluid ounce");
}

TEST_F(ExchangeTest, ABrandIsFoundUnderItsIngredientOrTheLineKeepsTheIngredient) {
  // The user's ingredient 7 is unrelated to the archive's brand 7.
  for (const char* name : {"a", "b", "c", "d", "e", "f", "g"}) {
    ingredients.save({name, "", false, 0, 0}, 0);
  }
  const long flour = ingredients.save({"flour", "", false, 0, 0}, 0);
  food::BrandRecord acme;
  acme.name = "Acme";
  acme.ingredient = flour;
  const long myAcme = brands.save(acme, 0);
  soupArchive(archive);
  archive.brand(9, 6, "Zed");
  archive.recipe("recip65x", 5, 20, "Bread", {line(0, 60007), line(0, 60009)});
  archive.pack(archivePath("soups.zel"));
  expectFinished();
  importArchive(archivePath("soups.zel"));

  const store::Recipe bread = load(recipeUid("Bread", chapters.uidOf("Hot", books.uidOf("Soups"))));
  EXPECT_EQ(bread.lines[0].ingredient, myAcme + store::kBrandCodeBase);
  EXPECT_EQ(bread.lines[1].ingredient, flour);
}

TEST_F(ExchangeTest, OldLayoutRecipeTablesAreUpgradedBeforeTheirPass) {
  archive.book("bookx", 1, "Old");
  archive.chapter("chapterx", 1, 1, "Box");
  archive.recipe("recip64x", 1, 1, "Pie");
  archive.book("mbookx", 1, "Older");
  archive.chapter("mchapx", 1, 1, "Tin");
  archive.recipe("meal63x", 1, 1, "Tart", {}, store::RecipeFormat::Rc63);
  archive.pack(archivePath("old.zel"));
  expectFinished();
  importArchive(archivePath("old.zel"));
  EXPECT_GT(recipeUid("Pie", chapters.uidOf("Box", books.uidOf("Old"))), 0);
  EXPECT_GT(recipeUid("Tart", chapters.uidOf("Tin", books.uidOf("Older"))), 0);
}

TEST_F(ExchangeTest, BadArchivesChangeNothingOfTheUsersData) {
  store::Recipe mine;
  mine.name = "Mine";
  recipes.save(0, 1, mine, false);
  recipes.close();
  EXPECT_TRUE(platform::writeWholeFile("OBJECTS.DAT", "objects"));
  const auto before = folderBytes(programDir.path());

  const std::string notZip = elsewhere.write("bad.zel", "not an archive at all").string();
  const std::string good = archivePath("good.zel");
  pythonZip(good, {"unitx.dbf"});
  const std::string truncated = elsewhere.write("cut.zel", readFileBytes(good).substr(0, 40));
  struct Case {
    std::string path;
    bool extracts;
  };
  const std::vector<Case> cases = {
      {notZip, false},
      {truncated, false},
      {pythonZip(archivePath("abs.zel"), {"/tmp/savora-hostile.dbf"}), false},
      {pythonZip(archivePath("up.zel"), {"../rc65.dbf"}), false},
      {pythonZip(archivePath("user.zel"),
                 {"rc65.dbf", "food.cdx", "OBJECTS.DAT", "sub/rc65.dbf", "cxp/sub/x"}),
       true},
  };
  for (const Case& c : cases) {
    if (c.extracts) {
      EXPECT_EQ(extractExchangeArchive(c.path), archive::kOk) << c.path;
    } else {
      user.expectMessage("Error!", "Unable to decompress exported file.");
      importArchive(c.path);
    }
    removeExchangeFiles();
    EXPECT_EQ(folderBytes(programDir.path()), before) << c.path;
  }
  // Archives that unpack but hold no recipe say so instead of announcing success.
  for (const std::string& empty : {pythonZip(archivePath("empty.zel"), {}), good}) {
    user.expectMessage("Nothing Found",
                       "No recipes were found in\r\n" + empty + ".\r\nNothing was imported.");
    importArchive(empty);
    EXPECT_EQ(folderBytes(programDir.path()), before) << empty;
  }
  EXPECT_FALSE(platform::fileExists("/tmp/savora-hostile.dbf"));
}

TEST_F(ExchangeTest, OneExchangeRunAtATimeAndItsFilesGoWithIt) {
  soupArchive(archive);
  archive.pack(archivePath("soups.zel"));
  auto first = ExchangeImport::start(store, targets(), archivePath("soups.zel"), {NewItems::Ask});
  ASSERT_TRUE(first);
  first->run(ImportStep::Extract);
  EXPECT_TRUE(platform::fileExists("recip65x.dbf"));

  user.expectMessage("Wait!", kBusyText);
  EXPECT_FALSE(ExchangeImport::start(store, targets(), archivePath("soups.zel")));
  first->run(ImportStep::Units);
  first.reset();  // the window closed mid-chain, the units undecided
  EXPECT_TRUE(noScratchLeft());
  EXPECT_FALSE(units.findText("fluid ounce", false));
  EXPECT_FALSE(ExchangeScratch::running());
  EXPECT_TRUE(ExchangeImport::start(store, targets(), archivePath("soups.zel")));
}

TEST_F(ExchangeTest, ACounterSuffixedBookNameFitsTheNameField) {
  const std::string longName(bookshelf::kShelfNameWidth, 'n');
  books.add(longName, "", "");
  const std::string first = freeBookName(books, longName);
  EXPECT_EQ(first.size(), bookshelf::kShelfNameWidth);
  EXPECT_EQ(first.substr(first.size() - 2), " 1");
  books.add(first, "", "");
  EXPECT_EQ(freeBookName(books, longName).substr(bookshelf::kShelfNameWidth - 2), " 2");
}

TEST_F(ExchangeTest, MediaListsAreRehomedByTheirFileNameOnly) {
  EXPECT_TRUE(platform::makeFolder("cxp"));
  EXPECT_TRUE(platform::writeWholeFile("cxp/list1", "a.bmp\n\n\n"));
  EXPECT_TRUE(platform::writeWholeFile("cxp/empty", "\n\n\n"));
  const std::string moved = rehomeMediaList("..\\..\\elsewhere\\list1");
  ASSERT_FALSE(moved.empty());
  EXPECT_EQ(moved.find_first_of("/\\"), std::string::npos);
  EXPECT_EQ(store::readMediaList(moved)[0], "a.bmp");
  EXPECT_EQ(rehomeMediaList("cxp\\empty"), "");
  EXPECT_EQ(rehomeMediaList(".."), "");
}

}  // namespace
}  // namespace savora::exchange

namespace savora::exchange {
namespace {

using toolkit::Button;

// An archive whose recipes would number past the last five-digit UID is refused before a
// single unit, ingredient or recipe is added.
TEST_F(ExchangeTest, AnArchiveThatWouldOutnumberTheRecipeTableIsRefusedWhole) {
  store::Recipe last;
  last.name = "Last";
  recipes.save(99998, 1, last, true);
  soupArchive(archive);
  archive.pack(archivePath("soups.zel"));
  const long unitCount = long(units.table().recordCount());
  user.expectTitle("Error!");
  importArchive(archivePath("soups.zel"));
  EXPECT_NE(user.messages().back().text.find("more than the 99999"), std::string::npos);
  EXPECT_EQ(recipes.table().recordCount(), 1u);
  EXPECT_EQ(long(units.table().recordCount()), unitCount);
  EXPECT_TRUE(noScratchLeft());
}

// What a killed import leaves: its mark, a new book and chapter and some recipes. The next
// start names the file and the count, and removes them on Yes, keeps them on No.
TEST_F(ExchangeTest, AnImportCutShortIsOfferedForRemovalAtTheNextStart) {
  const long before = books.add("Mine", "", "");
  store::Recipe kept;
  kept.name = "Kept";
  const long keptUid = recipes.save(0, chapters.add("Mine", before, "", ""), kept, true);
  for (const Button answer : {Button::Yes, Button::No}) {
    ASSERT_TRUE(markImportRun(elsewhere.str() + "big.zel", {books, chapters, categories, recipes}));
    const long chapter = chapters.add("Hot", books.add("Soups", "", ""), "", "");
    store::Recipe soup;
    for (const char* name : {"Broth", "Stew"}) {
      soup.name = name;
      recipes.save(0, chapter, soup, true);
    }
    user.expectMessage("Import Stopped",
                       "The last import of big.zel stopped after 2 recipes.\r\nWould you like to "
                       "remove the recipes it imported?\r\n(No keeps them.)",
                       answer);
    settleInterruptedImport(user, {books, chapters, categories, recipes}, true);
    EXPECT_FALSE(readImportRunMark());
    EXPECT_EQ(books.uidOf("Soups") > 0, answer == Button::No);
    EXPECT_EQ(recipeUid("Stew", chapter) > 0, answer == Button::No);
    EXPECT_EQ(recipes.nameOf(keptUid), "Kept");
  }
  settleInterruptedImport(user, {books, chapters, categories, recipes}, true);  // nothing left
}

}  // namespace
}  // namespace savora::exchange
