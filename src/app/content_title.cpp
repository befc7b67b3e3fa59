#include "app/content_title.h"

#include "media/title_media.h"
#include "platform/file_ops.h"
#include "platform/ini_file.h"

namespace savora::app {
namespace {

CdInfo readFrom(const std::string& path) {
  CdInfo info;
  if (path.empty() || !platform::fileExists(path)) return info;
  platform::IniFile ini(path);
  info.found = true;
  info.appName = ini.readString("General", "App Name");
  info.webSite = ini.readString("General", "Web Site");
  info.webMenu = ini.readString("General", "Web Pull Down Menu");
  return info;
}

}  // namespace

std::string cdInfoOnCd(const AppState& state) {
  return state.digital ? state.programDirectory + "cdinfo.ini" : state.onCd("\\cdinfo.ini");
}

CdInfo readCdInfo(const AppState& state) {
  CdInfo info = readFrom(cdInfoOnCd(state));
  if (!info.found) info = readFrom(state.titleDirectory() + "\\cdinfo.ini");
  return info;
}

void installNewCd(const AppState& state, toolkit::User& user) {
  const std::string dir = state.titleDirectory();
  platform::makeFolder(dir);
  platform::copyFile(state.onCd("\\cdinfo.ini"), dir + "\\cdinfo.ini");
  if (platform::fileExists(state.onCd("\\intro.mpg"))) {
    platform::copyFile(state.onCd("\\intro.mpg"), dir + "\\intro.mpg");
  } else {
    platform::copyFile(state.onCd("\\intro.wmv"), dir + "\\intro.wmv");
  }
  platform::makeFolder(dir + "\\pictures");
  for (const char* picture :
       {"wall640.bmp", "wall800.bmp", "wall124.bmp", "wall128.bmp", "about.bmp"}) {
    platform::copyFile(state.onCd(std::string("\\pictures\\") + picture),
                       dir + "\\pictures\\" + picture);
  }
  const auto answer = user.message(
      "A New Savora CD!", "QUESTION", toolkit::Buttons::YesNo,
      kNewCdQuestion);
  if (answer != toolkit::Button::Yes) return;
  user.message("Information", "INFORMATION", toolkit::Buttons::Ok,
               "This may take several minutes.  Please be patient.\r\n\r\nClick OK to continue.");
  {
    toolkit::StatusScope status(user);  // the copying shows each file
    media::copyTitleMedia(state.onCd(""), dir, user);
  }
  user.message("Installation Complete", "INFORMATION", toolkit::Buttons::Ok,
               "The installation is complete.");
}

}  // namespace savora::app
