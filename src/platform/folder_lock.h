// A lock on a file of the program folder that one process at a time may hold: the program
// while it runs, the command-line companion while it imports or exports. Two processes changing
// the same tables would write over each other's new records. The lock goes with its holder,
// also when the holder crashes.
#pragma once

#include <string>
#include <string_view>

namespace savora::platform {

inline constexpr const char* kFolderLockName = "lock";

class FolderLock {
 public:
  FolderLock() = default;
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;
  ~FolderLock();

  // Takes the lock on `name` (created when missing). False when another process holds it, and
  // also when the lock file cannot be opened for writing (a folder of that name, a file of
  // another user, a read-only folder): a lock nobody can take would let two writers in.
  bool tryLock(std::string_view name);
  // Why the last tryLock() failed: "held" by another process, or the system's reason the file
  // could not be opened.
  const std::string& problem() const { return problem_; }
  bool heldByAnother() const { return problem_ == kHeld; }

  static constexpr const char* kHeld = "held";

 private:
  int fd_ = -1;
  std::string problem_;
};

}  // namespace savora::platform
