#include "app/program.h"

#include "app/app_state.h"
#include "app/content_title.h"
#include "app/format_upgrade.h"
#include "app/installed_titles.h"
#include "app/main_window.h"
#include "app/settings.h"
#include "app/shared_tables.h"
#include "app/usage_counters.h"
#include "food/category_list_window.h"
#include "food/ingredient_information_window.h"
#include "food/ingredient_list_window.h"
#include "food/unit_list_window.h"
#include "online/backup.h"
#include "platform/file_ops.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/program_dirs.h"
#include "platform/text.h"
#include "store/book_info_window.h"
#include "store/book_shelf_window.h"
#include "store/table_store.h"
#include "toolkit/event_manager.h"
#include "toolkit/help_window.h"
#include "toolkit/object_store.h"
#include "toolkit/single_instance.h"
#include "toolkit/status_window.h"
#include "toolkit/window_manager.h"

namespace savora::app {

using namespace savora::toolkit;

namespace {

constexpr int kTipsCommand = 10530;
constexpr int kIntroCommand = 10540;

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
  writeLastTitle(state.title);
}

bool anyUpgradePending() {
  for (const auto& upgrade : kUpgrades) {
    if (upgradePending(upgrade.table)) return true;
  }
  return false;
}

// The intro when it is on and no upgrade waits, otherwise the next tip while tips are on. The
// tips window plays them; until it is part of the program the commands go unanswered.
void introOrTip(MainWindow& main, Settings& settings) {
  const bool upgrades = anyUpgradePending();
  if (settings.showIntro && !upgrades && main.hasCommand(kIntroCommand)) {
    main.post(UI_EVENT(kIntroCommand));
  } else if (settings.tipCounter != 0 && main.hasCommand(kTipsCommand)) {
    main.post(UI_EVENT(kTipsCommand));
    if (settings.tipCounter > 1) --settings.tipCounter;
  }
}

// The crash marker "init" exists exactly while the program runs; finding it at start means the
// last run ended abnormally, so the indexes are rebuilt.
void checkCrashMarker(const AppState& state, SharedTables& tables, User& user) {
  if (!platform::fileExists("init")) {
    platform::writeWholeFile("init", "");
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

}  // namespace

void registerWindows(MainWindow& main, SharedTables& tables, User& user) {
  main.registerWindow(kKindFoodGroups, [&tables, &user](const UI_EVENT&) {
    return new food::CategoryListWindow(tables.foodGroups(), user);
  });
  // The abbreviated-units switch as its menu item shows it now.
  auto unitSettings = [&main] {
    return food::UnitSettings{main.Get<UIW_BUTTON>("ABBREVIATED_UNITS")->isChecked()};
  };
  main.registerWindow(kKindUnitList, [&tables, &user, unitSettings](const UI_EVENT&) {
    return new food::UnitListWindow(tables.units(), tables.recipes(), user, unitSettings);
  });
  auto openIngredient = [&tables, &user, unitSettings](long uid, auto listChanged) {
    const food::FoodTables food{tables.ingredients(), tables.brands(), tables.units(),
                                tables.foodGroups(), tables.recipes()};
    UI_WINDOW_MANAGER::instance().add(new food::IngredientInformationWindow(
        food, user, unitSettings(), uid, 0, std::move(listChanged)));
  };
  main.registerWindow(kKindIngredientList, [&tables, &user, openIngredient](const UI_EVENT&) {
    return new food::IngredientListWindow(tables.ingredients(), tables.recipes(), user,
                                          openIngredient);
  });
}

namespace {

// The bookshelf's part of the settings: the browse modes and its kind's last selection.
store::BookshelfMemory bookshelfMemory(Settings& settings, BookshelfSelection& selection) {
  return {settings.browse.cookbook, settings.browse.cookbookAndChapter,
          settings.browse.category, selection.book,
          selection.chapter,        selection.category};
}

store::BookshelfSearch bookshelfSearch(SharedTables& tables, RunServices run) {
  Settings& settings = run.settings;
  UsageCounters& usage = run.usage;
  return {tables.ingredients(), [&settings] { return settings.includeInstructionsInSearch; },
          [&settings](bool include) { settings.includeInstructionsInSearch = include; },
          [&usage] { ++usage.recipeSearch; }};
}

void registerBookshelves(MainWindow& main, SharedTables& tables, User& user, RunServices run) {
  main.registerWindow(kKindBookshelf, [&tables, &user, run](const UI_EVENT&) {
    return new store::BookShelfWindow(
        {tables.books(), tables.chapters(), tables.categories(), tables.recipes()},
        store::Shelf::Recipes, bookshelfMemory(run.settings, run.settings.recipeShelf),
        bookshelfSearch(tables, run), user);
  });
  // Without the catalogue its command stays unselectable: no window is registered for it.
  if (tables.catalogBooks()) {
    main.registerWindow(kKindCatalog, [&tables, &user, run](const UI_EVENT&) {
      return new store::BookShelfWindow({*tables.catalogBooks(), *tables.catalogChapters(),
                                         *tables.catalogCategories(), *tables.catalogRecipes()},
                                        store::Shelf::Catalog,
                                        bookshelfMemory(run.settings, run.settings.catalogShelf),
                                        bookshelfSearch(tables, run), user);
    });
  }
  // The information window of the book, chapter or category the bookshelf handed over.
  main.registerWindow(kKindInformation, [&tables, &user, run](const UI_EVENT& request) {
    const long type = request.values[0];
    if (type < long(store::ShelfItemType::Book) || type > long(store::ShelfItemType::Category))
      return static_cast<UIW_WINDOW*>(nullptr);
    const bool catalog = request.values[3] != 0;
    if (catalog && !tables.catalogBooks()) return static_cast<UIW_WINDOW*>(nullptr);
    const store::ShelfTables shelf =
        catalog ? store::ShelfTables{*tables.catalogBooks(), *tables.catalogChapters(),
                                     *tables.catalogCategories(), *tables.catalogRecipes()}
                : store::ShelfTables{tables.books(), tables.chapters(), tables.categories(),
                                     tables.recipes()};
    return static_cast<UIW_WINDOW*>(
        new store::BookInfoWindow(shelf, catalog ? store::Shelf::Catalog : store::Shelf::Recipes,
                                  user, store::ShelfItemType(type), request.values[1],
                                  request.values[2], nullptr, &run.state.exitState));
  });
}

}  // namespace

void registerWindows(MainWindow& main, SharedTables& tables, User& user, RunServices run) {
  registerWindows(main, tables, user);
  registerBookshelves(main, tables, user, run);
}

int runProgram(const std::string& programDirectory, User& user) {
  if (!platform::setProgramDirectory(programDirectory)) return -1;
  AppState state;
  state.programDirectory = platform::programDirectory();
  state.digital = platform::fileExists("digitals");
  if (const auto drive = platform::readWholeFile("drive", 1); drive && !drive->empty())
    state.cdDrive = (*drive)[0];
  platform::drives().loadFromIni(platform::windowsDirectory() + "SAVORA99.INI");

  if (!ObjectStore::open(state.programDirectory + "OBJECTS.DAT")) return -1;
  state.helpFile = state.programDirectory + "SAVORA.HLP";
  HelpSystem::install(state.helpFile);
  UI_EVENT_MANAGER::instance().setErrorHandler(
      [&user](const std::string& what) { user.message("Error!", "HAND", Buttons::Ok, what); });

  findTitle(state, user);
  std::vector<std::string> titles = readInstalledTitles();
  titles.push_back(state.title);
  int result = 1;
  const std::string scope = platform::windowsDirectory();
  if (!SingleInstance::activateRunning(titles, scope)) {
    Settings settings;
    settings.readSettings();
    UsageCounters usage = readUsageCounters();
    ++usage.programStarts;
    if (const auto tips = readTipCounter(state.titleDirectory())) settings.tipCounter = *tips;

    store::TableStore store(user);
    SharedTables tables(store);
    online::BackupService backup(store, tables.mainTables(), user);
    backup.setLastLocation(settings.backupFolder);
    {
      MainWindow main({state, settings, user, store, tables, backup});
      SingleInstance instance;  // destroyed before the window it brings forward
      instance.listen(state.title, scope, [&main] { main.activate(); });
      registerWindows(main, tables, user, {state, settings, usage});
      main.showOnScreen();
      introOrTip(main, settings);

      if (const auto failed = tables.openAll(); !failed.empty()) {
        std::string names;
        for (const auto& name : failed) names += name + "\r\n";
        user.message("Error!", "HAND", Buttons::Ok,
                     "These data files could not be opened:\r\n" + names);
      }
      for (const auto& upgrade : kUpgrades) {
        if (upgradePending(upgrade.table)) main.post(UI_EVENT(upgrade.command));
      }
      checkCrashMarker(state, tables, user);
      main.startTimer();

      UI_EVENT_MANAGER::instance().run();

      main.rememberPosition();
      settings.backupFolder =
          backup.lastLocation().empty() ? settings.backupFolder : backup.lastLocation();
    }
    StatusWindow::close();
    settings.writeSettings(state.title);
    writeInstalledVersion();
    writeUsageCounters(usage);
    writeTipCounter(state.titleDirectory(), settings.tipCounter);
    {
      WaitPointer wait(user);
      tables.closeAll();
    }
    platform::deleteFile("init");
    if (state.restartInstaller) platform::startProgram("install.exe", state.programDirectory);
    result = 0;
  }

  UI_EVENT_MANAGER::instance().setErrorHandler({});
  UI_EVENT_MANAGER::instance().clear();
  HelpSystem::uninstall();
  ObjectStore::close();
  return result;
}

}  // namespace savora::app
