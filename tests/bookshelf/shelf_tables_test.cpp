// Books and chapters: finding by name, walking a book's chapters, the delete cascade down to the
// recipes and their category memberships, packing at close, and the catalogue's own tables.
#include <stdexcept>

#include "bookshelf_fixture.h"

namespace savora::bookshelf {
using namespace savora::store;
namespace {

TEST_F(BookshelfTest, FindsBooksAndChaptersByTrimmedNameIgnoringCase) {
  EXPECT_FALSE(books.find("Soups"));  // empty table
  const long soups = books.add("Soups & Stews", "warm", "");
  const long bread = books.add("  Bread ", "", "sav0001.tmp");
  const long longName = books.add(std::string(80, 'x'), "", "");
  EXPECT_EQ(books.uidOf("soups & STEWS  "), soups);
  EXPECT_EQ(books.uidOf("Bread"), bread);
  EXPECT_EQ(books.uidOf(std::string(80, 'X')), longName);
  EXPECT_EQ(books.uidOf(std::string(85, 'x')), longName);  // kept and sought at field width
  EXPECT_EQ(books.uidOf("Soups"), -1);                     // a prefix is no match
  EXPECT_FALSE(books.find(""));
  EXPECT_FALSE(books.find(" \t"));
  const auto item = books.get(bread);
  ASSERT_TRUE(item);
  EXPECT_EQ(item->name, "Bread");
  EXPECT_EQ(item->bitmap, "sav0001.tmp");
  EXPECT_EQ(books.firstName(), "Bread");
  EXPECT_FALSE(books.get(99));

  // The same chapter name in two books: the book decides, whatever record is current.
  const long soupsOfSoups = chapters.add("Cold Soups", soups, "", "");
  const long soupsOfBread = chapters.add("Cold Soups", bread, "", "");
  ASSERT_TRUE(chapters.seek(soupsOfSoups));
  EXPECT_EQ(chapters.uidOf("cold soups", bread), soupsOfBread);
  EXPECT_EQ(chapters.uidOf("COLD SOUPS", soups), soupsOfSoups);
  EXPECT_EQ(chapters.uidOf("Cold Soups", longName), -1);
  EXPECT_EQ(chapters.bookNameOf(soupsOfBread, books), "Bread");
  EXPECT_EQ(chapters.bookNameOf(77, books), "");

  EXPECT_TRUE(books.update("bread", "Breads", "yeast", "sav0002.tmp"));
  EXPECT_FALSE(books.update("Cakes", "Pies", "", ""));
  EXPECT_EQ(books.uidOf("Breads"), bread);
  EXPECT_EQ(books.get(bread)->info, "yeast");
  EXPECT_TRUE(chapters.update("Cold Soups", bread, "Chilled", "", ""));
  EXPECT_EQ(chapters.nameOf(soupsOfBread), "Chilled");
  EXPECT_EQ(chapters.nameOf(soupsOfSoups), "Cold Soups");
}

TEST_F(BookshelfTest, WalksOnlyTheChaptersOfOneBook) {
  const long first = books.add("First", "", ""), second = books.add("Second", "", "");
  const long empty = books.add("Empty", "", "");
  const long a = chapters.add("A", first, "", "");
  const long b = chapters.add("B", second, "", "");
  const long c = chapters.add("C", first, "", "");
  EXPECT_EQ(chapters.chaptersOf(first), (std::vector<ShelfEntry>{{a, "A"}, {c, "C"}}));
  EXPECT_EQ(chapters.chaptersOf(second), (std::vector<ShelfEntry>{{b, "B"}}));
  EXPECT_TRUE(chapters.chaptersOf(empty).empty());  // the seek lands on no chapter of its own
  EXPECT_EQ(chapters.firstInBook(second), b);
  EXPECT_EQ(chapters.nextInBook(), -1);
}

TEST_F(BookshelfTest, DeletingABookDeletesItsChaptersRecipesAndTheirMemberships) {
  const long desserts = books.add("Desserts", "", ""), mains = books.add("Mains", "", "");
  const long cakes = chapters.add("Cakes", desserts, "", "");
  const long pies = chapters.add("Pies", desserts, "", "");
  const long stews = chapters.add("Stews", mains, "", "");
  const long sponge = addRecipe(cakes, "Sponge"), torte = addRecipe(cakes, "Torte");
  const long apple = addRecipe(pies, "Apple Pie"), goulash = addRecipe(stews, "Goulash");
  const long favourites = categories.add("Favourites", "", "");
  const long party = categories.add("Party", "", "");
  for (long recipe : {sponge, apple, goulash}) categories.addRecipe(favourites, recipe);
  categories.addRecipe(party, torte);
  std::vector<long> clearedFromMenus;
  recipes.removeFromMenus = [&](long uid) { clearedFromMenus.push_back(uid); };

  EXPECT_FALSE(books.remove(99, chapters, recipes));
  EXPECT_TRUE(clearedFromMenus.empty());
  ASSERT_TRUE(books.remove(desserts, chapters, recipes));

  EXPECT_EQ(books.entriesByName(), (std::vector<ShelfEntry>{{mains, "Mains"}}));
  EXPECT_FALSE(chapters.seek(cakes));
  EXPECT_FALSE(chapters.seek(pies));
  EXPECT_TRUE(chapters.seek(stews));
  for (long gone : {sponge, torte, apple}) EXPECT_FALSE(recipes.seek(gone)) << gone;
  EXPECT_TRUE(recipes.seek(goulash));
  EXPECT_EQ(clearedFromMenus, (std::vector<long>{sponge, torte, apple}));
  EXPECT_EQ(categories.membersOf(favourites), (std::vector<long>{goulash}));
  EXPECT_TRUE(categories.membersOf(party).empty());
  EXPECT_EQ(categories.nameOf(party), "Party");  // the category itself stays
}

TEST_F(BookshelfTest, CascadesRefuseTheOtherShelfsRecipes) {
  ASSERT_TRUE(platform::makeFolder("catalog"));
  RecipeTable catalogRecipes(store, recipeTableName(Shelf::Catalog));
  catalogRecipes.open();
  ChapterTable catalogChapters(store, Shelf::Catalog);
  const long book = books.add("Mine", "", "");
  const long chapter = chapters.add("Mine", book, "", "");
  const long recipe = addRecipe(chapter, "Keep me");
  EXPECT_THROW(chapters.remove(chapter, catalogRecipes), std::invalid_argument);
  EXPECT_THROW(books.remove(book, catalogChapters, recipes), std::invalid_argument);
  EXPECT_THROW(connectBookshelf(catalogRecipes, categories), std::invalid_argument);
  EXPECT_TRUE(recipes.seek(recipe));
  EXPECT_TRUE(chapters.seek(chapter));
}

TEST_F(BookshelfTest, AnyDeletionPacksAtCloseWithEachTablesText) {
  const long book = books.add("Old", "", ""), kept = books.add("Kept", "", "");
  const long chapter = chapters.add("Old", book, "", "");
  chapters.add("Kept", kept, "", "");
  const long recipe = addRecipe(chapter, "Old");
  const long category = categories.add("Old", "", "");
  categories.add("Kept", "", "");
  categories.addRecipe(category, recipe);
  // Closing without deletions packs nothing.
  books.close();
  books.open();
  EXPECT_TRUE(user.statusHistory().empty());

  ASSERT_TRUE(books.remove(book, chapters, recipes));
  ASSERT_TRUE(categories.remove(category));
  books.close();
  chapters.close();
  categories.close();
  const std::vector<std::string> texts = {"Compressing Recipe Book Data...Please Wait.",
                                          "Compressing Chapter Data...Please Wait.",
                                          "Compressing Category Data...Please Wait."};
  ASSERT_EQ(user.statusHistory().size(), texts.size());
  for (size_t i = 0; i < texts.size(); ++i) {
    EXPECT_EQ(user.statusHistory()[i].title, "Packing Data File");
    EXPECT_EQ(user.statusHistory()[i].text, texts[i]);
  }
  EXPECT_FALSE(user.statusShown());
  for (TableModule* module : std::initializer_list<TableModule*>{&books, &chapters, &categories}) {
    module->open();
    EXPECT_EQ(module->table().recordCount(), 1u) << module->definition().name;
  }
  // Fewer than 21 recipe deletions leave the recipe table unpacked.
  recipes.close();
  EXPECT_EQ(user.statusHistory().size(), texts.size());
}

TEST_F(BookshelfTest, TheCatalogueShelfKeepsItsOwnTablesAndRecipes) {
  ASSERT_TRUE(platform::makeFolder("catalog"));
  BookTable catalogBooks(store, Shelf::Catalog);
  ChapterTable catalogChapters(store, Shelf::Catalog);
  CategoryTable catalogCategories(store, Shelf::Catalog);
  RecipeTable catalogRecipes(store, recipeTableName(Shelf::Catalog));
  for (TableModule* module : std::initializer_list<TableModule*>{
           &catalogBooks, &catalogChapters, &catalogCategories, &catalogRecipes}) {
    module->open();
  }
  connectBookshelf(catalogRecipes, catalogCategories);
  for (const char* file : {"catalog\\catalogBook.dbf", "catalog\\catalogChap.cdx",
                           "catalog\\catalogCat.fpt", "catalog\\catalog65.dbf"}) {
    EXPECT_TRUE(platform::fileExists(file)) << file;
  }

  // The same identifiers on both shelves: deleting the catalogue's book touches only its own.
  const long book = catalogBooks.add("Catalogue Book", "", "");
  const long chapter = catalogChapters.add("Catalogue Chapter", book, "", "");
  Recipe recipe;
  recipe.name = "Catalogue Recipe";
  const long catalogRecipe = catalogRecipes.save(0, chapter, recipe, false);
  const long category = catalogCategories.add("Catalogue Category", "", "");
  catalogCategories.addRecipe(category, catalogRecipe);
  const long userBook = books.add("My Book", "", "");
  const long userRecipe = addRecipe(chapters.add("My Chapter", userBook, "", ""), "Mine");
  const long userCategory = categories.add("Mine", "", "");
  categories.addRecipe(userCategory, userRecipe);
  ASSERT_EQ(catalogRecipe, userRecipe);

  ASSERT_TRUE(catalogBooks.remove(book, catalogChapters, catalogRecipes));
  EXPECT_FALSE(catalogRecipes.seek(catalogRecipe));
  EXPECT_TRUE(catalogCategories.membersOf(category).empty());
  EXPECT_TRUE(recipes.seek(userRecipe));
  EXPECT_TRUE(chapters.seek(chapter));
  EXPECT_EQ(categories.membersOf(userCategory), (std::vector<long>{userRecipe}));
  EXPECT_EQ(books.entriesByName(), (std::vector<ShelfEntry>{{userBook, "My Book"}}));
}

}  // namespace
}  // namespace savora::bookshelf
