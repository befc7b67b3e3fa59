#include "platform/file_ops.h"

#include <dirent.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/file.h"
#include "platform/log.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace savora::platform {
namespace {

bool statOf(std::string_view name, struct stat& st) {
  const std::string path = nativePath(name);
  return !path.empty() && ::stat(path.c_str(), &st) == 0;
}

bool matchFrom(std::string_view pattern, std::string_view name) {
  // Iterative glob with one backtrack point for the last '*'.
  size_t p = 0, n = 0, starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() &&
        (pattern[p] == '?' || toLowerAscii(pattern[p]) == toLowerAscii(name[n]))) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace

bool fileExists(std::string_view name) {
  struct stat st;
  return statOf(name, st);
}

bool isFolder(std::string_view name) {
  struct stat st;
  return statOf(name, st) && S_ISDIR(st.st_mode);
}

std::optional<uint64_t> fileSize(std::string_view name) {
  struct stat st;
  if (!statOf(name, st) || S_ISDIR(st.st_mode)) return std::nullopt;
  return uint64_t(st.st_size);
}

std::optional<std::string> readWholeFile(std::string_view name, size_t maxBytes) {
  File file;
  if (!file.open(name, File::Mode::Read)) return std::nullopt;
  const size_t want = size_t(std::min<uint64_t>(file.size(), maxBytes));
  std::string data(want, '\0');
  data.resize(file.read(data.data(), want));
  return data;
}

bool writeWholeFile(std::string_view name, std::string_view data) {
  File file;
  return file.open(name, File::Mode::Create) && file.write(data);
}

bool appendToFile(std::string_view name, std::string_view data) {
  File file;
  return file.open(name, File::Mode::Append) && file.write(data);
}

bool copyFile(std::string_view from, std::string_view to, size_t blockSize,
              const std::function<void(uint64_t)>& progress) {
  // Written beside the target and put in its place only when complete: a failed read or write
  // leaves no partial file, and a good copy already there stays.
  const std::string partial = std::string(to) + ".part";
  File source, target;
  if (!source.open(from, File::Mode::Read) || !target.open(partial, File::Mode::Create))
    return false;
  auto fail = [&] {
    target.close();
    logIfFailed(deleteFile(partial), "a failed copy left " + partial);
    return false;
  };
  std::string block(std::max<size_t>(blockSize, 1), '\0');
  uint64_t copied = 0;
  for (;;) {
    const size_t n = source.read(block.data(), block.size());
    if (n == 0) break;
    if (!target.write(block.data(), n)) return fail();
    copied += n;
    if (progress) progress(copied);
  }
  if (!source.errorText().empty()) return fail();  // a read error is no end of file
  target.close();
  if (!moveFile(partial, to)) {
    logIfFailed(deleteFile(partial), "a failed copy left " + partial);
    return false;
  }
  return true;
}

bool moveFile(std::string_view from, std::string_view to) {
  const std::string source = nativePath(from), target = nativePath(to);
  if (source.empty() || target.empty()) return false;
  if (bool result; !WriteFaults::allowsChange(result)) return result;
  if (::rename(source.c_str(), target.c_str()) == 0) return true;
  if (errno != EXDEV) return false;
  return copyFile(from, to) && deleteFile(from);
}

bool deleteFile(std::string_view name) {
  const std::string path = nativePath(name);
  if (path.empty()) return false;
  if (bool result; !WriteFaults::allowsChange(result)) return result;
  return ::unlink(path.c_str()) == 0;
}

bool deleteIfPresent(std::string_view name) {
  return deleteFile(name) || !fileExists(name);
}

bool makeFolder(std::string_view name) {
  const std::string path = nativePath(name);
  if (path.empty()) return false;
  if (isFolder(name)) return true;
  if (bool result; !WriteFaults::allowsChange(result)) return result;
  return ::mkdir(path.c_str(), 0755) == 0;
}

bool removeFolder(std::string_view name) {
  const std::string path = nativePath(name);
  if (path.empty()) return false;
  if (bool result; !WriteFaults::allowsChange(result)) return result;
  return ::rmdir(path.c_str()) == 0;
}

bool removeFolderTree(std::string_view name) {
  if (!isFolder(name)) return !fileExists(name);
  const std::string folder(name);
  for (const FolderEntry& entry : listFolder(folder + "\\*.*")) {
    const std::string inner = folder + "\\" + entry.name;
    // What stays behind is found below: the tree is gone or it is not.
    static_cast<void>(entry.isFolder ? removeFolderTree(inner) : deleteFile(inner));
  }
  static_cast<void>(removeFolder(folder));
  return !fileExists(name);
}

std::optional<uint64_t> freeSpace(std::string_view name) {
  const std::string path = nativePath(name);
  struct statvfs st;
  if (path.empty() || ::statvfs(path.c_str(), &st) != 0) return std::nullopt;
  return uint64_t(st.f_bavail) * uint64_t(st.f_frsize);
}

bool matchWildcard(std::string_view pattern, std::string_view name) {
  if (matchFrom(pattern, name)) return true;
  if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*" &&
      name.find('.') == std::string_view::npos) {
    return matchFrom(pattern.substr(0, pattern.size() - 2), name);
  }
  return false;
}

std::vector<FolderEntry> listFolder(std::string_view pattern) {
  std::string p(pattern);
  std::replace(p.begin(), p.end(), '\\', '/');
  const size_t slash = p.rfind('/');
  const std::string folderName =
      slash == std::string::npos ? std::string() : p.substr(0, slash + 1);
  const std::string wildcard = slash == std::string::npos ? p : p.substr(slash + 1);

  std::vector<FolderEntry> entries;
  const std::string folder = folderName.empty() ? std::string(".") : nativePath(folderName);
  if (folder.empty()) return entries;
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return entries;
  while (const dirent* e = ::readdir(dir)) {
    const std::string name = e->d_name;
    if (name == "." || name == ".." || !matchWildcard(wildcard, name)) continue;
    struct stat st;
    const std::string full = folder + (folder.back() == '/' ? "" : "/") + name;
    FolderEntry entry{name, false, 0};
    if (::stat(full.c_str(), &st) == 0) {
      entry.isFolder = S_ISDIR(st.st_mode);
      entry.size = S_ISDIR(st.st_mode) ? 0 : uint64_t(st.st_size);
    }
    entries.push_back(std::move(entry));
  }
  ::closedir(dir);
  std::sort(entries.begin(), entries.end(),
            [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
  return entries;
}

}  // namespace savora::platform
