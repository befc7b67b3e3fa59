// SETTINGS_WINDOW: the modal dialog of a shopping list's settings: the multiply factor, the number
// of people to serve (and whether nutrients are shown per person), the days the list covers and
// which perishable ingredients are left out.
#pragma once

#include <functional>

#include "toolkit/uiw_window.h"
#include "toolkit/user.h"
#include "toolkit/window_spec.h"

namespace savora::planning {

extern const toolkit::WindowSpec kShoppingListSettingsSpec;

// What the shopping list was made from.
enum class ListSource { Recipe, Menu, Plan };

// The seven values the window edits, each bound to its owner: the shopping list's own values,
// and the program-wide options shared by every list (adjust servings, divide nutrients, serves).
struct ShoppingListSettings {
  int& multiply;          // at least 1
  bool& adjustServings;   // scale every recipe to `serves` people
  bool& divideNutrients;  // nutrients per person
  int& serves;            // at least 1
  int& daysInMenu;        // at least 1; a list made from a recipe covers 1 day
  bool& excludePerishables;
  bool& onlyPerishables;
};

class ShoppingListSettingsWindow : public toolkit::UIW_WINDOW {
 public:
  // `values` must outlive the window (it is modal above its shopping list). `rebuild` is called
  // after OK has stored valid values and closed the window.
  ShoppingListSettingsWindow(ListSource source, ShoppingListSettings values, toolkit::User& user,
                             std::function<void()> rebuild);
  int Event(const toolkit::UI_EVENT& event) override;

 private:
  // SERVES, DIVIDE_NUTRIENTS and SERVE_PROMPT can be used only while ADJUST_BUTTON is ticked.
  void enableServes();
  void ok();

  ShoppingListSettings values_;
  toolkit::User& user_;
  std::function<void()> rebuild_;
  toolkit::UIW_STRING* multiply_;
  toolkit::UIW_BUTTON* adjust_;
  toolkit::UIW_BUTTON* divideNutrients_;
  toolkit::UIW_STRING* serves_;
  toolkit::UIW_PROMPT* servePrompt_;
  toolkit::UIW_STRING* days_;
  toolkit::UIW_BUTTON* excludePerishables_;
  toolkit::UIW_BUTTON* onlyPerishables_;
};

}  // namespace savora::planning
