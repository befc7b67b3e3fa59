// The menu and plan windows and menu picking.
#include "app/registration.h"

#include <memory>

#include "app/main_window.h"
#include "app/settings.h"
#include "app/shared_tables.h"
#include "app/tips_window.h"
#include "bookshelf/book_shelf_window.h"
#include "codes/program_codes.h"
#include "planning/week_window.h"
#include "planning/year_window.h"
#include "toolkit/event_manager.h"
#include "toolkit/status_window.h"
#include "toolkit/window_manager.h"

namespace savora::app {

using namespace savora::toolkit;

namespace {

// A recipe opened from a menu window is opened, never picked for a menu: values[3] says so.
constexpr long kNotForMenuPicking = 1;

}  // namespace

// The menu window (kind 200) and the plan window (kind 1100), and menu picking: the menu window's
// "From the Bookshelf..." opens the recipe bookshelf, which asks for a recipe while the menu
// waits; the recipe the user then opens there (command 10433) goes onto the menu's day.
void registerPlanning(MainWindow& main, SharedTables& tables, User& user, RunServices run) {
  auto picking = std::make_shared<int>(0);  // the identifier of the waiting menu window, or 0
  auto weekServices = [&main, &tables, &user, run, picking] {
    Settings& s = run.settings;
    planning::WeekWindowServices w{.shelf = tables.shelf(false),
                                   .weeks = tables.weeks(),
                                   .user = user,
                                   .memory = {s.browse.cookbook, s.browse.cookbookAndChapter,
                                              s.browse.category, s.lastMenuWeek},
                                   .lookup = media::MediaLookup(mediaPlaces(run.state))};
    const TipsServices tips{run.state, run.settings, &tables.recipes()};
    w.playVideo = [tips, &user](const std::string& file, const std::vector<long>& recipes) {
      openTipsWindow({TipsMode::RecipeList, file, recipes}, tips, user);
    };
    w.openRecipe = [&main](long recipe) {
      main.post(UI_EVENT(codes::kOpenRecipe, -1, recipe, 0, kNotForMenuPicking));
    };
    w.pickFromShelf = [&main, picking](planning::WeekWindow& window) {
      auto* shelf = dynamic_cast<bookshelf::BookShelfWindow*>(
          main.openWindow(codes::kKindBookshelf, UI_EVENT(codes::kOpenBookshelf)));
      if (!shelf) return;
      *picking = window.numberID();
      shelf->setMenuPicking(true);
      shelf->menuPickingEnded = [picking] { *picking = 0; };
    };
    w.list = [&main, &tables, &user, run](planning::WeekWindow& window) {
      openShoppingList(main, tables, user, run, window);
    };
    w.printing = run.printing;
    w.exitState = &run.state.exitState;
    return w;
  };
  main.registerWindow(codes::kKindMenuWeek, [weekServices](const UI_EVENT& request) {
    return std::make_unique<planning::WeekWindow>(weekServices(), request.text);
  });
  main.setMenuPicker([picking](const UI_EVENT& request) {
    if (*picking == 0) return false;
    auto& manager = UI_WINDOW_MANAGER::instance();
    UIW_WINDOW* menu = nullptr;
    for (UIW_WINDOW* window : manager.windows()) {
      if (window->numberID() == *picking && window->kind() == codes::kKindMenuWeek) menu = window;
    }
    *picking = 0;
    if (auto* shelf =
            dynamic_cast<bookshelf::BookShelfWindow*>(manager.findKind(codes::kKindBookshelf)))
      shelf->setMenuPicking(false);
    if (!menu) return false;
    manager.bringToFront(menu);
    menu->post(UI_EVENT(codes::week_window::kRecipePicked, request.values[1]));
    return true;
  });

  auto openMenu = [&main](const std::string& name) {
    auto& manager = UI_WINDOW_MANAGER::instance();
    if (UIW_WINDOW* open = manager.findKind(codes::kKindMenuWeek)) {
      manager.bringToFront(open);
      UI_EVENT show(codes::week_window::kShowMenu);
      show.text = name;
      open->post(show);
      return;
    }
    UI_EVENT request(codes::kOpenMenuWeek);
    request.text = name;
    main.openWindow(codes::kKindMenuWeek, request);
  };
  main.registerWindow(codes::kKindPlan, [&main, &tables, &user, run, openMenu](const UI_EVENT&) {
    planning::YearWindowServices services{
        .years = tables.years(), .weeks = tables.weeks(), .user = user, .openMenu = openMenu};
    services.list = [&main, &tables, &user, run](planning::YearWindow& window) {
      openShoppingList(main, tables, user, run, window);
    };
    services.printing = run.printing;
    services.exitState = &run.state.exitState;
    return std::make_unique<planning::YearWindow>(services);
  });
}

}  // namespace savora::app
