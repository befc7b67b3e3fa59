#include "store/open_tables.h"

#include "xbase/error.h"
#include "xbase/table.h"

namespace savora::store {

void OpenTables::closeAll() {
  for (TableModule* module : modules_) module->close();
  // Closed tables keep their files open for a quick reopen; whoever closes everything (to
  // restore a backup over the files, or to quit) wants the files closed.
  xbase::Table::closeKeptTables();
}

std::vector<OpenFailure> OpenTables::openAll() {
  std::vector<OpenFailure> failed;
  for (TableModule* module : modules_) {
    try {
      module->open();
    } catch (const xbase::Error& error) {
      failed.push_back({module->definition().name, error.what()});
    }
  }
  return failed;
}

void reportOpenFailures(toolkit::User& user, const std::vector<OpenFailure>& failures) {
  if (failures.empty()) return;
  std::string text = "These data files could not be opened:";
  for (const OpenFailure& failure : failures)
    text += "\r\n" + failure.table + "\r\n" + failure.cause;
  user.message("Error!", "HAND", toolkit::Buttons::Ok, text);
}

}  // namespace savora::store
