// The recipe window of either shelf.
#include "app/registration.h"

#include <memory>
#include <utility>

#include "app/main_window.h"
#include "app/register_handheld.h"
#include "app/shared_tables.h"
#include "app/tips_window.h"
#include "codes/program_codes.h"
#include "food/category_list_window.h"
#include "food/ingredient_information_window.h"
#include "food/unit_list_window.h"
#include "print/print_service.h"
#include "recipe/recipe_window.h"
#include "toolkit/event_manager.h"
#include "toolkit/window_manager.h"
#include "usda/nutrient_walk_window.h"

namespace savora::app {

using namespace savora::toolkit;

// The abbreviated-units switch as its menu item shows it now.
food::UnitSettings currentUnitSettings(MainWindow& main) {
  return food::UnitSettings{main.Get<UIW_BUTTON>("ABBREVIATED_UNITS")->isChecked()};
}

// The tables a recipe window (or a print of recipes) of one shelf works on.
recipe::RecipeTables recipeTables(MainWindow& main, SharedTables& tables, bool catalog) {
  return tables.recipeTables(catalog, currentUnitSettings(main));
}

namespace {

// What a recipe window works with: the user's recipes, or the catalogue's.
recipe::RecipeWindowServices recipeWindowServices(MainWindow& main, SharedTables& tables,
                                                  User& user, RunServices run, bool catalog) {
  const food::UnitSettings units = currentUnitSettings(main);
  recipe::RecipeWindowServices s{tables.recipeTables(catalog, units), user,
                                 media::MediaLookup(mediaPlaces(run.state)), catalog};
  const TipsServices tips{run.state, run.settings, &tables.recipes()};
  s.playVideo = [tips, &user](const std::string& file) {
    openTipsWindow({TipsMode::SingleVideo, file, {}}, tips, user);
  };
  s.openRecipe = [&main, &tables, &user, run, catalog](long uid) {
    UI_WINDOW_MANAGER::instance().add(std::make_unique<recipe::RecipeWindow>(
        recipeWindowServices(main, tables, user, run, catalog), -1, uid));
  };
  s.specifyBrand = [&tables, &user, units](long ingredient, std::function<void(long)> chosen,
                                           std::function<void(long)> listChanged) {
    auto window = ingredientWindow(tables, user, units, ingredient, std::move(listChanged));
    window->brandChosen = std::move(chosen);
    UI_WINDOW_MANAGER::instance().add(std::move(window));
  };
  s.showBookshelf = [&main, catalog] {
    main.post(UI_EVENT(catalog ? codes::kOpenCatalog : codes::kOpenBookshelf));
  };
  s.print = print::recipePrinter(run.printing, s.tables, user);
  s.list = [&main, &tables, &user, run](recipe::RecipeWindow& window) {
    openShoppingList(main, tables, user, run, window);
  };
  s.sendToHandheld = recipeToHandheld(s.tables, user);
  // USDA nutrients for the recipe's foods
  s.usdaNutrients = [&tables, &user](const store::Recipe& recipe, std::function<void()> changed) {
    usda::walkNutrientGaps(user, tables.kitchen(), recipe, std::move(changed));
  };
  s.mail = [&main, catalog](const store::Recipe& recipe) {
    main.post(UI_EVENT(codes::kSendMail, recipe.uid, catalog ? 1 : 0));
  };
  s.exitState = &run.state.exitState;
  return s;
}

}  // namespace

// The recipe window: kind 400 for the user's recipes, 1600 for the catalogue's.
void registerRecipeWindows(MainWindow& main, SharedTables& tables, User& user, RunServices run) {
  for (const bool catalog : {false, true}) {
    // Without the catalogue its recipes have no window: the command stays unselectable.
    if (catalog && !tables.catalogBooks()) continue;
    main.registerWindow(catalog ? codes::kKindCatalogRecipe : codes::kKindRecipe,
                        [&main, &tables, &user, run, catalog](const UI_EVENT& request) {
                          return std::make_unique<recipe::RecipeWindow>(
                              recipeWindowServices(main, tables, user, run, catalog),
                              request.values[0], request.values[1]);
                        });
  }
}

}  // namespace savora::app
