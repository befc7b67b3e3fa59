// An open menu follows the recipes it holds: renamed in a recipe's save, deleted on the shelf.
#include <gtest/gtest.h>

#include "app/program.h"
#include "app/usage_counters.h"
#include "app_fixture.h"
#include "codes/program_codes.h"
#include "planning/week_window.h"

namespace savora::app {
namespace {

using namespace savora::toolkit;

class MenuRefreshTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    registerWindows(window(), tables, user, {state, settings, usage});
  }
  long addRecipe(long chapter, const std::string& name) {
    store::Recipe recipe;
    recipe.name = name;
    recipe.servings = 2;
    return tables.recipes().save(0, chapter, recipe, true);
  }
  static std::vector<std::string> day(UIW_WINDOW* menu, const char* list) {
    std::vector<std::string> names;
    for (const ListEntry& entry : menu->Get<UIW_VT_LIST>(list)->entries())
      names.push_back(entry.text);
    return names;
  }
  UsageCounters usage;
};

TEST_F(MenuRefreshTest, AnOpenMenuShowsARenamedRecipeAndDropsADeletedOneAtOnce) {
  const long soups = tables.books().add("Soups", "", "");
  const long chapter = tables.chapters().add("Hot", soups, "", "");
  const long leek = addRecipe(chapter, "Leek Soup"), pea = addRecipe(chapter, "Pea Soup");
  const long menu = tables.weeks().create("Week 1");
  tables.weeks().replaceEntries(menu, {{0, leek}, {0, pea}, {3, leek}});
  UI_EVENT request(codes::kOpenMenuWeek);
  request.text = "Week 1";
  UIW_WINDOW* week = window().openWindow(codes::kKindMenuWeek, request);
  ASSERT_NE(week, nullptr);
  settle();
  ASSERT_EQ(day(week, "SUNDAY_LIST"), (std::vector<std::string>{"Leek Soup", "Pea Soup"}));

  // A save under a new name (as the recipe window makes) and a delete (as the bookshelf makes).
  store::Recipe renamed;
  ASSERT_EQ(tables.recipes().load(leek, renamed), chapter);
  renamed.name = "Leek and Potato Soup";
  tables.recipes().save(leek, chapter, renamed, true);
  tables.recipes().remove(pea);
  settle();
  EXPECT_EQ(day(week, "SUNDAY_LIST"), std::vector<std::string>{"Leek and Potato Soup"});
  EXPECT_EQ(day(week, "WEDNESDAY_LIST"), std::vector<std::string>{"Leek and Potato Soup"});
  EXPECT_FALSE(static_cast<planning::WeekWindow*>(week)->hasUnsavedChanges());
}

}  // namespace
}  // namespace savora::app
