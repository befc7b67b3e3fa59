// The end of an update download: the archive counts only when the download succeeded (a 200
// answer with every byte the server announced), its SHA-256 is the one the signed news named,
// and it holds the installer; otherwise the file is deleted, the user told what failed, and no
// update is pending.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "online/http_download.h"
#include "online/update_proof.h"
#include "toolkit/user.h"

namespace savora::online {

// The installer to run at exit, unpacked into `installerFolder`, when an update is now pending.
std::optional<std::filesystem::path> finishUpdateDownload(
    toolkit::User& user, const HttpDownload& download, const UpdateProof& proof,
    const std::filesystem::path& installerFolder, std::string_view productName);

}  // namespace savora::online
