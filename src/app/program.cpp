#include "app/program.h"

#include <QPointer>
#include <QWidget>
#include <cstdio>
#include <exception>
#include <memory>
#include <utility>

#include "app/app_state.h"
#include "app/content_title.h"
#include "app/format_upgrade.h"
#include "app/installed_titles.h"
#include "app/main_window.h"
#include "app/new_cd_import.h"
#include "app/opened_files.h"
#include "app/print_options.h"
#include "app/register_handheld.h"
#include "app/settings.h"
#include "app/shared_tables.h"
#include "app/starter_kitchen_offer.h"
#include "app/tip_files.h"
#include "app/tips_window.h"
#include "app/usage_counters.h"
#include "app/web_import.h"
#include "backup/backup.h"
#include "backup/backup_schedule.h"
#include "backup/table_swap.h"
#include "book_export/book_export.h"
#include "book_export/shelf_text_export.h"
#include "bookshelf/book_info_window.h"
#include "bookshelf/book_shelf_window.h"
#include "codes/program_codes.h"
#include "exchange/exchange_import.h"
#include "exchange/exchange_scratch.h"
#include "exchange/import_run_mark.h"
#include "exchange/import_window.h"
#include "food/category_list_window.h"
#include "food/ingredient_information_window.h"
#include "food/ingredient_list_window.h"
#include "food/unit_list_window.h"
#include "online/keychain_password_store.h"
#include "online/mail_window.h"
#include "online/online_settings.h"
#include "online/online_window.h"
#include "online/update_message_window.h"
#include "online/update_reminder.h"
#include "planning/shopping_list_window.h"
#include "planning/week_window.h"
#include "planning/year_window.h"
#include "platform/file_ops.h"
#include "platform/folder_lock.h"
#include "platform/log.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/program_dirs.h"
#include "platform/text.h"
#include "print/print_service.h"
#include "print/print_setup_window.h"
#include "recipe/recipe_window.h"
#include "store/open_tables.h"
#include "store/table_store.h"
#include "toolkit/event_manager.h"
#include "toolkit/help_window.h"
#include "toolkit/object_store.h"
#include "toolkit/single_instance.h"
#include "toolkit/status_window.h"
#include "toolkit/window_manager.h"
#include "usda/nutrient_walk_window.h"
#include "usda/usda_foods_window.h"

namespace savora::app {

using namespace savora::toolkit;

namespace {

constexpr long kAtStartUp = 1;

// The title to run: the CD's (installing a new CD's title directory), or the next of the
// installed titles after the one last run.
void findTitle(AppState& state, User& user) {
  std::string cdTitle;
  const std::string onCd = cdInfoOnCd(state);
  if (!onCd.empty() && platform::fileExists(onCd)) {
    cdTitle = readCdInfo(state).appName;
    state.title = cdTitle;
    if (!cdTitle.empty() && !platform::isFolder(state.titleDirectory())) installNewCd(state, user);
  } else {
    state.title = readLastTitle();
  }
  state.title = chooseTitle(cdTitle, state.title, readInstalledTitles());
  if (state.title.empty()) state.title = kDefaultTitle;
  platform::logIfFailed(writeLastTitle(state.title),
                        "the title run is not noted: the next start may pick another");
}

bool anyUpgradePending() {
  for (const auto& upgrade : kUpgrades) {
    if (upgradePending(upgrade.table)) return true;
  }
  return false;
}

// At start-up: the intro when it is on and there is one to play, otherwise the next tip while
// the tips are on. A start with a format upgrade waiting shows neither.
void introOrTip(MainWindow& main, const AppState& state, const Settings& settings) {
  if (anyUpgradePending()) return;
  if (settings.showIntro && !findIntroVideo(state).empty()) {
    main.post(UI_EVENT(codes::kShowIntro));
  } else if (settings.tipCounter != 0) {
    main.post(UI_EVENT(codes::kShowTips, kAtStartUp));
  }
}

// The crash marker "init" exists exactly while the program runs; finding it at start means the
// last run ended abnormally, so the indexes are rebuilt.
void checkCrashMarker(const AppState& state, SharedTables& tables, User& user) {
  if (!platform::fileExists("init")) {
    platform::logIfFailed(platform::writeWholeFile("init", ""),
                          "the crash marker \"init\" cannot be written: a crash of this run will "
                          "not rebuild the indexes");
    return;
  }
  user.message(
      "Wait!", "HAND", Buttons::Ok,
      platform::formatText("%s was terminated abnormally the last time\r\nit was used. Please "
                           "wait while the data file\r\nindex tables are rebuilt.",
                           state.title.c_str()));
  WaitPointer wait(user);
  tables.rebuildIndexes();
}

// The abbreviated-units switch as its menu item shows it now.
food::UnitSettings currentUnitSettings(MainWindow& main) {
  return food::UnitSettings{main.Get<UIW_BUTTON>("ABBREVIATED_UNITS")->isChecked()};
}

}  // namespace

// INGREDIENT_INFORMATION for ingredient `uid` (0: a new one), with the USDA foods behind its
// USDA button.
std::unique_ptr<food::IngredientInformationWindow> ingredientWindow(
    SharedTables& tables, User& user, food::UnitSettings units, long uid,
    food::IngredientInformationWindow::ListChanged listChanged) {
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

namespace {

// The bookshelf's part of the settings: the browse modes and its kind's last selection.
bookshelf::BookshelfMemory bookshelfMemory(Settings& settings, BookshelfSelection& selection) {
  return {settings.browse.cookbook, settings.browse.cookbookAndChapter,
          settings.browse.category, selection.book,
          selection.chapter,        selection.category};
}

bookshelf::BookshelfSearch bookshelfSearch(SharedTables& tables, RunServices run) {
  Settings& settings = run.settings;
  UsageCounters& usage = run.usage;
  return {tables.ingredients(), [&settings] { return settings.includeInstructionsInSearch; },
          [&settings](bool include) { settings.includeInstructionsInSearch = include; },
          [&usage] { ++usage.recipeSearch; }};
}

// The tables a recipe window (or a print of recipes) of one shelf works on.
recipe::RecipeTables recipeTables(MainWindow& main, SharedTables& tables, bool catalog) {
  return tables.recipeTables(catalog, currentUnitSettings(main));
}

// ---- Book export: the Export button of both bookshelves. ----

// A catalogue book goes into the same exchange tables as a recipe book (see book_export.h): the
// archive imports onto the recipe bookshelf of any installation. A name ending in ".mmf" or
// ".mxp" writes a recipe text file instead.
std::function<void(const bookshelf::BookShelfWindow::ExportChoice&)> bookExport(
    SharedTables& tables, bool catalog, User& user) {
  return [&tables, catalog, &user,
          shelf = tables.shelf(catalog)](const bookshelf::BookShelfWindow::ExportChoice& choice) {
    const std::string filter =
        std::string(book_export::kExportFilter) + ";;" + book_export::kTextExportFilter;
    const auto chosen = user.saveFileName(
        "Export Data...", filter,
        toolkit::suggestedFileName(shelf.books.nameOf(choice.book), ".zel", "Cookbook"));
    platform::setProgramDirectory(platform::programDirectory());
    if (!chosen) return;
    const book_export::BookExportSources sources = tables.exportSources(catalog);
    if (const auto format = book_export::textFormatOfPath(*chosen)) {
      std::vector<long> recipe;
      if (choice.recipe > 0) recipe.push_back(choice.recipe);
      book_export::exportShelfAsText(user, sources, {choice.book, choice.chapter, recipe}, *format,
                                     *chosen);
      return;
    }
    // The export writes only exchange tables of its own; it counts no recipes as added.
    store::TableStore exportStore(user);
    book_export::exportBook(exportStore, sources, choice.book, *chosen);
  };
}

void registerBookshelves(MainWindow& main, SharedTables& tables, User& user, RunServices run) {
  main.registerWindow(codes::kKindBookshelf, [&main, &tables, &user, run](const UI_EVENT&) {
    auto window = std::make_unique<bookshelf::BookShelfWindow>(
        tables.shelf(false), bookshelf::Shelf::Recipes,
        bookshelfMemory(run.settings, run.settings.recipeShelf), bookshelfSearch(tables, run),
        user);
    window->printRecipes =
        print::listedRecipesPrinter(run.printing, recipeTables(main, tables, false), user);
    window->sendToHandheld = shelfToHandheld(recipeTables(main, tables, false), user);
    window->setBookExport(bookExport(tables, false, user));
    return window;
  });
  // Without the catalogue its command stays unselectable: no window is registered for it.
  if (tables.catalogBooks()) {
    main.registerWindow(codes::kKindCatalog, [&main, &tables, &user, run](const UI_EVENT&) {
      auto window = std::make_unique<bookshelf::BookShelfWindow>(
          tables.shelf(true), bookshelf::Shelf::Catalog,
          bookshelfMemory(run.settings, run.settings.catalogShelf), bookshelfSearch(tables, run),
          user);
      window->printRecipes =
          print::listedRecipesPrinter(run.printing, recipeTables(main, tables, true), user);
      window->sendToHandheld = shelfToHandheld(recipeTables(main, tables, true), user);
      window->setBookExport(bookExport(tables, true, user));
      return window;
    });
  }
  // The information window of the book, chapter or category the bookshelf handed over.
  main.registerWindow(codes::kKindInformation, [&tables, &user, run](const UI_EVENT& request) {
    const long type = request.values[0];
    if (type < long(bookshelf::ShelfItemType::Book) ||
        type > long(bookshelf::ShelfItemType::Category))
      return std::unique_ptr<UIW_WINDOW>();
    const bool catalog = request.values[3] != 0;
    if (catalog && !tables.catalogBooks()) return std::unique_ptr<UIW_WINDOW>();
    auto window = std::make_unique<bookshelf::BookInfoWindow>(
        tables.shelf(catalog), catalog ? bookshelf::Shelf::Catalog : bookshelf::Shelf::Recipes,
        user, bookshelf::ShelfItemType(type), request.values[1], request.values[2], nullptr,
        &run.state.exitState, media::MediaLookup(mediaPlaces(run.state)));
    window->print = print::textPagePrinter(run.printing);
    return std::unique_ptr<UIW_WINDOW>(std::move(window));
  });
}

// The intro and the tips play in the TIPS window.
void registerTips(MainWindow& main, SharedTables& tables, User& user, RunServices run) {
  const TipsServices services{run.state, run.settings, &tables.recipes()};
  main.registerCommand(codes::kShowIntro, [services, &user](const UI_EVENT&) {
    openTipsWindow({TipsMode::Intro, {}, {}}, services, user);
  });
  main.registerCommand(codes::kShowTips, [services, &user](const UI_EVENT& event) {
    TipsWindow* window = openTipsWindow({TipsMode::Tips, {}, {}}, services, user);
    // The tip shown at start-up stays the next one until the user moves on with Next.
    if (event.values[0] == kAtStartUp && window->hasVideo() && services.settings.tipCounter > 1) {
      --services.settings.tipCounter;
      window->keepStartUpTip();
    }
  });
}

// ---- Shopping list ----
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
  ShoppingListOptions& o = run.settings.shoppingList;
  planning::ShoppingListWindowServices services{
      .tables = tables.shoppingTables(catalog, currentUnitSettings(main)),
      .user = user,
      .options = {o.adjustServings, o.divideNutrients, o.serves, o.showPrices},
      .readSource = shoppingSourceOf};
  const food::UnitSettings units = currentUnitSettings(main);
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

// A window's List: a new list of that window.
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

// What a recipe window works with: the user's recipes, or the catalogue's.
recipe::RecipeWindowServices recipeWindowServices(MainWindow& main, SharedTables& tables,
                                                  User& user, RunServices run, bool catalog) {
  const food::UnitSettings units = currentUnitSettings(main);
  recipe::RecipeWindowServices s{
      tables.recipeTables(catalog, units),
      user,
      media::MediaLookup(mediaPlaces(run.state)),
      catalog};
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

// A recipe opened from a menu window is opened, never picked for a menu: values[3] says so.
constexpr long kNotForMenuPicking = 1;

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

}  // namespace

// ---- Exchange-archive import: Import Recipes, the file start-up found in the download folder and
// a new CD's archive. ----

// Exchange archives and the MasterCook and Meal-Master files the import reads.
constexpr const char* kImportFilter =
    "Recipe Files (*.zel *.mxp *.mmf *.txt *.html *.htm);;Savora Export Files (*.zel);;"
    "MasterCook Files (*.mxp *.txt);;Meal-Master Files (*.mmf *.txt);;"
    "Web Pages (*.html *.htm)";

// Opens IMPORT_WINDOW for the file; an open bookshelf shows the imported book afterwards. After
// a new CD's archive the CD is installed as a title (`newCd`).
void startImport(SharedTables& tables, store::TableStore& store, User& user,
                 const std::string& path, const AppState* newCd = nullptr) {
  exchange::ImportOptions options{exchange::NewItems::Ask};
  options.fetchPhoto = webPhotoFetcher(user);  // a web page's recipe photos
  if (!platform::fileExists(path)) {
    user.message("Wait!", "ASTERISK", Buttons::Ok,
                 platform::formatText("This file %s does not exist.", path.c_str()));
    return;
  }
  auto import = exchange::ExchangeImport::start(store, tables.importTargets(), path, options);
  if (!import) return;
  UI_WINDOW_MANAGER::instance().add(std::make_unique<exchange::ImportWindow>(
      std::move(import), [newCd, &user](long book, long chapter) {
        auto* shelf = dynamic_cast<bookshelf::BookShelfWindow*>(
            UI_WINDOW_MANAGER::instance().findKind(codes::kKindBookshelf));
        if (shelf && book > 0) shelf->showBook(book, chapter);
        if (newCd) finishNewCdImport(*newCd, user);
      }));
}

// "Backup Data First?": Yes backs the tables up into the automatic backup file.
void offerBackup(User& user, backup::BackupService& backup) {
  if (user.message("Backup Data First?", "QUESTION", Buttons::YesNo,
                   "Would you like to back up your recipe data before importing?") == Button::Yes) {
    backup.backup(backup::automaticBackupPath());
  }
}

void registerImports(MainWindow& main, SharedTables& tables, store::TableStore& store, User& user,
                     backup::BackupService& backup, const AppState& state) {
  // The file found in download/, or one opened with the program (named by the event).
  main.registerCommand(codes::kImportFile, [&main, &tables, &store, &user](const UI_EVENT& event) {
    auto& manager = UI_WINDOW_MANAGER::instance();
    if (UIW_WINDOW* shelf = manager.findKind(codes::kKindBookshelf)) manager.bringToFront(shelf);
    startImport(tables, store, user,
                event.text.empty() ? main.newContent().fileToImport() : event.text);
  });
  auto importData = [&main, &tables, &store, &user, &backup, &state](const UI_EVENT&) {
    const bool newCd = main.newContent().takeNewCdImport();
    offerBackup(user, backup);
    if (newCd) {
      startImport(tables, store, user, platform::programDirectory() + "import.zel", &state);
      return;
    }
    const auto chosen =
        user.openFileName("Import Data...", kImportFilter, platform::programDirectory());
    platform::setProgramDirectory(platform::programDirectory());
    if (chosen) startImport(tables, store, user, *chosen);
  };
  for (int command : codes::kImportDataCommands) main.registerCommand(command, importData);
  main.registerCommand(codes::kImportFromWeb, [&tables, &store, &user](const UI_EVENT&) {
    const auto address = user.prompt(kImportFromWebTitle, kWebAddressPrompt, 2000, "");
    if (!address || platform::trim(*address).empty()) return;
    if (const auto page = fetchWebPage(user, platform::trim(*address)))
      startImport(tables, store, user, *page);
  });
}

// ---- Online services: recipe e-mail and the update service ----

namespace {

// What the online windows keep for the whole run: the mail login, the password given this run
// (or kept in the desktop's secret store) and whether this run's exit has asked the reminder.
struct OnlineRun {
  online::MailLogin login = online::readMailLogin(installedTitlesPath());
  online::KeychainPasswordStore keychain;
  online::MailPassword password{keychain};
  bool reminderAsked = false;
};

// MAIL_WINDOW, opened or fronted, with the recipes added to it.
void openMail(MainWindow& main, const std::vector<online::MailRecipe>& recipes) {
  if (auto* mail = dynamic_cast<online::MailWindow*>(
          main.openWindow(codes::kKindMail, UI_EVENT(codes::kSendMail))))
    mail->addRecipes(recipes);
}

}  // namespace

void registerOnline(MainWindow& main, SharedTables& tables, store::TableStore& store, User& user,
                    RunServices run, std::function<void(online::MailWindowServices&)> tuneMail,
                    std::function<void(online::OnlineWindowServices&)> tuneOnline) {
  auto online = std::make_shared<OnlineRun>();
  main.registerWindow(
      codes::kKindMail, [&main, &tables, &store, &user, run, online, tuneMail](const UI_EVENT&) {
        online::MailSettings settings{
            run.settings.email.senderName, run.settings.email.senderAddress,
            run.settings.email.mailServer, online->login, [](const online::MailLogin& login) {
              platform::logIfFailed(online::writeMailLogin(installedTitlesPath(), login),
                                    "the mail login is not saved in " + installedTitlesPath());
            }};
        online::MailWindowServices services{recipeTables(main, tables, false), store, user,
                                            std::move(settings), online->password};
        services.countUse = [&usage = run.usage] { ++usage.email; };
        if (tables.catalogRecipes())
          services.catalogTables.emplace(recipeTables(main, tables, true));
        if (tuneMail) tuneMail(services);
        return std::make_unique<online::MailWindow>(std::move(services));
      });
  // The menu's command mails the front recipe window's recipe (which checks that it is saved)
  // or the recipe selected on the front bookshelf, of either shelf; values[0], when set, is the
  // recipe to mail and values[1] is 1 when it is the catalogue's.
  main.registerCommand(codes::kSendMail, [&main, &tables](const UI_EVENT& event) {
    auto mailRecipe = [&tables](long uid, bool catalog) {
      store::RecipeTable* recipes = catalog ? tables.catalogRecipes() : &tables.recipes();
      return online::MailRecipe{recipes ? recipes->nameOf(uid) : "", uid, catalog};
    };
    if (event.values[0] > 0) {
      openMail(main, {mailRecipe(event.values[0], event.values[1] != 0)});
      return;
    }
    UIW_WINDOW* front = UI_WINDOW_MANAGER::instance().front();
    if (front &&
        (front->kind() == codes::kKindRecipe || front->kind() == codes::kKindCatalogRecipe)) {
      front->post(UI_EVENT(codes::kSendMail));
      return;
    }
    std::vector<online::MailRecipe> recipes;
    // From a bookshelf, the recipe selected in its list is what goes.
    if (auto* shelf = dynamic_cast<bookshelf::BookShelfWindow*>(front)) {
      const bool catalog = shelf->shelf() == bookshelf::Shelf::Catalog;
      if (const long selected = shelf->selectedRecipe(); selected != 0)
        recipes.push_back(mailRecipe(selected, catalog));
    }
    openMail(main, recipes);
  });

  main.registerWindow(codes::kKindOnline, [&user, run, tuneOnline](const UI_EVENT&) {
    online::OnlineWindowServices services{
        user,
        online::readUpdateServer(installedTitlesPath()),
        platform::programDirectory(),
        run.state.title,
        kVersionText,
        {platform::formatText("%s v%s", run.state.title.c_str(), kVersionText)},
        run.state.updateInstaller};
    if (tuneOnline) tuneOnline(services);
    return std::make_unique<online::OnlineWindow>(std::move(services));
  });
  main.registerCommand(codes::kUpdateService, [&main, run](const UI_EVENT& event) {
    run.settings.updateServiceOption = 1;  // asking for the service switches the reminder on
    main.openWindow(codes::kKindOnline, event);
  });
  main.registerCommand(codes::kOnlineNews, [&main](const UI_EVENT& event) {
    main.openWindow(codes::kKindOnline, event);
  });
  main.setUpdateReminder([run, online] {
    if (online->reminderAsked || run.settings.updateServiceOption == 0) return false;
    online->reminderAsked = true;
    return online::reminderDue(platform::programDirectory(), online::currentMonth());
  });
  main.registerCommand(codes::kUpdateReminder, [&main, run](const UI_EVENT&) {
    UI_WINDOW_MANAGER::instance().add(std::make_unique<online::UpdateMessageWindow>(
        run.state.title,
        online::UpdateReminderActions{run.settings.updateServiceOption,
                                      [&main] { main.post(UI_EVENT(codes::kUpdateService)); },
                                      [&main] { main.leave(); }}));
  });
}

namespace {

// Recipes renamed or deleted anywhere (the bookshelf, a recipe window): the open menus and then
// the shopping lists show them anew, once for a whole batch of changes.
void followRecipeChanges(MainWindow& main, SharedTables& tables) {
  auto pending = std::make_shared<bool>(false);
  tables.recipes().changed = [&main, pending, alive = QPointer<QWidget>(main.widget())](long) {
    if (!alive || std::exchange(*pending, true)) return;
    main.post(UI_EVENT(codes::kRecipesChanged));
  };
  main.registerCommand(codes::kRecipesChanged, [pending](const UI_EVENT&) {
    *pending = false;
    const std::vector<UIW_WINDOW*> open = UI_WINDOW_MANAGER::instance().windows();
    for (UIW_WINDOW* window : open) {
      if (window->kind() == codes::kKindMenuWeek) window->post(UI_EVENT(codes::kRecipesChanged));
    }
    for (UIW_WINDOW* window : open) {
      if (window->kind() == codes::kKindShoppingList)
        window->post(UI_EVENT(codes::shopping_list_window::kRebuild));
    }
  });
}

}  // namespace

void registerWindows(MainWindow& main, SharedTables& tables, User& user, RunServices run) {
  if (!run.printing) {
    Settings& settings = run.settings;
    run.printing = std::make_shared<print::SetupPrintService>(
        user, [&settings] { return printSettingsOf(settings.print); },
        [&settings](const print::PrintSettings& kept) { keepPrintSettings(settings.print, kept); });
  }
  registerWindows(main, tables, user);
  followRecipeChanges(main, tables);
  registerBookshelves(main, tables, user, run);
  registerRecipeWindows(main, tables, user, run);
  registerTips(main, tables, user, run);
  registerPlanning(main, tables, user, run);
  registerShoppingList(main, tables, user, run);
  registerHandheld(main, user, run.state, run.settings);
}

namespace {

int runProgramUnguarded(const platform::ProgramFolders& folders,
                        const std::vector<std::string>& openFiles, User& user) {
  if (!platform::setProgramDirectory(folders.data)) return -1;
  platform::setProgramFilesDirectory(folders.files);
  AppState state;
  state.programDirectory = platform::programDirectory();
  state.digital = platform::fileExists("digitals");
  if (const auto drive = platform::readWholeFile("drive", 1); drive && !drive->empty())
    state.cdDrive = (*drive)[0];
  platform::drives().loadFromIni(platform::windowsDirectory() + "SAVORA99.INI");

  if (!ObjectStore::open(platform::programFilesDirectory() + "OBJECTS.DAT")) return -1;
  state.helpFile = platform::programFilesDirectory() + "SAVORA.HLP";
  HelpSystem::install(state.helpFile);
  UI_EVENT_MANAGER::instance().setErrorHandler(
      [&user](const std::string& what) { user.message("Error!", "HAND", Buttons::Ok, what); });

  findTitle(state, user);
  std::vector<std::string> titles = readInstalledTitles();
  titles.push_back(state.title);
  int result = 1;
  const std::string scope = platform::windowsDirectory();
  if (SingleInstance::activateRunning(titles, scope, openFiles)) {
    std::fprintf(stderr, "%s is already running: its window was brought to the front.\n",
                 state.title.c_str());
  } else if (platform::FolderLock lock; !lock.tryLock(platform::kFolderLockName)) {
    if (lock.heldByAnother()) {
      // The command-line companion is changing the tables: starting now would write over its
      // work.
      user.message("Wait!", "HAND", Buttons::Ok,
                   platform::formatText("%s cannot start while savora99-cli imports into or "
                                        "exports from\r\n%s\r\nTry again when it has finished.",
                                        state.title.c_str(), state.programDirectory.c_str()));
    } else {
      user.message("Error!", "HAND", Buttons::Ok,
                   platform::formatText("%s cannot start: the file\r\n%s%s\r\nthat keeps two "
                                        "copies from changing the same data cannot be opened "
                                        "(%s).",
                                        state.title.c_str(), state.programDirectory.c_str(),
                                        platform::kFolderLockName, lock.problem().c_str()));
    }
  } else {
    Settings settings;
    settings.readSettings();
    UsageCounters usage = readUsageCounters();
    ++usage.programStarts;
    if (const auto tips = readTipCounter(state.titleDirectory())) settings.tipCounter = *tips;

    store::TableStore store(user);
    SharedTables tables(store);
    backup::BackupService backup(store, tables.mainTables(), user);
    backup.setLastLocation(settings.backupFolder);
    {
      MainWindow main({state, settings, user, store, tables, backup});
      SingleInstance instance;  // destroyed before the window it brings forward
      instance.listen(state.title, scope, [&main](const std::vector<std::string>& files) {
        main.activate();
        for (const std::string& file : files) main.post(openedFileEvent(file));
      });
      registerWindows(main, tables, user, {state, settings, usage, nullptr});
      registerImports(main, tables, store, user, backup, state);
      registerOnline(main, tables, store, user, {state, settings, usage});
      main.showOnScreen();
      introOrTip(main, state, settings);

      backup::recoverInterruptedRestore();
      store::reportOpenFailures(user, tables.openAll());
      offerStarterKitchen(tables.units(), tables.foodGroups(), tables.ingredients(), user);
      exchange::removeExchangeFiles();  // what a killed import or export left
      exchange::settleInterruptedImport(user, tables.shelf(false), true);
      for (const auto& upgrade : kUpgrades) {
        if (upgradePending(upgrade.table)) main.post(UI_EVENT(upgrade.command));
      }
      checkCrashMarker(state, tables, user);
      for (const std::string& file : openFiles) main.post(openedFileEvent(file));
      main.startTimer();

      UI_EVENT_MANAGER::instance().run();

      main.rememberPosition();
      settings.backupFolder =
          backup.lastLocation().empty() ? settings.backupFolder : backup.lastLocation();
    }
    StatusWindow::close();
    if (!settings.writeSettings(state.title))
      user.message("Error!", "HAND", Buttons::Ok,
                   "Your settings could not be saved in\r\n" + settingsFilePath());
    platform::logIfFailed(writeInstalledVersion(), "the installed version is not noted");
    platform::logIfFailed(writeUsageCounters(usage), "the usage counters are not saved");
    platform::logIfFailed(writeTipCounter(state.titleDirectory(), settings.tipCounter),
                          "the next tip is not saved");
    {
      WaitPointer wait(user);
      tables.closeAll();
    }
    platform::logIfFailed(platform::deleteFile("init"),
                          "the crash marker \"init\" stays: the next start rebuilds the indexes");
    // Only the installer taken out of the verified download, by its full path.
    if (!state.updateInstaller.empty())
      platform::startProgramFile(state.updateInstaller, {}, state.programDirectory);
    result = 0;
  }

  UI_EVENT_MANAGER::instance().setErrorHandler({});
  UI_EVENT_MANAGER::instance().clear();
  HelpSystem::uninstall();
  ObjectStore::close();
  return result;
}

}  // namespace

int runProgram(const std::string& programDirectory, User& user) {
  return runProgram({programDirectory, programDirectory}, user);
}

int runProgram(const platform::ProgramFolders& folders, User& user,
               const std::vector<std::string>& openFiles) {
  // Later runs in this process (tests) find the program files beside their own tables again.
  struct ProgramFilesReset {
    ~ProgramFilesReset() { platform::setProgramFilesDirectory({}); }
  } reset;
  try {
    return runProgramUnguarded(folders, openFiles, user);
  } catch (const std::exception& error) {
    // Table errors name their file. Everything that reached here was unwound: tables closed,
    // the lock released.
    std::fprintf(stderr, "savora99: %s\n", error.what());
    try {
      user.message("Error!", "HAND", Buttons::Ok,
                   platform::formatText("Savora must stop:\r\n%s", error.what()));
    } catch (...) {
    }
    UI_EVENT_MANAGER::instance().setErrorHandler({});
    UI_EVENT_MANAGER::instance().clear();
    HelpSystem::uninstall();
    ObjectStore::close();
    return 1;
  }
}

}  // namespace savora::app
