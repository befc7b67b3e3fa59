// The built program's window objects, opened for one test: the object file and an empty event
// queue; closing also closes every window the test left open.
#pragma once

#include "toolkit/event_manager.h"
#include "toolkit/object_store.h"
#include "toolkit/window_manager.h"

namespace savora::testing {

inline bool openWindowObjects() {
  toolkit::UI_EVENT_MANAGER::instance().clear();
  return toolkit::ObjectStore::open(SAVORA_PROGRAM_DIR "/OBJECTS.DAT");
}

inline void closeWindowObjects() {
  toolkit::UI_WINDOW_MANAGER::instance().closeAll();
  toolkit::UI_EVENT_MANAGER::instance().clear();
  toolkit::ObjectStore::close();
}

}  // namespace savora::testing
