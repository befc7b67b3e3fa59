// The program's windows and commands, registered with the main window one feature at a time
// (the register_*.cpp files beside this one), and what the registrations share. Each feature's
// registration wires its windows to the shared tables, the run's services and the other features;
// program.cpp runs them all at start-up.
#pragma once

#include <functional>
#include <memory>

#include "food/unit_names.h"
#include "recipe/recipe_tables.h"
#include "toolkit/user.h"

namespace savora::store {
class TableStore;
}
namespace savora::backup {
class BackupService;
}
namespace savora::print {
class PrintService;
}
namespace savora::food {
class IngredientInformationWindow;
}
namespace savora::online {
struct MailWindowServices;
struct OnlineWindowServices;
}  // namespace savora::online
namespace savora::toolkit {
class UIW_WINDOW;
}

namespace savora::app {

struct AppState;
class MainWindow;
class SharedTables;
struct Settings;
struct UsageCounters;

// What windows need besides the tables and the user, all living for the whole run: the run's
// state (the exit state), the settings, the use counters and what the windows print through
// (registerWindows makes it when none is given).
struct RunServices {
  AppState& state;
  Settings& settings;
  UsageCounters& usage;
  std::shared_ptr<print::PrintService> printing = nullptr;
};

// Tells the main window how to open each window the program has, by kind.
void registerWindows(MainWindow& main, SharedTables& tables, toolkit::User& user, RunServices run);
// Only the windows that need nothing beyond the tables and the user (the food lists).
void registerWindows(MainWindow& main, SharedTables& tables, toolkit::User& user);

void registerBookshelves(MainWindow& main, SharedTables& tables, toolkit::User& user,
                         RunServices run);
void registerRecipeWindows(MainWindow& main, SharedTables& tables, toolkit::User& user,
                           RunServices run);
void registerPlanning(MainWindow& main, SharedTables& tables, toolkit::User& user, RunServices run);
void registerShoppingList(MainWindow& main, SharedTables& tables, toolkit::User& user,
                          RunServices run);
void registerTips(MainWindow& main, SharedTables& tables, toolkit::User& user, RunServices run);

// The import commands: the downloaded file (10033) and Import Data (10429 and its companions),
// with the new CD's archive after the new-CD question.
void registerImports(MainWindow& main, SharedTables& tables, store::TableStore& store,
                     toolkit::User& user, backup::BackupService& backup, const AppState& state);
// Recipe e-mail and the update service: their windows, commands and the update reminder of the
// exit check. The tune functions let tests point the windows at their own servers.
void registerOnline(MainWindow& main, SharedTables& tables, store::TableStore& store,
                    toolkit::User& user, RunServices run,
                    std::function<void(online::MailWindowServices&)> tuneMail = {},
                    std::function<void(online::OnlineWindowServices&)> tuneOnline = {});

// Shared by the registrations.

// The tips command's value when start-up shows the next tip.
inline constexpr long kAtStartUp = 1;

// The abbreviated-units switch as its menu item shows it now.
food::UnitSettings currentUnitSettings(MainWindow& main);
// The tables a recipe window (or a print of recipes) of one shelf works on.
recipe::RecipeTables recipeTables(MainWindow& main, SharedTables& tables, bool catalog);
// INGREDIENT_INFORMATION for ingredient `uid` (0: a new one), with the USDA foods behind its
// USDA button.
std::unique_ptr<food::IngredientInformationWindow> ingredientWindow(
    SharedTables& tables, toolkit::User& user, food::UnitSettings units, long uid,
    std::function<void(long selectUid)> listChanged);
// A window's List: a new shopping list of that window (a recipe, menu or plan window).
void openShoppingList(MainWindow& main, SharedTables& tables, toolkit::User& user, RunServices run,
                      toolkit::UIW_WINDOW& source);

}  // namespace savora::app
