#include "backup/backup.h"

#include <ctime>

#include "backup/backup_schedule.h"
#include "backup/restore_staging.h"
#include "backup/table_swap.h"
#include "platform/file.h"
#include "platform/file_ops.h"
#include "platform/log.h"
#include "platform/program_dirs.h"
#include "platform/text.h"

namespace savora::backup {
namespace {

using platform::formatText;
using toolkit::Button;
using toolkit::Buttons;

constexpr const char* kBackingUpTitle = "Automatically Backing Up Data";
constexpr const char* kRestoringTitle = "Restoring Data";
constexpr const char* kTablePatterns[] = {"*.cdx", "*.dbf", "*.fpt"};
constexpr const char* kRestoreFolder = "restore.tmp";
const std::string kNothingChanged = "\r\nYour data files were not changed.";
const std::string kPutBackAtStart =
    "\r\nYour earlier data files will be put back when Savora starts again.";

std::string folderOf(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Makes the data folder current again (file dialogs may have changed it).
void enterDataFolder() {
  platform::setProgramDirectory(platform::programDirectory());
}

}  // namespace

std::string backupFileName(std::string_view path) {
  std::string name(path);
  const size_t slash = name.find_last_of("/\\");
  const size_t dot = name.rfind('.');
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) name.erase(dot);
  return name + ".ck9";
}

std::string suggestedBackupName(int year, int month, int day) {
  return formatText("savora-backup-%04d-%02d-%02d.ck9", year, month, day);
}

std::string todaysBackupName() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return suggestedBackupName(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

BackupService::BackupService(store::TableStore& store, store::OpenTables& tables,
                             toolkit::User& user)
    : store_(store), tables_(tables), user_(user) {}

bool BackupService::backup(std::string_view path) {
  enterDataFolder();
  const std::string target = backupFileName(path);
  const std::string temporary = target + ".part";
  {
    platform::File probe;
    if (!probe.open(temporary, platform::File::Mode::Create)) {
      user_.message("Invalid File Name", "INFORMATION", Buttons::Ok,
                    "Please enter a valid file name.");
      return false;
    }
  }
  platform::logIfFailed(platform::deleteFile(temporary), "the probe file " + temporary + " stays");

  int result = archive::kOk;
  {
    toolkit::StatusScope status(
        user_, "Auto Back-Up",
        "Backing up Savora data files now...Please Wait.  This may take several minutes.");
    result = backupInto(target, temporary);
    enterDataFolder();
  }
  if (result != archive::kOk) {
    reportFailure("backed up", result);
    return false;
  }
  writeBackupDone(todayDayOfMonth());
  store_.resetRecipesAdded();
  lastLocation_ = folderOf(target);
  user_.message("Backup Complete", "INFORMATION", Buttons::Ok,
                "Your data was backed up to\r\n" + target);
  return true;
}

int BackupService::backupInto(const std::string& target, const std::string& temporary) {
  jobPath_ = target;
  archive::Job job;
  job.init();
  int result = job.openArchive(temporary, archive::kModeNew);
  if (result == archive::kOk) {
    job.registerFunction(archive::kProgressFunctionId,
                         [this](archive::JobStatus& s, int m, int p) { return progress(s, m, p); });
    tables_.closeAll();  // their files must be complete on disk
    for (const char* pattern : kTablePatterns) job.add(pattern);
    result = job.process();
    const bool aborted = job.status().abortRequest == archive::kAbortRequest;
    const int closed = job.closeArchive();
    job.cleanup();
    reopenTables();
    if (result == archive::kOk && aborted) result = archive::kErrorCanceled;
    if (result == archive::kOk) result = closed;
  } else {
    job.cleanup();
  }
  if (result == archive::kOk && !platform::moveFile(temporary, target))
    result = archive::kErrorWrite;
  if (result != archive::kOk)
    platform::logIfFailed(platform::deleteFile(temporary), "a failed backup left " + temporary);
  return result;
}

bool BackupService::restore(std::string_view path) {
  const std::string archivePath(path);
  if (!platform::fileExists(archivePath) || platform::isFolder(archivePath)) {
    user_.message("File Not Found", "ERROR", Buttons::Ok, "The backup file was not found.");
    return false;
  }
  if (user_.message("Restore Data?", "QUESTION", Buttons::YesNo,
                    "Any changes made since the last time you backed up\r\nwill be lost. Are you "
                    "sure you want to continue?") != Button::Yes) {
    return false;
  }
  enterDataFolder();
  std::string failure;
  {
    toolkit::StatusScope status(
        user_, kRestoringTitle,
        "Restoring Savora data files now...Please Wait.  This may take several minutes.");
    failure = restoreFrom(archivePath);
    // What stays is removed before the next restore extracts into it.
    platform::logIfFailed(platform::removeFolderTree(kRestoreFolder),
                          std::string("the restore folder stays: ") + kRestoreFolder);
    enterDataFolder();
  }
  if (!failure.empty()) {
    user_.message("Error!", "HAND", Buttons::Ok, "Your data could not be restored.\r\n" + failure);
    return false;
  }
  user_.message("Restore Complete", "INFORMATION", Buttons::Ok,
                "Your data was restored from\r\n" + archivePath);
  return true;
}

std::string BackupService::restoreFrom(const std::string& path) {
  // An archive with no entry at all reads as "no file found": the tables check below names it.
  if (const int code = extractBackup(path, kRestoreFolder);
      code != archive::kOk && code != archive::kErrorFileNotFound)
    return std::string(archive::messageText(code));
  std::vector<const store::TableDefinition*> known;
  for (const store::TableModule* module : tables_.modules()) known.push_back(&module->definition());
  const StagingResult staged = proveStagedTables(kRestoreFolder, known);
  if (!staged.problem.empty()) return staged.problem + kNothingChanged;

  tables_.closeAll();
  TableSwap swap;
  if (!swap.swapIn(kRestoreFolder, staged.tables)) {
    reopenTables();
    return "A data file could not be replaced." + kNothingChanged;
  }
  enterDataFolder();
  const std::vector<store::OpenFailure> failures = tables_.openAll();
  if (!failures.empty()) {
    tables_.closeAll();
    const bool putBack = TableSwap::rollBack();
    reopenTables();
    std::string text = "The restored data files could not be opened:";
    for (const store::OpenFailure& failure : failures)
      text += "\r\n" + failure.table + ": " + failure.cause;
    return text + (putBack ? kNothingChanged : kPutBackAtStart);
  }
  if (!swap.commit()) {
    // Left as it is, the swap would be undone at the next start: undone now, it is told.
    tables_.closeAll();
    const bool putBack = TableSwap::rollBack();
    reopenTables();
    return "A data file could not be replaced." + (putBack ? kNothingChanged : kPutBackAtStart);
  }
  return {};
}

int BackupService::extractBackup(const std::string& path, const std::string& folder) {
  int result = archive::verifyArchive(path, store::kLargestTableFile);
  if (result == archive::kOk) {
    // Files an earlier restore left must not be taken for the backup's.
    if (!platform::removeFolderTree(folder) || !platform::makeFolder(folder))
      result = archive::kErrorTempFile;
  }
  if (result != archive::kOk) return result;
  jobPath_ = path;
  archive::Job job;
  job.init();
  job.setLargestEntry(store::kLargestTableFile);
  result = job.openArchive(path, archive::kModeImport);
  if (result == archive::kOk) {
    job.registerFunction(archive::kProgressFunctionId,
                         [this](archive::JobStatus& s, int m, int p) { return progress(s, m, p); });
    job.extract("*.*", folder);
    result = job.process();
    if (result == archive::kOk && job.status().abortRequest == archive::kAbortRequest)
      result = archive::kErrorCanceled;
    job.closeArchive();
  }
  job.cleanup();
  return result;
}

void BackupService::reopenTables() {
  enterDataFolder();
  store::reportOpenFailures(user_, tables_.openAll());
}

void BackupService::reportFailure(const char* what, int code) {
  user_.message("Error!", "HAND", Buttons::Ok,
                formatText("Your data could not be %s.\r\n%s", what,
                           std::string(archive::messageText(code)).c_str()));
}

int BackupService::progress(archive::JobStatus& status, int message, int parameter) {
  const char* file = status.currentFile.c_str();
  switch (message) {
    case archive::kErrorDiskFull:
    case archive::kErrorTempFile:
    case archive::kErrorCrc:
    case archive::kErrorMemory:
      user_.showStatus(kBackingUpTitle, archive::messageText(message));
      break;
    case archive::kErrorEncrypted:
      user_.showStatus(kBackingUpTitle, formatText("%s is encrypted - Skipping.", file));
      break;
    case archive::kErrorFileNotFound:
      user_.showStatus(kBackingUpTitle, formatText("No file matches found for %s\n", file));
      break;
    case archive::kMessageCompressing:
      if (parameter == 0) user_.showStatus(kBackingUpTitle, formatText("Compressing %s", file));
      break;
    case archive::kMessageExtracting:
      if (parameter == 0) user_.showStatus(kRestoringTitle, formatText("Extracting %s", file));
      break;
    case archive::kMessageUpdating:
      user_.showStatus(kBackingUpTitle, formatText("Updating %s", file));
      break;
    case archive::kMessageExtractStart:
      user_.showStatus(kRestoringTitle, "Extracting");
      break;
    case 14:
    case 15:
    case 16:
    case 17:
      user_.showStatus(kBackingUpTitle, "Translating, ");
      break;
    case archive::kMessageCanceled:
    case 31:
      user_.showStatus(kBackingUpTitle, "Operation canceled.");
      break;
    case 39: {  // the archive needs another diskette
      const char drive = jobPath_.empty() ? '\0' : platform::toUpperAscii(jobPath_[0]);
      const bool floppy =
          (drive == 'A' || drive == 'B') && jobPath_.size() > 1 && jobPath_[1] == ':';
      if (floppy && status.abortRequest != archive::kAbortRequest) {
        if (user_.message("Insert Disk", "Information", Buttons::OkCancel,
                          formatText("Please insert another diskette in drive %c:", drive)) ==
            Button::Ok) {
          user_.showStatus(kBackingUpTitle, "Continuing backup on new disk");
        } else {
          status.abortRequest = archive::kAbortRequest;
        }
      }
      break;
    }
    case 40:
      user_.message("Insert Disk", "INFORMATION", Buttons::Ok,
                    formatText("Please insert diskette number %d", parameter));
      status.abortRequest = archive::kAbortRequest;
      break;
    case archive::kMessageJobEnded:
      // Nothing to show: the caller reopens the tables and reports the outcome once the archive
      // (backup) or the table files (restore) are in place.
      break;
    case archive::kMessageNoWritePermission:
      if (parameter == 1)
        user_.showStatus(kBackingUpTitle, formatText("No write permission for %s", file));
      break;
    default:
      break;
  }
  return 0;
}

}  // namespace savora::backup
