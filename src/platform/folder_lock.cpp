#include "platform/folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/paths.h"

namespace savora::platform {

FolderLock::~FolderLock() {
  if (fd_ >= 0) ::close(fd_);  // closing releases the lock
}

bool FolderLock::tryLock(std::string_view name) {
  if (fd_ >= 0) return true;
  const std::string path = nativePath(name);
  const int fd = path.empty() ? -1 : ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) {
    problem_ = std::strerror(path.empty() ? ENOENT : errno);
    return false;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    problem_ = kHeld;
    return false;
  }
  fd_ = fd;
  problem_.clear();
  return true;
}

}  // namespace savora::platform
