#include "archive/job.h"

#include <zip.h>

#include "archive/entry_names.h"
#include "archive/zip_reading.h"
#include "platform/paths.h"

namespace savora::archive {

Job::~Job() {
  cleanup();
}

int Job::init() {
  cleanup();
  status_ = JobStatus{};
  openError_ = kOk;
  return kOk;
}

int Job::openArchive(std::string_view path, int mode) {
  if (archive_) return kErrorAlreadyOpen;
  int flags = 0;
  switch (mode) {
    case kModeNew:
      flags = ZIP_CREATE | ZIP_TRUNCATE;
      break;
    case kModeUpdate:
      flags = ZIP_CREATE | ZIP_CHECKCONS;
      break;
    case kModeImport:
      flags = ZIP_RDONLY | ZIP_CHECKCONS;
      break;
    default:
      return openError_ = kErrorBadArgument;
  }
  if (path.empty()) return openError_ = kErrorBadArgument;
  archivePath_ = platform::nativePath(path);
  if (archivePath_.empty()) return openError_ = kErrorInvalidDrive;
  return openError_ = reopen(flags);
}

int Job::reopen(int flags) {
  int error = ZIP_ER_OK;
  archive_ = zip_open(archivePath_.c_str(), flags, &error);
  if (archive_) {
    openFlags_ = flags;
    return kOk;
  }
  zip_error_t zipError;
  zip_error_init_with_code(&zipError, error);
  const int code = codeForZipError(&zipError);
  zip_error_fini(&zipError);
  return code == kOk ? kErrorGeneral : code;
}

int Job::registerFunction(int id, ProgressFunction function) {
  if (id != kProgressFunctionId) return kErrorBadArgument;
  progress_ = std::move(function);
  return kOk;
}

int Job::add(std::string_view pattern) {
  if (!archive_) return openError_ != kOk ? openError_ : kErrorBadArgument;
  if (openFlags_ & ZIP_RDONLY) return kErrorWriteProtected;
  if (pattern.empty()) return kErrorBadArgument;
  queue_.push_back(Work{true, std::string(pattern), {}});
  return kOk;
}

int Job::extract(std::string_view pattern, std::string_view destination) {
  if (!archive_) return openError_ != kOk ? openError_ : kErrorBadArgument;
  if (pattern.empty()) return kErrorBadArgument;
  queue_.push_back(Work{false, std::string(pattern), std::string(destination)});
  return kOk;
}

int Job::process() {
  int firstError = kOk;
  int stop = kOk;  // the error that ended the job early
  extractStartSent_ = false;
  if (!archive_) stop = openError_ != kOk ? openError_ : kErrorBadArgument;
  for (size_t i = 0; stop == kOk && i < queue_.size();) {
    if (queue_[i].isAdd) {
      std::vector<const Work*> adds;
      while (i < queue_.size() && queue_[i].isAdd) adds.push_back(&queue_[i++]);
      stop = runAdds(adds, firstError);
    } else {
      stop = runExtract(queue_[i++], firstError);
    }
  }
  queue_.clear();
  if (stop == kErrorCanceled) send(kMessageCanceled);
  send(kMessageJobEnded);
  return stop != kOk ? stop : firstError;
}

int Job::closeArchive() {
  if (archive_) zip_discard(archive_);
  archive_ = nullptr;
  queue_.clear();
  return kOk;
}

int Job::cleanup() {
  closeArchive();
  progress_ = nullptr;
  return kOk;
}

char Job::twirl() {
  static constexpr char kMarks[] = {'|', '/', '-', '\\'};
  return kMarks[twirlStep_++ % 4];
}

void Job::send(int message, int parameter) {
  if (progress_) progress_(status_, message, parameter);
}

int Job::report(int code, std::string_view about) {
  status_.currentFile = std::string(about);
  send(code);
  return code;
}

namespace {

// Opens an archive read only; null with the status code in `code` when it cannot.
zip_t* openForReading(std::string_view path, int& code) {
  const std::string native = platform::nativePath(path);
  if (native.empty()) {
    code = kErrorFileNotFound;
    return nullptr;
  }
  int error = ZIP_ER_OK;
  zip_t* archive = zip_open(native.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
  switch (archive ? ZIP_ER_OK : error) {
    case ZIP_ER_OK:
      code = kOk;
      break;
    case ZIP_ER_NOENT:
      code = kErrorFileNotFound;
      break;
    case ZIP_ER_MEMORY:
      code = kErrorMemory;
      break;
    case ZIP_ER_OPEN:
      code = kErrorCannotOpen;
      break;
    default:
      code = kErrorNotArchive;
      break;
  }
  return archive;
}

}  // namespace

std::optional<std::vector<std::string>> entryNames(std::string_view path) {
  int code = kOk;
  zip_t* archive = openForReading(path, code);
  if (!archive) return std::nullopt;
  std::vector<std::string> names;
  const zip_int64_t count = zip_get_num_entries(archive, 0);
  for (zip_int64_t i = 0; i < count; ++i) {
    const char* name = zip_get_name(archive, zip_uint64_t(i), ZIP_FL_ENC_RAW);
    names.emplace_back(name ? name : "");
  }
  zip_discard(archive);
  return names;
}

int verifyArchive(std::string_view path, uint64_t largestEntry) {
  int result = kOk;
  zip_t* archive = openForReading(path, result);
  if (!archive) return result;
  const zip_int64_t count = zip_get_num_entries(archive, 0);
  // Names and sizes first: an archive built to escape its folder or to fill the disk is refused
  // whatever its data holds, and before any of it is inflated.
  for (zip_int64_t i = 0; result == kOk && i < count; ++i) {
    const char* name = zip_get_name(archive, zip_uint64_t(i), ZIP_FL_ENC_RAW);
    zip_stat_t st;
    if (!name || zip_stat_index(archive, zip_uint64_t(i), 0, &st) != 0) {
      result = kErrorNotArchive;
    } else if (!isSafeEntryName(name)) {
      result = kErrorCorruptHeader;
    } else if ((st.valid & ZIP_STAT_SIZE) && st.size > largestEntry) {
      result = kErrorEntryTooLarge;
    }
  }
  for (zip_int64_t i = 0; result == kOk && i < count; ++i) {
    result = readEntry(archive, zip_uint64_t(i), {});
  }
  zip_discard(archive);
  return result;
}

}  // namespace savora::archive
