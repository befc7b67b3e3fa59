// The end of an update download: the archive counts only when the download succeeded (a 200
// answer with every byte the server announced); otherwise the partial file is deleted and the
// user told, and no update is pending.
#pragma once

#include <string_view>

#include "online/http_download.h"
#include "toolkit/user.h"

namespace savora::online {

// True when an update is now pending (the installer should run at exit).
bool finishUpdateDownload(toolkit::User& user, const HttpDownload& download,
                          std::string_view productName);

}  // namespace savora::online
