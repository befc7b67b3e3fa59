// UPDATE_MESSAGE: the monthly reminder to look for updates, shown instead of leaving the
// program. OK opens the update service and the program keeps running; Cancel leaves. Ticking
// DISPLAY_BUTTON turns the reminder off (with OK the program then simply keeps running).
#pragma once

#include <functional>
#include <string>

#include "toolkit/uiw_window.h"
#include "toolkit/window_spec.h"

namespace savora::online {

extern const toolkit::WindowSpec kUpdateMessageSpec;

struct UpdateReminderActions {
  int& reminderSwitch;  // the settings' update-service option: 0 turns the reminder off
  std::function<void()> openUpdateService;
  std::function<void()> leaveProgram;
};

class UpdateMessageWindow : public toolkit::UIW_WINDOW {
 public:
  UpdateMessageWindow(const std::string& productName, UpdateReminderActions actions);
  int Event(const toolkit::UI_EVENT& event) override;

 private:
  UpdateReminderActions actions_;
};

}  // namespace savora::online
