#include "store/media_list.h"

#include <chrono>

#include "platform/file_ops.h"
#include "platform/log.h"
#include "platform/paths.h"
#include "platform/program_dirs.h"
#include "platform/text.h"
#include "store/recipe.h"

namespace savora::store {
namespace {

std::string pathOf(std::string_view folder, const std::string& file) {
  return platform::formatText("%s%.*s\\%s", platform::programDirectory().c_str(),
                              int(folder.size()), folder.data(), file.c_str());
}

// A name no file in the folder has yet, in the manner of temporary file names ("sav1A2B.tmp").
// Starts at a clock-derived number so that successive runs rarely probe the same names.
std::optional<std::string> unusedName(std::string_view folder) {
  constexpr unsigned kNames = 0x10000;
  const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
  const unsigned start = unsigned(ticks) % kNames;
  for (unsigned i = 0; i < kNames; ++i) {
    const unsigned number = (start + i) % kNames;
    if (number == 0) continue;
    std::string name = platform::formatText("sav%04X.tmp", number);
    if (!platform::fileExists(pathOf(folder, name))) return name;
  }
  return std::nullopt;
}

}  // namespace

std::string storedPhotoName(std::string path) {
  if (platform::endsWithIgnoreCase(path, ".bmp")) path.resize(path.size() - 4);
  return path;
}

std::string mediaListFileName(std::string_view stored) {
  std::string file = platform::fileNamePart(platform::trim(stored));
  if (file == "." || file == "..") file.clear();
  return file;
}

MediaReferences readMediaList(std::string_view name, std::string_view folder) {
  MediaReferences media;
  const std::string file = mediaListFileName(name);
  if (file.empty()) return media;
  const auto text = platform::readWholeFile(pathOf(folder, file));
  if (!text) return media;
  size_t start = 0;
  for (std::string& reference : media) {
    if (start >= text->size()) break;
    size_t end = text->find('\n', start);
    if (end == std::string::npos) end = text->size();
    std::string line = text->substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    reference = line.substr(0, kMediaReferenceLength);
    start = end + 1;
  }
  return media;
}

std::optional<std::string> writeMediaList(std::string_view name, const MediaReferences& media,
                                          std::string_view folder) {
  std::string file = mediaListFileName(name);
  const bool allEmpty = media[0].empty() && media[1].empty() && media[2].empty();
  if (allEmpty) {
    // A list left behind is no longer named by any record.
    if (!file.empty())
      platform::logIfFailed(platform::deleteIfPresent(pathOf(folder, file)),
                            "an emptied media list stays: " + pathOf(folder, file));
    return std::string();
  }
  const std::string folderPath = platform::formatText(
      "%s%.*s", platform::programDirectory().c_str(), int(folder.size()), folder.data());
  if (!platform::makeFolder(folderPath)) return std::nullopt;
  if (file.empty()) {
    auto unused = unusedName(folder);
    if (!unused) return std::nullopt;
    file = std::move(*unused);
  }
  std::string text;
  for (const std::string& reference : media) {
    // A line break inside a reference would shift the lines that follow it.
    std::string line = reference.substr(0, kMediaReferenceLength);
    for (char& c : line) {
      if (c == '\r' || c == '\n') c = ' ';
    }
    text += line + "\n";
  }
  if (!platform::writeWholeFile(pathOf(folder, file), text)) return std::nullopt;
  return file;
}

}  // namespace savora::store
