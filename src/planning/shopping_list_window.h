// SHOPPING_LIST_WINDOW (kind 1300): the shopping list of a recipe window, a menu window or a plan
// window. It remembers that window and builds from it at once and on Rebuild; the rows show the
// amount, store location, have-it tick, price and 14 nutrients of each item, then the user's own
// items and "<new item>"; Have It, own items, Settings, Export Text and Print work on the list.
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "planning/shopping_list.h"
#include "planning/shopping_list_settings_window.h"
#include "print/print_service.h"
#include "toolkit/uiw_lists.h"
#include "toolkit/uiw_window.h"
#include "toolkit/window_spec.h"

namespace savora::planning {

extern const toolkit::WindowSpec kShoppingListSpec;

// The settings every list shares, kept by the program (adjust servings, divide nutrients,
// serves, show prices).
struct SharedShoppingOptions {
  bool& adjustServings;
  bool& divideNutrients;
  int& serves;
  const bool& showPrices;
};

struct ShoppingListWindowServices {
  ShoppingTables tables;
  toolkit::User& user;
  SharedShoppingOptions options;
  // Reads what the source window shows now; only called while that window is open.
  std::function<ShoppingSource(toolkit::UIW_WINDOW& source)> readSource;
  // Opens the ingredient information window; `changed` is called when it changed the food.
  std::function<void(long ingredient, std::function<void()> changed)> openIngredient{};
  // Prints the list; null: printing is not offered.
  std::shared_ptr<print::PrintService> printing{};
  // Sends the list's rows to the handheld's conduit folder; null: the handheld is not offered.
  std::function<void(const ShoppingList& list, const std::string& conduit)> sendToHandheld{};
  // Counts one more list in the usage counters.
  std::function<void()> countUse{};
};

class ShoppingListWindow : public toolkit::UIW_WINDOW {
 public:
  // Builds at once from the source window; when building fails the list closes with the message.
  ShoppingListWindow(ShoppingListWindowServices services, ShoppingSourceKind kind,
                     toolkit::UIW_WINDOW& source);
  int Event(const toolkit::UI_EVENT& event) override;

  const ShoppingList& list() const { return list_; }
  // Builds the list again from its source window; closes the list when that window is gone.
  void rebuild();

 private:
  bool build();
  void fill();
  std::string rowText(const ShoppingRow& row) const;
  void showCost();
  toolkit::ListEntry rowEntry(size_t row) const;
  void haveItTicked(int row, bool have);
  void openRow(int row);
  void openSettings();
  void exportText();
  ShoppingSettings settings() const;

  ShoppingListWindowServices services_;
  ShoppingSourceKind kind_;
  toolkit::UIW_WINDOW* source_;
  ShoppingList list_;
  // The list's own settings, bound to the settings window.
  int multiply_ = 1;
  int daysInMenu_ = 7;
  bool excludePerishables_ = false;
  bool onlyPerishables_ = false;
  toolkit::UIW_VT_LIST* rows_;
};

}  // namespace savora::planning
