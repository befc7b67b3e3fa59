// The shopping list of a recipe, menu or plan window.
#include "app/registration.h"

#include <memory>
#include <utility>

#include "app/main_window.h"
#include "app/register_handheld.h"
#include "app/settings.h"
#include "app/shared_tables.h"
#include "app/usage_counters.h"
#include "codes/program_codes.h"
#include "food/category_list_window.h"
#include "food/ingredient_information_window.h"
#include "food/unit_list_window.h"
#include "planning/shopping_list_window.h"
#include "planning/week_window.h"
#include "planning/year_window.h"
#include "recipe/recipe_window.h"
#include "toolkit/event_manager.h"
#include "toolkit/window_manager.h"

namespace savora::app {

using namespace savora::toolkit;

namespace {

// What a shopping list reads from the window it was made from, now.
planning::ShoppingSource shoppingSourceOf(UIW_WINDOW& window) {
  planning::ShoppingSource source;
  if (auto* recipeWindow = dynamic_cast<recipe::RecipeWindow*>(&window)) {
    source.recipe = recipeWindow->edit().recipe();
  } else if (auto* menu = dynamic_cast<planning::WeekWindow*>(&window)) {
    source.kind = planning::ShoppingSourceKind::Menu;
    for (int day = 0; day < planning::kDaysInWeek; ++day)
      source.days[size_t(day)] = menu->dayRecipes(day);
  } else if (auto* plan = dynamic_cast<planning::YearWindow*>(&window)) {
    source.kind = planning::ShoppingSourceKind::Plan;
    for (int month = 0; month < planning::kMonthsInYear; ++month)
      source.months[size_t(month)] = plan->monthMenus(month);
  }
  return source;
}

// A shopping list of the window (a recipe, menu or plan window), built and not yet shown.
std::unique_ptr<UIW_WINDOW> makeShoppingList(MainWindow& main, SharedTables& tables, User& user,
                                             RunServices run, UIW_WINDOW& source) {
  const bool catalog = source.kind() == codes::kKindCatalogRecipe;
  const planning::ShoppingSourceKind kind = shoppingSourceOf(source).kind;
  const food::UnitSettings units = currentUnitSettings(main);
  ShoppingListOptions& o = run.settings.shoppingList;
  planning::ShoppingListWindowServices services{
      .tables = tables.shoppingTables(catalog, units),
      .user = user,
      .options = {o.adjustServings, o.divideNutrients, o.serves, o.showPrices},
      .readSource = shoppingSourceOf};
  services.openIngredient = [&tables, &user, units](long ingredient,
                                                    std::function<void()> changed) {
    UI_WINDOW_MANAGER::instance().add(
        ingredientWindow(tables, user, units, ingredient, [changed](long) { changed(); }));
  };
  services.printing = run.printing;
  services.countUse = [&usage = run.usage] { ++usage.shoppingList; };
  services.sendToHandheld = listToHandheld(user);
  auto window = std::make_unique<planning::ShoppingListWindow>(std::move(services), kind, source);
  window->setNumberID(main.nextWindowId(codes::kKindShoppingList));
  return window;
}

}  // namespace

void openShoppingList(MainWindow& main, SharedTables& tables, User& user, RunServices run,
                      UIW_WINDOW& source) {
  UI_WINDOW_MANAGER::instance().add(makeShoppingList(main, tables, user, run, source));
}

// Main window command 10444: a list of the recipe, menu or plan window nearest the front.
void registerShoppingList(MainWindow& main, SharedTables& tables, User& user, RunServices run) {
  main.registerWindow(codes::kKindShoppingList, [&main, &tables, &user, run](const UI_EVENT&) {
    auto& manager = UI_WINDOW_MANAGER::instance();
    UIW_WINDOW* source = nullptr;
    for (UIW_WINDOW* window : manager.windows()) {
      const int kind = window->kind();
      if (kind == codes::kKindRecipe || kind == codes::kKindCatalogRecipe ||
          kind == codes::kKindMenuWeek || kind == codes::kKindPlan)
        source = window;
    }
    if (UIW_WINDOW* front = manager.front()) {
      const int kind = front->kind();
      if (kind == codes::kKindRecipe || kind == codes::kKindCatalogRecipe ||
          kind == codes::kKindMenuWeek || kind == codes::kKindPlan)
        source = front;
    }
    if (!source) {
      user.message("Unable to Generate List", "ASTERISK", Buttons::Ok,
                   "Open a recipe, or menu and then\r\nclick List to generate a shopping\r\nlist "
                   "and get a nutritional analysis.");
      return std::unique_ptr<UIW_WINDOW>();
    }
    return makeShoppingList(main, tables, user, run, *source);
  });
}

}  // namespace savora::app
