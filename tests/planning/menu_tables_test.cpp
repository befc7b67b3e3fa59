// The menu table "week" and the plan table "year" through the program's shared tables: names,
// entries in order, media, rename, and the cascades from recipes to menus and menus to plans.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "app/shared_tables.h"
#include "bookshelf/shelf_edits.h"
#include "planning/week_table.h"
#include "planning/year_table.h"
#include "platform/file_ops.h"
#include "program_folders.h"
#include "scripted_user.h"
#include "store/table_store.h"

namespace savora::planning {
namespace {

using savora::testing::ScriptedUser;

class MenuTablesTest : public savora::testing::ProgramFoldersTest {
 protected:
  void SetUp() override {
    ProgramFoldersTest::SetUp();
    tables = std::make_unique<app::SharedTables>(store);
    ASSERT_TRUE(tables->openAll().empty());
    book = tables->books().add("Soups", "", "");
    chapter = tables->chapters().add("Cold", book, "", "");
  }
  void TearDown() override {
    tables->closeAll();
    tables.reset();
    ProgramFoldersTest::TearDown();
  }
  long addRecipe(const std::string& name) {
    store::Recipe recipe;
    recipe.name = name;
    recipe.servings = 2;
    return tables->recipes().save(0, chapter, recipe, true);
  }
  WeekTable& weeks() { return tables->weeks(); }
  YearTable& years() { return tables->years(); }
  void restart() {
    tables->closeAll();
    ASSERT_TRUE(tables->openAll().empty());
  }

  ScriptedUser user;
  store::TableStore store{user};
  std::unique_ptr<app::SharedTables> tables;
  long book = 0, chapter = 0;
};

TEST_F(MenuTablesTest, AFreshProgramFolderHoldsAllTenSharedTables) {
  for (const char* name :
       {"book", "chapter", "category", "rc65", "food", "unit", "cat", "week", "year", "brand"}) {
    EXPECT_TRUE(std::filesystem::exists(programDir.path() / (std::string(name) + ".dbf"))) << name;
  }
  EXPECT_EQ(tables->mainTables().modules().size(), 10u);
}

TEST_F(MenuTablesTest, MenusAreCreatedWithIncreasingUidsAndFoundByNameIgnoringCase) {
  EXPECT_EQ(weeks().uidOf("Week 1"), -1);
  EXPECT_FALSE(weeks().findByName(""));
  const long first = weeks().create("Week 1");
  const long second = weeks().create("  Summer  ");
  EXPECT_EQ(first, 1);
  EXPECT_EQ(second, 2);
  EXPECT_EQ(weeks().uidOf("week 1"), first);
  EXPECT_EQ(weeks().uidOf("SUMMER"), second);
  EXPECT_EQ(weeks().names(), (std::vector<std::string>{"Summer", "Week 1"}));
  EXPECT_EQ(weeks().nameOf(second), "Summer");
}

TEST_F(MenuTablesTest, ADaysOrderWithDuplicatesIsKeptAcrossSaveAndLoad) {
  const long soup = addRecipe("Soup"), salad = addRecipe("Salad"), bread = addRecipe("Bread");
  const long menu = weeks().create("Week");
  const std::vector<ListItem> items = {{1, salad}, {1, soup}, {1, salad}, {3, bread}, {0, soup}};
  weeks().replaceEntries(menu, items);
  restart();
  EXPECT_EQ(weeks().entriesOf(menu), items);
  // Saving again replaces, never adds.
  weeks().replaceEntries(menu, {{6, bread}});
  EXPECT_EQ(weeks().entriesOf(menu), (std::vector<ListItem>{{6, bread}}));
  weeks().addEntry(menu, 2, soup);
  EXPECT_EQ(weeks().entriesOf(menu), (std::vector<ListItem>{{6, bread}, {2, soup}}));
}

TEST_F(MenuTablesTest, DeletingARecipeOnTheShelfRemovesItFromEveryMenu) {
  const long soup = addRecipe("Soup"), salad = addRecipe("Salad");
  const long a = weeks().create("A"), b = weeks().create("B");
  weeks().replaceEntries(a, {{0, soup}, {1, salad}, {2, soup}});
  weeks().replaceEntries(b, {{4, soup}});
  tables->recipes().remove(soup);
  EXPECT_EQ(weeks().entriesOf(a), (std::vector<ListItem>{{1, salad}}));
  EXPECT_TRUE(weeks().entriesOf(b).empty());
  EXPECT_EQ(weeks().uidOf("B"), b);  // the menu itself stays
}

TEST_F(MenuTablesTest, DeletingABookNamesTheMenusItEmptiesAndTakesItsRecipesOutOfThem) {
  const long soup = addRecipe("Soup"), salad = addRecipe("Salad");
  const long otherBook = tables->books().add("Breads", "", "");
  const long rye = tables->recipes().save(0, tables->chapters().add("Rye", otherBook, "", ""),
                                          store::Recipe{.name = "Rye"}, true);
  const long party = weeks().create("Party"), week = weeks().create("Week 1");
  weeks().replaceEntries(party, {{0, soup}, {2, rye}});
  weeks().replaceEntries(week, {{1, soup}, {1, salad}, {4, soup}});
  weeks().create("Empty");

  bookshelf::ShelfEdits edits({tables->books(), tables->chapters(), tables->categories(),
                               tables->recipes()},
                              user);
  const std::string question =
      "Are you sure you want to delete Soups?\r\n\r\nIts recipes are also taken off these "
      "menus: Party (1 meal), Week 1 (3 meals).";
  user.expectMessage("Delete Book?", question, toolkit::Button::No);
  EXPECT_FALSE(edits.deleteBook(book));
  EXPECT_EQ(weeks().entriesOf(week).size(), 3u);
  user.expectMessage("Delete Book?", question, toolkit::Button::Yes);
  ASSERT_TRUE(edits.deleteBook(book));
  EXPECT_TRUE(weeks().entriesOf(week).empty());
  EXPECT_EQ(weeks().entriesOf(party), (std::vector<ListItem>{{2, rye}}));
}

TEST_F(MenuTablesTest, DeletingAMenuRemovesItFromEveryPlan) {
  const long a = weeks().create("A"), b = weeks().create("B");
  const long plan1 = years().create("Year 1"), plan2 = years().create("Year 2");
  years().replaceEntries(plan1, {{0, a}, {2, b}, {2, a}});
  years().replaceEntries(plan2, {{5, a}});
  weeks().remove(a);
  EXPECT_EQ(weeks().uidOf("A"), -1);
  EXPECT_EQ(years().entriesOf(plan1), (std::vector<ListItem>{{2, b}}));
  EXPECT_TRUE(years().entriesOf(plan2).empty());
  restart();
  EXPECT_EQ(years().entriesOf(plan1), (std::vector<ListItem>{{2, b}}));
}

TEST_F(MenuTablesTest, TheSameMenuInJanuaryAndTwiceInMarchLoadsAsThreeItemsInOrder) {
  const long menu = weeks().create("Week");
  const long plan = years().create("Year");
  years().replaceEntries(plan, {{0, menu}, {2, menu}, {2, menu}});
  restart();
  EXPECT_EQ(years().entriesOf(plan), (std::vector<ListItem>{{0, menu}, {2, menu}, {2, menu}}));
}

TEST_F(MenuTablesTest, RenamingKeepsEntriesAndTheMediaRecord) {
  const long soup = addRecipe("Soup");
  const long menu = weeks().create("Week");
  weeks().replaceEntries(menu, {{0, soup}});
  ASSERT_TRUE(weeks().storeMedia(menu, {"photo", "", "video.mpg"}));
  const std::string media = weeks().mediaOf(menu);
  ASSERT_FALSE(media.empty());
  ASSERT_TRUE(weeks().rename("week", "Holiday"));
  restart();
  EXPECT_EQ(weeks().uidOf("Holiday"), menu);
  EXPECT_EQ(weeks().uidOf("Week"), -1);
  EXPECT_EQ(weeks().mediaOf(menu), media);
  EXPECT_EQ(weeks().mediaReferencesOf(menu), (store::MediaReferences{"photo", "", "video.mpg"}));
  EXPECT_EQ(weeks().entriesOf(menu), (std::vector<ListItem>{{0, soup}}));
  EXPECT_EQ(weeks().names(), std::vector<std::string>{"Holiday"});
}

TEST_F(MenuTablesTest, RenamingAPlanKeepsItsMonths) {
  const long menu = weeks().create("Week");
  const long plan = years().create("Year");
  years().replaceEntries(plan, {{3, menu}});
  ASSERT_TRUE(years().rename("Year", "Next Year"));
  EXPECT_EQ(years().uidOf("next year"), plan);
  EXPECT_EQ(years().entriesOf(plan), (std::vector<ListItem>{{3, menu}}));
}

TEST_F(MenuTablesTest, AllMediaRemovedLeavesNoMediaRecordAndNoListFile) {
  const long menu = weeks().create("Week");
  ASSERT_TRUE(weeks().storeMedia(menu, {"", "sound.wav", ""}));
  const std::string file = weeks().mediaOf(menu);
  ASSERT_FALSE(file.empty());
  EXPECT_TRUE(std::filesystem::exists(programDir.path() / "cmm" / file));
  ASSERT_TRUE(weeks().storeMedia(menu, {"", "", ""}));
  EXPECT_EQ(weeks().mediaOf(menu), "");
  EXPECT_FALSE(std::filesystem::exists(programDir.path() / "cmm" / file));
  restart();
  int records = 0;
  for (long on = weeks().firstRecordOf(menu); on != -1; on = weeks().nextRecord()) ++records;
  EXPECT_EQ(records, 1);  // the header alone
}

TEST_F(MenuTablesTest, AMenuWhoseFirstRecordIsItsMediaRecordStillShowsItsName) {
  const long soup = addRecipe("Soup");
  // As an import writes it: the media record first, then the entries, no header.
  weeks().setMedia(7, "0000abcd");
  weeks().appendStart(7);
  weeks().setText("NAME", "Imported");
  weeks().setNumber("DAY", 2);
  weeks().setNumber("RECIPE_UID", double(soup));
  weeks().append();
  weeks().reopen();
  EXPECT_EQ(weeks().nameOf(7), "Imported");
  EXPECT_EQ(weeks().uidOf("imported"), 7);
  EXPECT_EQ(weeks().names(), std::vector<std::string>{"Imported"});
  EXPECT_EQ(weeks().entriesOf(7), (std::vector<ListItem>{{2, soup}}));
}

TEST_F(MenuTablesTest, NamesThatCannotNameAListAreNotFound) {
  weeks().create("Week");
  EXPECT_FALSE(isListName(""));
  EXPECT_FALSE(isListName("   "));
  EXPECT_FALSE(isListName("|0000abcd"));
  EXPECT_TRUE(isListName("Week 2"));
  EXPECT_EQ(weeks().uidOf("  "), -1);
}

TEST_F(MenuTablesTest, DeletionsArePackedAwayAtClose) {
  const long menu = weeks().create("Week");
  weeks().create("Other");
  weeks().remove(menu);
  tables->closeAll();
  ASSERT_TRUE(tables->openAll().empty());
  EXPECT_EQ(weeks().table().recordCount(), 1u);
}

TEST_F(MenuTablesTest, AfterAnAbnormalEndTheMenuIndexIsRebuiltAndMenusStillFound) {
  const long soup = addRecipe("Soup");
  const long menu = weeks().create("Week");
  weeks().replaceEntries(menu, {{3, soup}});
  tables->rebuildIndexes();
  EXPECT_TRUE(weeks().table().checkIndex().empty());
  EXPECT_EQ(weeks().uidOf("week"), menu);
  EXPECT_EQ(weeks().entriesOf(menu), (std::vector<ListItem>{{3, soup}}));
}

}  // namespace
}  // namespace savora::planning
