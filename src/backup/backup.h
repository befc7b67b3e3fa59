// Backing up every table of the data folder into one archive (".ck9") and restoring them from
// it, with the progress routine that reports an archive job in the status window.
//
// Order of a backup: check the target name, archive the table files into a temporary file beside
// the target (the tables closed meanwhile), reopen the tables, and only then replace the old
// archive: a failed backup leaves the last good archive as it was.
// Order of a restore: check the whole archive (every entry's size and CRC) while the tables stay
// open, extract it into a folder of its own and prove every table there (restore_staging.h), then
// close the tables, swap the proven files in (table_swap.h) and reopen them. Only when they all
// open is the swap committed; any failure before puts the old files back: a damaged or hostile
// archive changes nothing.
#pragma once

#include <string>
#include <string_view>

#include "archive/job.h"
#include "store/open_tables.h"
#include "store/table_store.h"
#include "toolkit/user.h"

namespace savora::backup {

// The archive name for a chosen name: the extension of the last path component replaced by
// ".ck9" (added when there is none).
std::string backupFileName(std::string_view path);

// The name the Back Up dialog suggests for a backup made on a day, e.g.
// "savora-backup-2026-03-07.ck9"; todaysBackupName() for today (local time).
std::string suggestedBackupName(int year, int month, int day);
std::string todaysBackupName();

class BackupService {
 public:
  BackupService(store::TableStore& store, store::OpenTables& tables, toolkit::User& user);

  // Backs up into `path` (made to end in ".ck9"). True when the archive is complete and in place.
  bool backup(std::string_view path);
  // Restores the tables from the archive `path` after asking the user. True when restored.
  bool restore(std::string_view path);

  // The folder of the last successful backup (where the file dialogs start).
  const std::string& lastLocation() const { return lastLocation_; }
  void setLastLocation(std::string folder) { lastLocation_ = std::move(folder); }

  // The progress routine of backup and restore jobs: shows each message of the archive library
  // as the status window's line. Returns 0.
  int progress(archive::JobStatus& status, int message, int parameter);

 private:
  // Each returns the archive library's result code, archive::kOk when done.
  int backupInto(const std::string& target, const std::string& temporary);
  // Restores from the archive; empty when done, otherwise what went wrong, for the user.
  std::string restoreFrom(const std::string& path);
  int extractBackup(const std::string& path, const std::string& folder);
  void reopenTables();
  void reportFailure(const char* what, int code);

  store::TableStore& store_;
  store::OpenTables& tables_;
  toolkit::User& user_;
  std::string jobPath_;  // the archive of the running job
  std::string lastLocation_;
};

}  // namespace savora::backup
