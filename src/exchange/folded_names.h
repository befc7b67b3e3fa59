// The records of a table by name, ignoring letter case, read in one walk and kept in memory for
// an import run. A table's name index orders names by their bytes, so a name in another case is
// only found by walking the table; an import asks for thousands of names, most of them missing,
// and one walk per question made it quadratic in the number of names.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "store/table_module.h"

namespace savora::exchange {

class FoldedNames {
 public:
  // `field` of the records in `tag` order; the first of names equal ignoring case wins, as in
  // TableModule::findIgnoringCase.
  FoldedNames(store::TableModule& table, std::string tag, std::string field)
      : table_(table), tag_(std::move(tag)), field_(std::move(field)) {}

  // Makes the record named `name` ignoring case (trimmed) current; false when there is none.
  // The record is checked against the table, so one deleted or renamed since is not given.
  bool find(std::string_view name);
  // The UID of that record, or 0.
  long uidOf(std::string_view name) { return find(name) ? table_.number("UID") : 0; }
  // Records that the table's last record was just appended under `name`, so the names need not
  // be read again.
  void appended(std::string_view name);

 private:
  // Reads the names when first asked, and again when the record count shows a change made by
  // someone else.
  void readIfStale();

  store::TableModule& table_;
  std::string tag_, field_;
  std::unordered_map<std::string, uint32_t> records_;
  uint32_t recordsRead_ = 0;
  bool read_ = false;
};

}  // namespace savora::exchange
