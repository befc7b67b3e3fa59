#include "app/content_title.h"

#include <vector>

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

// Copies a file of the CD into the title directory. A file this CD does not have is no failure.
void copyFromCd(const std::string& from, const std::string& to, std::vector<std::string>& failed) {
  if (platform::fileExists(from) && !platform::copyFile(from, to)) failed.push_back(to);
}

void reportUncopied(toolkit::User& user, const std::vector<std::string>& failed) {
  if (failed.empty()) return;
  std::string names;
  for (const std::string& name : failed) names += "\r\n" + name;
  user.message("Error!", "HAND", toolkit::Buttons::Ok,
               "These files could not be copied from the CD:" + names);
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
  std::vector<std::string> failed;
  if (!platform::makeFolder(dir)) failed.push_back(dir);
  copyFromCd(state.onCd("\\cdinfo.ini"), dir + "\\cdinfo.ini", failed);
  const char* intro =
      platform::fileExists(state.onCd("\\intro.mpg")) ? "\\intro.mpg" : "\\intro.wmv";
  copyFromCd(state.onCd(intro), dir + intro, failed);
  if (!platform::makeFolder(dir + "\\pictures")) failed.push_back(dir + "\\pictures");
  for (const char* picture :
       {"wall640.bmp", "wall800.bmp", "wall124.bmp", "wall128.bmp", "about.bmp"}) {
    copyFromCd(state.onCd(std::string("\\pictures\\") + picture), dir + "\\pictures\\" + picture,
               failed);
  }
  reportUncopied(user, failed);
  const auto answer = user.message(
      "A New Savora CD!", "QUESTION", toolkit::Buttons::YesNo,
      kNewCdQuestion);
  if (answer != toolkit::Button::Yes) return;
  user.message("Information", "INFORMATION", toolkit::Buttons::Ok,
               "This may take several minutes.  Please be patient.\r\n\r\nClick OK to continue.");
  {
    toolkit::StatusScope status(user);  // the copying shows each file
    failed = media::copyTitleMedia(state.onCd(""), dir, user);
  }
  reportUncopied(user, failed);
  user.message("Installation Complete", "INFORMATION", toolkit::Buttons::Ok,
               "The installation is complete.");
}

}  // namespace savora::app
