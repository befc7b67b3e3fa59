// Fetching one document by its web address ("https://host/path", or "host/path", which is taken
// for https) through HttpDownload: a redirection is followed (up to five), and the caller gets
// a file holding the body alone, without the status line and headers the download keeps.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "online/http_download.h"

namespace savora::online {

inline constexpr const char* kFetchFailedTitle = "Unable to Download";
inline constexpr const char* kFetchFailedText =
    "%s could not be fetched: the web server answered %d.";
inline constexpr const char* kNotWebAddressText = "%s is not a web address.";

struct WebAddress {
  std::string server;  // "https://host[:port]"
  std::string path;    // "/..." with any query, never empty
};

// The server and path of an address; nothing for a scheme other than http and https, or no host.
std::optional<WebAddress> splitWebAddress(std::string_view address);

// Fetches the address into a file in `folder`; the file, or nothing when it failed. With `quiet`
// nothing is told to the user (a photo that cannot be fetched is left out without a word).
std::optional<std::filesystem::path> fetchWebAddress(toolkit::User& user, std::string_view address,
                                                     const std::filesystem::path& folder,
                                                     const DownloadOptions& options, bool quiet);

}  // namespace savora::online
