#include "media/title_media.h"

#include "platform/file_ops.h"
#include "platform/text.h"

namespace savora::media {
namespace {

void copyFolder(const std::string& from, const std::string& to, toolkit::User& user,
                std::vector<std::string>& failed) {
  if (!platform::makeFolder(to)) failed.push_back(to);
  for (const auto& entry : platform::listFolder(from + "\\*.*")) {
    if (entry.name.empty() || entry.name[0] == '.') continue;
    const std::string source = from + "\\" + entry.name, target = to + "\\" + entry.name;
    if (entry.isFolder) {
      copyFolder(source, target, user, failed);
    } else {
      user.showStatus("Copying Files", platform::formatText("Copying %s...", entry.name.c_str()));
      if (!platform::copyFile(source, target, 5000)) failed.push_back(target);
    }
  }
}

}  // namespace

std::vector<std::string> copyTitleMedia(const std::string& cdRoot,
                                        const std::string& targetDirectory, toolkit::User& user) {
  std::vector<std::string> failed;
  for (const char* folder : {"tips", "pictures"}) {
    copyFolder(cdRoot + "\\" + folder, targetDirectory + "\\" + folder, user, failed);
  }
  return failed;
}

}  // namespace savora::media
