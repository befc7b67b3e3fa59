// What the menu table ("week") and the plan table ("year") share: a named
// list is a header record (UID, NAME, slot -1, reference -1) followed by one entry record per
// item (UID, NAME, slot, reference) in list order; the menu table also keeps one media record
// (NAME "|" + media list file name, slot and reference -1). The slot is a menu's day (0 Sunday
// ... 6 Saturday) or a plan's month (0 ... 11); the reference is a recipe UID or a menu UID.
//
// NAME_TAG is unique: walking it meets each name once (a media record under its "|" name).
// Every append closes and opens the table again, so that record and index are on disk at once.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/table_module.h"

namespace savora::planning {

inline constexpr int kListNameWidth = 80;
inline constexpr char kMediaMark = '|';
inline constexpr const char* kNameTag = "NAME_TAG";

// The field names that make one kind of named list.
struct NamedListFields {
  const char* slot;       // "DAY" or "MONTH"
  const char* reference;  // "RECIPE_UID" or "WEEK_UID"
  const char* referenceTag;
};

store::TableDefinition namedListTableDefinition(const char* name, const NamedListFields& fields,
                                                const char* packText);

// One item of a list: its slot (day or month) and what it names.
struct ListItem {
  int slot = 0;
  long reference = 0;
  bool operator==(const ListItem&) const = default;
};

// True when a name could name a list: not empty after trimming, and not read as a media record.
bool isListName(std::string_view name);

class NamedListTable : public store::TableModule {
 public:
  NamedListTable(store::TableStore& store, store::TableDefinition definition,
                 NamedListFields fields);

  // Walk NAME_TAG skipping deleted records: the trimmed name (a media record's starts with "|"),
  // nothing at the end.
  std::optional<std::string> firstName();
  std::optional<std::string> nextName();
  // Every list name in NAME_TAG order, media records left out.
  std::vector<std::string> names();

  // True when a record has this name (trimmed, ignoring case); it is then current. False for an
  // empty table or an empty name.
  bool findByName(std::string_view name);
  // The UID of the list of that name, -1 when none.
  long uidOf(std::string_view name);
  // The name of a list: its first record that is not a media record; "" when none.
  std::string nameOf(long uid);
  // Walk the records of one UID in UID_TAG order: the UID, -1 at the end.
  long firstRecordOf(long uid);
  long nextRecord();

  // Appends the header record under a new UID; returns the UID.
  long create(std::string_view name);
  // Appends one entry with the name of the list's first record.
  void addEntry(long uid, int slot, long reference);
  // Replaces the entries of a list with these, in order (one reopen at the end).
  void replaceEntries(long uid, const std::vector<ListItem>& items);
  // The entries of a list in UID_TAG order (that is, list order).
  std::vector<ListItem> entriesOf(long uid);
  // Deletes the entry records of a list (reference not -1).
  void deleteEntries(long uid);
  // Deletes every record of the list.
  virtual void remove(long uid);
  // Deletes every entry naming `reference` in all lists.
  void removeReference(long reference);
  // Sets NAME of every record of the list found by `name`, its media record left as it is.
  // False when there is no such list.
  bool rename(std::string_view name, std::string_view newName);

 protected:
  bool isMediaRecord();
  // The record numbers of one list, in UID_TAG order.
  std::vector<uint32_t> recordsOf(long uid);
  void deleteRecords(const std::vector<uint32_t>& records);

  NamedListFields fields_;

 private:
  long walkedUid_ = -1;
};

}  // namespace savora::planning
