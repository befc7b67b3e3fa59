// The records of a user's table by name, ignoring letter case, read in one walk and kept in
// memory for an import run. The table's name index orders names by their bytes, so a name in
// another case is only found by walking the table; an import asks for thousands of names, most
// of them missing, and one walk per question made it quadratic in the number of names.
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

  // The UID of the record named `name` ignoring case (trimmed), or 0. A found record is made
  // current and checked against the table, so a record deleted or renamed since is not given.
  long find(std::string_view name);
  // Records an append made through this run, so the names need not be read again.
  void added(std::string_view name, long uid);

 private:
  // Reads the names when first asked, and again when the table's record count shows an append
  // made by someone else.
  void readIfStale();

  store::TableModule& table_;
  std::string tag_, field_;
  std::unordered_map<std::string, long> uids_;
  uint32_t recordsRead_ = 0;
  bool read_ = false;
};

}  // namespace savora::exchange
