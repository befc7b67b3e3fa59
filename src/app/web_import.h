// What the program's imports need from the web: a page fetched by its address for Import from
// Web, and the fetcher that brings a web recipe's photo into the folder "photos" of the program
// directory. Both go through the network client.
#pragma once

#include <optional>
#include <string>

#include "exchange/text_recipe_format.h"
#include "toolkit/user.h"

namespace savora::app {

inline constexpr const char* kImportFromWebTitle = "Import from Web";
inline constexpr const char* kWebAddressPrompt =
    "Type or paste the address of a web page with a recipe:";
// Where a fetched page waits for its import, and where the photos go.
inline constexpr const char* kWebPageFolder = "web";
inline constexpr const char* kPhotoFolder = "photos";

// Fetches the page into the folder "web" of the program directory (emptied first); the file, or
// nothing when it could not be fetched (the user was told why).
std::optional<std::string> fetchWebPage(toolkit::User& user, const std::string& address);

// Fetches a photo quietly into "photos" under a name of its own ("web-3.jpg"); its path, or ""
// when it could not be fetched.
exchange::PhotoFetcher webPhotoFetcher(toolkit::User& user);

}  // namespace savora::app
