// The menu table "week" and the plan table "year" through the program's shared tables: names,
// entries in order, media, rename, and the cascades from recipes to menus and menus to plans;
// the named-list rules of the menu window on the menu table.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "app/shared_tables.h"
#include "bookshelf/shelf_edits.h"
#include "planning/named_list_events.h"
#include "planning/week_table.h"
#include "planning/year_table.h"
#include "platform/file_ops.h"
#include "program_folders.h"
#include "scripted_user.h"
#include "store/table_store.h"

namespace savora::planning {
namespace {

using savora::testing::ScriptedUser;
using toolkit::Button;

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

// The menu window's list of names without the window: a choice over the menu table whose
// write and load hooks record which menu the lists on screen were written to or loaded from, and
// which shows the names again once a save named the lists, as the window does.
class NamedListRulesTest : public MenuTablesTest {
 protected:
  void reset(const std::vector<std::string>& names) {
    for (const std::string& name : weeks().names()) weeks().remove(weeks().uidOf(name));
    for (const std::string& name : names) weeks().create(name);
    choice = std::make_unique<NamedListChoice>(
        weeks(), user, kMenuTexts,
        NamedListHooks{[this](long uid) {
                         written.push_back(weeks().nameOf(uid));
                         return true;
                       },
                       [this](long uid) {
                         loaded.push_back(uid == -1 ? std::string() : weeks().nameOf(uid));
                       },
                       {},
                       [this] { events->refresh(); }});
    events = std::make_unique<NamedListEvents>(
        *choice, [this](const NamedListShown& s) { shown = s; });
    written.clear();
    loaded.clear();
    shown = {};
  }
  int row(const std::string& name) {
    const std::vector<std::string> entries = choice->listEntries();
    return int(std::find(entries.begin(), entries.end(), name) - entries.begin());
  }

  std::unique_ptr<NamedListChoice> choice;
  std::unique_ptr<NamedListEvents> events;
  std::vector<std::string> written, loaded;
  NamedListShown shown;
};

using Texts = std::vector<std::string>;

TEST_F(NamedListRulesTest, TheWindowOpensOnTheMenuAskedForElseTheFirstElseANewOne) {
  struct Case {
    Texts menus;
    Texts preferred;
    const char* current;
  };
  for (const Case& c : {Case{{"Week 1", "Week 2"}, {"", "Week 2"}, "Week 2"},
                        Case{{"Week 1", "Week 2"}, {"week 2", "Week 1"}, "Week 2"},
                        Case{{"Week 1", "Week 2"}, {"Gone"}, "Week 1"},
                        Case{{}, {"Gone"}, "<new menu>"}}) {
    reset(c.menus);
    events->start(c.preferred);
    EXPECT_EQ(choice->current(), c.current);
    EXPECT_EQ(shown.entries[size_t(shown.currentRow)], c.current);
  }
  EXPECT_EQ(shown.title, "Menu");
  reset({"Week 1"});
  events->start({});
  EXPECT_EQ(shown.title, "Menu - Week 1");
}

TEST_F(NamedListRulesTest, NamesAreChosenMadeRenamedDeletedAndSavedByTheRules) {
  enum class Act { Choose, New, Rename, Delete, Save };
  struct Case {
    const char* what;
    const char* start;  // current as the case begins; the menus are Week 1 and Week 2
    bool modified;
    Act act;
    const char* entry;  // the name acted on
    const char* typed;  // typed at the name prompt; "" when not asked, null when cancelled
    const char* title;  // a message expected, with its text and answer
    const char* text;
    Button answer;
    const char* current;  // afterwards
    Texts menus;
    Texts written;  // the menus the lists on screen were written to
    Texts loaded;
  };
  const char* const kExists =
      "A menu with that name already exists.\r\nTo edit a menu name, drag the name over\r\nand "
      "drop it on the Rename button.";
  const Texts both{"Week 1", "Week 2"};
  const Case cases[] = {
      {"new, taken in other case", "Week 1", false, Act::New, "", "WEEK 1", "Wait!", kExists,
       Button::Ok, "Week 1", both, {}, {}},
      {"new", "Week 1", false, Act::New, "", " Week 3 ", nullptr, nullptr, Button::Ok, "Week 3",
       {"Week 1", "Week 2", "Week 3"}, {}, {"Week 3"}},
      {"new while unnamed keeps the lists", "<new menu>", true, Act::New, "", "Week 3", nullptr,
       nullptr, Button::Ok, "Week 3", {"Week 1", "Week 2", "Week 3"}, {}, {}},
      {"rename to nothing", "Week 1", false, Act::Rename, "Week 1", "   ", nullptr, nullptr,
       Button::Ok, "Week 1", both, {}, {}},
      {"rename to another's name", "Week 1", false, Act::Rename, "Week 1", "week 2", "Wait!",
       kExists, Button::Ok, "Week 1", both, {}, {}},
      {"rename to a media name", "Week 1", false, Act::Rename, "Week 1", "|0000abcd", "Wait!",
       "A menu name cannot begin with \"|\".", Button::Ok, "Week 1", both, {}, {}},
      {"rename in other case", "Week 1", false, Act::Rename, "Week 1", "WEEK 1", nullptr, nullptr,
       Button::Ok, "WEEK 1", {"WEEK 1", "Week 2"}, {}, {}},
      {"rename another", "Week 1", true, Act::Rename, "Week 2", "Holiday", nullptr, nullptr,
       Button::Ok, "Week 1", {"Holiday", "Week 1"}, {}, {}},
      {"choose with changes, Cancel", "Week 1", true, Act::Choose, "Week 2", "", "Save Menu?",
       "\r\nWould you like to save Week 1?", Button::Cancel, "Week 1", both, {}, {}},
      {"choose with changes, Yes", "Week 1", true, Act::Choose, "Week 2", "", "Save Menu?",
       "\r\nWould you like to save Week 1?", Button::Yes, "Week 2", both, {"Week 1"}, {"Week 2"}},
      {"choose with changes, No", "Week 1", true, Act::Choose, "Week 2", "", "Save Menu?",
       "\r\nWould you like to save Week 1?", Button::No, "Week 2", both, {}, {"Week 2"}},
      {"unnamed, Yes but no name", "<new menu>", true, Act::Choose, "Week 1", nullptr,
       "Save Menu?", "\r\nWould you like to save this menu?", Button::Yes, "<new menu>", both, {},
       {}},
      {"unnamed, No loads the menu", "<new menu>", true, Act::Choose, "Week 1", "", "Save Menu?",
       "\r\nWould you like to save this menu?", Button::No, "Week 1", both, {}, {"Week 1"}},
      {"delete the current", "Week 1", false, Act::Delete, "Week 1", "", "Delete Menu?",
       "Are you sure you want to delete Week 1?", Button::Yes, "Week 2", {"Week 2"}, {},
       {"Week 2"}},
      {"delete the last and current", "Week 2", false, Act::Delete, "Week 2", "", "Delete Menu?",
       "Are you sure you want to delete Week 2?", Button::Yes, "<new menu>", {"Week 1"}, {},
       {""}},
      {"delete another", "Week 1", false, Act::Delete, "Week 2", "", "Delete Menu?",
       "Are you sure you want to delete Week 2?", Button::Yes, "Week 1", {"Week 1"}, {}, {}},
      {"delete, No", "Week 1", false, Act::Delete, "Week 2", "", "Delete Menu?",
       "Are you sure you want to delete Week 2?", Button::No, "Week 1", both, {}, {}},
      {"save unnamed, no name", "<new menu>", true, Act::Save, "", nullptr, nullptr, nullptr,
       Button::Ok, "<new menu>", both, {}, {}},
      {"save unnamed", "<new menu>", true, Act::Save, "", "Soup Week", nullptr, nullptr,
       Button::Ok, "Soup Week", {"Soup Week", "Week 1", "Week 2"}, {"Soup Week"}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    reset(both);
    choice->load(c.start);
    loaded.clear();
    if (c.modified) choice->setModified();
    if (!c.typed) user.answerPrompt(std::nullopt);
    if (c.typed && *c.typed) user.answerPrompt(std::string(c.typed));
    if (c.title) user.expectMessage(c.title, c.text, c.answer);
    const Texts entries = choice->listEntries();
    switch (c.act) {
      case Act::Choose:
        events->chosen(entries, row(c.entry));
        break;
      case Act::New:
        events->newClicked();
        break;
      case Act::Rename:
        events->renameDropped(entries, row(c.entry));
        break;
      case Act::Delete:
        events->deleteAt(entries, row(c.entry));
        break;
      case Act::Save:
        choice->save();
        break;
    }
    user.verifyAllAnswered();
    EXPECT_EQ(choice->current(), c.current);
    EXPECT_EQ(weeks().names(), c.menus);
    EXPECT_EQ(written, c.written);
    EXPECT_EQ(loaded, c.loaded);
    if (!shown.entries.empty()) {
      EXPECT_EQ(shown.entries[size_t(shown.currentRow)], c.current);
      EXPECT_EQ(shown.title, choice->hasName() ? "Menu - " + choice->current() : "Menu");
    }
  }
}

}  // namespace
}  // namespace savora::planning
