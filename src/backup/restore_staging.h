// Proving the tables a backup brings before any of them replaces a live one. The backup is
// unpacked into a folder of its own; there every table must open with its partners (the memo
// file its records point into, the index it is kept with) and read whole. A restore takes all of
// them or none.
#pragma once

#include <string>
#include <vector>

#include "store/table_module.h"

namespace savora::backup {

// One table of the backup: its name as the program opens it ("rc65") and the files it came
// with in the unpacking folder ("rc65.dbf", "rc65.fpt", "rc65.cdx").
struct StagedTable {
  std::string name;
  std::vector<std::string> files;
};

struct StagingResult {
  std::vector<StagedTable> tables;
  // Why the backup cannot be restored, naming the table; empty when every table proved sound.
  std::string problem;
};

// The table files (.dbf, .fpt, .cdx) directly in `folder`, grouped by table. Each table must
// have its .dbf and open from `folder`: header, memo file, every record and memo read, every
// tag checked against the data. A table the program knows (`known`, by name) opens writable
// with its tags, so a missing or damaged index is rebuilt there and comes along; it must carry
// the fields the program reads. A backup with no table at all is a problem too.
StagingResult proveStagedTables(const std::string& folder,
                                const std::vector<const store::TableDefinition*>& known);

// True for the names of table files (.dbf, .fpt, .cdx, any case).
bool isTableFileName(const std::string& name);
// The table a table file belongs to, in lower case: "RC65.DBF" -> "rc65".
std::string tableNameOf(const std::string& fileName);

}  // namespace savora::backup
