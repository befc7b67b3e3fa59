// The compound index file: its file header, the tag directory and each tag's header, page I/O
// for the trees, and the image of a freshly built file. What the trees hold is cdx_tree's job.
#pragma once

#include <array>
#include <cstdint>
#include <list>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/file.h"
#include "xbase/cdx_page.h"

namespace savora::xbase {

// File header and tag headers, 1024 bytes each, little-endian unless noted:
//   OFFSET SIZE MEANING
//   0      4    root page offset of this tree (the tag directory for the file header)
//   4      4    free page list (file header only; 0 or 0xFFFFFFFF = none; never used here)
//   8      4    BE32 change counter (file header only)
//   12     2    key length (10 for the directory)
//   14     1    options: 0x01 unique, 0x08 FOR clause, 0x20 compact, 0x40 compound,
//               0x80 tag directory
//   15     1    signature 0x01
//   16     20   statistics, ignored; written as zero
//   36     4    "update in progress" mark of this library (file header only): set while an
//               operation changes the trees, so an interrupted one is found on the next open;
//               "clean" when the change was finished, with what the table looked like then:
//   40     4    table record count at the last finished change (valid with the clean mark)
//   44     4    hash of the last record's bytes then
//   48     4    the change counter (offset 8) then
//               Other readers ignore the area, which is zero in files they write.
//   502    2    0 ascending, 1 descending
//   504    2    start of the FOR text in the expression pool
//   506    2    length of the FOR text with its 0x00 (1 = none)
//   508    2    start of the key text in the pool (0)
//   510    2    length of the key text with its 0x00
//   512    512  expression pool: key text, 0x00, FOR text, 0x00
// The tag directory is a tree of 10-byte blank-padded tag names whose "record numbers" are the
// offsets of the tag headers.
inline constexpr uint32_t kTagHeaderSize = 1024;
inline constexpr uint16_t kDirectoryKeyLength = 10;
inline constexpr uint8_t kOptionUnique = 0x01;
inline constexpr uint8_t kOptionFor = 0x08;
inline constexpr uint8_t kOptionCompact = 0x20;
inline constexpr uint8_t kOptionCompound = 0x40;
inline constexpr uint8_t kOptionDirectory = 0x80;
inline constexpr uint32_t kUpdateMarkOffset = 36;
inline constexpr uint32_t kUpdateMark = 0x53565550;  // "PUVS": update in progress
inline constexpr uint32_t kCleanMark = 0x43565550;   // "PUVC": finished, stamp valid
inline constexpr size_t kMaxTagNameLength = 10;

struct TagInfo {
  std::string name;  // upper case
  uint32_t headerOffset = 0;
  uint32_t root = 0;
  uint16_t keyLength = 0;
  uint8_t options = kOptionCompact | kOptionCompound;
  bool descending = false;
  std::string keyExpression;
  std::string forExpression;  // empty when there is none
  char fill = ' ';            // set from the key type by the owner of the file

  bool unique() const { return (options & kOptionUnique) != 0; }
};

class CdxFile {
 public:
  // Opens (or takes up `opened`, the same file already open in that mode) and reads the file
  // header, directory and tag headers. Throws Error when any of them is damaged; tree pages are
  // checked as they are read.
  static std::unique_ptr<CdxFile> open(const std::string& path, bool writable,
                                       platform::File opened = {});

  // A tag to put into a new file, with its entries sorted by (key, record).
  struct TagBuild {
    TagInfo info;
    std::vector<PageEntry> entries;
  };
  // The bytes of a complete new file holding `tags`. Throws Error when a tag definition does
  // not fit the format (name, key length, expression pool).
  static std::string buildImage(const std::vector<TagBuild>& tags);

  const std::string& path() const { return path_; }
  std::vector<TagInfo>& tags() { return tags_; }
  TagInfo* findTag(std::string_view name);

  // Reads a tree page; throws Error for an offset outside the file or a damaged page. Pages
  // read are kept decoded (the file is ours alone while it is open), and every write of a page
  // drops its copy first, so a failed write never leaves a copy that differs from the disk.
  Page readPage(uint32_t offset, uint16_t keyLength, char fill);
  // The same page shared with the kept pages: stays valid (and unchanged) while it is held.
  std::shared_ptr<const Page> sharedPage(uint32_t offset, uint16_t keyLength, char fill);
  // A page's 512 bytes as they are on disk, undecoded; throws Error for an offset outside the
  // file or a failed read. Valid until the next page is read or written.
  const char* rawPage(uint32_t offset);
  // The page to be changed: taken out of the kept pages (or decoded), so it is not copied.
  Page takePage(uint32_t offset, uint16_t keyLength, char fill);
  // Inserts an entry into a leaf page as it is encoded, without decoding it (see
  // insertIntoLeafBytes); false, changing nothing, when the page is kept decoded or the bytes
  // cannot take the entry so: the caller then changes the decoded page. Throws Error when the
  // write fails.
  bool insertIntoLeaf(uint32_t offset, std::string_view key, uint32_t record, uint16_t keyLength,
                      char fill, bool& last);
  // Writes a page and keeps it decoded (throws Error when the write fails, keeping nothing).
  void writePage(Page&& page, uint16_t keyLength, char fill);
  // Offset of a new page at the end of the file (written by the caller).
  uint32_t allocatePage();
  // Rewrites one sibling pointer of the page at `offset`.
  void setSibling(uint32_t offset, bool left, uint32_t sibling);
  // Points a tag header at a new root page.
  void setRoot(TagInfo& tag, uint32_t root);
  uint32_t pageCount() const { return uint32_t(size_ / kPageSize); }

  // The update-in-progress mark (see the header layout).
  bool updateMarked() const { return marked_; }
  void setUpdateMark(bool on);

  // What the table looked like when the last change of the index finished.
  struct Stamp {
    uint32_t records = 0;
    uint32_t lastRecordHash = 0;
    uint32_t changeCounter = 0;
    bool operator==(const Stamp&) const = default;
  };
  // The stamp in the file as opened; nullopt when it has none or a change is marked since.
  const std::optional<Stamp>& stamp() const { return stamp_; }
  // The stamp a finished change writes now (the change counter as the file has it).
  Stamp stampFor(uint32_t records, uint32_t lastRecordHash) const {
    return Stamp{records, lastRecordHash, changeCounter_};
  }
  // Clears the update mark and writes the stamp, in one write.
  void finishUpdate(const Stamp& stamp);

  void close() { file_.close(); }
  platform::File& file() { return file_; }

 private:
  void write(uint64_t offset, const void* data, size_t count, const char* what);

  // Decoded pages by offset, with the key layout they were decoded for. When full, the page
  // used longest ago goes, so the upper levels every seek passes through stay.
  struct CachedPage {
    uint16_t keyLength;
    char fill;
    std::shared_ptr<Page> page;         // positions may share it: changed only when nobody does
    std::list<uint32_t>::iterator use;  // place in uses_
  };
  static constexpr size_t kCachedPages = 512;
  // A handle that reads few pages (open, append one record, close) reads them from the file;
  // one that reads more maps the file, which costs more to set up and to tear down.
  static constexpr unsigned kReadsBeforeView = 64;
  void forgetPage(uint32_t offset);
  // The page's bytes in the file's view; null when the view does not hold them.
  const char* inView(uint32_t offset) const;
  // Keeps a page's bytes (read or just written) for rawPage() when the view does not show
  // them; returns where rawPage() will find them.
  const char* keepRaw(uint32_t offset, const char* bytes);
  const std::shared_ptr<Page>& keep(Page&& page, uint16_t keyLength, char fill);
  // Drops the kept copies of every page that [offset, offset + count) touches.
  void forgetPages(uint64_t offset, size_t count);
  // Reads from head_ while open() has it, else from the file.
  bool readAt(uint64_t offset, char* out, size_t count);
  // A page's bytes: in the file's view, or read into `scratch`; null when unreadable.
  const char* pageBytes(uint32_t offset, char* scratch);
  static constexpr size_t kHeadBytes = 8192;

  platform::File file_;
  std::string path_;
  std::unordered_map<uint32_t, CachedPage> cache_;
  std::list<uint32_t> uses_;  // cached offsets, most recently used first
  // Pages the view does not show, as read from the file or last written, for descents and
  // inserts that work on the bytes in place.
  std::unordered_map<uint32_t, std::array<char, kPageSize>> rawPages_;
  std::string head_;  // the file's first bytes, during open() only
  uint64_t size_ = 0;
  unsigned pageReads_ = 0;
  bool marked_ = false;
  uint32_t changeCounter_ = 0;
  std::optional<Stamp> stamp_;
  std::vector<TagInfo> tags_;
};

}  // namespace savora::xbase
