// Archive jobs (open a ZIP archive, queue adds or extracts, carry them out with progress
// messages, close) and verifyArchive(), the whole-archive check a restore runs first.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "archive/codes.h"

struct zip;  // libzip's archive handle

namespace savora::archive {

// The job's status record, handed to the progress function with every message.
struct JobStatus {
  std::string currentFile;  // the file, entry or pattern the message is about
  int abortRequest = 0;     // set to kAbortRequest (by the progress function) to stop the job
};

// Called during process() with the status record, a message code (MessageCode or a negative
// ErrorCode) and a parameter; returns 0.
using ProgressFunction = std::function<int(JobStatus& status, int message, int parameter)>;

enum OpenMode : int {
  kModeNew = 0,      // create a new, empty archive (replacing any file of that name on commit)
  kModeUpdate = 1,   // open an existing archive, or create one when missing; read and add
  kModeImport = 17,  // open an existing archive read only
};

// Every operation returns 0 or a negative ErrorCode. A job runs
//   init, openArchive, [registerFunction], add/extract..., process, closeArchive, cleanup.
//
// Adding: each add pattern is matched against the folder on disk when process() runs; a pattern
// matching no file is reported (kErrorFileNotFound, status naming the pattern) and the other
// files are still added. Entries are stored deflated under the file's name (a folder part of the
// pattern is kept: "cmm\\*.*" stores "cmm/name"), with the file's modification time. A file whose
// name (ignoring case) is already in the archive replaces that entry. Consecutive queued adds
// are written as one change of the archive file: a canceled or failed process() leaves the
// archive exactly as it was. Patterns are matched first, so kErrorFileNotFound reports come
// before the kMessageCompressing of any file; a replaced entry gets kMessageCompressing, then
// kMessageUpdating.
//
// Extracting: every entry the pattern selects is checked before anything is written; an entry
// name that could leave the destination (absolute, drive letter, "..") makes process() return
// kErrorCorruptHeader and write nothing. Each entry is written to a temporary file beside its
// target and renamed over the target only after its size and CRC-32 checked out, so a target
// name never holds partial data. When a later entry fails (corrupt data, write error, cancel),
// entries already renamed into place stay: callers that need all-or-nothing verify the archive
// first (verifyArchive) and extract into a folder of their own. Encrypted entries are reported
// (kErrorEncrypted) and skipped; a target that may not be written is reported with
// kMessageNoWritePermission and skipped; the job goes on in both cases.
//
// Before an extract writes anything it also checks the sizes the archive records: an entry over
// the job's limit (setLargestEntry) stops it with kErrorEntryTooLarge, and entries needing more
// than the destination's file system has free stop it with kErrorInsufficientSpace. An archive
// that records small sizes and holds more cannot fill the disk either: no entry is written
// past its recorded size.
//
// process() returns 0 only when all queued work was done; otherwise the first error met
// (kErrorWriteProtected when files were skipped for lack of permission).
class Job {
 public:
  Job() = default;
  Job(const Job&) = delete;
  Job& operator=(const Job&) = delete;
  ~Job();

  // Starts a job: forgets any queued work, the progress function and the status record.
  int init();
  // kErrorAlreadyOpen when an archive is open; kErrorFileNotFound (import of a missing file),
  // kErrorNotArchive, kErrorInvalidDrive, kErrorBadArgument (unknown mode) otherwise.
  int openArchive(std::string_view path, int mode);
  // Only kProgressFunctionId is known; an empty function unregisters.
  int registerFunction(int id, ProgressFunction function);
  // Queues the files matching `pattern` (a name or wildcard, relative to the current folder).
  int add(std::string_view pattern);
  // Queues extraction of the entries matching `pattern` into `destination`.
  int extract(std::string_view pattern, std::string_view destination);
  // The largest entry an extract may write, in bytes (no limit by default).
  void setLargestEntry(uint64_t bytes) { largestEntry_ = bytes; }
  // Carries out the queued work in the order it was queued; always ends with kMessageJobEnded.
  int process();
  // Closes the archive; queued work that was never processed is dropped.
  int closeArchive();
  // Ends the job: closes any archive, forgets the queue and the progress function.
  int cleanup();
  // The next mark of a spinning progress sign: '|', '/', '-', '\\', then again.
  char twirl();

  JobStatus& status() { return status_; }

 private:
  struct Work {
    bool isAdd = false;
    std::string pattern;
    std::string destination;
  };
  // A file found for an add pattern.
  struct FileToAdd {
    std::string diskName;   // as handed to the platform layer
    std::string entryName;  // as stored in the archive
  };
  struct AddSource;

  void send(int message, int parameter = 0);
  int report(int code, std::string_view about);
  bool abortRequested() const { return status_.abortRequest == kAbortRequest; }
  // Opens archivePath_ with libzip flags `flags`; remembers them for rolling back a commit.
  int reopen(int flags);
  static void noteError(int& firstError, int code) {
    if (firstError == kOk) firstError = code;
  }

  // job_add.cpp
  int runAdds(const std::vector<const Work*>& adds, int& firstError);
  int commitAdds(const std::vector<FileToAdd>& files);
  // job_extract.cpp
  int runExtract(const Work& work, int& firstError);
  int extractEntry(uint64_t index, const std::string& name, const std::string& destination,
                   int& firstError);
  // kOk when the selected entries fit the entry limit and the destination's free space.
  int checkSizes(const std::vector<std::pair<uint64_t, std::string>>& selected,
                 const std::string& destination);

  JobStatus status_;
  ProgressFunction progress_;
  ::zip* archive_ = nullptr;
  std::string archivePath_;  // native path
  int openFlags_ = 0;        // libzip flags the open archive was opened with
  int openError_ = kOk;      // why the last openArchive() failed; returned by later operations
  std::vector<Work> queue_;
  bool extractStartSent_ = false;
  unsigned twirlStep_ = 0;
  uint64_t largestEntry_ = UINT64_MAX;
};

// Reads every entry of the archive fully. 0 when the whole archive is sound; otherwise
// kErrorFileNotFound (missing), kErrorNotArchive (not an archive, truncated), kErrorCorruptHeader
// (an entry name unsafe to extract), kErrorEntryTooLarge (an entry records more than
// `largestEntry` bytes: found before any data is read), kErrorCrc (damaged data),
// kErrorEncrypted.
int verifyArchive(std::string_view path, uint64_t largestEntry = UINT64_MAX);

// The names of the archive's entries in their order; nothing when it cannot be opened.
std::optional<std::vector<std::string>> entryNames(std::string_view path);

}  // namespace savora::archive
