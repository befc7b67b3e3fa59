#include "app/cd_drive_window.h"

#include "codes/program_codes.h"
#include "platform/file.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "toolkit/window_manager.h"

namespace savora::app {

using namespace savora::toolkit;

using codes::cd_drive_window::kDriveChosen;

const WindowSpec kCdDriveWindowSpec{
    "CD_DRIVE", {{"DRIVE_LIST", 0, ObjectKind::List}, {"CANCEL_BUTTON", 0, ObjectKind::Button}}};

bool storeCdDrive(char letter) {
  platform::File file;
  return file.open("drive", platform::File::Mode::Update) && file.writeAt(0, &letter, 1);
}

const char* driveIcon(char letter) {
  const char lower = platform::toLowerAscii(letter);
  if (lower <= 'b') return "softDrive";
  if (lower <= 'e') return "hardDrive";
  return "networkDrive";
}

CdDriveWindow::CdDriveWindow(AppState& state)
    : UIW_WINDOW(kCdDriveWindowSpec.resource), state_(state) {
  resolve(kCdDriveWindowSpec);
  drives_ = Get<UIW_VT_LIST>("DRIVE_LIST");
  for (char letter : platform::drives().letters()) {
    drives_->add({platform::formatText("%c:", letter), letter, kDriveChosen, driveIcon(letter)});
  }
}

int CdDriveWindow::Event(const UI_EVENT& event) {
  if (event.type == kDriveChosen) {
    const char letter = char(event.values[1]);
    if (storeCdDrive(letter)) state_.cdDrive = letter;
    UI_WINDOW_MANAGER::instance().subtract(this);
    return event.type;
  }
  return UIW_WINDOW::Event(event);
}

}  // namespace savora::app
