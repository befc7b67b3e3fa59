#include "app/program.h"

#include "app/main_window.h"
#include "platform/program_dirs.h"
#include "toolkit/event_manager.h"
#include "toolkit/help_window.h"
#include "toolkit/object_store.h"
#include "toolkit/status_window.h"
#include "toolkit/window_manager.h"

namespace savora::app {

using namespace savora::toolkit;

int runProgram(const std::string& programDirectory, User& user) {
  if (!platform::setProgramDirectory(programDirectory)) return -1;
  const std::string dir = platform::programDirectory();
  if (!ObjectStore::open(dir + "OBJECTS.DAT")) return -1;
  HelpSystem::install(dir + "SAVORA.HLP");
  UI_EVENT_MANAGER::instance().setErrorHandler(
      [&user](const std::string& what) { user.message("Error!", "HAND", Buttons::Ok, what); });

  {
    MainWindow main(user);
    main.widget()->show();
    UI_EVENT_MANAGER::instance().run();
    StatusWindow::close();
  }

  UI_EVENT_MANAGER::instance().setErrorHandler({});
  UI_EVENT_MANAGER::instance().clear();
  HelpSystem::uninstall();
  ObjectStore::close();
  return 0;
}

}  // namespace savora::app
