// The menu and plan windows as the program runs them, through the main window: the bookshelf
// fixture's program directory, shared tables and scripted user, with a cookbook of recipes.
#pragma once

#include "../bookshelf/shelf_window_fixture.h"
#include "planning/week_window.h"
#include "planning/year_window.h"

namespace savora::planning {

using bookshelf::ShelfWindowTest;
using toolkit::Button;
using toolkit::UI_EVENT;
using toolkit::UI_WINDOW_MANAGER;
using toolkit::UIW_WINDOW;

class PlanWindowTest : public ShelfWindowTest {
 protected:
  void SetUp() override {
    ShelfWindowTest::SetUp();
    soups = books().add("Soups", "", "");
    hot = chapters().add("Hot", soups, "", "");
    breads = books().add("Breads", "", "");
    loaves = chapters().add("Loaves", breads, "", "");
    tomato = addRecipe(hot, "Tomato Soup");
    onion = addRecipe(hot, "Onion Soup");
    bread = addRecipe(loaves, "Rye Bread");
    settings.browse.cookbook = false;  // the recipe list shows every recipe
  }

  WeekTable& weeks() { return tables->weeks(); }
  YearTable& years() { return tables->years(); }

  WeekWindow* menuWindow() {
    return dynamic_cast<WeekWindow*>(UI_WINDOW_MANAGER::instance().findKind(codes::kKindMenuWeek));
  }
  YearWindow* planWindow() {
    return dynamic_cast<YearWindow*>(UI_WINDOW_MANAGER::instance().findKind(codes::kKindPlan));
  }
  WeekWindow* openMenus() {
    main->post(UI_EVENT(codes::kOpenMenus));
    settle();
    return menuWindow();
  }
  YearWindow* openPlans() {
    main->post(UI_EVENT(codes::kOpenPlans));
    settle();
    return planWindow();
  }
  // The user clicks an entry with the mouse: the selection changes (when it does), then the click.
  static void clickEntry(UIW_WINDOW* w, const char* name, const std::string& entry) {
    auto* l = static_cast<QListWidget*>(w->Get(name)->widget());
    const int row = w->Get<toolkit::UIW_VT_LIST>(name)->findText(entry);
    ASSERT_GE(row, 0) << entry << " is not in " << name;
    l->setCurrentRow(row);
    emit l->itemClicked(l->item(row));
    settle();
  }
  // Closes the tables and opens them again, as a new run of the program would.
  void restartTables() {
    tables->closeAll();
    ASSERT_TRUE(tables->openAll().empty());
  }
  // Makes a menu through the table: entries as {day, recipe}.
  long makeMenu(const std::string& name, const std::vector<ListItem>& items) {
    const long uid = weeks().create(name);
    weeks().replaceEntries(uid, items);
    return uid;
  }

  long soups = 0, hot = 0, breads = 0, loaves = 0;
  long tomato = 0, onion = 0, bread = 0;
};

}  // namespace savora::planning
