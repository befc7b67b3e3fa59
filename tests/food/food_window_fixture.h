// The kitchen's tables in a program folder of the test's own, the program's
// object file, and helpers to fill fields, click, type and find the windows on screen.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <string>
#include <vector>

#include "kitchen.h"
#include "program_folders.h"
#include "scripted_user.h"
#include "toolkit/event_manager.h"
#include "toolkit/object_store.h"
#include "toolkit/uiw_window.h"
#include "toolkit/window_manager.h"
#include "window_objects.h"

namespace savora::food {

class FoodWindowTest : public savora::testing::ProgramFoldersTest,
                       public savora::testing::Kitchen<savora::testing::ScriptedUser> {
 protected:
  void SetUp() override {
    ProgramFoldersTest::SetUp();
    openKitchen();
    ASSERT_TRUE(savora::testing::openWindowObjects());
  }
  void TearDown() override {
    savora::testing::closeWindowObjects();
    ProgramFoldersTest::TearDown();
  }

  static void settle() { toolkit::UI_EVENT_MANAGER::instance().processAll(); }
  static void setText(toolkit::UIW_WINDOW* window, const char* field, const char* text) {
    window->Get<toolkit::UIW_STRING>(field)->setText(text);
  }
  static void click(toolkit::UIW_WINDOW* window, const char* button) {
    window->Get<toolkit::UIW_BUTTON>(button)->click();
    settle();
  }
  // Types the keys into a list or combo box the way the keyboard does (8: Backspace).
  static void typeInto(toolkit::UI_WINDOW_OBJECT* chooser, const std::string& keys) {
    for (const char c : keys) {
      const bool backspace = c == '\b';
      QKeyEvent event(QEvent::KeyPress, backspace ? int(Qt::Key_Backspace) : int(Qt::Key_A),
                      Qt::NoModifier, backspace ? QString() : QString(QChar(c)));
      QApplication::sendEvent(chooser->widget(), &event);
    }
    settle();
  }
  static bool onScreen(const toolkit::UIW_WINDOW* window) {
    return toolkit::UI_WINDOW_MANAGER::instance().contains(window);
  }
  // The window of that object on screen, or null.
  static toolkit::UIW_WINDOW* shown(const std::string& resource) {
    for (toolkit::UIW_WINDOW* w : toolkit::UI_WINDOW_MANAGER::instance().windows()) {
      if (w->resourceName() == resource) return w;
    }
    return nullptr;
  }
  static std::vector<std::string> texts(const toolkit::UIW_VT_LIST* list) {
    std::vector<std::string> out;
    for (const auto& entry : list->entries()) out.push_back(entry.text);
    return out;
  }
  static std::vector<std::string> texts(const toolkit::UIW_COMBO_BOX* combo) {
    std::vector<std::string> out;
    for (int i = 0; i < combo->count(); ++i) out.push_back(combo->entry(i).text);
    return out;
  }

  // teaspoon 1 (tsp), tablespoon 2 (T, = 3 teaspoons), ounce 3 (oz, weight).
  void addUnits() { ASSERT_TRUE(addSpoonsAndOunce()); }
  // A recipe whose first lines use the units and ingredients given; returns its UID.
  long addRecipe(const std::vector<std::pair<long, long>>& unitAndIngredient) {
    store::Recipe recipe;
    recipe.name = "Pancakes";
    for (size_t i = 0; i < unitAndIngredient.size(); ++i) {
      recipe.lines[i].quantity = "1";
      recipe.lines[i].unit = unitAndIngredient[i].first;
      recipe.lines[i].ingredient = unitAndIngredient[i].second;
    }
    return recipes.save(0, 1, recipe, false);
  }
  store::Recipe recipe(long uid) {
    store::Recipe loaded;
    recipes.load(uid, loaded);
    return loaded;
  }
};

}  // namespace savora::food
