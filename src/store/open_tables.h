// The shared tables of the run, in their opening order. Work that replaces table files (backup,
// restore) closes them all first and opens them again afterwards.
#pragma once

#include <string>
#include <vector>

#include "store/table_module.h"
#include "toolkit/user.h"

namespace savora::store {

// A table that could not be opened: its name (as in its definition, e.g. "rc65") and why.
struct OpenFailure {
  std::string table;
  std::string cause;
};

class OpenTables {
 public:
  void add(TableModule& module) { modules_.push_back(&module); }
  const std::vector<TableModule*>& modules() const { return modules_; }
  // Closes every table (packing by each module's rule), files kept open for a reopen included.
  void closeAll();
  // Opens every table in order. One that fails stays closed and the others still open; the
  // failures in order, empty when all opened.
  std::vector<OpenFailure> openAll();

 private:
  std::vector<TableModule*> modules_;
};

// Tells the user which tables could not be opened and why; nothing when none failed.
void reportOpenFailures(toolkit::User& user, const std::vector<OpenFailure>& failures);

}  // namespace savora::store
