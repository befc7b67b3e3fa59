// The update server's news as the update service shows it, and the version check it carries:
// the stored response's body (after the headers), with the "A file is missing" notice taken
// out and line feeds as line breaks. The version follows the word "Version" in the text.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "online/update_proof.h"
#include "toolkit/user.h"

namespace savora::online {

// The news body of a stored response, or nothing when the file is missing or the server did not
// answer 200 (an error page is not news). Reads at most 25,000 bytes.
std::optional<std::string> readNews(const std::filesystem::path& file);

// The server's version text: the 5 characters that begin 8 characters after "Version".
std::optional<std::string> serverVersion(std::string_view news);

// Whether the server's version is greater than the program's, both read as decimal numbers.
bool isNewerVersion(std::string_view server, std::string_view program);

struct NewsCheck {
  std::string news;    // the body to show (without the proof lines), "" without news
  bool newer = false;  // whether the update should be fetched
  UpdateProof proof;   // what the fetched update must match, when newer
};

// Reads the news and decides whether to fetch the update, telling the user when there is no
// news (no connection), nothing newer, or a newer version without a valid signature by
// `publicKeyHex`. News without a version announces no update.
NewsCheck checkNews(toolkit::User& user, const std::filesystem::path& file,
                    std::string_view programVersion, std::string_view productName,
                    const std::string& publicKeyHex = kUpdatePublicKey);

}  // namespace savora::online
