// Job: adding files. The files are handed to libzip as sources that read through the platform
// layer; libzip compresses them while it writes the new archive file, which is when each source
// is opened, so that is where the per-file messages are sent and the abort request honoured.

#include <sys/stat.h>
#include <zip.h>

#include <memory>
#include <unordered_map>

#include "archive/entry_names.h"
#include "archive/job.h"
#include "archive/zip_reading.h"
#include "platform/file.h"
#include "platform/file_ops.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace savora::archive {

constexpr zip_uint32_t kDeflateLevel = 3;

struct Job::AddSource {
  AddSource(Job& owner, const FileToAdd& toAdd) : job(owner), file(toAdd) {
    zip_error_init(&error);
  }
  ~AddSource() { zip_error_fini(&error); }

  static zip_int64_t callback(void* state, void* data, zip_uint64_t length, zip_source_cmd_t cmd) {
    return static_cast<AddSource*>(state)->command(data, length, cmd);
  }

  int fail(int code, int zipError) {
    failure = code;
    zip_error_set(&error, zipError, 0);
    return -1;
  }

  zip_int64_t command(void* data, zip_uint64_t length, zip_source_cmd_t cmd) {
    switch (cmd) {
      case ZIP_SOURCE_OPEN:
        if (!announced) {
          announced = true;
          job.status_.currentFile = file.entryName;
          job.send(kMessageCompressing);
          if (replaces) job.send(kMessageUpdating);
        }
        if (job.abortRequested()) return fail(kErrorCanceled, ZIP_ER_CANCELLED);
        if (!input.open(file.diskName, platform::File::Mode::Read)) {
          return fail(kErrorCannotOpen, ZIP_ER_OPEN);
        }
        return 0;
      case ZIP_SOURCE_READ: {
        const size_t n = input.read(data, size_t(length));
        // File::read gives 0 both at the end and on an error; only the position tells them apart.
        if (n < length && input.position() < input.size()) return fail(kErrorRead, ZIP_ER_READ);
        return zip_int64_t(n);
      }
      case ZIP_SOURCE_CLOSE:
        input.close();
        return 0;
      case ZIP_SOURCE_STAT: {
        auto* st = ZIP_SOURCE_GET_ARGS(zip_stat_t, data, length, &error);
        if (!st) return -1;
        zip_stat_init(st);
        st->valid |= ZIP_STAT_MTIME | ZIP_STAT_SIZE;
        st->mtime = modified;
        st->size = size;
        return sizeof(*st);
      }
      case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&error, data, length);
      case ZIP_SOURCE_FREE:
        return 0;  // owned by commitAdds(), which outlives every use by libzip
      case ZIP_SOURCE_SUPPORTS:
        return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE,
                                              ZIP_SOURCE_STAT, ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE,
                                              -1);
      default:
        zip_error_set(&error, ZIP_ER_OPNOTSUPP, 0);
        return -1;
    }
  }

  Job& job;
  FileToAdd file;
  bool replaces = false;   // the entry was in the archive before this job
  bool announced = false;  // libzip may open a source more than once; messages go out once
  time_t modified = 0;
  uint64_t size = 0;
  platform::File input;
  int failure = kOk;  // our status code for the error this source raised
  zip_error_t error;
};

int Job::runAdds(const std::vector<const Work*>& adds, int& firstError) {
  std::vector<FileToAdd> files;
  std::unordered_map<std::string, size_t> byEntryName;  // lower-case entry name to its file
  for (const Work* work : adds) {
    const std::string folder = folderPartOf(work->pattern);
    bool matched = false;
    for (const platform::FolderEntry& found : platform::listFolder(work->pattern)) {
      if (found.isFolder) continue;
      matched = true;
      FileToAdd file{folder + found.name, entryNameFor(folder, found.name)};
      // "*.dbf" and "rc65.dbf" both name rc65.dbf: the archive gets it once.
      const auto [it, added] = byEntryName.emplace(platform::toLower(file.entryName), files.size());
      if (added) {
        files.push_back(std::move(file));
      } else {
        files[it->second] = std::move(file);
      }
    }
    if (!matched) {
      noteError(firstError, kErrorFileNotFound);
      report(kErrorFileNotFound, work->pattern);
    }
  }
  return files.empty() ? kOk : commitAdds(files);
}

int Job::commitAdds(const std::vector<FileToAdd>& files) {
  const int rollbackFlags = openFlags_;
  std::vector<std::unique_ptr<AddSource>> sources;
  int code = kOk;
  std::string about = archivePath_;
  for (const FileToAdd& file : files) {
    // Kept alive until libzip lets go of the source (zip_close or zip_discard below).
    AddSource* source = sources.emplace_back(std::make_unique<AddSource>(*this, file)).get();
    struct stat st;
    const std::string native = platform::nativePath(file.diskName);
    if (::stat(native.c_str(), &st) == 0) {
      source->modified = st.st_mtime;
      source->size = uint64_t(st.st_size);
    }
    const zip_int64_t existing =
        zip_name_locate(archive_, file.entryName.c_str(), ZIP_FL_NOCASE | ZIP_FL_ENC_RAW);
    zip_source_t* zipSource = zip_source_function(archive_, &AddSource::callback, source);
    if (!zipSource) {
      code = kErrorMemory;
      about = file.entryName;
      break;
    }
    zip_int64_t index = existing;
    if (existing >= 0) {
      source->replaces = true;
      if (zip_file_replace(archive_, zip_uint64_t(existing), zipSource, 0) != 0) index = -1;
    } else {
      index = zip_file_add(archive_, file.entryName.c_str(), zipSource, 0);
    }
    // Level 3: table files are mostly long runs of blanks, on which the default level spends
    // several times longer searching for matches for an archive only about 10% smaller.
    if (index < 0 ||
        zip_set_file_compression(archive_, zip_uint64_t(index), ZIP_CM_DEFLATE, kDeflateLevel) !=
            0 ||
        zip_file_set_mtime(archive_, zip_uint64_t(index), source->modified, 0) != 0) {
      if (index < 0) zip_source_free(zipSource);
      code = codeForZipError(zip_get_error(archive_));
      about = file.entryName;
      break;
    }
  }

  if (code == kOk) {
    if (zip_close(archive_) == 0) {
      archive_ = nullptr;
      // The file now holds the committed archive: later failures roll back to it.
      const int reopened = reopen(ZIP_CREATE | ZIP_CHECKCONS);
      return reopened == kOk ? kOk : report(reopened, archivePath_);
    }
    code = codeForZipError(zip_get_error(archive_));
    for (const auto& source : sources) {
      if (source->failure != kOk) {
        code = source->failure;
        about = source->file.entryName;
        break;
      }
    }
  }
  // Nothing reached the archive file: libzip writes a temporary file and renames it only on
  // success. Drop the pending changes and continue from the archive as it was.
  zip_discard(archive_);
  archive_ = nullptr;
  if (code == kOk) code = kErrorGeneral;
  if (code != kErrorCanceled) report(code, about);
  const int reopened = reopen(rollbackFlags);
  if (reopened != kOk) report(reopened, archivePath_);
  return code;
}

}  // namespace savora::archive
