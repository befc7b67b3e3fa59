// Job: extracting entries. Every selected entry name is checked before anything is written, and
// each entry goes to a temporary file beside its target that replaces the target only once its
// size and CRC-32 checked out.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "archive/entry_names.h"
#include "archive/job.h"
#include "archive/zip_reading.h"
#include "platform/file.h"
#include "platform/file_ops.h"
#include "platform/log.h"
#include "platform/paths.h"

namespace savora::archive {
namespace {

std::string withSlashes(std::string_view name) {
  std::string out(name);
  for (char& c : out) {
    if (c == '\\') c = '/';
  }
  return out;
}

std::string joinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  const char last = folder.back();
  return last == '/' || last == '\\' ? folder + name : folder + "/" + name;
}

// Creates the folders of `relative` (its components up to the last '/') under `base`.
bool makeFolders(const std::string& base, const std::string& relative) {
  for (size_t slash = relative.find('/'); slash != std::string::npos;
       slash = relative.find('/', slash + 1)) {
    if (slash == 0) continue;
    if (!platform::makeFolder(joinPath(base, relative.substr(0, slash)))) return false;
  }
  return true;
}

bool writable(const std::string& nativeName) {
  return ::access(nativeName.c_str(), W_OK) == 0;
}

std::string folderOf(const std::string& nativeName) {
  const size_t slash = nativeName.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : nativeName.substr(0, slash);
}

// A name beside `target` that no file has yet.
std::string temporaryNameFor(const std::string& target) {
  static unsigned counter = 0;
  for (;;) {
    std::string name =
        target + ".~" + std::to_string(::getpid()) + "-" + std::to_string(++counter) + ".tmp";
    if (!platform::fileExists(name)) return name;
  }
}

int writeFailureCode(const platform::File& file) {
  return file.errorText() == std::strerror(ENOSPC) ? kErrorDiskFull : kErrorWrite;
}

void setModified(const std::string& name, time_t modified) {
  const timespec times[2] = {{0, UTIME_NOW}, {modified, 0}};
  ::utimensat(AT_FDCWD, platform::nativePath(name).c_str(), times, 0);
}

}  // namespace

int Job::runExtract(const Work& work, int& firstError) {
  if (!extractStartSent_) {
    extractStartSent_ = true;
    send(kMessageExtractStart);
  }
  std::vector<std::pair<zip_uint64_t, std::string>> selected;
  const zip_int64_t count = zip_get_num_entries(archive_, 0);
  for (zip_int64_t i = 0; i < count; ++i) {
    const char* name = zip_get_name(archive_, zip_uint64_t(i), ZIP_FL_ENC_RAW);
    if (!name) return report(kErrorNotArchive, archivePath_);
    if (patternSelectsEntry(work.pattern, name)) selected.emplace_back(zip_uint64_t(i), name);
  }
  for (const auto& entry : selected) {
    if (!isSafeEntryName(entry.second)) return report(kErrorCorruptHeader, entry.second);
  }
  if (selected.empty()) {
    noteError(firstError, kErrorFileNotFound);
    report(kErrorFileNotFound, work.pattern);
    return kOk;
  }
  if (!work.destination.empty() && !platform::isFolder(work.destination) &&
      !platform::makeFolder(work.destination)) {
    return report(kErrorCannotOpen, work.destination);
  }
  if (const int code = checkSizes(selected, work.destination); code != kOk) return code;
  for (const auto& [index, name] : selected) {
    const int code = extractEntry(index, name, work.destination, firstError);
    if (code != kOk) return code;
  }
  return kOk;
}

int Job::checkSizes(const std::vector<std::pair<uint64_t, std::string>>& selected,
                    const std::string& destination) {
  // Room kept free beyond the entries, so that finishing them leaves the tables room to write.
  constexpr uint64_t kReserve = 16 * 1024 * 1024;
  uint64_t total = 0;
  for (const auto& [index, name] : selected) {
    zip_stat_t st;
    if (zip_stat_index(archive_, index, 0, &st) != 0) return report(kErrorNotArchive, name);
    if (!(st.valid & ZIP_STAT_SIZE)) continue;
    if (st.size > largestEntry_) return report(kErrorEntryTooLarge, name);
    total = st.size > UINT64_MAX - kReserve - total ? UINT64_MAX - kReserve : total + st.size;
  }
  const std::optional<uint64_t> free =
      platform::freeSpace(destination.empty() ? std::string(".") : destination);
  if (free && total + kReserve > *free) return report(kErrorInsufficientSpace, destination);
  return kOk;
}

// Returns kOk when the job may go on (also after an entry was skipped and reported), otherwise
// the error that stops it.
int Job::extractEntry(uint64_t index, const std::string& name, const std::string& destination,
                      int& firstError) {
  status_.currentFile = name;
  send(kMessageExtracting);
  if (abortRequested()) return kErrorCanceled;

  zip_stat_t st;
  if (zip_stat_index(archive_, index, 0, &st) != 0) return report(kErrorNotArchive, name);
  if ((st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method != ZIP_EM_NONE) {
    noteError(firstError, kErrorEncrypted);
    report(kErrorEncrypted, name);
    return kOk;
  }
  const std::string relative = withSlashes(name);
  const bool isFolderEntry = relative.back() == '/';
  const std::string target = joinPath(destination, relative);
  if (!makeFolders(destination, relative)) {
    noteError(firstError, kErrorCannotOpen);
    report(kErrorCannotOpen, name);
    return kOk;
  }
  if (isFolderEntry) return kOk;

  const std::string nativeTarget = platform::nativePath(target);
  if (platform::isFolder(target)) {
    noteError(firstError, kErrorCannotOpen);
    report(kErrorCannotOpen, name);
    return kOk;
  }
  if ((platform::fileExists(target) && !writable(nativeTarget)) ||
      !writable(folderOf(nativeTarget))) {
    noteError(firstError, kErrorWriteProtected);
    status_.currentFile = name;
    send(kMessageNoWritePermission, 1);
    return kOk;
  }

  const std::string temporary = temporaryNameFor(target);
  platform::File output;
  if (!output.open(temporary, platform::File::Mode::Create)) {
    return report(kErrorTempFile, name);
  }
  int code = readEntry(archive_, index, [&output](const char* data, size_t size) {
    return output.write(data, size) ? kOk : writeFailureCode(output);
  });
  if (code == kOk && !output.sync()) code = kErrorWrite;
  output.close();
  if (code == kOk) {
    if (st.valid & ZIP_STAT_MTIME) setModified(temporary, st.mtime);
    if (!platform::moveFile(temporary, target)) code = kErrorWrite;
  }
  if (code == kOk) return kOk;
  platform::logIfFailed(platform::deleteFile(temporary), "a failed extraction left " + temporary);
  report(code, name);
  if (code == kErrorEncrypted || code == kErrorNotSupported) {
    noteError(firstError, code);
    return kOk;  // this entry cannot be decoded; the others may still be fine
  }
  return code;
}

}  // namespace savora::archive
