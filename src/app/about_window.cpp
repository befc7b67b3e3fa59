#include "app/about_window.h"

#include "codes/program_codes.h"
#include "platform/file_ops.h"
#include "platform/text.h"
#include "toolkit/event_codes.h"
#include "toolkit/event_manager.h"

namespace savora::app {

using namespace savora::toolkit;

namespace {
using codes::kMakerSite;
constexpr const char* kNotice =
    "Savora keeps your recipes, menus and shopping lists together.\r\n\r\nCopyright the Savora "
    "developers. All rights reserved.";
}  // namespace

const WindowSpec kAboutWindowSpec{"ABOUT",
                                  {{"ABOUT_TEXT", 0, ObjectKind::Text},
                                   {"ABOUT_PICTURE", 0, ObjectKind::Picture},
                                   {"WEB_BUTTON", 0, ObjectKind::Button},
                                   {"OK_BUTTON", 0, ObjectKind::Button}}};

std::string aboutPicture(const AppState& state) {
  const std::string first =
      state.digital ? state.programDirectory + "PICTURES\\ABOUT" : state.onCd("\\PICTURES\\ABOUT");
  if (!first.empty() && platform::fileExists(first + ".BMP")) return first;
  return state.titleDirectory() + "\\PICTURES\\ABOUT";
}

AboutWindow::AboutWindow(const AppState& state) : UIW_WINDOW(kAboutWindowSpec.resource) {
  resolve(kAboutWindowSpec);
  Get("ABOUT_TEXT")
      ->setText(platform::formatText("%s, Version %s\r\n", state.title.c_str(), kVersionText) +
                kNotice);
  // Without its picture the window is the notice alone, not a blank block above it.
  auto* picture = Get<UIW_PICTURE>("ABOUT_PICTURE");
  if (!picture->setImage(aboutPicture(state) + ".BMP", 413, 211)) {
    picture->hide();
    widget()->adjustSize();
  }
}

int AboutWindow::Event(const UI_EVENT& event) {
  if (event.type == kMakerSite) {
    UI_EVENT_MANAGER::instance().post(nullptr, event);  // the main window opens the site
    return event.type;
  }
  return UIW_WINDOW::Event(event);
}

}  // namespace savora::app
