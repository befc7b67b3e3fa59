#include "planning/named_list_window.h"

#include "toolkit/event_manager.h"

namespace savora::planning {

void saveNamedList(NamedListChoice& choice, bool closeAfter, int* exitState,
                   const std::function<void()>& close) {
  if (!choice.save()) {
    toolkit::exitSaveFailed(exitState);
    return;
  }
  if (!closeAfter) return;
  close();
  toolkit::exitSaveDone(exitState);
}

void leaveNamedList(NamedListChoice& choice, int* exitState, const std::function<void()>& close) {
  if (choice.close()) {
    close();
  } else {
    toolkit::exitSaveFailed(exitState);
  }
}

}  // namespace savora::planning
