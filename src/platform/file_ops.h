// Whole-file operations on Windows-style or native names (each mapped through nativePath):
// the stand-ins for the Windows file functions the program uses.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace savora::platform {

bool fileExists(std::string_view name);  // a file or a folder
bool isFolder(std::string_view name);
std::optional<uint64_t> fileSize(std::string_view name);

// The file's bytes (at most `maxBytes`), or nothing when it cannot be read.
std::optional<std::string> readWholeFile(std::string_view name, size_t maxBytes = SIZE_MAX);
// Creates or truncates the file and writes `data`.
[[nodiscard]] bool writeWholeFile(std::string_view name, std::string_view data);
[[nodiscard]] bool appendToFile(std::string_view name, std::string_view data);

// Copies in blocks of `blockSize` bytes, replacing `to`. `progress` (optional) gets the bytes
// copied so far after each block. A failed copy removes the partial target.
[[nodiscard]] bool copyFile(std::string_view from, std::string_view to,
                            size_t blockSize = 64 * 1024,
                            const std::function<void(uint64_t)>& progress = {});
// Renames, or copies and deletes across file systems. Replaces an existing target.
[[nodiscard]] bool moveFile(std::string_view from, std::string_view to);
[[nodiscard]] bool deleteFile(std::string_view name);
// Deletes the file if there is one: true when none is left.
[[nodiscard]] bool deleteIfPresent(std::string_view name);
// Creates one folder (its parent must exist); true when it exists afterwards.
[[nodiscard]] bool makeFolder(std::string_view name);
// Removes an empty folder.
[[nodiscard]] bool removeFolder(std::string_view name);
// Deletes a folder with everything in it (folders within included); nothing when it does not
// exist. True when it is gone afterwards.
[[nodiscard]] bool removeFolderTree(std::string_view name);
// The bytes an ordinary user may still write on the file system holding `name` (a file or a
// folder); nothing when it cannot be told.
std::optional<uint64_t> freeSpace(std::string_view name);

struct FolderEntry {
  std::string name;  // as on disk, without the folder
  bool isFolder = false;
  uint64_t size = 0;
};

// Entries matching a pattern such as "cmm\\*.*" or "download\\tip?.MPG": the folder part is
// mapped like any name, the last component is a wildcard matched ignoring case. Sorted by name;
// "." and ".." are never listed.
std::vector<FolderEntry> listFolder(std::string_view pattern);

// Windows wildcard match ignoring case: '*' any run, '?' one character; a pattern ending in ".*"
// also matches names without an extension ("*.*" matches everything).
bool matchWildcard(std::string_view pattern, std::string_view name);

}  // namespace savora::platform
