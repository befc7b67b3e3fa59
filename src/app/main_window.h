// MAIN: the program's frame window, with its menus, toolbar and status bar. It receives the
// program's numbered commands and opens, finds and fronts the child windows.
#pragma once

#include "toolkit/uiw_mdiframe.h"
#include "toolkit/user.h"
#include "toolkit/window_spec.h"

namespace savora::app {

// The children of MAIN the main window uses.
extern const toolkit::WindowSpec kMainWindowSpec;

class MainWindow : public toolkit::UIW_MDIFRAME {
 public:
  explicit MainWindow(toolkit::User& user);
  ~MainWindow() override;

  int Event(const toolkit::UI_EVENT& event) override;
  // The exit check, asked on every attempt to leave: true lets the program end.
  bool exitCheck();

 private:
  void refreshWindowList();
  void showHelp(int code);

  toolkit::User& user_;
  toolkit::UIW_POP_UP_MENU* windowMenu_;
};

}  // namespace savora::app
