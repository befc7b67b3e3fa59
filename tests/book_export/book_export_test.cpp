// Book export archives: their names, their content (read back by importing them into a fresh
// program folder) and what a failed export leaves behind.
#include <cstdlib>

#include "../exchange/exchange_fixture.h"
#include "book_export/book_export.h"
#include "bookshelf/shelf_edits.h"
#include "exchange/exchange_scratch.h"
#include "platform/text.h"
#include "store/media_list.h"

namespace savora::book_export {

using savora::exchange::ArchiveBuilder;
using savora::exchange::ExchangeTest;
namespace {

TEST(ExportArchivePathTest, TheFilesOwnExtensionBecomesZel) {
  EXPECT_EQ(exportArchivePath("/home/me/soups.txt"), "/home/me/soups.zel");
  EXPECT_EQ(exportArchivePath("/home/me.d/soups"), "/home/me.d/soups.zel");
  EXPECT_EQ(exportArchivePath("C:\\my.files\\soups"), "C:\\my.files\\soups.zel");
  EXPECT_EQ(exportArchivePath("/home/me/SOUPS.ZEL"), "/home/me/SOUPS.ZEL");
  EXPECT_EQ(exportArchivePath("soups.v2.bak"), "soups.v2.zel");
}

store::RecipeLine line(long unit, long ingredient, const std::string& quantity,
                       const std::string& info2 = "") {
  store::RecipeLine l;
  l.quantity = quantity;
  l.unit = unit;
  l.ingredient = ingredient;
  l.info2 = info2;
  return l;
}

// A recipe as names, independent of the UIDs of the folder it is in.
struct RecipeByName {
  std::string chapter, name, instructions;
  long servings;
  std::vector<std::string> lines;  // quantity|unit|ingredient or brand or recipe|info2
  bool operator==(const RecipeByName&) const = default;
};

class BookExportTest : public ExchangeTest {
 protected:
  BookExportSources sources() {
    return {books, chapters, categories, recipes, units, ingredients, brands};
  }

  // Soups with two chapters; Stew uses Broth of the same book, a brand entry and a unit that
  // converts through another; both share the category Winter. The book has a media list.
  long buildSoups() {
    const long ounce = units.saveRecord({"fluid ounce", "fl oz", food::kVolumeUnit}, 0);
    const long cup = units.saveRecord({"cup", "c", food::kVolumeUnit, "8", ounce}, 0);
    const long egg = ingredients.save({"egg", "eggs", false, 0, 0}, 0);
    const long flour = ingredients.save({"flour", "", false, 0, 0}, 0);
    food::BrandRecord acme;
    acme.name = "Acme";
    acme.ingredient = flour;
    const long acmeUid = brands.save(acme, 0);
    const std::string media = *store::writeMediaList("", {"soup.bmp", "", ""});
    const long book = books.add("Soups", "Warm things", media);
    const long hot = chapters.add("Hot", book, "", "");
    const long cold = chapters.add("Cold", book, "", "");
    store::Recipe broth;
    broth.name = "Broth";
    broth.servings = 4;
    broth.instructions = "Simmer.";
    broth.lines[0] = line(cup, egg, "2", "beaten");
    const long brothUid = recipes.save(0, hot, broth, false);
    store::Recipe stew;
    stew.name = "Stew";
    stew.servings = 6;
    stew.lines[0] = line(0, brothUid + store::kRecipeCodeBase, "1");
    stew.lines[1] = line(cup, acmeUid + store::kBrandCodeBase, "1/2");
    const long stewUid = recipes.save(0, hot, stew, false);
    store::Recipe gazpacho;
    gazpacho.name = "Gazpacho";
    gazpacho.lines[0] = line(ounce, egg, "3");
    recipes.save(0, cold, gazpacho, false);
    const long winter = categories.add("Winter", "", "");
    categories.addRecipe(winter, brothUid);
    categories.addRecipe(winter, stewUid);
    books.add("Other", "", "");
    return book;
  }

  std::vector<RecipeByName> recipesOf(const std::string& bookName) {
    return recipesOf(bookName, {books, chapters, categories, recipes});
  }
  std::vector<RecipeByName> recipesOf(const std::string& bookName, bookshelf::ShelfTables shelf) {
    std::vector<RecipeByName> all;
    const long book = shelf.books.uidOf(bookName);
    for (const bookshelf::ShelfEntry& chapter : shelf.chapters.chaptersOf(book)) {
      std::vector<long> uids;
      for (auto n = shelf.recipes.first(chapter.uid);
           n && shelf.recipes.chapterOfCurrent() == chapter.uid; n = shelf.recipes.next()) {
        uids.push_back(shelf.recipes.uidOfCurrent());
      }
      for (long uid : uids) {
        store::Recipe r;
        shelf.recipes.load(uid, r);
        RecipeByName byName{chapter.name, r.name, r.instructions, r.servings, {}};
        for (const store::RecipeLine& l : r.lines) {
          if (l.quantity.empty() && l.ingredient == 0) continue;
          std::string what;
          if (l.ingredient > store::kBrandCodeBase) {
            what = "brand " + brands.read(l.ingredient - store::kBrandCodeBase).name;
          } else if (l.ingredient > store::kRecipeCodeBase) {
            what = "recipe " + shelf.recipes.nameOf(l.ingredient - store::kRecipeCodeBase);
          } else {
            what = ingredients.read(l.ingredient).value_or(food::Ingredient{}).name;
          }
          byName.lines.push_back(l.quantity + "|" + units.readRecord(l.unit).name + "|" + what +
                                 "|" + l.info2);
        }
        all.push_back(byName);
      }
    }
    return all;
  }

  // Closes the user's tables and opens them again, empty, in a new program folder.
  void moveToFreshFolder() {
    for (store::TableModule* t : std::initializer_list<store::TableModule*>{
             &books, &chapters, &categories, &recipes, &units, &ingredients, &brands, &menus}) {
      t->close();
    }
    ASSERT_TRUE(platform::setProgramDirectory(fresh.str()));
    for (store::TableModule* t : std::initializer_list<store::TableModule*>{
             &books, &chapters, &categories, &recipes, &units, &ingredients, &brands, &menus}) {
      t->open();
    }
  }

  savora::testing::TempFolder fresh;
};

TEST_F(BookExportTest, AnExportedBookImportsIntoAFreshFolderAsItWas) {
  const long book = buildSoups();
  const std::vector<RecipeByName> before = recipesOf("Soups");
  ASSERT_EQ(before.size(), 3u);
  EXPECT_TRUE(platform::makeFolder("cxp"));  // stale content of an earlier run
  EXPECT_TRUE(platform::writeWholeFile("cxp\\stale", "old\n\n\n"));
  user.expectMessage("Finished!", kExportedText);
  ASSERT_TRUE(exportBook(store, sources(), book, archivePath("soups.txt")));
  const std::string archive = archivePath("soups.zel");
  EXPECT_EQ(std::system(("unzip -tq '" + archive + "' >/dev/null").c_str()), 0);
  EXPECT_NE(std::system(("unzip -l '" + archive + "' | grep -q -e stale -e mbookx").c_str()), 0);
  EXPECT_FALSE(platform::fileExists("bookx.dbf"));
  EXPECT_FALSE(platform::fileExists("cxp"));

  moveToFreshFolder();
  expectFinished();
  importArchive(archive);
  EXPECT_EQ(recipesOf("Soups"), before);
  EXPECT_LT(books.uidOf("Other"), 0);
  const long soups = books.uidOf("Soups");
  EXPECT_EQ(books.get(soups)->info, "Warm things");
  EXPECT_EQ(store::readMediaList(books.get(soups)->bitmap)[0], "soup.bmp");
  const long winter = categories.uidOf("Winter");
  const long hot = chapters.uidOf("Hot", soups);
  EXPECT_EQ(categories.membersOf(winter),
            (std::vector<long>{recipeUid("Broth", hot), recipeUid("Stew", hot)}));
  ASSERT_TRUE(units.findText("cup", false));
  EXPECT_EQ(units.readRecord(units.readRecord(units.number("UID")).conversionUnit).name,
            "fluid ounce");
  EXPECT_EQ(ingredients.read(ingredients.uidOfText("egg"))->plural, "eggs");
}

TEST_F(BookExportTest, AFailedExportKeepsTheOldArchiveAndSaysSo) {
  const long book = buildSoups();
  const std::string archive = archivePath("soups.zel");
  EXPECT_TRUE(platform::writeWholeFile(archive, "the old archive"));
  // The archive cannot be written: its folder does not exist.
  const std::string nowhere = archivePath("missing/soups.zel");
  user.expectMessage("Error!", platform::formatText(kExportFailedText, nowhere.c_str()));
  EXPECT_FALSE(exportBook(store, sources(), book, nowhere));
  EXPECT_EQ(platform::readWholeFile(archive), "the old archive");
  EXPECT_FALSE(platform::fileExists("recip65x.dbf"));
  // A successful export replaces it.
  user.expectMessage("Finished!", kExportedText);
  EXPECT_TRUE(exportBook(store, sources(), book, archive));
  EXPECT_NE(platform::readWholeFile(archive), "the old archive");
}

// The catalogue's tables beside the user's; the catalogue's recipes use the shared units,
// ingredients and brands.
class CatalogExportTest : public BookExportTest {
 protected:
  void SetUp() override {
    BookExportTest::SetUp();
    EXPECT_TRUE(platform::makeFolder("catalog"));
    for (store::TableModule* t : catalogTables()) t->open();
  }
  std::vector<store::TableModule*> catalogTables() {
    return {&catalogBooks, &catalogChapters, &catalogCategories, &catalogRecipes};
  }
  bookshelf::ShelfTables catalog() {
    return {catalogBooks, catalogChapters, catalogCategories, catalogRecipes};
  }

  bookshelf::BookTable catalogBooks{store, bookshelf::Shelf::Catalog};
  bookshelf::ChapterTable catalogChapters{store, bookshelf::Shelf::Catalog};
  bookshelf::CategoryTable catalogCategories{store, bookshelf::Shelf::Catalog};
  store::RecipeTable catalogRecipes{store, bookshelf::recipeTableName(bookshelf::Shelf::Catalog)};
};

TEST_F(CatalogExportTest, ACatalogueBookImportsOntoTheRecipeBookshelfOfAFreshFolder) {
  const long cup = units.saveRecord({"cup", "c", food::kVolumeUnit}, 0);
  const long flour = ingredients.save({"rye flour", "", false, 0, 0}, 0);
  food::BrandRecord mill;
  mill.name = "Stone Mill";
  mill.ingredient = flour;
  const long millUid = brands.save(mill, 0);

  const long other = catalogChapters.add("Misc", catalogBooks.add("Other", "", ""), "", "");
  store::Recipe elsewhere;
  elsewhere.name = "Elsewhere";
  const long elsewhereUid = catalogRecipes.save(0, other, elsewhere, false);
  const long breads = catalogBooks.add("Breads", "From the catalogue", "");
  const long loaves = catalogChapters.add("Loaves", breads, "", "");
  store::Recipe rye;
  rye.name = "Rye";
  rye.servings = 2;
  rye.instructions = "Bake.";
  rye.lines[0] = line(cup, flour, "3", "sifted");
  rye.lines[1] = line(cup, millUid + store::kBrandCodeBase, "1");
  const long ryeUid = catalogRecipes.save(0, loaves, rye, false);
  store::Recipe toast;
  toast.name = "Toast";
  toast.lines[0] = line(0, ryeUid + store::kRecipeCodeBase, "1");
  // Elsewhere's UID names another recipe (Rye) in the folder the archive is imported into.
  toast.lines[1] = line(0, elsewhereUid + store::kRecipeCodeBase, "2");
  const long toastUid = catalogRecipes.save(0, loaves, toast, false);
  const long baking = catalogCategories.add("Baking", "", "");
  catalogCategories.addRecipe(baking, ryeUid);
  catalogCategories.addRecipe(baking, toastUid);
  categories.add("Mine only", "", "");  // the user's categories are not the catalogue's

  std::vector<RecipeByName> expected = recipesOf("Breads", catalog());
  ASSERT_EQ(expected.size(), 2u);
  ASSERT_EQ(expected[1].lines[1], "2||recipe Elsewhere|");
  expected[1].lines[1] = "2|||";  // the name becomes a note (below)

  user.expectMessage("Finished!", kExportedText);
  ASSERT_TRUE(exportBook(store,
                         {catalogBooks, catalogChapters, catalogCategories, catalogRecipes, units,
                          ingredients, brands},
                         breads, archivePath("breads")));
  const std::string archive = archivePath("breads.zel");
  EXPECT_EQ(std::system(("unzip -tq '" + archive + "' >/dev/null").c_str()), 0);
  EXPECT_EQ(std::system(("unzip -l '" + archive + "' | grep -q 'bookx.dbf'").c_str()), 0);
  EXPECT_NE(std::system(("unzip -l '" + archive + "' | grep -q -i -e cbookx -e mbookx").c_str()),
            0);
  EXPECT_FALSE(platform::fileExists("bookx.dbf"));

  for (store::TableModule* t : catalogTables()) t->close();
  moveToFreshFolder();
  expectFinished();
  importArchive(archive);
  EXPECT_EQ(recipesOf("Breads"), expected);
  const long book = books.uidOf("Breads");
  EXPECT_EQ(books.get(book)->info, "From the catalogue");
  EXPECT_LT(books.uidOf("Other"), 0);
  const long imported = chapters.uidOf("Loaves", book);
  const store::Recipe toastAfter = load(recipeUid("Toast", imported));
  EXPECT_EQ(toastAfter.lines[1].ingredient, 0);
  EXPECT_EQ(toastAfter.lines[1].info1, "Elsewhere");
  EXPECT_EQ(categories.membersOf(categories.uidOf("Baking")),
            (std::vector<long>{recipeUid("Rye", imported), recipeUid("Toast", imported)}));
  EXPECT_LT(categories.uidOf("Mine only"), 0);
  EXPECT_EQ(
      brands.read(load(recipeUid("Rye", imported)).lines[1].ingredient - store::kBrandCodeBase)
          .name,
      "Stone Mill");
}

}  // namespace
}  // namespace savora::book_export
