// The content title a run serves: its "cdinfo.ini" (on the CD, or in the title directory), and
// the installation of a new CD's title directory.
#pragma once

#include <string>

#include "app/app_state.h"
#include "toolkit/user.h"

namespace savora::app {

struct CdInfo {
  bool found = false;
  std::string appName;  // "App Name"
  std::string webSite;  // "Web Site"; empty: the author's web-site command is unavailable
  std::string webMenu;  // "Web Pull Down Menu": the text of that command
};

// "cdinfo.ini" on the CD ("%c:\\cdinfo.ini"; in the digital edition "%scdinfo.ini" in the program
// directory); "" when no CD drive is known.
std::string cdInfoOnCd(const AppState& state);
// Section "General" of the first "cdinfo.ini" found: on the CD, then in the title directory.
CdInfo readCdInfo(const AppState& state);

inline constexpr const char* kNewCdQuestion =
    "Congratulations on your new Savora CD! With this new CD you have\r\ntwo installation "
    "options: Full or Compact.\r\n\r\n- Full Installation will copy all food photos and video "
    "clips\r\nto your computer. This is the best option if you have plenty of harddrive\r\nspace. "
    "\r\n\r\n- Compact Installation will leave the photos and video clips on the Savora CD. "
    "\r\n\r\nWould you like to do a Full Installation?";

// Creates the title directory of a newly inserted CD and copies its "cdinfo.ini", intro video and
// wallpaper pictures; offers a full installation that also copies the photos and video clips.
void installNewCd(const AppState& state, toolkit::User& user);

}  // namespace savora::app
