// The search window driven offscreen: it fills a list in another window batch by batch, answers
// Cancel, ends with the messages of a search, and never touches a list whose window has closed.
#include <gtest/gtest.h>

#include <QProgressBar>

#include "food/ingredient_table.h"
#include "program_folders.h"
#include "scripted_user.h"
#include "search/recipe_search_window.h"
#include "store/recipe_table.h"
#include "toolkit/event_codes.h"
#include "toolkit/event_manager.h"
#include "toolkit/object_store.h"
#include "toolkit/window_manager.h"
#include "window_objects.h"

namespace savora::search {
using namespace savora::store;
namespace {

using toolkit::UI_EVENT_MANAGER;
using toolkit::UI_WINDOW_MANAGER;
using toolkit::UIW_BUTTON;
using toolkit::UIW_VT_LIST;
using toolkit::UIW_WINDOW;

constexpr const char* kNoMatch = "No recipes matching the search parameters were found.";

class RecipeSearchWindowTest : public savora::testing::ProgramFoldersTest {
 protected:
  void SetUp() override {
    ProgramFoldersTest::SetUp();
    ASSERT_TRUE(savora::testing::openWindowObjects());
    recipes.open();
    foods.open();
    // Any window with a list stands in for the bookshelf.
    shelf = UI_WINDOW_MANAGER::instance().add(std::make_unique<UIW_WINDOW>("CATEGORY_LIST"));
    list = shelf->Get<UIW_VT_LIST>("LIST");
  }
  void TearDown() override {
    savora::testing::closeWindowObjects();
    ProgramFoldersTest::TearDown();
  }

  void addRecipes(const std::string& name, int count, const std::string& instructions = {}) {
    for (int i = 0; i < count; ++i) {
      Recipe recipe;
      recipe.name = name + (count > 1 ? " " + std::to_string(i + 1) : "");
      recipe.instructions = instructions;
      recipes.save(0, 1, recipe, false);
    }
  }
  UIW_WINDOW* start(const std::string& text) {
    return startRecipeSearch({recipes, foods, user, text, list, [this] { return option; },
                              [this](bool on) { option = on; }, [this] { ++searches; }});
  }
  bool searchWindowOpen() const {
    for (UIW_WINDOW* w : UI_WINDOW_MANAGER::instance().windows()) {
      if (w->resourceName() == "RECIPE_SEARCH") return true;
    }
    return false;
  }
  static void settle() { UI_EVENT_MANAGER::instance().processAll(); }

  savora::testing::ScriptedUser user;
  TableStore store{user};
  RecipeTable recipes{store, "rc65"};
  food::IngredientTable foods{store};
  UIW_WINDOW* shelf = nullptr;
  UIW_VT_LIST* list = nullptr;
  bool option = false;
  int searches = 0;
};

TEST_F(RecipeSearchWindowTest, MatchesFillTheListAndTheWindowClosesItself) {
  addRecipes("Apple Pie", 1);
  addRecipes("Pear Tart", 1, "Serve with apple sauce.");
  addRecipes("Apple Crumble", 1);
  option = true;
  UIW_WINDOW* window = start("apple");
  EXPECT_EQ(searches, 1);
  EXPECT_EQ(user.waitDepth(), 1);
  EXPECT_TRUE(window->Get<UIW_BUTTON>("INCLUDE_INSTRUCTIONS")->isChecked());
  EXPECT_EQ(window->Get("SEARCHING_PROMPT")->text(), "Searching Recipe Database...");
  EXPECT_EQ(list->count(), 0);  // nothing happens before the first event
  settle();

  ASSERT_EQ(list->count(), 3);
  const toolkit::ListEntry first = list->entry(0);
  EXPECT_EQ(first.text, "Apple Pie");
  EXPECT_EQ(first.id, recipes.find("Apple Pie", 1));
  EXPECT_EQ(first.event, 10466);
  EXPECT_EQ(list->entry(1).text, "Pear Tart");
  EXPECT_EQ(list->current(), 0);
  EXPECT_FALSE(searchWindowOpen());
  EXPECT_EQ(user.waitDepth(), 0);
  EXPECT_TRUE(user.messages().empty());
}

TEST_F(RecipeSearchWindowTest, TheCheckBoxWritesTheOptionBackAtOnce) {
  addRecipes("Pear Tart", 1, "Serve with apple sauce.");
  UIW_WINDOW* window = start("apple");
  auto* box = window->Get<UIW_BUTTON>("INCLUDE_INSTRUCTIONS");
  EXPECT_FALSE(box->isChecked());
  box->click();  // ticked before the first batch: the instructions are searched
  settle();
  EXPECT_TRUE(option);
  ASSERT_EQ(list->count(), 1);
  EXPECT_EQ(list->entry(0).text, "Pear Tart");
}

TEST_F(RecipeSearchWindowTest, Over500ListsWhatWasFoundAndSaysSo) {
  addRecipes("Muffins", 505);
  start("muffins");
  user.expectMessage("Wait!",
                     "Over 500 recipes found. Please\r\nnarrow your search by "
                     "increasing\r\nthe search parameters.");
  settle();
  EXPECT_EQ(list->count(), 501);
  EXPECT_EQ(list->current(), 0);
  EXPECT_EQ(user.messages().back().icon, "HAND");
  EXPECT_EQ(user.waitDepth(), 0);
}

TEST_F(RecipeSearchWindowTest, PhotoModeShowsNoCountMessage) {
  Recipe withPicture;
  withPicture.name = "Layer Cake";
  withPicture.media = {"cake.jpg", "cake.wav", ""};
  recipes.save(0, 1, withPicture, false);
  Recipe soundOnly;
  soundOnly.name = "Cake Song";
  soundOnly.media = {"", "cake.wav", ""};
  recipes.save(0, 1, soundOnly, false);
  start(kPhotoSearchText);
  settle();
  ASSERT_EQ(list->count(), 1);
  EXPECT_EQ(list->entry(0).text, "Layer Cake");
  EXPECT_TRUE(user.messages().empty());
  EXPECT_EQ(searches, 1);

  // Nothing with a picture: still no message.
  list->clear();
  recipes.remove(recipes.find("Layer Cake", 1));
  start(kPhotoSearchText);
  settle();
  EXPECT_EQ(list->count(), 0);
  EXPECT_TRUE(user.messages().empty());
}

TEST_F(RecipeSearchWindowTest, CancelKeepsWhatWasFound) {
  addRecipes("Soup", 30);
  UIW_WINDOW* window = start("soup");
  // Cancel lands behind the first batch: ten recipes are listed, the rest never examined.
  window->Get<UIW_BUTTON>("CANCEL_BUTTON")->click();
  settle();
  EXPECT_EQ(list->count(), 10);
  EXPECT_FALSE(searchWindowOpen());
  EXPECT_EQ(user.waitDepth(), 0);
  EXPECT_TRUE(user.messages().empty());
}

TEST_F(RecipeSearchWindowTest, CancelOrCloseBeforeAnyMatchGivesTheNoMatchMessage) {
  addRecipes("Soup", 30);
  UIW_WINDOW* window = start("salad");
  window->Get<UIW_BUTTON>("CANCEL_BUTTON")->click();
  user.expectMessage("Information", kNoMatch);
  settle();
  EXPECT_EQ(user.messages().back().icon, "ASTERISK");
  EXPECT_EQ(user.waitDepth(), 0);

  // The title bar's close button cancels the same way.
  window = start("salad");
  window->post(toolkit::UI_EVENT(toolkit::S_CLOSE));
  user.expectMessage("Information", kNoMatch);
  settle();
  EXPECT_FALSE(searchWindowOpen());
  EXPECT_EQ(user.waitDepth(), 0);
}

TEST_F(RecipeSearchWindowTest, AnEmptyTableEndsWithTheNoMatchMessage) {
  start("anything");
  user.expectMessage("Information", kNoMatch);
  settle();
  EXPECT_EQ(list->count(), 0);
  EXPECT_FALSE(searchWindowOpen());
  EXPECT_EQ(user.waitDepth(), 0);
}

TEST_F(RecipeSearchWindowTest, AClosedBookshelfEndsTheSearchQuietly) {
  addRecipes("Soup", 30);
  start("soup");
  UI_WINDOW_MANAGER::instance().subtract(shelf);  // destroyed after the next event
  list = nullptr;
  settle();  // no message: the scripted user fails on any
  EXPECT_FALSE(searchWindowOpen());
  EXPECT_TRUE(UI_WINDOW_MANAGER::instance().windows().empty());
  EXPECT_EQ(user.waitDepth(), 0);
}

TEST_F(RecipeSearchWindowTest, ClosingEverythingMidSearchRestoresThePointer) {
  addRecipes("Soup", 30);
  start("soup");
  UI_WINDOW_MANAGER::instance().closeAll();
  EXPECT_EQ(user.waitDepth(), 0);
  settle();
}

TEST_F(RecipeSearchWindowTest, TheProgressFollowsTheRecipesExamined) {
  addRecipes("Soup", 25);
  UIW_WINDOW* window = start("salad");
  auto* bar = qobject_cast<QProgressBar*>(window->Get("PROGRESS")->widget());
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->maximum(), 25);
  EXPECT_EQ(bar->value(), 0);
  int valueAtEnd = -1;
  user.onMessage = [&](const savora::testing::ScriptedUser::Message&) {
    valueAtEnd = bar->value();
  };
  user.expectMessage("Information", kNoMatch);
  settle();
  EXPECT_EQ(valueAtEnd, 25);
}

}  // namespace
}  // namespace savora::search
