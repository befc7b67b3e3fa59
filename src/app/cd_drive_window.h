// CD_DRIVE: the chooser of the drive that holds the content CD. It lists the drive letters of the
// drive table; choosing one stores it in the file "drive" (one byte).
#pragma once

#include "app/app_state.h"
#include "toolkit/uiw_window.h"
#include "toolkit/window_spec.h"

namespace savora::app {

extern const toolkit::WindowSpec kCdDriveWindowSpec;

// Writes the drive letter as the first byte of "drive" (created when missing, not truncated).
bool storeCdDrive(char letter);
// The icon of a drive letter: floppy drives a and b, hard drives c to e, network drives after.
const char* driveIcon(char letter);

class CdDriveWindow : public toolkit::UIW_WINDOW {
 public:
  explicit CdDriveWindow(AppState& state);
  int Event(const toolkit::UI_EVENT& event) override;

 private:
  AppState& state_;
  toolkit::UIW_VT_LIST* drives_;
};

}  // namespace savora::app
