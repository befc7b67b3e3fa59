#include "archive/entry_names.h"

#include <cctype>

#include "platform/file_ops.h"

namespace savora::archive {
namespace {

bool isSeparator(char c) {
  return c == '/' || c == '\\';
}

bool hasDriveLetter(std::string_view name) {
  return name.size() >= 2 && name[1] == ':' && std::isalpha(static_cast<unsigned char>(name[0]));
}

std::string withSlashes(std::string_view name) {
  std::string out(name);
  for (char& c : out) {
    if (c == '\\') c = '/';
  }
  return out;
}

}  // namespace

bool isSafeEntryName(std::string_view name) {
  if (name.empty() || isSeparator(name[0]) || hasDriveLetter(name)) return false;
  size_t start = 0;
  while (start <= name.size()) {
    size_t end = start;
    while (end < name.size() && !isSeparator(name[end])) ++end;
    if (name.substr(start, end - start) == "..") return false;
    start = end + 1;
  }
  return true;
}

bool patternSelectsEntry(std::string_view pattern, std::string_view entryName) {
  return platform::matchWildcard(withSlashes(pattern), entryName);
}

std::string folderPartOf(std::string_view pattern) {
  const std::string p = withSlashes(pattern);
  const size_t slash = p.rfind('/');
  return slash == std::string::npos ? std::string() : p.substr(0, slash + 1);
}

std::string entryNameFor(std::string_view folderPart, std::string_view fileName) {
  std::string name;
  size_t start = 0;
  const std::string folder = withSlashes(folderPart);
  if (!isSafeEntryName(folder)) return std::string(fileName);
  while (start < folder.size()) {
    size_t end = folder.find('/', start);
    if (end == std::string::npos) end = folder.size();
    const std::string_view part = std::string_view(folder).substr(start, end - start);
    if (!part.empty() && part != ".") {
      name += part;
      name += '/';
    }
    start = end + 1;
  }
  return name + std::string(fileName);
}

}  // namespace savora::archive
