// ABOUT: the title and version, the maker's notice and the title's about picture.
#pragma once

#include "app/app_state.h"
#include "toolkit/uiw_window.h"
#include "toolkit/window_spec.h"

namespace savora::app {

extern const toolkit::WindowSpec kAboutWindowSpec;

// The about picture: "%s\\PICTURES\\ABOUT" on the CD (in the digital edition "%sPICTURES\\ABOUT" in
// the program directory), or in the title directory when that does not exist as ".BMP".
std::string aboutPicture(const AppState& state);

class AboutWindow : public toolkit::UIW_WINDOW {
 public:
  explicit AboutWindow(const AppState& state);
  int Event(const toolkit::UI_EVENT& event) override;
};

}  // namespace savora::app
