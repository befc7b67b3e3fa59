#include "app/new_content.h"

#include "codes/program_codes.h"
#include "platform/file_ops.h"
#include "platform/log.h"
#include "platform/process.h"
#include "platform/text.h"

namespace savora::app {

using platform::formatText;

namespace {

// Where a dropped file goes in the program directory: under its own name, unless a file of that
// name (ignoring case) is there already (a table, the object file, an earlier download), which is
// never replaced; then under "name-2.ext", "name-3.ext", ... The extension stays, as the importer
// tells archives by it.
std::string freePlaceFor(const std::string& dir, const std::string& name) {
  const size_t dot = name.rfind('.');
  const std::string stem = dot == std::string::npos ? name : name.substr(0, dot);
  const std::string extension = dot == std::string::npos ? "" : name.substr(dot);
  std::string candidate = name;
  for (int counter = 2;
       platform::fileExists(dir + candidate) || platform::isFolder(dir + candidate); ++counter) {
    candidate = stem + "-" + std::to_string(counter) + extension;
  }
  return dir + candidate;
}

}  // namespace

NewContentWatch::NewContentWatch(AppState& state, toolkit::User& user, Actions actions)
    : state_(state), user_(user), actions_(std::move(actions)) {}

void NewContentWatch::tick() {
  checkNewCd();
  if (!downloadsChecked_) {
    downloadsChecked_ = true;
    checkDownloads();
  }
}

void NewContentWatch::checkNewCd() {
  if (!platform::fileExists("newcd")) return;
  // Left behind, the marker brings the new CD's questions back at the next start.
  platform::logIfFailed(platform::deleteFile("newcd"), "the new-CD marker \"newcd\" stays");
  if (actions_.applyCdInfo) actions_.applyCdInfo();
  if (!actions_.isInstalledTitle || !actions_.isInstalledTitle(state_.title)) {
    const auto answer = user_.message(
        "Import Data?", "QUESTION", toolkit::Buttons::YesNo,
        formatText("Would you like to add the %s recipes\r\nto your recipe database now?",
                   state_.title.c_str()));
    if (answer == toolkit::Button::Yes) {
      newCdImport_ = true;
      actions_.post(codes::kImportData);
    } else {
      platform::logIfFailed(platform::deleteIfPresent("import.zel"),
                            "the declined import \"import.zel\" stays");
    }
  }
  if (actions_.resetTipsAndIntro) actions_.resetTipsAndIntro();
}

void NewContentWatch::checkDownloads() {
  const std::string dir = state_.programDirectory;
  for (const char* folder : {"cmm", "download"}) {
    if (!platform::isFolder(dir + folder))
      platform::logIfFailed(platform::makeFolder(dir + folder), "cannot create " + dir + folder);
  }
  for (const auto& entry : platform::listFolder(dir + "download\\*.*")) {
    if (entry.isFolder || platform::equalsIgnoreCase(entry.name, "manager")) continue;
    const std::string moved = freePlaceFor(dir, entry.name);
    if (!platform::moveFile(dir + "download\\" + entry.name, moved)) return;
    if (platform::endsWithIgnoreCase(entry.name, "exe")) {
      // The path is one word, however many blanks the program folder's name holds.
      platform::startProgramFile(moved, {}, dir);
      return;
    }
    user_.message(
        "New Recipes!", "INFORMATION", toolkit::Buttons::Ok,
        formatText("New recipes were found in the DOWNLOAD folder.\r\nSavora will move them "
                   "to %s\r\nand import them now.",
                   dir.c_str()));
    fileToImport_ = moved;
    actions_.post(codes::kImportFile);
    return;
  }
}

}  // namespace savora::app
