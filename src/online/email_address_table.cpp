#include "online/email_address_table.h"

#include "platform/text.h"

namespace savora::online {

namespace {
constexpr const char* kNameTag = "NAME_TAG";
}

store::TableDefinition emailAddressTableDefinition() {
  store::TableDefinition def;
  def.name = "email";
  def.fields = {{"UID", 'N', 5, 0}, {"NAME", 'C', kEmailAddressWidth, 0}};
  def.tags = {{store::kUidTag, "UID", store::kNotDeleted, false, false},
              {kNameTag, "NAME", store::kNotDeleted, false, false}};
  def.packAfterDeletions = 0;  // any deletion
  def.packText = "Compressing E-Mail List Data...Please Wait.";
  return def;
}

EmailAddressTable::EmailAddressTable(store::TableStore& store)
    : TableModule(store, emailAddressTableDefinition()) {}

std::vector<std::string> EmailAddressTable::addresses() {
  std::vector<std::string> result;
  for (bool on = first(store::kUidTag); on; on = next()) result.push_back(text("NAME"));
  return result;
}

bool EmailAddressTable::contains(std::string_view address) {
  const std::string trimmed = platform::trim(address);
  return !trimmed.empty() && findIgnoringCase(kNameTag, "NAME", trimmed);
}

long EmailAddressTable::add(std::string_view address) {
  const std::string trimmed = platform::trim(address);
  return storeRecord(0, [&] { setText("NAME", trimmed.substr(0, kEmailAddressWidth)); });
}

bool EmailAddressTable::rename(std::string_view oldAddress, std::string_view newAddress) {
  if (!contains(oldAddress)) return false;
  const std::string trimmed = platform::trim(newAddress);
  storeRecord(number("UID"), [&] { setText("NAME", trimmed.substr(0, kEmailAddressWidth)); });
  return true;
}

bool EmailAddressTable::remove(std::string_view address) {
  if (!contains(address)) return false;
  deleteCurrent();
  return true;
}

}  // namespace savora::online
