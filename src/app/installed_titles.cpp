#include "app/installed_titles.h"

#include "platform/file_ops.h"
#include "platform/ini_file.h"
#include "platform/log.h"
#include "platform/program_dirs.h"
#include "platform/text.h"

namespace savora::app {
namespace {

constexpr const char* kSection = "General";

std::string titleKey(int index) {
  return platform::formatText("App%d", index);
}

std::vector<std::string> readTitleKeys(const platform::IniFile& ini) {
  std::vector<std::string> titles;
  for (int i = 0; i < kMaxInstalledTitles; ++i) {
    std::string title = ini.readString(kSection, titleKey(i));
    if (title.size() > kMaxInstalledTitleLength) title.resize(kMaxInstalledTitleLength);
    if (!title.empty()) titles.push_back(std::move(title));
  }
  return titles;
}

}  // namespace

std::string installedTitlesPath() {
  return platform::windowsDirectory() + kInstalledTitlesFileName;
}

std::vector<std::string> readInstalledTitles() {
  platform::IniFile ini(installedTitlesPath());
  const std::string appPath = ini.readString(kSection, "App Path");
  if (appPath.empty() || !platform::fileExists(appPath)) return {};
  std::vector<std::string> titles = readTitleKeys(ini);
  if (titles.empty()) {
    platform::logIfFailed(ini.writeString(kSection, titleKey(0), kFallbackInstalledTitle),
                          "the installed titles' list is not written: " + installedTitlesPath());
    titles.emplace_back(kFallbackInstalledTitle);
  }
  return titles;
}

bool isInstalledTitle(std::string_view title) {
  for (const auto& listed : readTitleKeys(platform::IniFile(installedTitlesPath()))) {
    if (platform::equalsIgnoreCase(listed, title)) return true;
  }
  return false;
}

bool writeInstalledVersion() {
  return platform::IniFile(installedTitlesPath()).writeString(kSection, "Version", kVersionText);
}

std::string chooseTitle(const std::string& cdTitle, const std::string& lastTitle,
                        const std::vector<std::string>& titles) {
  if (!cdTitle.empty()) return cdTitle;
  std::string title = lastTitle;
  if (title.empty() && !titles.empty()) title = titles.front();
  for (size_t i = 0; i < titles.size(); ++i) {
    if (platform::equalsIgnoreCase(titles[i], title)) {
      title = titles[(i + 1) % titles.size()];
      break;
    }
  }
  return title.empty() ? std::string(kUnnamedTitle) : title;
}

std::string readLastTitle() {
  const auto bytes = platform::readWholeFile(platform::programDirectory() + kLastTitleFileName,
                                             kMaxLastTitleBytes);
  if (!bytes) return {};
  std::string title = bytes->substr(0, bytes->find_first_of(std::string_view("\r\n\0", 3)));
  if (title.size() > kMaxTitleLength) title.resize(kMaxTitleLength);
  return title;
}

bool writeLastTitle(const std::string& title) {
  return platform::writeWholeFile(platform::programDirectory() + kLastTitleFileName, title);
}

}  // namespace savora::app
