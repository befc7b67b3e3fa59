#include "online/update_message_window.h"

#include "codes/program_codes.h"
#include "platform/text.h"
#include "toolkit/event_codes.h"
#include "toolkit/window_manager.h"

namespace savora::online {

using namespace savora::toolkit;

namespace {
using namespace savora::codes::update_message_window;
}

const WindowSpec kUpdateMessageSpec{"UPDATE_MESSAGE",
                                    {{"NUMID_TITLE"},
                                     {"DISPLAY_BUTTON", 0, ObjectKind::Button},
                                     {"OK_BUTTON", 0, ObjectKind::Button},
                                     {"CANCEL_BUTTON", 0, ObjectKind::Button}}};

UpdateMessageWindow::UpdateMessageWindow(const std::string& productName,
                                         UpdateReminderActions actions)
    : UIW_WINDOW(kUpdateMessageSpec.resource), actions_(std::move(actions)) {
  resolve(kUpdateMessageSpec);
  setTitle(platform::formatText("Update %s?", productName.c_str()));
}

int UpdateMessageWindow::Event(const UI_EVENT& event) {
  if (event.type != kOk && event.type != kCancel && event.type != S_CLOSE)
    return UIW_WINDOW::Event(event);
  const bool stopReminding = Get<UIW_BUTTON>("DISPLAY_BUTTON")->isChecked();
  if (stopReminding) actions_.reminderSwitch = 0;
  UI_WINDOW_MANAGER::instance().subtract(this);
  if (event.type == kOk) {
    if (!stopReminding && actions_.openUpdateService) actions_.openUpdateService();
  } else if (event.type == kCancel) {
    if (actions_.leaveProgram) actions_.leaveProgram();
  }
  // Closing the window's frame is neither: the program keeps running.
  return event.type;
}

}  // namespace savora::online
