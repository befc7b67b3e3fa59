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
#include "app/opened_files.h"
#include "app/print_options.h"
#include "app/register_handheld.h"
#include "app/settings.h"
#include "app/shared_tables.h"
#include "app/starter_kitchen_offer.h"
#include "app/tip_files.h"
#include "app/usage_counters.h"
#include "backup/backup.h"
#include "backup/table_swap.h"
#include "bookshelf/book_info_window.h"
#include "codes/program_codes.h"
#include "exchange/exchange_scratch.h"
#include "exchange/import_run_mark.h"
#include "food/ingredient_information_window.h"
#include "planning/week_window.h"
#include "planning/year_window.h"
#include "platform/file_ops.h"
#include "platform/folder_lock.h"
#include "platform/log.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/program_dirs.h"
#include "platform/text.h"
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

namespace savora::app {

using namespace savora::toolkit;

namespace {

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

}  // namespace

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
