#include "app/main_window.h"

#include "toolkit/event_codes.h"
#include "toolkit/help_window.h"
#include "toolkit/window_manager.h"

namespace savora::app {

using namespace savora::toolkit;

namespace {

constexpr int kRefreshWindowList = 10505;
constexpr int kHelpSearch = 10050;
constexpr int kHelpContents = 10051;

}  // namespace

const WindowSpec kMainWindowSpec{"MAIN",
                                 {
                                     {"NUMID_TITLE"},
                                     {"MAIN_TOOLBAR", 0, ObjectKind::ToolBar},
                                     {"SAVE_BUTTON", 0, ObjectKind::MenuItem},
                                     {"CONVERT_BUTTON", 0, ObjectKind::MenuItem},
                                     {"PRINT_BUTTON", 0, ObjectKind::MenuItem},
                                     {"CATALOG_BUTTON", 0, ObjectKind::MenuItem},
                                     {"SAVE", 0, ObjectKind::MenuItem},
                                     {"LIST", 0, ObjectKind::MenuItem},
                                     {"PRINT", 0, ObjectKind::MenuItem},
                                     {"ABBREVIATED_UNITS", 0, ObjectKind::MenuItem},
                                     {"SHOW_INTRO", 0, ObjectKind::MenuItem},
                                     {"SHOW_TIPS", 0, ObjectKind::MenuItem},
                                     {"SHOW_BLOOPERS", 0, ObjectKind::MenuItem},
                                     {"AUTHOR_SITE", 0, ObjectKind::MenuItem},
                                     {"WALLPAPER", 0, ObjectKind::Picture},
                                     {"WINDOW", 0, ObjectKind::PopUpMenu},
                                 }};

MainWindow::MainWindow(User& user) : UIW_MDIFRAME(kMainWindowSpec.resource), user_(user) {
  resolve(kMainWindowSpec);
  windowMenu_ = Get<UIW_POP_UP_MENU>("WINDOW");
  UI_WINDOW_MANAGER::instance().setFrame(this);
  UI_WINDOW_MANAGER::instance().setExitFunction([this] { return exitCheck(); });
}

MainWindow::~MainWindow() {
  UI_WINDOW_MANAGER::instance().setExitFunction({});
}

bool MainWindow::exitCheck() {
  return user_.message("Exit Savora?", "QUESTION", Buttons::YesNo, "\r\nExit Savora?") ==
         Button::Yes;
}

int MainWindow::Event(const UI_EVENT& event) {
  switch (event.type) {
    case L_HELP:
    case kHelpSearch:
    case kHelpContents:
      showHelp(event.type);
      break;
    case kRefreshWindowList:
      refreshWindowList();
      break;
    case L_ACTIVATE_WINDOW:
      for (UIW_WINDOW* w : UI_WINDOW_MANAGER::instance().windows()) {
        if (w->numberID() == event.values[0]) UI_WINDOW_MANAGER::instance().bringToFront(w);
      }
      break;
    case S_CLOSE:
      // With a child window in front the command closes it; otherwise it is a request to leave.
      if (UIW_WINDOW* front = UI_WINDOW_MANAGER::instance().front()) {
        front->post(UI_EVENT(S_CLOSE));
      } else {
        post(UI_EVENT(L_EXIT_FUNCTION));
      }
      break;
    default:
      break;
  }
  return event.type;
}

void MainWindow::showHelp(int code) {
  if (code == kHelpSearch) {
    HelpSystem::showSearch();
  } else if (code == kHelpContents) {
    HelpSystem::showContents();
  } else {
    UIW_WINDOW* front = UI_WINDOW_MANAGER::instance().front();
    HelpSystem::showContext(front ? front->helpContext() : helpContext());
  }
}

void MainWindow::refreshWindowList() {
  windowMenu_->clearAdded();
  const UIW_WINDOW* front = UI_WINDOW_MANAGER::instance().front();
  for (UIW_WINDOW* w : UI_WINDOW_MANAGER::instance().windows()) {
    if (w->isModal()) continue;
    windowMenu_->add(w->title(), L_ACTIVATE_WINDOW, w->numberID(), w == front);
  }
}

}  // namespace savora::app
