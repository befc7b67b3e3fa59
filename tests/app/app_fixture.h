// A program directory and a "Windows directory" of a test's own, with the built object and help
// files, and the main window's services around a scripted user.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "app/installed_titles.h"
#include "app/main_window.h"
#include "app/settings.h"
#include "app/shared_tables.h"
#include "backup/backup.h"
#include "platform/ini_file.h"
#include "platform/program_dirs.h"
#include "scripted_user.h"
#include "store/table_store.h"
#include "temp_folder.h"
#include "toolkit/event_manager.h"
#include "toolkit/object_store.h"
#include "toolkit/window_manager.h"

namespace savora::app {

inline const std::filesystem::path kBuiltProgramDir = SAVORA_PROGRAM_DIR;

struct ProgramFolders {
  ProgramFolders() {
    for (const char* file : {"OBJECTS.DAT", "SAVORA.HLP"}) {
      std::filesystem::copy_file(kBuiltProgramDir / file, program.path() / file);
    }
    ::setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
    // The first start's kitchen offer was made: the tests below script other questions.
    EXPECT_TRUE(platform::IniFile(installedTitlesPath()).writeString("Kitchen", "Offered", "1"));
  }
  std::filesystem::path windowsFile(const std::string& name) const {
    return config.path() / "savora99" / name;
  }
  savora::testing::TempFolder program, config;
};

// The main window on its own, with its tables open.
class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(platform::setProgramDirectory(folders.program.str()));
    state.programDirectory = platform::programDirectory();
    ASSERT_TRUE(toolkit::ObjectStore::open(state.programDirectory + "OBJECTS.DAT"));
    toolkit::UI_EVENT_MANAGER::instance().clear();
    ASSERT_TRUE(tables.openAll().empty());
  }
  void TearDown() override {
    main.reset();
    tables.closeAll();
    toolkit::UI_EVENT_MANAGER::instance().clear();
    toolkit::ObjectStore::close();
  }
  MainWindow& window() {
    if (!main) {
      main =
          std::make_unique<MainWindow>(MainServices{state, settings, user, store, tables, backup});
      main->widget()->show();
    }
    return *main;
  }
  static void settle() { toolkit::UI_EVENT_MANAGER::instance().processAll(); }

  ProgramFolders folders;
  AppState state;
  Settings settings;
  savora::testing::ScriptedUser user;
  store::TableStore store{user};
  SharedTables tables{store};
  backup::BackupService backup{store, tables.mainTables(), user};
  std::unique_ptr<MainWindow> main;
};

}  // namespace savora::app
