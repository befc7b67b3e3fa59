#include "online/update_download.h"

#include <system_error>

#include "online/update_installer.h"
#include "platform/text.h"

namespace savora::online {

std::optional<std::filesystem::path> finishUpdateDownload(
    toolkit::User& user, const HttpDownload& download, const UpdateProof& proof,
    const std::filesystem::path& installerFolder, std::string_view productName) {
  const std::string product(productName);
  auto refuse = [&](const char* why) {
    std::error_code ignored;
    std::filesystem::remove(download.file(), ignored);
    user.message("Download Failed", "HAND", toolkit::Buttons::Ok,
                 platform::formatText("%s\r\nThe download was deleted, and %s was not changed.",
                                      why, product.c_str()));
    return std::nullopt;
  };
  if (!download.succeeded()) return refuse("The update could not be downloaded completely.");
  if (downloadedBodySha256(download.file()) != proof.sha256)
    return refuse(
        "The downloaded update is not the one the update server announced: its "
        "SHA-256 checksum differs.");
  const std::optional<std::filesystem::path> installer =
      unpackInstaller(download.file(), installerFolder);
  if (!installer) return refuse("The downloaded update holds no installer (install.exe).");
  user.message("Update Successful!", "INFORMATION", toolkit::Buttons::Ok,
               platform::formatText("%s was successfully updated, however, you\r\nmust exit %s "
                                    "for the changes to take effect.",
                                    product.c_str(), product.c_str()));
  return installer;
}

}  // namespace savora::online
