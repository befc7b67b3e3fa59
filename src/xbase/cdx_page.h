// One 512-byte page of a compound index tree, decoded into plain entries and encoded back:
// interior pages with full keys, and leaf pages with their bit-packed entries and
// prefix/suffix-compressed keys.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace savora::xbase {

// Page header, little-endian:
//   OFFSET SIZE MEANING
//   0      2    attributes: 0x01 root, 0x02 leaf (other bits ignored)
//   2      2    number of keys
//   4      4    left sibling page offset, 0xFFFFFFFF for none
//   8      4    right sibling page offset, 0xFFFFFFFF for none
// Interior page from 12: entries of keyLength bytes key, BE32 record, BE32 child page offset;
//   entry i holds the highest (key, record) of child i's subtree.
// Leaf page:
//   12     2    free bytes
//   14     4    record number mask
//   18     1    duplicate count mask
//   19     1    trailing count mask
//   20     1    R: record number bits
//   21     1    D: duplicate count bits
//   22     1    T: trailing count bits
//   23     1    E: bytes per entry (R + D + T = 8E)
//   24     n*E  entries: little-endian record | dup << R | trail << (R + D)
//   ...    511  key bytes, packed downwards from the end of the page, first key last
// A key stores keyLength - dup - trail bytes: dup bytes come from the previous key of the page
// and trail bytes are the fill byte (blank for text keys, 0 for numbers).
inline constexpr uint32_t kPageSize = 512;
inline constexpr uint32_t kNoPage = 0xFFFFFFFF;
inline constexpr uint16_t kAttrRoot = 0x01;
inline constexpr uint16_t kAttrLeaf = 0x02;
inline constexpr size_t kPageHeaderSize = 12;
inline constexpr size_t kLeafHeaderSize = 24;

struct PageEntry {
  std::string key;
  uint32_t record = 0;
  uint32_t child = 0;  // interior pages only
};

struct Page {
  uint32_t offset = 0;
  bool leaf = true;
  bool root = false;
  uint32_t left = kNoPage;
  uint32_t right = kNoPage;
  std::vector<PageEntry> entries;
};

// Orders (key, record) pairs as the index does: keys byte-wise unsigned, then record numbers.
int compareEntry(std::string_view keyA, uint32_t recordA, std::string_view keyB, uint32_t recordB);

// The entries of an interior page read where its bytes lie, without decoding the page: a
// descent compares keys in place instead of copying every key of every page on its way.
struct InteriorEntries {
  const char* bytes = nullptr;  // the page's 512 bytes
  uint16_t keyLength = 0;
  size_t count = 0;

  std::string_view key(size_t i) const {
    return {bytes + kPageHeaderSize + i * (keyLength + 8u), keyLength};
  }
  uint32_t record(size_t i) const;
  uint32_t child(size_t i) const;
  // The first entry not below (key, record); `count` when every entry is below it.
  size_t lowerBound(std::string_view key, uint32_t record) const;
};

// Whether the page's attributes mark it as a leaf.
bool isLeafPage(const char* bytes);
// The entries of an interior page; throws Error naming `fileName` and the offset when the page
// claims more entries than fit.
InteriorEntries interiorEntries(const char* bytes, uint32_t offset, uint16_t keyLength,
                                std::string_view fileName);

// Decodes the page at `offset` from its 512 bytes. Throws Error naming `fileName` and the
// offset when the page is inconsistent (counts, bit widths, compression, free space).
Page decodePage(const char* bytes, uint32_t offset, uint16_t keyLength, char fill,
                std::string_view fileName);

// Bytes a leaf holding entries [begin, end) would use, header included; the page fits when this
// is at most kPageSize.
size_t leafBytes(const std::vector<PageEntry>& entries, size_t begin, size_t end,
                 uint16_t keyLength, char fill);
inline size_t interiorCapacity(uint16_t keyLength) {
  return (kPageSize - kPageHeaderSize) / (keyLength + 8u);
}
// True when the page's entries fit in one page of its kind.
bool pageFits(const Page& page, uint16_t keyLength, char fill);

// Inserts (key, record) into the leaf page `bytes` without decoding it, writing the new page to
// `out` (512 bytes): the entries before and after keep their bytes, only the new entry and the
// compression of the one after it are worked out. The page's bit layout stays. False, writing
// nothing useful, when the page is not a leaf this can change so (it is inconsistent, the
// layout has no room for the record number or counts, the entry does not fit): the caller then
// decodes it. `last` tells whether the entry became the page's last.
bool insertIntoLeafBytes(const char* bytes, std::string_view key, uint32_t record,
                         uint16_t keyLength, char fill, char* out, bool& last);

// The 512 bytes of `page`; the page must fit (an internal invariant).
std::string encodePage(const Page& page, uint16_t keyLength, char fill);

}  // namespace savora::xbase
