// One open file, addressed by Windows-style or native name. Every write of the program goes
// through this class, so tests can make the Nth write fail, or simulate a process killed at the
// Nth write (see WriteFaults).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace savora::platform {

// Which file is on disk under a name, how long it is and when it last changed. Two equal stamps
// taken at different moments mean the file was not written in between, on file systems that
// give a change made after a stamp was taken a later time than the stamp shows (Linux 6.13 and
// later on ext4, xfs, btrfs and tmpfs). Elsewhere a change within the same clock tick as the
// first stamp, leaving the length as it was, goes unseen.
struct FileStamp {
  uint64_t device = 0;
  uint64_t inode = 0;
  uint64_t size = 0;
  int64_t modified = 0;  // nanoseconds since the epoch
  int64_t changed = 0;
  bool operator==(const FileStamp&) const = default;
};

// The stamp of the file a native path (as File::nativeName() gives it) names now; nullopt when
// there is none.
std::optional<FileStamp> stampOf(const std::string& nativeName);
// The stamp of the existing file File::open(name, Read or ReadWrite) would open now, the name
// looked up as open() looks it up; nullopt when there is none.
std::optional<FileStamp> stampOfName(std::string_view name);

class File {
 public:
  enum class Mode {
    Read,       // existing file, read only
    ReadWrite,  // existing file, read and write
    Create,     // create or truncate, read and write
    Append,     // create when missing; writes go to the end
    Update,     // create when missing, never truncate; read and write
  };

  File() = default;
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  File(File&& other) noexcept;
  File& operator=(File&& other) noexcept;
  ~File();

  // Returns false (and leaves the file closed) when the file cannot be opened in that mode.
  bool open(std::string_view name, Mode mode);
  bool isOpen() const { return fd_ >= 0; }
  void close();
  // The native path the file was opened under, with its spelling on disk.
  const std::string& nativeName() const { return nativeName_; }
  // The open file's stamp (zero when it cannot be had).
  FileStamp stamp() const;
  // Which file is open: its device and inode, looked up once per open (zero when they cannot be
  // had).
  std::pair<uint64_t, uint64_t> identity() const;
  // True when the file lies on a disk of this machine, where what any handle writes shows at
  // once through every other handle of the file. A network share's client may serve a handle
  // opened earlier what it cached before another machine's change; only a fresh open is sure
  // to see that change. Looked up once per open.
  bool onLocalDisk() const;

  // Reads up to `count` bytes at the current position; returns how many were read (0 at the end
  // or on error).
  size_t read(void* buffer, size_t count);
  // Reads exactly `count` bytes at `offset`; false when fewer are there.
  bool readAt(uint64_t offset, void* buffer, size_t count);
  // Writes all bytes at the current position / at `offset`; false on any failure.
  [[nodiscard]] bool write(const void* data, size_t count);
  [[nodiscard]] bool write(std::string_view data) { return write(data.data(), data.size()); }
  [[nodiscard]] bool writeAt(uint64_t offset, const void* data, size_t count);

  bool seek(uint64_t offset);
  uint64_t position() const;
  uint64_t size() const;
  [[nodiscard]] bool truncate(uint64_t size);
  // Pushes written data to the disk (fsync).
  [[nodiscard]] bool sync();
  // Maps the first `length` bytes for reading (a view that stays valid until unmapView() or
  // close; writes made later through this object show in it). Null when they cannot be mapped.
  const char* mapView(uint64_t length);
  void unmapView();
  const char* view() const { return view_; }
  bool viewFailed() const { return viewFailed_; }
  uint64_t viewLength() const { return viewLength_; }
  // True when a file grown to `size` has outgrown its view enough to be mapped again: by an
  // eighth of the view and 1 MB. Reading the few bytes added since from the file costs less
  // than mapping again after every small append.
  bool viewOutgrown(uint64_t size) const {
    return size >= viewLength_ + viewLength_ / 8 + (uint64_t(1) << 20);
  }
  // The system's text for the last failure of this object.
  const std::string& errorText() const { return error_; }
  // True when the last open() failed because the file does not exist.
  bool notFound() const { return notFound_; }

 private:
  bool countedWrite(uint64_t offset, bool atOffset, const void* data, size_t count);

  int fd_ = -1;
  const char* view_ = nullptr;
  uint64_t viewLength_ = 0;
  bool viewFailed_ = false;  // since open(): reads go to the file
  std::string error_;
  std::string nativeName_;
  bool notFound_ = false;
  // What identity() and onLocalDisk() found, for the file open now.
  mutable std::optional<std::pair<uint64_t, uint64_t>> identity_;
  mutable std::optional<bool> localDisk_;
};

// Fault injection for tests. Changes of the disk (writes, truncations, deletes, renames, folder
// changes) are numbered from 1 in the order they are asked for, across the whole process.
class WriteFaults {
 public:
  enum class Kind {
    None,
    Fail,      // the Nth and every later write fails with an I/O error
    FailOnce,  // the Nth write alone fails; the ones after it succeed (a failure recovered from)
    Crash,  // the Nth write stores only its first half, later writes are silently dropped:
            // what is on disk is what a process killed at that write would leave
  };
  // What happens to the write (or other change of the disk) that is being made now.
  enum class Outcome { Proceed, Fail, Partial, Drop };

  static void arm(uint64_t nth, Kind kind);
  static void disarm();
  // Counts arm() and disarm() calls: state kept in memory across them may not match the disk.
  static uint64_t generation();
  static uint64_t writesSoFar();
  // True once a Crash fault has fired (the "process" is dead; tests stop and reopen).
  static bool crashed();
  // Counts one change of the disk (a write, truncate, delete, rename, folder change) and says
  // what to do with it. Called by the platform's file operations only.
  static Outcome next();
  // For changes that are made whole or not at all (truncate, delete, rename, folders): counts
  // the change and returns true when it is to be made; otherwise `result` holds what to report
  // (a dropped change of a "killed" process reports success, a failed one failure).
  static bool allowsChange(bool& result);
};

}  // namespace savora::platform
