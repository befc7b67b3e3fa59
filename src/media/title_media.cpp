#include "media/title_media.h"

#include "platform/file_ops.h"
#include "platform/text.h"

namespace savora::media {
namespace {

void copyFolder(const std::string& from, const std::string& to, toolkit::User& user) {
  platform::makeFolder(to);
  for (const auto& entry : platform::listFolder(from + "\\*.*")) {
    if (entry.name.empty() || entry.name[0] == '.') continue;
    const std::string source = from + "\\" + entry.name, target = to + "\\" + entry.name;
    if (entry.isFolder) {
      copyFolder(source, target, user);
    } else {
      user.showStatus("Copying Files", platform::formatText("Copying %s...", entry.name.c_str()));
      platform::copyFile(source, target, 5000);
    }
  }
}

}  // namespace

void copyTitleMedia(const std::string& cdRoot, const std::string& targetDirectory,
                    toolkit::User& user) {
  for (const char* folder : {"tips", "pictures"}) {
    copyFolder(cdRoot + "\\" + folder, targetDirectory + "\\" + folder, user);
  }
}

}  // namespace savora::media
