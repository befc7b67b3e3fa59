// When the program backs up by itself at exit: every tenth day of use, after five or more new
// recipes, or when there is no automatic backup yet. The day counter lives in "backup.cnt" in
// the data folder: the day of the month of the last counted day (two digits) and the counter
// (one digit), e.g. "060".
#pragma once

#include <string>

#include "store/table_store.h"
#include "toolkit/user.h"

namespace savora::backup {

inline constexpr const char* kBackupCounterFile = "backup.cnt";
inline constexpr long kNewRecipesForBackup = 5;

// The automatic backup archive: "savorabackup.ck9" in the Windows directory.
std::string automaticBackupPath();

// The contents of "backup.cnt" for a day and a counter: "0%d%d" below day 10, else "%d%d".
std::string backupCounterText(int dayOfMonth, int counter);

// Counts today as a day of use and says whether a backup is due. When it is, the new-recipe
// count is reset and, when "email.us" exists in the data folder, the user is asked for feedback
// and the file is deleted.
bool isBackupDue(store::TableStore& store, toolkit::User& user, int todayDayOfMonth);

// After a backup: today with the counter at 0.
void writeBackupDone(int todayDayOfMonth);

// Today's day of the month, 1 to 31.
int todayDayOfMonth();

}  // namespace savora::backup
