// The recipe list for every combination of book, chapter and category filter.
#include "bookshelf/recipe_list_fill.h"
#include "bookshelf_fixture.h"

namespace savora::bookshelf {
using namespace savora::store;
namespace {

class RecipeListFillTest : public BookshelfTest {
 protected:
  void SetUp() override {
    BookshelfTest::SetUp();
    desserts = books.add("Desserts", "", "");
    mains = books.add("Mains", "", "");
    cakes = chapters.add("Cakes", desserts, "", "");
    stews = chapters.add("Stews", mains, "", "");
    pies = chapters.add("Pies", desserts, "", "");  // filed after another book's chapter
    sponge = addRecipe(cakes, "Sponge");
    apple = addRecipe(pies, "Apple Pie");
    goulash = addRecipe(stews, "Goulash");
    torte = addRecipe(cakes, "Torte");
    favourites = categories.add("Favourites", "", "");
    for (long recipe : {apple, sponge, goulash}) categories.addRecipe(favourites, recipe);
  }

  std::vector<long> fill(long book, long chapter, long category) {
    std::vector<long> uids;
    for (const ShelfEntry& entry :
         fillRecipeList(book, chapter, category, chapters, categories, recipes)) {
      EXPECT_EQ(entry.name, recipes.nameOf(entry.uid));
      uids.push_back(entry.uid);
    }
    return uids;
  }

  long desserts = 0, mains = 0, cakes = 0, stews = 0, pies = 0;
  long sponge = 0, apple = 0, goulash = 0, torte = 0, favourites = 0;
};

TEST_F(RecipeListFillTest, ListsByBookChapterAndCategory) {
  const long any = kAnyItem;
  EXPECT_EQ(fill(desserts, cakes, any), (std::vector<long>{sponge, torte}));
  EXPECT_EQ(fill(desserts, any, any), (std::vector<long>{sponge, torte, apple}));
  EXPECT_EQ(fill(any, any, favourites), (std::vector<long>{apple, sponge, goulash}));
  EXPECT_EQ(fill(desserts, any, favourites), (std::vector<long>{sponge, apple}));
  EXPECT_EQ(fill(desserts, cakes, favourites), (std::vector<long>{sponge}));
  EXPECT_EQ(fill(any, cakes, any), std::vector<long>{});
  EXPECT_EQ(fill(any, cakes, favourites), std::vector<long>{});
  EXPECT_EQ(fill(any, any, any), std::vector<long>{});
  EXPECT_EQ(fill(mains, any, any), (std::vector<long>{goulash}));
  const long empty = chapters.add("Empty", mains, "", "");
  EXPECT_EQ(fill(mains, empty, any), std::vector<long>{});
}

TEST_F(RecipeListFillTest, LeavesOutMembersWhoseRecipeIsGone) {
  categories.addRecipe(favourites, 999);   // filed, but no such recipe
  recipes.removeFromCategories = nullptr;  // as if the membership had outlived its recipe
  recipes.remove(apple);
  EXPECT_EQ(fill(kAnyItem, kAnyItem, favourites), (std::vector<long>{sponge, goulash}));
  EXPECT_EQ(fill(desserts, kAnyItem, favourites), (std::vector<long>{sponge}));
}

}  // namespace
}  // namespace savora::bookshelf
