// Importing: Import Data, the file found in the download folder, a new CD's archive and a web page.
#include "app/registration.h"

#include <memory>
#include <utility>

#include "app/app_state.h"
#include "app/main_window.h"
#include "app/new_cd_import.h"
#include "app/shared_tables.h"
#include "app/web_import.h"
#include "backup/backup.h"
#include "backup/backup_schedule.h"
#include "bookshelf/book_shelf_window.h"
#include "codes/program_codes.h"
#include "exchange/exchange_import.h"
#include "exchange/import_window.h"
#include "food/category_list_window.h"
#include "platform/file_ops.h"
#include "platform/program_dirs.h"
#include "platform/text.h"
#include "store/table_store.h"
#include "toolkit/event_manager.h"
#include "toolkit/window_manager.h"

namespace savora::app {

using namespace savora::toolkit;

namespace {

// Exchange archives and the MasterCook and Meal-Master files the import reads.
constexpr const char* kImportFilter =
    "Recipe Files (*.zel *.mxp *.mmf *.txt *.html *.htm);;Savora Export Files (*.zel);;"
    "MasterCook Files (*.mxp *.txt);;Meal-Master Files (*.mmf *.txt);;"
    "Web Pages (*.html *.htm)";

}  // namespace

namespace {

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

}  // namespace

namespace {

// "Backup Data First?": Yes backs the tables up into the automatic backup file.
void offerBackup(User& user, backup::BackupService& backup) {
  if (user.message("Backup Data First?", "QUESTION", Buttons::YesNo,
                   "Would you like to back up your recipe data before importing?") == Button::Yes) {
    backup.backup(backup::automaticBackupPath());
  }
}

}  // namespace

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

}  // namespace savora::app
