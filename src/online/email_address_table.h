// The address book of recipe e-mail: table "email", one record per address (UID, NAME), with
// UID_TAG and NAME_TAG. Addresses are kept trimmed; a deletion packs the table when it closes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "store/table_module.h"

namespace savora::online {

inline constexpr int kEmailAddressWidth = 80;

store::TableDefinition emailAddressTableDefinition();

class EmailAddressTable : public store::TableModule {
 public:
  explicit EmailAddressTable(store::TableStore& store);

  // Every address, in table (UID) order.
  std::vector<std::string> addresses();
  // True when the address is in the table (ignoring case and surrounding blanks).
  bool contains(std::string_view address);
  // Appends the address under a new UID and returns the UID.
  long add(std::string_view address);
  // Stores `newAddress` in place of `oldAddress`; false when the old one is not there.
  bool rename(std::string_view oldAddress, std::string_view newAddress);
  // Deletes the address; false when it is not there.
  bool remove(std::string_view address);
};

}  // namespace savora::online
