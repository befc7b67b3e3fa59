// The food lists and the ingredient window opened from anywhere.
#include "app/registration.h"

#include <memory>
#include <utility>

#include "app/main_window.h"
#include "app/shared_tables.h"
#include "codes/program_codes.h"
#include "food/category_list_window.h"
#include "food/ingredient_information_window.h"
#include "food/ingredient_list_window.h"
#include "food/unit_list_window.h"
#include "toolkit/event_manager.h"
#include "toolkit/window_manager.h"
#include "usda/usda_foods_window.h"

namespace savora::app {

using namespace savora::toolkit;

// INGREDIENT_INFORMATION for ingredient `uid` (0: a new one), with the USDA foods behind its
// USDA button.
std::unique_ptr<food::IngredientInformationWindow> ingredientWindow(
    SharedTables& tables, User& user, food::UnitSettings units, long uid,
    std::function<void(long selectUid)> listChanged) {
  return std::make_unique<food::IngredientInformationWindow>(
      tables.food(), user, units, uid, 0, std::move(listChanged),
      usda::usdaLookup(user, tables.units(), tables.foodGroups()));
}

void registerWindows(MainWindow& main, SharedTables& tables, User& user) {
  main.registerWindow(codes::kKindFoodGroups, [&tables, &user](const UI_EVENT&) {
    return std::make_unique<food::CategoryListWindow>(tables.foodGroups(), user);
  });
  auto unitSettings = [&main] { return currentUnitSettings(main); };
  main.registerWindow(codes::kKindUnitList, [&tables, &user, unitSettings](const UI_EVENT&) {
    return std::make_unique<food::UnitListWindow>(tables.units(), tables.recipes(), user,
                                                  unitSettings);
  });
  auto openIngredient = [&tables, &user, unitSettings](long uid, auto listChanged) {
    UI_WINDOW_MANAGER::instance().add(
        ingredientWindow(tables, user, unitSettings(), uid, std::move(listChanged)));
  };
  main.registerWindow(codes::kKindIngredientList,
                      [&tables, &user, openIngredient](const UI_EVENT&) {
                        return std::make_unique<food::IngredientListWindow>(
                            tables.ingredients(), tables.recipes(), user, openIngredient);
                      });
}

}  // namespace savora::app
