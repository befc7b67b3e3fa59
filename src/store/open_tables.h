// The shared tables of the run, in their opening order. Work that replaces table files (backup,
// restore) closes them all first and opens them again afterwards.
#pragma once

#include <string>
#include <vector>

#include "store/table_module.h"

namespace savora::store {

class OpenTables {
 public:
  void add(TableModule& module) { modules_.push_back(&module); }
  const std::vector<TableModule*>& modules() const { return modules_; }
  // Closes every table (packing by each module's rule).
  void closeAll();
  // Opens every table again; the names of those that failed, empty when all opened.
  std::vector<std::string> openAll();

 private:
  std::vector<TableModule*> modules_;
};

}  // namespace savora::store
