#include <gtest/gtest.h>

#include "planning/shopping_list_settings_window.h"
#include "scripted_user.h"
#include "toolkit/event_manager.h"
#include "toolkit/object_store.h"
#include "toolkit/window_manager.h"
#include "window_objects.h"

namespace savora::planning {
namespace {

using savora::testing::ScriptedUser;
using namespace savora::toolkit;

// The seven values as a shopping list and the program-wide options hold them.
struct Values {
  int multiply = 1;
  bool adjustServings = false;
  bool divideNutrients = true;
  int serves = 5;
  int daysInMenu = 7;
  bool excludePerishables = false;
  bool onlyPerishables = false;

  bool operator==(const Values&) const = default;
};

class ShoppingListSettingsWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(savora::testing::openWindowObjects()); }
  void TearDown() override { savora::testing::closeWindowObjects(); }
  ShoppingListSettingsWindow* open(ListSource source) {
    ShoppingListSettings bound{
        values.multiply,   values.adjustServings,     values.divideNutrients, values.serves,
        values.daysInMenu, values.excludePerishables, values.onlyPerishables};
    window = UI_WINDOW_MANAGER::instance().add(
        std::make_unique<ShoppingListSettingsWindow>(source, bound, user, [this] { ++rebuilds; }));
    return window;
  }
  void click(const char* button) {
    window->Get<UIW_BUTTON>(button)->click();
    UI_EVENT_MANAGER::instance().processAll();
  }
  void type(const char* field, const char* text) { window->Get<UIW_STRING>(field)->setText(text); }
  bool enabled(const char* name) { return window->Get(name)->isSelectable(); }
  bool isOpen() const { return UI_WINDOW_MANAGER::instance().contains(window); }

  ScriptedUser user;
  Values values;
  int rebuilds = 0;
  ShoppingListSettingsWindow* window = nullptr;
};

TEST_F(ShoppingListSettingsWindowTest, WhatCanBeChangedDependsOnTheListSource) {
  open(ListSource::Recipe);
  EXPECT_EQ(window->Get<UIW_STRING>("DAYS_IN_MENU")->text(), "1");
  for (const char* name :
       {"DAYS_IN_MENU", "DAYS_PROMPT", "DAYS_END", "EXCLUDE_PERISHABLES", "ONLY_PERISHABLES"}) {
    EXPECT_FALSE(enabled(name)) << name;
  }
  EXPECT_EQ(window->Get("MULTIPY_PROMPT")->text(), "Multiply this recipe by:");
  click("CANCEL_BUTTON");
  EXPECT_FALSE(isOpen());
  EXPECT_EQ(values, Values{});

  open(ListSource::Menu);
  EXPECT_EQ(window->Get<UIW_STRING>("DAYS_IN_MENU")->text(), "7");
  EXPECT_TRUE(enabled("DAYS_IN_MENU"));
  EXPECT_FALSE(enabled("EXCLUDE_PERISHABLES"));
  EXPECT_TRUE(enabled("ONLY_PERISHABLES"));
  EXPECT_EQ(window->Get("MULTIPY_PROMPT")->text(), "Multiply this menu by:");
  click("CANCEL_BUTTON");

  open(ListSource::Plan);
  EXPECT_TRUE(enabled("DAYS_IN_MENU"));
  EXPECT_TRUE(enabled("EXCLUDE_PERISHABLES"));
  EXPECT_FALSE(enabled("ONLY_PERISHABLES"));
  EXPECT_EQ(window->Get("MULTIPY_PROMPT")->text(), "Multiply this menu by:");
}

TEST_F(ShoppingListSettingsWindowTest, AdjustButtonEnablesTheServesFields) {
  open(ListSource::Menu);
  auto* adjust = window->Get<UIW_BUTTON>("ADJUST_BUTTON");
  EXPECT_FALSE(adjust->isChecked());
  for (const char* name : {"SERVES", "DIVIDE_NUTRIENTS", "SERVE_PROMPT"})
    EXPECT_FALSE(enabled(name));
  click("ADJUST_BUTTON");
  EXPECT_TRUE(adjust->isChecked());
  for (const char* name : {"SERVES", "DIVIDE_NUTRIENTS", "SERVE_PROMPT"})
    EXPECT_TRUE(enabled(name));
  click("ADJUST_BUTTON");
  EXPECT_FALSE(enabled("SERVES"));

  // A window opened with adjustment on starts with them enabled.
  click("CANCEL_BUTTON");
  values.adjustServings = true;
  open(ListSource::Recipe);
  EXPECT_TRUE(enabled("SERVES"));
}

TEST_F(ShoppingListSettingsWindowTest, FactorBelowOneIsRefusedAndNotStored) {
  values.adjustServings = true;
  open(ListSource::Plan);
  click("ADJUST_BUTTON");  // off
  type("MULTIPLY", "0");
  user.expectMessage("Wait!", "You cannot multiply by a factor less than 1!");
  click("OK_BUTTON");
  EXPECT_EQ(user.messages().back().icon, "HAND");
  EXPECT_TRUE(isOpen());
  EXPECT_EQ(rebuilds, 0);
  // The checks before the factor stored their values; the factor itself stays usable.
  EXPECT_FALSE(values.adjustServings);
  EXPECT_FALSE(values.divideNutrients);
  EXPECT_EQ(values.multiply, 1);

  type("MULTIPLY", "3");
  click("OK_BUTTON");
  EXPECT_FALSE(isOpen());
  EXPECT_EQ(rebuilds, 1);
  EXPECT_EQ(values.multiply, 3);
  EXPECT_EQ(values.serves, 5);  // kept while adjustment is off
}

TEST_F(ShoppingListSettingsWindowTest, ServingLessThanOnePersonIsRefused) {
  open(ListSource::Menu);
  click("ADJUST_BUTTON");
  type("SERVES", "0");
  type("MULTIPLY", "2");
  user.expectMessage("Wait!", "You cannot serve less than 1 person!");
  click("OK_BUTTON");
  EXPECT_TRUE(isOpen());
  EXPECT_EQ(rebuilds, 0);
  EXPECT_EQ(values.serves, 5);
  EXPECT_EQ(values.multiply, 2);
  EXPECT_TRUE(values.adjustServings);

  type("SERVES", "12");
  window->Get<UIW_BUTTON>("DIVIDE_NUTRIENTS")->setChecked(false);
  window->Get<UIW_BUTTON>("ONLY_PERISHABLES")->setChecked(true);
  type("DAYS_IN_MENU", "14");
  click("OK_BUTTON");
  EXPECT_FALSE(isOpen());
  EXPECT_EQ(rebuilds, 1);
  EXPECT_EQ(values, (Values{2, true, false, 12, 14, false, true}));
}

TEST_F(ShoppingListSettingsWindowTest, DaysBelowOneAreRefusedBeforeAnythingElse) {
  open(ListSource::Plan);
  window->Get<UIW_BUTTON>("EXCLUDE_PERISHABLES")->setChecked(true);
  click("ADJUST_BUTTON");
  type("SERVES", "0");
  type("MULTIPLY", "0");
  for (const char* days : {"0", "-1", ""}) {
    type("DAYS_IN_MENU", days);
    user.expectMessage("Wait!", "The number of days in this menu must be greater than zero.");
    click("OK_BUTTON");
  }
  EXPECT_TRUE(isOpen());
  EXPECT_EQ(rebuilds, 0);
  // Only the perishable flags come before the days; an invalid count is never stored.
  EXPECT_TRUE(values.excludePerishables);
  EXPECT_EQ(values.daysInMenu, 7);
  EXPECT_FALSE(values.adjustServings);
  EXPECT_EQ(values.multiply, 1);
}

}  // namespace
}  // namespace savora::planning
