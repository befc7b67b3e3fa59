#include "online/web_address_fetch.h"

#include "platform/file_ops.h"
#include "platform/log.h"
#include "platform/text.h"

namespace savora::online {
namespace {

constexpr int kMostRedirections = 5;

// A User that tells nothing: the download's failure messages of a quiet fetch go nowhere.
class SilentUser : public toolkit::User {
 public:
  toolkit::Button message(std::string_view, std::string_view, toolkit::Buttons,
                          std::string_view) override {
    return toolkit::Button::Ok;
  }
  void showStatus(std::string_view, std::string_view) override {}
  void closeStatus() override {}
  void beginWait() override {}
  void endWait() override {}
  void beep() override {}
  std::optional<std::string> prompt(std::string_view, std::string_view, int,
                                    std::string_view) override {
    return std::nullopt;
  }
  std::optional<std::string> openFileName(std::string_view, std::string_view,
                                          std::string_view) override {
    return std::nullopt;
  }
  std::optional<std::string> saveFileName(std::string_view, std::string_view, std::string_view,
                                          toolkit::Overwrite) override {
    return std::nullopt;
  }
  std::optional<toolkit::LogFont> chooseFont(const toolkit::LogFont&) override {
    return std::nullopt;
  }
};

// The value of a response header ("Location"), from the head of the response.
std::string headerValue(std::string_view head, std::string_view name) {
  size_t start = 0;
  while (start < head.size()) {
    size_t end = head.find("\r\n", start);
    if (end == std::string_view::npos) end = head.size();
    const std::string_view line = head.substr(start, end - start);
    if (line.size() > name.size() && line[name.size()] == ':' &&
        platform::startsWithIgnoreCase(line, name)) {
      return platform::trim(line.substr(name.size() + 1));
    }
    start = end + 2;
  }
  return {};
}

// A redirection's target, which may name a path on the same server.
std::string redirected(const WebAddress& from, const std::string& location) {
  if (location.starts_with("//")) return from.server.substr(0, from.server.find("//")) + location;
  if (location.starts_with('/')) return from.server + location;
  if (location.find("://") != std::string::npos) return location;
  return from.server + from.path.substr(0, from.path.rfind('/') + 1) + location;
}

}  // namespace

std::optional<WebAddress> splitWebAddress(std::string_view address) {
  std::string text = platform::trim(address);
  const size_t scheme = text.find("://");
  if (scheme == std::string::npos) {
    text = "https://" + text;
  } else {
    const std::string name = platform::toLower(text.substr(0, scheme));
    if (name != "http" && name != "https") return std::nullopt;
  }
  const size_t hostStart = text.find("://") + 3;
  const size_t pathStart = std::min(text.find_first_of("/?#", hostStart), text.size());
  if (pathStart == hostStart || text.find(' ') != std::string::npos) return std::nullopt;
  WebAddress parts{text.substr(0, pathStart), text.substr(pathStart)};
  if (parts.path.starts_with('#')) parts.path.clear();  // a fragment is never sent
  if (parts.path.empty() || parts.path.starts_with('?')) parts.path.insert(0, "/");
  return parts;
}

std::optional<std::filesystem::path> fetchWebAddress(toolkit::User& user, std::string_view address,
                                                     const std::filesystem::path& folder,
                                                     const DownloadOptions& options, bool quiet) {
  SilentUser silent;
  toolkit::User& told = quiet ? silent : user;
  std::string current(address);
  for (int hop = 0; hop <= kMostRedirections; ++hop) {
    const std::optional<WebAddress> parts = splitWebAddress(current);
    if (!parts) {
      told.message(kFetchFailedTitle, "EXCLAMATION", toolkit::Buttons::Ok,
                   platform::formatText(kNotWebAddressText, current.c_str()));
      return std::nullopt;
    }
    // The download names its file after the path's last part, which must not be empty; a
    // fragment gives it one and is never sent.
    std::string path = parts->path;
    if (path.ends_with('/')) path += "#page";
    HttpDownload download(told, options);
    download.start(parts->server, path, folder);
    while (download.active()) download.step();
    if (download.file().empty()) return std::nullopt;
    const std::string response = platform::readWholeFile(download.file().string()).value_or("");
    const size_t headEnd = response.find("\r\n\r\n");
    const std::string_view head =
        std::string_view(response).substr(0, headEnd == std::string::npos ? 0 : headEnd);
    if (download.succeeded() && headEnd != std::string::npos) {
      if (!platform::writeWholeFile(download.file().string(), response.substr(headEnd + 4)))
        return std::nullopt;
      return download.file();
    }
    platform::logIfFailed(platform::deleteIfPresent(download.file().string()),
                          "cannot delete " + download.file().string());
    const std::string location = headerValue(head, "Location");
    if (download.status() >= 300 && download.status() < 400 && !location.empty()) {
      current = redirected(*parts, location);
      continue;
    }
    if (download.status() != 0 && download.status() != 200) {
      told.message(kFetchFailedTitle, "EXCLAMATION", toolkit::Buttons::Ok,
                   platform::formatText(kFetchFailedText, current.c_str(), download.status()));
    }
    return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace savora::online
