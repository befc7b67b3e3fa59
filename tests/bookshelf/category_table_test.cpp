// Categories: one own record plus one membership record per recipe, all sharing the name, and a
// unique NAME_TAG that lists each name once.
#include "bookshelf_fixture.h"

namespace savora::bookshelf {
using namespace savora::store;
namespace {

class CategoryTableTest : public BookshelfTest {
 protected:
  // (NAME, INFO, BITMAP, RECIPE_UID) of every live record of the category, in record order.
  std::vector<std::string> recordsOf(long category) {
    std::vector<std::string> out;
    for (uint32_t record : recordsWhere(categories, "UID", category)) {
      categories.table().go(record);
      out.push_back(categories.text("NAME") + "|" + categories.memo("INFO") + "|" +
                    categories.text("BITMAP") + "|" +
                    std::to_string(categories.number("RECIPE_UID")));
    }
    return out;
  }
};

TEST_F(CategoryTableTest, AddingARecipeTwiceWarnsAndKeepsOneMembership) {
  const long soups = categories.add("Soups", "", "");
  const long quick = categories.add("Quick", "", "");
  EXPECT_EQ(categories.addRecipe(soups, 5), soups);
  EXPECT_EQ(categories.addRecipe(quick, 5), quick);
  EXPECT_EQ(categories.addRecipe(quick, 6), quick);
  // Once with the membership current, once found through RECIPE_TAG.
  for (long category : {quick, soups}) {
    user.expectMessage("Wait!", "That recipe is already in this category.");
    EXPECT_EQ(categories.addRecipe(category, 5), -1);
    ASSERT_FALSE(user.messages().empty());
    EXPECT_EQ(user.messages().back().icon, "HAND");
    EXPECT_EQ(user.messages().back().buttons, toolkit::Buttons::Ok);
  }
  EXPECT_EQ(recordsWhere(categories, "RECIPE_UID", 5).size(), 2u);
  EXPECT_EQ(categories.membersOf(soups), (std::vector<long>{5}));
  EXPECT_TRUE(categories.isMember(quick, 6));
  EXPECT_FALSE(categories.isMember(soups, 6));
  // No category, or no recipe: nothing is filed and nothing is said.
  EXPECT_EQ(categories.addRecipe(99, 7), -1);
  EXPECT_EQ(categories.addRecipe(soups, kCategoryOwnRecord), -1);
  EXPECT_EQ(recordsOf(soups).size(), 2u);
}

TEST_F(CategoryTableTest, ACategoryOfThreeRecipesHasFourRecordsAndRenameRewritesThemAll) {
  const long other = categories.add("Other", "", "");
  const long soups = categories.add("Soups", "hot", "sav0001.tmp");
  for (long recipe : {3, 1, 2}) categories.addRecipe(soups, recipe);
  categories.addRecipe(other, 1);
  EXPECT_EQ(recordsOf(soups),
            (std::vector<std::string>{"Soups|hot|sav0001.tmp|-1", "Soups|hot|sav0001.tmp|3",
                                      "Soups|hot|sav0001.tmp|1", "Soups|hot|sav0001.tmp|2"}));
  EXPECT_EQ(categories.membersOf(soups), (std::vector<long>{3, 1, 2}));
  EXPECT_EQ(categories.firstMember(soups), 3);
  EXPECT_EQ(categories.nextMember(), 1);

  ASSERT_TRUE(categories.rename("SOUPS", "Stews", "cold", "sav0002.tmp"));
  EXPECT_EQ(recordsOf(soups),
            (std::vector<std::string>{"Stews|cold|sav0002.tmp|-1", "Stews|cold|sav0002.tmp|3",
                                      "Stews|cold|sav0002.tmp|1", "Stews|cold|sav0002.tmp|2"}));
  EXPECT_EQ(categories.uidOf("Soups"), -1);
  EXPECT_EQ(categories.uidOf("stews"), soups);
  EXPECT_EQ(categories.nameOf(other), "Other");
  EXPECT_EQ(categories.entriesByName(),
            (std::vector<ShelfEntry>{{other, "Other"}, {soups, "Stews"}}));
  EXPECT_FALSE(categories.rename("Soups", "Broths", "", ""));
  EXPECT_TRUE(categories.table().checkIndex().empty());
}

TEST_F(CategoryTableTest, TwoCategoriesOfOneNameAreListedOnce) {
  const long first = categories.add("Party", "", "");
  const long third = categories.add("Party", "", "");
  const long brunch = categories.add("Brunch", "", "");
  categories.addRecipe(first, 1);
  categories.addRecipe(third, 2);
  EXPECT_EQ(categories.entriesByName(),
            (std::vector<ShelfEntry>{{brunch, "Brunch"}, {first, "Party"}}));
  // With the first one gone, its name passes to the other category of that name.
  ASSERT_TRUE(categories.remove(first));
  EXPECT_EQ(categories.entriesByName(),
            (std::vector<ShelfEntry>{{brunch, "Brunch"}, {third, "Party"}}));
  EXPECT_TRUE(categories.table().checkIndex().empty());
}

TEST_F(CategoryTableTest, RemovingRecipesAndCategoriesDeletesOnlyTheirRecords) {
  const long soups = categories.add("Soups", "", ""), quick = categories.add("Quick", "", "");
  for (long recipe : {1, 2}) {
    categories.addRecipe(soups, recipe);
    categories.addRecipe(quick, recipe);
  }
  categories.removeRecipe(1, quick);
  EXPECT_EQ(categories.membersOf(quick), (std::vector<long>{2}));
  EXPECT_EQ(categories.membersOf(soups), (std::vector<long>{1, 2}));
  categories.removeRecipe(2, 0);  // every category
  EXPECT_EQ(categories.membersOf(quick), std::vector<long>{});
  EXPECT_EQ(categories.membersOf(soups), (std::vector<long>{1}));
  // -1 names no recipe: the own records stay.
  categories.removeRecipe(kCategoryOwnRecord, 0);
  EXPECT_EQ(categories.uidOf("Quick"), quick);
  EXPECT_EQ(categories.uidOf("Soups"), soups);

  EXPECT_FALSE(categories.remove(42));
  ASSERT_TRUE(categories.remove(soups));
  EXPECT_TRUE(recordsOf(soups).empty());
  EXPECT_EQ(categories.uidOf("Soups"), -1);
  EXPECT_EQ(recordsOf(quick).size(), 1u);
  EXPECT_EQ(categories.deletionsSinceOpen(), 5);
}

}  // namespace
}  // namespace savora::bookshelf
