#include "app/web_import.h"

#include "app/installed_titles.h"
#include "online/web_address_fetch.h"
#include "platform/file_ops.h"
#include "platform/log.h"
#include "platform/program_dirs.h"
#include "platform/text.h"

namespace savora::app {
namespace {

online::DownloadOptions downloadOptions() {
  online::DownloadOptions options;
  options.userAgent = std::string("Savora99 v") + kVersionText;
  return options;
}

std::string programFolder(const char* name) {
  const std::string folder = platform::programDirectory() + name;
  // Without it the files meant for it cannot be written, and that is reported where they are.
  platform::logIfFailed(platform::makeFolder(folder), "cannot create " + folder);
  return folder;
}

// The photo's extension from its address: ".jpg" when it names none of the picture kinds.
std::string photoExtension(const std::string& address) {
  std::string path = platform::toLower(address.substr(0, address.find_first_of("?#")));
  for (const char* kind : {".jpg", ".jpeg", ".png", ".gif", ".webp", ".bmp"}) {
    if (path.ends_with(kind)) return kind;
  }
  return ".jpg";
}

}  // namespace

std::optional<std::string> fetchWebPage(toolkit::User& user, const std::string& address) {
  const std::string folder = programFolder(kWebPageFolder);
  for (const platform::FolderEntry& old : platform::listFolder(folder + "/*.*")) {
    if (!old.isFolder)
      platform::logIfFailed(platform::deleteFile(folder + "/" + old.name),
                            "an old web page stays: " + folder + "/" + old.name);
  }
  toolkit::WaitPointer wait(user);
  toolkit::StatusScope status(user, kImportFromWebTitle,
                              platform::formatText("Fetching %s", address.c_str()));
  const auto file = online::fetchWebAddress(user, address, folder, downloadOptions(), false);
  if (!file) return std::nullopt;
  return file->string();
}

exchange::PhotoFetcher webPhotoFetcher(toolkit::User& user) {
  return [&user](const std::string& address) -> std::string {
    const std::string photos = programFolder(kPhotoFolder);
    const std::string incoming = programFolder((std::string(kPhotoFolder) + "/incoming").c_str());
    const auto file = online::fetchWebAddress(user, address, incoming, downloadOptions(), true);
    if (!file) return "";
    const std::string extension = photoExtension(address);
    std::string target;
    for (int n = 1; target.empty() || platform::fileExists(target); ++n)
      target = photos + "/web-" + std::to_string(n) + extension;
    if (!platform::moveFile(file->string(), target)) return "";
    return target;
  };
}

}  // namespace savora::app
