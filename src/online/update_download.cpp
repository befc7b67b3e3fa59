#include "online/update_download.h"

#include <system_error>

#include "platform/text.h"

namespace savora::online {

bool finishUpdateDownload(toolkit::User& user, const HttpDownload& download,
                          std::string_view productName) {
  const std::string product(productName);
  if (!download.succeeded()) {
    std::error_code ignored;
    std::filesystem::remove(download.file(), ignored);
    user.message("Download Failed", "HAND", toolkit::Buttons::Ok,
                 platform::formatText("The update could not be downloaded completely.\r\n%s "
                                      "was not changed; please try again later.",
                                      product.c_str()));
    return false;
  }
  user.message("Update Successful!", "INFORMATION", toolkit::Buttons::Ok,
               platform::formatText("%s was successfully updated, however, you\r\nmust exit %s "
                                    "for the changes to take effect.",
                                    product.c_str(), product.c_str()));
  return true;
}

}  // namespace savora::online
