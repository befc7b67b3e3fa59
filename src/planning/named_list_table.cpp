#include "planning/named_list_table.h"

#include "platform/program_dirs.h"
#include "platform/text.h"

namespace savora::planning {

store::TableDefinition namedListTableDefinition(const char* name, const NamedListFields& fields,
                                                const char* packText) {
  store::TableDefinition def;
  def.name = name;
  def.fields = {{"UID", 'N', 5, 0},
                {"NAME", 'C', kListNameWidth, 0},
                {fields.slot, 'N', 5, 0},
                {fields.reference, 'N', 5, 0}};
  def.tags = {{store::kUidTag, "UID", store::kNotDeleted, false, false},
              {kNameTag, "NAME", store::kNotDeleted, false, true},
              {fields.referenceTag, fields.reference, store::kNotDeleted, false, false}};
  def.packAfterDeletions = 0;  // any deletion
  def.packText = packText;
  return def;
}

bool isListName(std::string_view name) {
  const std::string trimmed = platform::trim(name);
  return !trimmed.empty() && trimmed[0] != kMediaMark;
}

NamedListTable::NamedListTable(store::TableStore& store, store::TableDefinition definition,
                               NamedListFields fields)
    : TableModule(store, std::move(definition)), fields_(fields) {}

std::optional<std::string> NamedListTable::firstName() {
  if (!first(kNameTag)) return std::nullopt;
  return text("NAME");
}

std::optional<std::string> NamedListTable::nextName() {
  if (!next()) return std::nullopt;
  return text("NAME");
}

std::vector<std::string> NamedListTable::names() {
  std::vector<std::string> result;
  for (auto name = firstName(); name; name = nextName()) {
    if (!name->empty() && (*name)[0] != kMediaMark) result.push_back(*name);
  }
  return result;
}

bool NamedListTable::findByName(std::string_view name) {
  if (!isListName(name)) return false;
  return findIgnoringCase(kNameTag, "NAME", name);
}

long NamedListTable::uidOf(std::string_view name) {
  return findByName(name) ? number("UID") : -1;
}

bool NamedListTable::isMediaRecord() {
  const std::string name = text("NAME");
  return !name.empty() && name[0] == kMediaMark;
}

std::string NamedListTable::nameOf(long uid) {
  for (long on = firstRecordOf(uid); on != -1; on = nextRecord()) {
    if (!isMediaRecord()) return text("NAME");
  }
  return {};
}

long NamedListTable::firstRecordOf(long uid) {
  walkedUid_ = uid;
  if (!isOpen() || uid <= 0 || !table().selectTag(store::kUidTag)) return -1;
  xbase::Table& t = table();
  bool on = t.seek(double(uid)) != xbase::SeekResult::End && !t.eof();
  while (on && t.deleted()) on = t.skip(1);
  if (!on || number("UID") != uid) return -1;
  return uid;
}

long NamedListTable::nextRecord() {
  if (!next() || number("UID") != walkedUid_) return -1;
  return walkedUid_;
}

std::vector<uint32_t> NamedListTable::recordsOf(long uid) {
  std::vector<uint32_t> records;
  for (long on = firstRecordOf(uid); on != -1; on = nextRecord())
    records.push_back(table().recordNumber());
  return records;
}

void NamedListTable::deleteRecords(const std::vector<uint32_t>& records) {
  for (uint32_t record : records) {
    if (table().go(record) && !table().deleted()) deleteCurrent();
  }
}

long NamedListTable::create(std::string_view name) {
  const long uid = nextUid();
  appendStart(uid);
  setText("NAME", platform::trim(name));
  setNumber(fields_.slot, -1);
  setNumber(fields_.reference, -1);
  append();
  platform::setProgramDirectory(platform::programDirectory());
  reopen();
  return uid;
}

void NamedListTable::addEntry(long uid, int slot, long reference) {
  const std::string name = nameOf(uid);
  appendStart(uid);
  setText("NAME", name);
  setNumber(fields_.slot, slot);
  setNumber(fields_.reference, double(reference));
  append();
  platform::setProgramDirectory(platform::programDirectory());
  reopen();
}

void NamedListTable::replaceEntries(long uid, const std::vector<ListItem>& items) {
  deleteEntries(uid);
  const std::string name = nameOf(uid);
  for (const ListItem& item : items) {
    appendStart(uid);
    setText("NAME", name);
    setNumber(fields_.slot, item.slot);
    setNumber(fields_.reference, double(item.reference));
    append();
  }
  platform::setProgramDirectory(platform::programDirectory());
  reopen();
}

std::vector<ListItem> NamedListTable::entriesOf(long uid) {
  std::vector<ListItem> items;
  for (long on = firstRecordOf(uid); on != -1; on = nextRecord()) {
    const long slot = number(fields_.slot);
    const long reference = number(fields_.reference);
    if (slot != -1 && reference != -1) items.push_back({int(slot), reference});
  }
  return items;
}

void NamedListTable::deleteEntries(long uid) {
  std::vector<uint32_t> entries;
  for (long on = firstRecordOf(uid); on != -1; on = nextRecord()) {
    if (number(fields_.reference) != -1) entries.push_back(table().recordNumber());
  }
  deleteRecords(entries);
}

void NamedListTable::remove(long uid) {
  deleteRecords(recordsOf(uid));
}

void NamedListTable::removeReference(long reference) {
  if (!isOpen() || reference == -1) return;
  xbase::Table& t = table();
  std::vector<uint32_t> records;
  if (!t.selectTag(fields_.referenceTag)) return;
  bool on = t.seek(double(reference)) != xbase::SeekResult::End && !t.eof();
  while (on && t.deleted()) on = t.skip(1);
  while (on && number(fields_.reference) == reference) {
    records.push_back(t.recordNumber());
    on = next();
  }
  deleteRecords(records);
}

bool NamedListTable::rename(std::string_view name, std::string_view newName) {
  const long uid = uidOf(name);
  if (uid == -1) return false;
  const std::string renamed = platform::trim(newName);
  std::vector<uint32_t> records;
  for (long on = firstRecordOf(uid); on != -1; on = nextRecord()) {
    if (!isMediaRecord()) records.push_back(table().recordNumber());
  }
  for (uint32_t record : records) {
    if (!table().go(record)) continue;
    setText("NAME", renamed);
    table().flush();
  }
  return true;
}

}  // namespace savora::planning
