// Putting a proven set of tables in place of the live ones so that no failure, and no end of the
// process, leaves a mix of old and new files. The live files of every table concerned first move
// aside into a folder of their own, after a journal there names the tables; a mark is written
// when they all moved; then the new files move in. Until the swap is committed, a failure puts
// the old files back, and so does the next start after a crash (recoverInterruptedRestore).
// The tables must be closed while files move.
#pragma once

#include <string>
#include <vector>

#include "backup/restore_staging.h"

namespace savora::backup {

// The folder in the program folder that holds the replaced tables until a restore is committed.
inline constexpr const char* kReplacedTablesFolder = "restore.old";

class TableSwap {
 public:
  // Moves the live files of `tables` aside and their files from `stagingFolder` in. False when
  // something could not move; the old files were then put back (see rollBack()).
  bool swapIn(const std::string& stagingFolder, const std::vector<StagedTable>& tables);
  // The new tables opened: the old files are let go. False when the journal cannot be deleted:
  // the swap is then not committed, and the next start would undo it.
  [[nodiscard]] bool commit();
  // Puts the old files back, removing the new ones. False when some could not move; the journal
  // then stays, and the next start tries again.
  static bool rollBack();
};

// Run at start before any table opens: a restore cut short before it was committed is undone,
// and what a committed one left behind is removed.
void recoverInterruptedRestore();

}  // namespace savora::backup
