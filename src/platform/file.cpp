#include "platform/file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "platform/paths.h"

namespace savora::platform {
namespace {

struct FaultState {
  uint64_t generation = 0;
  uint64_t count = 0;
  uint64_t nth = 0;
  WriteFaults::Kind kind = WriteFaults::Kind::None;
  bool crashed = false;
};

FaultState& faults() {
  static FaultState state;
  return state;
}

bool writeFully(int fd, uint64_t offset, bool atOffset, const char* data, size_t count) {
  while (count > 0) {
    const ssize_t n =
        atOffset ? ::pwrite(fd, data, count, off_t(offset)) : ::write(fd, data, count);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    count -= size_t(n);
    offset += uint64_t(n);
  }
  return true;
}

}  // namespace

void WriteFaults::arm(uint64_t nth, Kind kind) {
  faults() = FaultState{faults().generation + 1, 0, nth, kind, false};
}
void WriteFaults::disarm() {
  faults() = FaultState{faults().generation + 1};
}
uint64_t WriteFaults::generation() {
  return faults().generation;
}
uint64_t WriteFaults::writesSoFar() {
  return faults().count;
}
bool WriteFaults::crashed() {
  return faults().crashed;
}

WriteFaults::Outcome WriteFaults::next() {
  FaultState& f = faults();
  ++f.count;
  if (f.crashed) return Outcome::Drop;
  if (f.kind == Kind::Crash && f.count >= f.nth) {
    f.crashed = true;
    return Outcome::Partial;
  }
  if (f.kind == Kind::Fail && f.count >= f.nth) return Outcome::Fail;
  if (f.kind == Kind::FailOnce && f.count == f.nth) return Outcome::Fail;
  return Outcome::Proceed;
}

bool WriteFaults::allowsChange(bool& result) {
  switch (next()) {
    case Outcome::Proceed:
      return true;
    case Outcome::Fail:
      result = false;
      return false;
    case Outcome::Partial:
    case Outcome::Drop:
      result = true;
      return false;
  }
  return true;
}

File::File(File&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      view_(std::exchange(other.view_, nullptr)),
      viewLength_(std::exchange(other.viewLength_, 0)),
      viewFailed_(other.viewFailed_),
      error_(std::move(other.error_)),
      nativeName_(std::move(other.nativeName_)),
      identity_(std::exchange(other.identity_, std::nullopt)),
      localDisk_(std::exchange(other.localDisk_, std::nullopt)) {}

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    close();
    fd_ = std::exchange(other.fd_, -1);
    view_ = std::exchange(other.view_, nullptr);
    viewLength_ = std::exchange(other.viewLength_, 0);
    viewFailed_ = other.viewFailed_;
    error_ = std::move(other.error_);
    nativeName_ = std::move(other.nativeName_);
    identity_ = std::exchange(other.identity_, std::nullopt);
    localDisk_ = std::exchange(other.localDisk_, std::nullopt);
  }
  return *this;
}

File::~File() {
  close();
}

bool File::open(std::string_view name, Mode mode) {
  close();
  notFound_ = false;
  viewFailed_ = false;
  int flags = O_CLOEXEC;
  if (mode != Mode::Read && WriteFaults::crashed()) {
    // A killed process opens nothing more; writes through this handle vanish anyway.
    nativeName_.clear();
    fd_ = ::open("/dev/null", O_RDWR | O_CLOEXEC);
    return fd_ >= 0;
  }
  switch (mode) {
    case Mode::Read:
      flags |= O_RDONLY;
      break;
    case Mode::ReadWrite:
      flags |= O_RDWR;
      break;
    case Mode::Create:
      flags |= O_RDWR | O_CREAT | O_TRUNC;
      break;
    case Mode::Append:
      flags |= O_WRONLY | O_CREAT | O_APPEND;
      break;
    case Mode::Update:
      flags |= O_RDWR | O_CREAT;
      break;
  }
  // An existing file named as spelled on disk opens without looking the name up first.
  if (mode == Mode::Read || mode == Mode::ReadWrite) {
    nativeName_ = spelledPath(name);
    if (!nativeName_.empty()) fd_ = ::open(nativeName_.c_str(), flags);
  }
  if (fd_ < 0) {
    nativeName_ = nativePath(name);
    if (nativeName_.empty()) {
      notFound_ = true;
      error_ = "no such drive";
      return false;
    }
    fd_ = ::open(nativeName_.c_str(), flags, 0644);
  }
  if (fd_ < 0) {
    notFound_ = errno == ENOENT;
    error_ = std::strerror(errno);
    return false;
  }
  // A folder opens only for reading; opening one to write fails above.
  struct stat st;
  if (mode == Mode::Read && ::fstat(fd_, &st) == 0 && S_ISDIR(st.st_mode)) {
    error_ = "is a folder";
    close();
    return false;
  }
  return true;
}

void File::close() {
  unmapView();
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  identity_.reset();
  localDisk_.reset();
}

const char* File::mapView(uint64_t length) {
  unmapView();
  if (fd_ < 0 || length == 0) return nullptr;
  // Shared, so that the page cache the writes go to is the one the view shows.
  void* view = ::mmap(nullptr, size_t(length), PROT_READ, MAP_SHARED, fd_, 0);
  if (view == MAP_FAILED) {
    viewFailed_ = true;
    error_ = std::strerror(errno);
    return nullptr;
  }
  view_ = static_cast<const char*>(view);
  viewLength_ = length;
  return view_;
}

void File::unmapView() {
  if (view_ != nullptr) ::munmap(const_cast<char*>(view_), size_t(viewLength_));
  view_ = nullptr;
  viewLength_ = 0;
}

size_t File::read(void* buffer, size_t count) {
  if (fd_ < 0) return 0;
  size_t total = 0;
  char* out = static_cast<char*>(buffer);
  while (total < count) {
    const ssize_t n = ::read(fd_, out + total, count - total);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n < 0) error_ = std::strerror(errno);
      break;
    }
    total += size_t(n);
  }
  return total;
}

bool File::readAt(uint64_t offset, void* buffer, size_t count) {
  if (fd_ < 0) return false;
  size_t total = 0;
  char* out = static_cast<char*>(buffer);
  while (total < count) {
    const ssize_t n = ::pread(fd_, out + total, count - total, off_t(offset + total));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n < 0) error_ = std::strerror(errno);
      return false;
    }
    total += size_t(n);
  }
  return true;
}

bool File::countedWrite(uint64_t offset, bool atOffset, const void* data, size_t count) {
  if (fd_ < 0) return false;
  const char* bytes = static_cast<const char*>(data);
  switch (WriteFaults::next()) {
    case WriteFaults::Outcome::Drop:
      return true;  // the "killed" process goes on in the test, but nothing reaches the disk
    case WriteFaults::Outcome::Partial:
      writeFully(fd_, offset, atOffset, bytes, count / 2);
      return true;
    case WriteFaults::Outcome::Fail:
      error_ = std::strerror(EIO);
      return false;
    case WriteFaults::Outcome::Proceed:
      break;
  }
  if (!writeFully(fd_, offset, atOffset, bytes, count)) {
    error_ = std::strerror(errno);
    return false;
  }
  return true;
}

bool File::write(const void* data, size_t count) {
  return countedWrite(0, false, data, count);
}

bool File::writeAt(uint64_t offset, const void* data, size_t count) {
  return countedWrite(offset, true, data, count);
}

bool File::seek(uint64_t offset) {
  return fd_ >= 0 && ::lseek(fd_, off_t(offset), SEEK_SET) == off_t(offset);
}

uint64_t File::position() const {
  if (fd_ < 0) return 0;
  const off_t at = ::lseek(fd_, 0, SEEK_CUR);
  return at < 0 ? 0 : uint64_t(at);
}

namespace {

FileStamp stampFrom(const struct stat& st) {
  return FileStamp{uint64_t(st.st_dev), uint64_t(st.st_ino), uint64_t(st.st_size),
                   int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec,
                   int64_t(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec};
}

bool isLocalFileSystem(int fd) {
  struct statfs fs;
  if (::fstatfs(fd, &fs) != 0) return false;
  // The file systems of a Linux desktop's own disks and memory.
  switch (static_cast<uint64_t>(fs.f_type)) {
    case 0xEF53:      // ext2, ext3, ext4
    case 0x58465342:  // xfs
    case 0x9123683E:  // btrfs
    case 0xF2F52010:  // f2fs
    case 0x01021994:  // tmpfs
    case 0x858458F6:  // ramfs
    case 0x794C7630:  // overlayfs
      return true;
    default:
      return false;
  }
}

}  // namespace

std::optional<FileStamp> stampOf(const std::string& nativeName) {
  struct stat st;
  if (nativeName.empty() || ::stat(nativeName.c_str(), &st) != 0) return std::nullopt;
  return stampFrom(st);
}

std::optional<FileStamp> stampOfName(std::string_view name) {
  // File::open tries the name as spelled first, then looks it up ignoring case.
  if (std::optional<FileStamp> spelled = stampOf(spelledPath(name))) return spelled;
  return stampOf(nativePath(name));
}

FileStamp File::stamp() const {
  struct stat st;
  if (fd_ < 0 || ::fstat(fd_, &st) != 0) return {};
  return stampFrom(st);
}

std::pair<uint64_t, uint64_t> File::identity() const {
  if (!identity_ && fd_ >= 0) {
    const FileStamp now = stamp();
    identity_ = std::pair(now.device, now.inode);
  }
  return identity_.value_or(std::pair<uint64_t, uint64_t>());
}

bool File::onLocalDisk() const {
  if (!localDisk_ && fd_ >= 0) localDisk_ = isLocalFileSystem(fd_);
  return localDisk_.value_or(false);
}

uint64_t File::size() const {
  struct stat st;
  if (fd_ < 0 || ::fstat(fd_, &st) != 0) return 0;
  return uint64_t(st.st_size);
}

bool File::truncate(uint64_t newSize) {
  if (fd_ < 0) return false;
  if (bool result; !WriteFaults::allowsChange(result)) {
    if (!result) error_ = std::strerror(EIO);
    return result;
  }
  if (newSize < viewLength_) unmapView();  // a view past the end would fault when read
  if (::ftruncate(fd_, off_t(newSize)) != 0) {
    error_ = std::strerror(errno);
    return false;
  }
  return true;
}

bool File::sync() {
  return fd_ >= 0 && ::fsync(fd_) == 0;
}

}  // namespace savora::platform
