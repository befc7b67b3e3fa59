#include "exchange/archive_extract.h"

#include <sys/stat.h>

#include "archive/codes.h"
#include "archive/job.h"
#include "exchange/exchange_scratch.h"
#include "platform/file_ops.h"
#include "platform/log.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "store/media_list.h"
#include "store/table_module.h"

namespace savora::exchange {
namespace {

// The archive may have been copied from a CD: make it writable like any user file.
void clearReadOnly(const std::string& path) {
  const std::string native = platform::nativePath(path);
  struct stat st;
  if (::stat(native.c_str(), &st) == 0) ::chmod(native.c_str(), st.st_mode | S_IWUSR);
}

bool isWantedTableFile(const std::string& name) {
  const std::string lower = platform::toLower(name);
  for (const char* extension : {".dbf", ".cdx", ".fpt"}) {
    for (const std::string& table : exchangeTableNames()) {
      if (lower == table + extension) return true;
    }
    if (lower == std::string(kMakerUnitTable) + extension) return true;
  }
  return false;
}

// Moves the wanted names out of the staging folder; the rest is left for the clean-up.
bool moveWantedFiles() {
  const std::string staging = kExtractStagingFolder;
  for (const platform::FolderEntry& entry : platform::listFolder(staging + "\\*.*")) {
    if (entry.isFolder || !isWantedTableFile(entry.name)) continue;
    if (!platform::moveFile(staging + "\\" + entry.name, platform::toLower(entry.name))) {
      return false;
    }
  }
  const std::string media = staging + "\\" + store::kExchangeMediaListFolder;
  const auto mediaFiles = platform::listFolder(media + "\\*.*");
  if (mediaFiles.empty()) return true;
  if (!platform::makeFolder(store::kExchangeMediaListFolder)) return false;
  for (const platform::FolderEntry& entry : mediaFiles) {
    if (entry.isFolder) continue;
    if (!platform::moveFile(media + "\\" + entry.name,
                            std::string(store::kExchangeMediaListFolder) + "\\" + entry.name)) {
      return false;
    }
  }
  return true;
}

}  // namespace

int extractExchangeArchive(const std::string& archivePath) {
  clearReadOnly(archivePath);
  // Files an earlier extraction left must not be taken for the archive's.
  if (!platform::removeFolderTree(kExtractStagingFolder)) return archive::kErrorTempFile;
  archive::Job job;
  job.init();
  job.setLargestEntry(store::kLargestTableFile);
  int code = job.openArchive(archivePath, archive::kModeImport);
  if (code == archive::kOk) code = job.extract("*.*", kExtractStagingFolder);
  if (code == archive::kOk) code = job.process();
  job.cleanup();
  if (code == archive::kOk && !moveWantedFiles()) code = archive::kErrorWrite;
  platform::logIfFailed(platform::removeFolderTree(kExtractStagingFolder),
                        std::string("the extraction folder stays: ") + kExtractStagingFolder);
  return code;
}

}  // namespace savora::exchange
