// The pattern every table module follows: open or create the table with its fields and tags,
// walk a tag skipping deleted records, find a record by UID, give out the next UID, append with
// the UID set first, delete with counting, and close, packing when enough records were deleted
// since the table was opened.
//
// States: closed -> open (open/create) -> closed (close, which may pack). A table whose open
// failed stays closed.
//
// Failures throw xbase::Error, whose message says what was being done, on which table file, and
// why: opening a table that cannot be read, every write, and reading fields of a closed table.
// A bool or empty answer means only "not found" or "at the end", never a failure; lookups and
// walks on a closed table find nothing.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "store/table_store.h"
#include "xbase/table.h"

namespace savora::store {

// The filter every tag of the program carries: deleted records never show in tag order.
inline constexpr const char* kNotDeleted = ".NOT. DELETED()";
inline constexpr const char* kUidTag = "UID_TAG";

// The largest file of a table (.dbf, .fpt or .cdx) that an archive may bring in. The largest
// table, the recipes, holds at most 99,999 records (five-digit UIDs): about 100 MB of records
// and 320 MB of memo blocks when every line's notes hold text. An entry past this is no table
// of ours, however well it compresses.
inline constexpr uint64_t kLargestTableFile = uint64_t(768) << 20;

struct TableDefinition {
  std::string name;  // Windows-style name without extension, e.g. "rc65", "catalog\\catalog65"
  std::vector<xbase::FieldSpec> fields;
  std::vector<xbase::TagSpec> tags;
  // Close packs the table when more than this many records were deleted since it was opened.
  int packAfterDeletions = 0;
  std::string packTitle = "Packing Data File";
  std::string packText;
};

class TableModule {
 public:
  TableModule(TableStore& store, TableDefinition definition);
  virtual ~TableModule();
  TableModule(const TableModule&) = delete;
  TableModule& operator=(const TableModule&) = delete;

  // Opens the table, creating it empty when it does not exist (a read-only store opens read only
  // and creates nothing: a missing table stays closed). Throws xbase::Error when it exists but
  // cannot be read, or cannot be created; the module then stays closed.
  virtual void open();
  // Packs when more records were deleted than the definition allows (with the status window),
  // then closes. Nothing happens when the table is not open.
  void close();
  // Closes (packing by the rule) and opens again: the program's pattern after an append.
  void reopen();
  bool isOpen() const { return table_ != nullptr; }
  const TableDefinition& definition() const { return definition_; }
  // The open table; throws xbase::Error when it is not open.
  xbase::Table& table();

  // Index of a field by name; throws xbase::Error naming the table when it has no such field.
  int field(std::string_view name);

  // Positions on the first record of a tag's order that is not deleted; false when none.
  bool first(std::string_view tag);
  // Moves to the next record that is not deleted; false at the end.
  bool next();
  // True when a record with this UID exists and is not deleted; it is then current. Stays on
  // the current record when it already is that one.
  bool seekUid(long uid);
  // True when a record's `field` equals `text` ignoring case and surrounding blanks; that record
  // is then current. The current record is tried first, then an exact seek in `tag` (a tag on
  // the field), then a walk of the tag: tags order names by their bytes, so a name typed in
  // another letter case is only found by walking.
  bool findIgnoringCase(std::string_view tag, std::string_view field, std::string_view text);
  // The highest UID plus 1, or 1 for an empty table.
  long nextUid();
  // Starts a new blank record with its UID set; fill it, then append().
  void appendStart(long uid);
  void append();
  // Writes a record through `fill`: over the record with this UID when there is one, else as a
  // new record under this UID (the next UID for 0). Then closes (packing by the rule) and reopens
  // the table from the program folder, the program's pattern after every save. Returns the UID.
  long storeRecord(long uid, const std::function<void()>& fill);
  // Marks the current record deleted and counts it for the pack rule.
  void deleteCurrent();
  int deletionsSinceOpen() const { return deletions_; }

  // Fields of the current record.
  long number(std::string_view name);
  double decimal(std::string_view name);    // a number field with its decimals
  std::string text(std::string_view name);  // trimmed at both ends
  std::string memo(std::string_view name);
  void setNumber(std::string_view name, double value);
  // Stores a number rounded to the field's decimals and held in the range its width can show:
  // a value typed by the user or taken from an import would otherwise stop the write.
  void setFittedNumber(std::string_view name, double value);
  void setText(std::string_view name, std::string_view value);
  void setMemo(std::string_view name, std::string_view value);

 protected:
  TableStore& store() { return store_; }

 private:
  TableStore& store_;
  TableDefinition definition_;
  std::unique_ptr<xbase::Table> table_;
  std::map<std::string, int, std::less<>> fieldIndexes_;
  int deletions_ = 0;
};

}  // namespace savora::store
