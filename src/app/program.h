// The program's run from start to end, with the display already set up by main().
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/data_folder.h"
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
namespace savora::online {
struct MailWindowServices;
struct OnlineWindowServices;
}  // namespace savora::online

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

// Runs the program on the data folder `folders.data` (the program directory, holding the tables),
// with OBJECTS.DAT and the help and food files from `folders.files`, until the user leaves.
// `openFiles` are imported or offered for restoring once the program is up; when another copy
// runs, they are handed to it. Returns 0 after a normal run, 1 when a running copy was brought to
// the front instead, when the folder is locked, or when an error stopped the run (shown, and
// printed to standard error), -1 when the window-object file cannot be opened.
int runProgram(const platform::ProgramFolders& folders, toolkit::User& user,
               const std::vector<std::string>& openFiles = {});
// The same with every file in one folder.
int runProgram(const std::string& programDirectory, toolkit::User& user);

}  // namespace savora::app
