// A table: one .dbf with its .fpt memo file and structural .cdx index, opened as a whole. The
// table keeps a current record and a selected order (record numbers or one tag), and keeps every
// tag up to date in place as records are appended, changed, deleted and recalled.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file.h"
#include "xbase/cdx_file.h"
#include "xbase/cdx_tree.h"
#include "xbase/dbf_header.h"
#include "xbase/index_key.h"
#include "xbase/key_expr.h"
#include "xbase/memo_file.h"

namespace savora::xbase {

struct FieldSpec {
  std::string name;
  char type = 'C';  // C, N, F, D, L or M
  uint32_t width = 0;
  uint32_t decimals = 0;
};

struct TagSpec {
  std::string name;        // at most 10 characters
  std::string expression;  // key expression, e.g. "STR(BOOK_UID,5)+NAME"
  std::string filter;      // FOR expression, e.g. ".NOT. DELETED()"; empty for none
  bool descending = false;
  bool unique = false;  // a second equal key is left out, silently
};

struct OpenOptions {
  bool readOnly = false;
  // The tags the table should have. Used to rebuild the index when the .cdx is missing or so
  // damaged that its own tag definitions cannot be read.
  std::vector<TagSpec> tags;
  // Compare every tag entry with the data on open (reads the whole table). Without it the open
  // proves less, but enough to catch an index left behind by an older copy of the table and
  // appends that never reached the index: the record count and last record the index was last
  // finished with (its stamp) must be the table's, and each tag's root page must read; an index
  // without a matching stamp has the ends of each tag and the last record checked instead.
  bool verifyIndex = false;
  // Open even when the index is damaged and cannot be rebuilt (read-only, no definitions); the
  // table then has no tags. For inspection tools.
  bool tolerateBadIndex = false;
};

enum class SeekResult {
  Found,  // positioned on the first entry with an equal key
  After,  // no equal key; positioned on the next one in tag order
  End,    // no equal or later key; at end of file
};

class Table {
 public:
  // Opens NAME.dbf (name given without extension, or with .dbf) with its memo and index files;
  // read-only when asked or when the file cannot be written (see readOnly()).
  // Returns nullptr when NAME.dbf does not exist. Throws Error when the table or its memo file
  // is missing parts or damaged. A stale, interrupted or damaged index is rebuilt from the data
  // (noted in indexNote()).
  static std::unique_ptr<Table> open(std::string_view name, const OpenOptions& options = {});
  // Creates (replacing) NAME.dbf, NAME.fpt when there are memo fields, NAME.cdx when there are
  // tags, and opens the new empty table. Throws Error for an invalid definition or write.
  static std::unique_ptr<Table> create(std::string_view name, const std::vector<FieldSpec>& fields,
                                       const std::vector<TagSpec>& tags);

  ~Table();
  Table(const Table&) = delete;
  Table& operator=(const Table&) = delete;

  // Writes pending changes of the current record and closes the table. Throws Error when the
  // last write fails; the table is closed either way.
  //
  // The files of a table closed after a writable open are kept open, so that the program, which
  // opens a table, changes a record and closes it over and over, does not open and close them
  // each time (see table_keeping.cpp). Nothing read of them is kept: the next open reads them
  // as a fresh open does. The files kept longest are closed when more than a few are.
  void close();
  // Closes every kept file. For callers about to replace table files or end the program.
  static void closeKeptTables();

  // -- Structure
  const std::string& name() const { return base_; }
  const DbfHeader& header() const { return header_; }
  const std::vector<FieldDescriptor>& fields() const { return header_.fields; }
  int fieldIndex(std::string_view name) const { return header_.fieldIndex(name); }
  // Every tag of the index, usable or not.
  std::vector<TagSpec> tags() const;
  // Why a tag cannot be used (its expression cannot be evaluated here); empty for a usable or
  // unknown tag. An unusable tag cannot be selected, and a table with one takes no changes,
  // which would leave that tag behind the data.
  std::string tagProblem(std::string_view tag) const;
  // What open() found wrong with the index and did about it; empty when nothing.
  const std::string& indexNote() const { return indexNote_; }
  bool readOnly() const { return readOnly_; }

  // -- Position. All return true while positioned on a record.
  uint32_t recordCount() const { return count_; }
  // The current record number; recordCount() + 1 at end of file.
  uint32_t recordNumber() const { return eof_ ? count_ + 1 : recno_; }
  bool eof() const { return eof_; }
  bool bof() const { return bof_; }
  bool top();
  bool bottom();
  // Moves `count` records in the selected order (backwards when negative). Past the end: end
  // of file, false. Before the beginning: stays on the first record, bof() true, false.
  bool skip(int64_t count = 1);
  bool go(uint32_t record);
  // Selects a tag's order (empty name: record order). False when there is no such usable tag;
  // the order is then unchanged.
  bool selectTag(std::string_view tag);
  const std::string& selectedTag() const;
  // Seeks in the selected tag. Text is blank-padded (or cut) to the key length. Throws Error
  // when no tag is selected or the value does not match the tag's key type.
  SeekResult seek(std::string_view key);
  SeekResult seek(double key);

  // -- Fields of the current record (or of the record being appended). An index that names no
  // field (fieldIndex() of an unknown name is -1) throws Error.
  // The stored bytes, blank-padded to the field width.
  std::string field(int index) const;
  // The same bytes without a copy: a view of the current record, valid only until the next
  // move, change or close of the table (any call that reads or writes a record).
  std::string_view fieldView(int index) const;
  // The value as text: C trimmed at the right, numbers without blanks, D as YYYYMMDD, V and Q
  // as long as their value; "" for a null field. Throws Error for a V or Q length byte past the
  // field's end.
  std::string text(int index) const;
  // 0 for a null field.
  double number(int index) const;
  // Later-variant tables: true when the field's _NullFlags bit says it is null.
  bool isNull(int index) const;
  uint32_t width(int index) const { return fieldAt(index).width; }
  uint32_t decimals(int index) const { return fieldAt(index).decimals; }
  // C: blank-padded or cut; N/F: the number in the text, right-aligned with the field's
  // decimals (Error when it is not a number or does not fit); D: YYYYMMDD; L: T/F.
  void setText(int index, std::string_view value);
  void setNumber(int index, double value);
  // Memo text (or W blob bytes) of any length; "" when the record has none or it is null.
  std::string memo(int index);
  // The same text without a copy where it can be had: a view into the mapped memo file when the
  // memo lies whole in it, else into a buffer of the table. Same errors as memo(). Valid only
  // until the next memo read, move, change or close of the table; a walk that keeps a memo
  // longer copies it.
  std::string_view memoView(int index);
  // A hint that memo field `index` of the current record is read soon: its start is asked of
  // the memory now. Never throws; does nothing for an empty or damaged pointer.
  void prefetchMemo(int index) const;
  void setMemo(int index, std::string_view value);

  // -- Records
  // Starts a new record, all blank; fill it with set...() and write it with append(). Moving
  // elsewhere before append() drops the started record.
  void appendStart();
  // Blanks every field of the record being appended or edited.
  void blank();
  // Writes the started record at the end, indexes it and positions on it.
  void append();
  // Writes pending field changes of the current record (also done by every move and close()).
  void flush();
  void deleteRecord();
  void recall();
  bool deleted() const;

  // -- Maintenance
  // Removes deleted records, compacts the memo file and rebuilds every tag.
  void pack();
  // Rewrites the memo file holding only the memos records point at.
  void compressMemo();
  // Rebuilds every tag from the data.
  void reindex();
  // Compares every tag with the data; one line per problem (an unusable tag is one), empty when
  // all agree.
  std::vector<std::string> checkIndex();
  // The (key, record) entries of a tag in its order (descending tags backwards).
  std::vector<PageEntry> tagEntries(std::string_view tag);
  // How the keys of a tag are made (Error when there is no such tag).
  KeyFormat tagKeyFormat(std::string_view tag) const;

  // -- Queries: records whose filter (e.g. "CHAP_UID=12", "NAME=\"Soup\"") is true, deleted
  // records left out. Walks a tag that starts with the compared field when there is one, else
  // the table in record order. Position on the first / next match; false when there is none.
  // Changes made between queryNext() calls may or may not be seen by the walk; a record it
  // returns always matches the filter as the record is now.
  bool queryFirst(std::string_view filter);
  bool queryNext();

 private:
  struct Tag {
    TagInfo* info = nullptr;  // in cdx_->tags()
    Expression key;
    std::optional<Expression> filter;
    KeyFormat format;
  };
  struct UnusableTag {
    TagInfo* info = nullptr;  // in cdx_->tags()
    std::string problem;
  };
  // Brackets one change of the data: sets the index's update mark before the first write and
  // clears it at done(), so a change interrupted in between is found on the next open and the
  // index rebuilt. A failure on either write puts the table into its failed state.
  class UpdateScope {
   public:
    explicit UpdateScope(Table& table);
    void done();

   private:
    Table& table_;
  };

  Table() = default;
  std::string path(const char* extension) const { return base_ + extension; }

  // table_keeping.cpp: the files of closed tables, kept open (see close()).
  // The kept file the name leads to now, closed when none is; its mapped view, if any, lies
  // within the file.
  static platform::File takeKeptFile(const std::string& name);
  // Keeps the open files when the table was open for writing and closed cleanly, else closes
  // them; this object is left closed either way.
  void keepOrCloseFiles(bool closedCleanly);

  // table.cpp
  // False when the table file does not exist.
  bool openFiles();
  void readRecord(uint32_t record, std::string& out);
  void readRecordFromFile(uint32_t record, std::string& out);
  void load(uint32_t record);
  void setEof();
  void requireWritable(const char* action) const;
  void writeRecord(uint32_t record, const std::string& bytes, bool withEndMark);
  void writeCount();
  // The last record's hash, as the index stamp keeps it (reads the record when not known).
  uint32_t lastRecordHash();
  static uint32_t recordHash(std::string_view bytes);
  void storePendingMemos();
  void markDirty() { changed_ = true; }
  std::string& buffer(int index, const char* action);
  const FieldDescriptor& fieldAt(int index) const;
  std::string_view valueBytes(const FieldDescriptor& f) const;
  // The memo file block that memo field `index` of the current record points at; 0 (no memo)
  // when the field has a pending memo, is empty or null, or there is no record or memo file.
  // Throws Error for a pointer that is no block number.
  uint32_t memoBlock(int index) const;

  // table_index.cpp
  void openIndex(const OpenOptions& options);
  void attachTags();
  bool indexStampHolds();
  bool quickIndexCheck();
  std::vector<std::string> compareTags();
  const std::string* unusableTag(std::string_view name) const;
  std::vector<CdxFile::TagBuild> buildEntries(const std::vector<TagInfo>& definitions);
  void writeIndex(const std::vector<TagInfo>& definitions);
  void updateIndexes(const std::string* before, const std::string& after, uint32_t record);
  void refillUnique(Tag& tag, const std::string& key, uint32_t skipRecord);
  bool passes(const Tag& tag, const std::string& record, uint32_t recordNumber) const;
  std::string keyOf(const Tag& tag, const std::string& record, uint32_t recordNumber) const;
  // Finds the current record in the selected tag; `exact` false when it has no entry there.
  CdxTree::Position locate(bool& exact);
  // Positions on the first entry of `tag` at or after the full-length key.
  SeekResult seekFull(Tag& tag, const std::string& full);
  bool skipOne(bool forward);
  bool loadPosition(const CdxTree::Position& pos);
  bool loadPosition(CdxTree::Position&& pos);
  Tag* selected() { return selectedTag_ < 0 ? nullptr : &tags_[size_t(selectedTag_)]; }
  std::vector<TagInfo> tagDefinitions(const std::vector<TagSpec>& specs) const;

  // table_maintenance.cpp
  void rewrite(bool dropDeleted);
  static void finishPendingRewrite(const std::string& base);
  bool queryMatch();

  std::string base_;
  platform::File dbf_;
  DbfHeader header_;
  uint32_t count_ = 0;
  std::optional<MemoFile> memo_;
  std::unique_ptr<CdxFile> cdx_;
  std::vector<Tag> tags_;
  std::vector<UnusableTag> unusable_;
  int selectedTag_ = -1;
  std::string indexNote_;
  bool readOnly_ = false;
  bool failed_ = false;
  bool recovered_ = false;            // records past the header count were taken in at open
  std::optional<uint32_t> lastHash_;  // recordHash() of record count_, when known
  uint32_t lastRead_ = 0;  // a record read before: later reads go through the file's view

  bool takesKeptFiles_ = false;  // the open takes up kept files (a writable open)

  // Current record.
  uint32_t recno_ = 0;
  bool eof_ = true;
  bool bof_ = true;
  std::string record_;    // with pending changes
  std::string original_;  // as on disk
  bool changed_ = false;
  bool appending_ = false;
  std::map<int, std::string> pendingMemos_;
  std::string memoText_;  // what memoView() returns for a field that is not a memo field

  // Cached tag position; valid while no index page changed since.
  std::optional<CdxTree::Position> cursor_;
  uint64_t indexVersion_ = 0;
  uint64_t cursorVersion_ = 0;

  // Query state.
  std::optional<Expression> query_;
  int queryTag_ = -1;
  std::string queryPrefix_;
  std::optional<CdxTree::Position> queryPos_;
  uint32_t queryRecord_ = 0;
};

}  // namespace savora::xbase
