#include "store/open_tables.h"

#include "xbase/error.h"

namespace savora::store {

void OpenTables::closeAll() {
  for (TableModule* module : modules_) module->close();
}

std::vector<std::string> OpenTables::openAll() {
  std::vector<std::string> failed;
  for (TableModule* module : modules_) {
    try {
      module->open();
    } catch (const xbase::Error&) {
      failed.push_back(module->definition().name);
    }
  }
  return failed;
}

}  // namespace savora::store
