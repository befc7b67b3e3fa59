// Sending recipes and shopping lists to the handheld: the main window's command (also what the
// bookshelf's, recipe window's and shopping list's Handheld buttons ask for), and the senders the
// three windows write their data with once the user is chosen.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "planning/shopping_list.h"
#include "recipe/recipe_tables.h"
#include "store/recipe.h"
#include "toolkit/user.h"

namespace savora::app {

struct AppState;
class MainWindow;
struct Settings;

// Command 10555: with the bookshelf (either shelf), a recipe window or a shopping list in front,
// probes for the handheld desktop and opens the user choice, which sends that window the export
// request. The desktop folder and the user chosen last are kept in the settings' two handheld
// texts.
void registerHandheld(MainWindow& main, toolkit::User& user, AppState& state, Settings& settings);

std::function<void(const store::Recipe&, const std::string& conduit, bool append)> recipeToHandheld(
    recipe::RecipeTables tables, toolkit::User& user);
std::function<void(const std::vector<long>&, const std::string& conduit, bool append)>
shelfToHandheld(recipe::RecipeTables tables, toolkit::User& user);
std::function<void(const planning::ShoppingList&, const std::string& conduit)> listToHandheld(
    toolkit::User& user);

}  // namespace savora::app
