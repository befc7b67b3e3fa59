// A lock on a file of the program folder that one process at a time may hold: the program
// while it runs, the command-line companion while it imports or exports. Two processes changing
// the same tables would write over each other's new records. The lock goes with its holder,
// also when the holder crashes.
#pragma once

#include <string_view>

namespace savora::platform {

inline constexpr const char* kFolderLockName = "lock";

class FolderLock {
 public:
  FolderLock() = default;
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;
  ~FolderLock();

  // Takes the lock on `name` (created when missing); false only when another process holds it.
  // In a folder where the file cannot be made (read-only) nobody can hold it: true.
  bool tryLock(std::string_view name);

 private:
  int fd_ = -1;
};

}  // namespace savora::platform
