#include "online/update_news.h"

#include <cstdlib>
#include <fstream>

#include "platform/text.h"

namespace savora::online {

namespace {

constexpr size_t kNewsReadLimit = 25000;
constexpr size_t kMissingFileNoticeLength = 287;

}  // namespace

std::optional<std::string> readNews(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::string response(kNewsReadLimit, '\0');
  in.read(response.data(), std::streamsize(response.size()));
  response.resize(size_t(in.gcount()));

  // "HTTP/1.x 200 ..." is the only status that carries news.
  const size_t blank = response.find(' ');
  if (response.rfind("HTTP/", 0) != 0 || blank == std::string::npos ||
      response.compare(blank + 1, 3, "200") != 0)
    return std::nullopt;
  std::string body;
  for (char c : response) {
    if (c != '\r') body += c;
  }
  const size_t headersEnd = body.find("\n\n");
  body = headersEnd == std::string::npos ? std::string() : body.substr(headersEnd + 2);
  if (const size_t notice = body.find("A file is missing"); notice != std::string::npos)
    body.erase(notice, kMissingFileNoticeLength);
  std::string shown;
  for (char c : body) {
    if (c == '\n')
      shown += "\r\n";
    else
      shown += c;
  }
  return shown;
}

std::optional<std::string> serverVersion(std::string_view news) {
  const size_t word = news.find("Version");
  if (word == std::string_view::npos) return std::nullopt;
  if (word + 8 >= news.size()) return std::string();
  return std::string(news.substr(word + 8, 5));
}

bool isNewerVersion(std::string_view server, std::string_view program) {
  return std::strtod(std::string(server).c_str(), nullptr) >
         std::strtod(std::string(program).c_str(), nullptr);
}

NewsCheck checkNews(toolkit::User& user, const std::filesystem::path& file,
                    std::string_view programVersion, std::string_view productName,
                    const std::string& publicKeyHex) {
  const std::optional<std::string> news = readNews(file);
  if (!news) {
    user.message("Error!", "HAND", toolkit::Buttons::Ok,
                 "No connection could be made to the update server.\r\nPlease check your "
                 "internet connection and try again, or visit our web site with your browser.");
    return {};
  }
  const std::string product(productName);
  const std::string shown = withoutProofLines(*news);
  const std::optional<std::string> version = serverVersion(*news);
  if (!version) return {shown, false, {}};
  if (!isNewerVersion(*version, programVersion)) {
    user.message("Download Not Necessary", "INFORMATION", toolkit::Buttons::Ok,
                 platform::formatText(
                     "You already have the most recent version of %s.\r\n\r\nDownload stopped.",
                     product.c_str()));
    return {shown, false, {}};
  }
  const std::optional<UpdateProof> proof = updateProof(*news, *version);
  if (!proof || !isSignedBy(*proof, publicKeyHex)) {
    user.message("Update Not Downloaded", "HAND", toolkit::Buttons::Ok,
                 platform::formatText(
                     "The update server offers version %s, but without a valid signature from "
                     "the maker of %s.\r\nThe update was not downloaded, and %s was not changed.",
                     version->c_str(), product.c_str(), product.c_str()));
    return {shown, false, {}};
  }
  return {shown, true, *proof};
}

}  // namespace savora::online
