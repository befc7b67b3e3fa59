#include "platform/paths.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cctype>
#include <unordered_map>
#include <vector>

#include "platform/ini_file.h"
#include "platform/text.h"

namespace savora::platform {

void DriveTable::set(char letter, std::string folder) {
  folders_[toLowerAscii(letter)] = std::move(folder);
}

void DriveTable::clear() {
  folders_.clear();
}

void DriveTable::loadFromIni(const std::string& iniPath) {
  clear();
  for (const auto& [key, value] : IniFile(iniPath).keys("Drives")) {
    if (key.size() == 1 && std::isalpha(static_cast<unsigned char>(key[0])) && !value.empty()) {
      set(key[0], value);
    }
  }
}

std::string DriveTable::folderOf(char letter) const {
  const auto it = folders_.find(toLowerAscii(letter));
  return it == folders_.end() ? std::string() : it->second;
}

std::string DriveTable::letters() const {
  std::string out;
  for (const auto& entry : folders_) out += entry.first;
  return out;
}

DriveTable& drives() {
  static DriveTable table;
  return table;
}

namespace {

bool existsOnDisk(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0;
}

// The names of one folder by their lower-case spelling, as read at the folder's last change.
// A folder's modification time changes whenever an entry is added, removed or renamed, so a
// listing is read again only after such a change.
struct FolderListing {
  dev_t device = 0;
  ino_t inode = 0;
  timespec modified{};
  std::unordered_map<std::string, std::string> byLowerName;
};

bool sameState(const FolderListing& listing, const struct stat& st) {
  return listing.device == st.st_dev && listing.inode == st.st_ino &&
         listing.modified.tv_sec == st.st_mtim.tv_sec &&
         listing.modified.tv_nsec == st.st_mtim.tv_nsec;
}

// The entry of `folder` whose name equals `name` ignoring case, or empty. When several entries
// differ only in case, the alphabetically first one is taken.
// `folderFound` (when given) tells whether the folder itself exists.
std::string findIgnoringCase(const std::string& folder, const std::string& name,
                             bool* folderFound = nullptr) {
  static std::unordered_map<std::string, FolderListing> listings;
  struct stat st;
  if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return {};
  if (folderFound) *folderFound = true;
  if (listings.size() > 512) listings.clear();
  FolderListing& listing = listings[folder];
  if (!sameState(listing, st)) {
    listing = FolderListing{st.st_dev, st.st_ino, st.st_mtim, {}};
    if (DIR* dir = ::opendir(folder.c_str())) {
      while (const dirent* entry = ::readdir(dir)) {
        auto [it, added] = listing.byLowerName.emplace(toLower(entry->d_name), entry->d_name);
        if (!added && it->second > entry->d_name) it->second = entry->d_name;
      }
      ::closedir(dir);
    }
  }
  const auto it = listing.byLowerName.find(toLower(name));
  return it == listing.byLowerName.end() ? std::string() : it->second;
}

std::vector<std::string> splitComponents(std::string_view path) {
  std::vector<std::string> parts;
  std::string current;
  for (char c : path) {
    if (c == '/') {
      if (!current.empty()) parts.push_back(std::move(current));
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.empty()) parts.push_back(std::move(current));
  return parts;
}

}  // namespace

std::string spelledPath(std::string_view windowsName) {
  std::string name(windowsName);
  for (char& c : name) {
    if (c == '\\') c = '/';
  }
  if (name.empty() || name[0] != '/' || name.find("//") != std::string::npos ||
      name.find("/./") != std::string::npos || name.find("..") != std::string::npos)
    return {};
  return name;
}

std::string nativePath(std::string_view windowsName) {
  std::string name(windowsName);
  for (char& c : name) {
    if (c == '\\') c = '/';
  }

  std::string base;  // what the components are resolved against, ending in '/' or empty
  if (name.size() >= 2 && name[1] == ':' && std::isalpha(static_cast<unsigned char>(name[0]))) {
    base = drives().folderOf(name[0]);
    if (base.empty()) return {};
    if (base.back() != '/') base += '/';
    name.erase(0, 2);
  } else if (!name.empty() && name[0] == '/') {
    base = "/";
  }

  // Most names are spelled as on disk: one lstat of the whole path proves every component.
  // A missing file in a folder spelled as on disk needs only that folder's listing.
  if (name.find("//") == std::string::npos && name.find("/./") == std::string::npos &&
      name.find("..") == std::string::npos) {
    const std::string whole =
        base.empty() || name.empty() || name[0] != '/' ? base + name : base + name.substr(1);
    if (!whole.empty() && existsOnDisk(whole)) return whole;
    const size_t slash = whole.find_last_of('/');
    if (!whole.empty() && whole.back() != '/' && (slash == std::string::npos || slash > 0)) {
      const std::string folder = slash == std::string::npos ? "." : whole.substr(0, slash);
      const std::string last = slash == std::string::npos ? whole : whole.substr(slash + 1);
      bool folderFound = false;
      const std::string onDisk = findIgnoringCase(folder, last, &folderFound);
      if (folderFound)
        return onDisk.empty() ? whole : whole.substr(0, whole.size() - last.size()) + onDisk;
    }
  }

  std::string result = base;
  bool resolving = true;
  const auto parts = splitComponents(name);
  for (size_t i = 0; i < parts.size(); ++i) {
    const std::string& part = parts[i];
    std::string chosen = part;
    if (resolving && part != "." && part != "..") {
      if (!existsOnDisk(result + part)) {
        const std::string onDisk = findIgnoringCase(result.empty() ? "." : result, part);
        if (onDisk.empty()) {
          resolving = false;
        } else {
          chosen = onDisk;
        }
      }
    }
    result += chosen;
    if (i + 1 < parts.size()) result += '/';
  }
  // Keep a trailing separator ("cmm\\") so folder names stay recognisable as folders.
  if (!name.empty() && name.back() == '/' && !result.empty() && result.back() != '/') result += '/';
  return result;
}

std::string fileNamePart(std::string_view path) {
  const size_t slash = path.find_last_of("\\/");
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

}  // namespace savora::platform
