// The B+tree of one tag (or of the tag directory) inside a compound index file: ordered walks,
// seeks, in-place insertion with page splits, removal, and bulk building of a new tree.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "xbase/cdx_file.h"

namespace savora::xbase {

class CdxTree {
 public:
  // A place in the tree: entry `index` of a leaf. Invalid past either end.
  // The leaf is shared with the file's kept pages, never changed: a page changed later is a new
  // page, and the position keeps the leaf as it was when reached.
  struct Position {
    std::shared_ptr<const Page> leaf;
    size_t index = 0;
    bool valid = false;
    const PageEntry& entry() const { return leaf->entries[index]; }
  };

  CdxTree(CdxFile& file, TagInfo& tag) : file_(file), tag_(tag) {}

  Position first();
  Position last();
  // The first entry not below (key, record), in ascending order.
  Position lowerBound(std::string_view key, uint32_t record);
  bool next(Position& pos);
  bool previous(Position& pos);
  // True when some entry has exactly this key.
  bool containsKey(std::string_view key);

  // Inserts the entry, splitting pages and growing a new root as needed. `key` must be
  // keyLength bytes. Throws Error on a damaged page or a failed write.
  void insert(const std::string& key, uint32_t record);
  // Removes the entry; false when it is not in the tree.
  bool remove(const std::string& key, uint32_t record);

  // Calls `visit` for every entry in ascending order. Throws Error when the leaf chain is
  // damaged (a loop, a page outside the file, keys out of order).
  void forEach(const std::function<void(const PageEntry&)>& visit);

  // Appends the pages of a new tree holding `entries` (sorted) to `image`, a file image whose
  // size is a multiple of the page size; returns the root page offset.
  static uint32_t build(std::string& image, const std::vector<PageEntry>& entries,
                        uint16_t keyLength, char fill);

 private:
  struct PathStep {
    uint32_t offset;  // an interior page, read again (decoded) only when it must change
    size_t slot;      // the entry whose child the descent took
  };
  // Descends to the leaf where (key, record) belongs, reading interior pages in place and
  // recording them on the way; returns the leaf's offset.
  uint32_t descend(std::string_view key, uint32_t record, std::vector<PathStep>* path);
  std::shared_ptr<const Page> shared(uint32_t offset);
  // The interior page of a step of the path, decoded to be changed; throws Error when it no
  // longer holds the slot the descent took.
  Page parentPage(const PathStep& step);
  // Throws for an interior page that is empty or deeper than any real tree (a loop).
  [[noreturn]] void interiorFault(uint32_t offset, bool empty) const;
  void write(Page&& page);
  // Writes a changed page, splitting it (and its parents, up to a new root) when it does not
  // fit. `atEnd`: the change appended at the far right end of the tag.
  void store(Page page, std::vector<PathStep>& path, bool atEnd);
  // After the highest entry of a page changed: updates the parents' copies of it.
  void updateParents(std::vector<PathStep>& path, const PageEntry& highest);
  bool stepLeaf(Position& pos, bool forward);

  CdxFile& file_;
  TagInfo& tag_;
};

}  // namespace savora::xbase
