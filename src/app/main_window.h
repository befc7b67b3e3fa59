// MAIN: the program's frame window, with its menus, toolbar and status bar. It receives the
// program's numbered commands, opens, finds and fronts the child windows by kind, and guards
// every attempt to leave with the exit check.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/content_title.h"
#include "app/new_content.h"
#include "toolkit/timer_device.h"
#include "toolkit/uiw_mdiframe.h"
#include "toolkit/user.h"
#include "toolkit/window_spec.h"

namespace savora::store {
class TableStore;
}
namespace savora::backup {
class BackupService;
}

namespace savora::app {

struct Settings;
class SharedTables;

// The children of MAIN the main window uses.
extern const toolkit::WindowSpec kMainWindowSpec;
// SAVE_APPLICATION: the unsaved-changes question of the exit check (its text with numeric
// identifier 7 is a format that receives the window's title).
extern const toolkit::WindowSpec kSaveApplicationSpec;

// What the main window's commands work with.
struct MainServices {
  AppState& state;
  Settings& settings;
  toolkit::User& user;
  store::TableStore& store;
  SharedTables& tables;
  backup::BackupService& backup;
};

class MainWindow : public toolkit::UIW_MDIFRAME {
 public:
  // Builds a new window of a kind for the request that asked for it (null when it cannot be
  // built; the factory reports why).
  using WindowFactory =
      std::function<std::unique_ptr<toolkit::UIW_WINDOW>(const toolkit::UI_EVENT& request)>;
  using CommandHandler = std::function<void(const toolkit::UI_EVENT& event)>;

  explicit MainWindow(MainServices services);
  ~MainWindow() override;

  int Event(const toolkit::UI_EVENT& event) override;
  // The exit check, asked on every attempt to leave: true lets the program end now.
  bool exitCheck();

  // The parts of the program that own windows and commands register them here; a menu item or
  // toolbar button whose command has neither a window nor a handler is not selectable.
  void registerWindow(int kind, WindowFactory factory);
  void registerCommand(int code, CommandHandler handler);
  // Makes menu items and toolbar buttons selectable exactly when their commands can run.
  void updateCommandAvailability();

  // Opens a window of a kind, or brings the open one to the front. Returns the window, or null.
  toolkit::UIW_WINDOW* openWindow(int kind, const toolkit::UI_EVENT& request);
  // The next identifier for a window of a kind (the kind plus a counter shared by all windows).
  int nextWindowId(int kind);

  // Title, author web-site item and wallpaper from the title's "cdinfo.ini".
  void applyCdInfo();
  void chooseWallpaper();
  // Starts the new-content timer (every 8000 ms).
  void startTimer();
  // Shows the frame where it was at the last exit (full screen when it covered the screen), and
  // stores where it is now.
  void showOnScreen();
  void rememberPosition();
  // Brings the program to the front (a second start asked for it).
  void activate();
  bool hasCommand(int code) const { return commandHandlers_.count(code) > 0; }
  // Menu picking: a recipe chosen on the user's bookshelf (command 10433 with mode 0
  // and values[3] 0) is first offered to this; true when a waiting menu took it.
  void setMenuPicker(std::function<bool(const toolkit::UI_EVENT& request)> picker) {
    menuPicker_ = std::move(picker);
  }
  // The update reminder: asked once the user confirmed leaving; true when it is due, and the
  // main window then shows it (command 10538) instead of leaving.
  void setUpdateReminder(std::function<bool()> due) { updateReminderDue_ = std::move(due); }
  // Leaves the program after the exit check's questions: through the automatic backup when one
  // is due.
  void leave();
  const NewContentWatch& newContent() const { return newContent_; }
  NewContentWatch& newContent() { return newContent_; }

 private:
  void escape();
  void closeFrontWindow();
  // Hands the command to the front window when it is of one of the kinds; otherwise shows the
  // message (title, ASTERISK, text).
  void passToFront(const toolkit::UI_EVENT& command, const std::vector<int>& kinds,
                   const char* title, const char* text);
  void listCommand();
  void recipeCommand(const toolkit::UI_EVENT& event);
  void backupDialog(bool restore);
  void confirmExit();
  void backupAndExit();
  void askForCdDrive();
  void showAbout();
  void refreshWindowList();
  void showHelp(int code);
  bool commandAvailable(int code) const;
  // The unsaved-changes question of SAVE_APPLICATION (its text with numeric identifier 7), a
  // format that receives the window's title.
  static std::string saveQuestionFormat();

  MainServices services_;
  CdInfo cdInfo_;
  std::map<int, WindowFactory> windowFactories_;
  std::map<int, CommandHandler> commandHandlers_;
  int windowCounter_ = 0;
  int currentDocument_ = 0;  // identifier of the last window opened by command
  std::unique_ptr<toolkit::TimerDevice> timer_;
  NewContentWatch newContent_;
  std::function<bool(const toolkit::UI_EVENT&)> menuPicker_;
  std::function<bool()> updateReminderDue_;
};

}  // namespace savora::app
