#include "xbase/cdx_tree.h"

#include <algorithm>
#include <optional>

#include "xbase/byte_order.h"
#include "xbase/error.h"

namespace savora::xbase {
namespace {

// Deeper trees than this cannot hold 2^32 entries, so a longer descent is a loop.
constexpr int kMaxDepth = 40;

size_t findSlot(const Page& page, std::string_view key, uint32_t record) {
  for (size_t i = 0; i < page.entries.size(); ++i)
    if (compareEntry(page.entries[i].key, page.entries[i].record, key, record) >= 0) return i;
  return page.entries.size();
}

// True when the leaf's entries ascend and lie beyond `edge`, the last entry met before it.
bool inOrder(const Page& leaf, const std::optional<PageEntry>& edge, bool forward) {
  const std::vector<PageEntry>& e = leaf.entries;
  for (size_t i = 1; i < e.size(); ++i)
    if (compareEntry(e[i - 1].key, e[i - 1].record, e[i].key, e[i].record) >= 0) return false;
  if (!edge) return true;
  const PageEntry& near = forward ? e.front() : e.back();
  const int order = compareEntry(edge->key, edge->record, near.key, near.record);
  return forward ? order < 0 : order > 0;
}

PageEntry highestOf(const Page& page) {
  return PageEntry{page.entries.back().key, page.entries.back().record, page.offset};
}

}  // namespace

void CdxTree::interiorFault(uint32_t offset, bool empty) const {
  raise("reading index %s tag %s: interior page at offset %u is %s", file_.path().c_str(),
        tag_.name.c_str(), offset, empty ? "empty" : "part of a loop");
}

std::shared_ptr<const Page> CdxTree::shared(uint32_t offset) {
  return file_.sharedPage(offset, tag_.keyLength, tag_.fill);
}

Page CdxTree::parentPage(const PathStep& step) {
  Page page = file_.takePage(step.offset, tag_.keyLength, tag_.fill);
  if (page.leaf || step.slot >= page.entries.size())
    interiorFault(page.offset, page.entries.empty());
  return page;
}

void CdxTree::write(Page&& page) {
  file_.writePage(std::move(page), tag_.keyLength, tag_.fill);
}

uint32_t CdxTree::descend(std::string_view key, uint32_t record, std::vector<PathStep>* path) {
  uint32_t offset = tag_.root;
  for (int depth = 0;; ++depth) {
    const char* bytes = file_.rawPage(offset);
    if (isLeafPage(bytes)) return offset;
    const InteriorEntries page = interiorEntries(bytes, offset, tag_.keyLength, file_.path());
    if (depth > kMaxDepth || page.count == 0) interiorFault(offset, page.count == 0);
    const size_t slot = std::min(page.lowerBound(key, record), page.count - 1);
    if (path) path->push_back(PathStep{offset, slot});
    offset = page.child(slot);
  }
}

bool CdxTree::stepLeaf(Position& pos, bool forward) {
  // Entries met along the chain must keep rising (forward) or falling: a sibling link that
  // leads back to this leaf or an earlier one breaks that, so a damaged chain cannot make a
  // walk go round for ever.
  std::optional<PageEntry> edge;
  if (pos.leaf && !pos.leaf->entries.empty())
    edge = forward ? pos.leaf->entries.back() : pos.leaf->entries.front();
  uint32_t steps = 0;
  for (;;) {
    const uint32_t next = forward ? pos.leaf->right : pos.leaf->left;
    if (next == kNoPage) {
      pos.valid = false;
      return false;
    }
    if (++steps > file_.pageCount())
      raise("reading index %s tag %s: the leaf chain loops", file_.path().c_str(),
            tag_.name.c_str());
    pos.leaf = shared(next);
    if (!pos.leaf->leaf)
      raise("reading index %s tag %s: sibling of a leaf at offset %u is no leaf",
            file_.path().c_str(), tag_.name.c_str(), next);
    if (pos.leaf->entries.empty()) continue;
    if (!inOrder(*pos.leaf, edge, forward))
      raise(
          "reading index %s tag %s: the leaf at offset %u is out of order with the leaves "
          "before it (a damaged sibling link)",
          file_.path().c_str(), tag_.name.c_str(), next);
    pos.index = forward ? 0 : pos.leaf->entries.size() - 1;
    pos.valid = true;
    return true;
  }
}

CdxTree::Position CdxTree::first() {
  Position pos;
  pos.leaf = shared(tag_.root);
  for (int depth = 0; !pos.leaf->leaf; ++depth) {
    if (depth > kMaxDepth || pos.leaf->entries.empty()) return pos;
    pos.leaf = shared(pos.leaf->entries.front().child);
  }
  if (!pos.leaf->entries.empty()) {
    pos.index = 0;
    pos.valid = true;
    return pos;
  }
  stepLeaf(pos, true);
  return pos;
}

CdxTree::Position CdxTree::last() {
  Position pos;
  pos.leaf = shared(tag_.root);
  for (int depth = 0; !pos.leaf->leaf; ++depth) {
    if (depth > kMaxDepth || pos.leaf->entries.empty()) return pos;
    pos.leaf = shared(pos.leaf->entries.back().child);
  }
  if (!pos.leaf->entries.empty()) {
    pos.index = pos.leaf->entries.size() - 1;
    pos.valid = true;
    return pos;
  }
  stepLeaf(pos, false);
  return pos;
}

CdxTree::Position CdxTree::lowerBound(std::string_view key, uint32_t record) {
  Position pos;
  const char* root = file_.rawPage(tag_.root);
  if (!isLeafPage(root) && readLe16(root + 2) == 0) return pos;  // an empty tree
  pos.leaf = shared(descend(key, record, nullptr));
  pos.index = findSlot(*pos.leaf, key, record);
  if (pos.index < pos.leaf->entries.size()) {
    pos.valid = true;
    return pos;
  }
  stepLeaf(pos, true);
  return pos;
}

bool CdxTree::next(Position& pos) {
  if (!pos.valid) return false;
  if (pos.index + 1 < pos.leaf->entries.size()) {
    ++pos.index;
    return true;
  }
  return stepLeaf(pos, true);
}

bool CdxTree::previous(Position& pos) {
  if (!pos.valid) return false;
  if (pos.index > 0) {
    --pos.index;
    return true;
  }
  return stepLeaf(pos, false);
}

bool CdxTree::containsKey(std::string_view key) {
  const Position pos = lowerBound(key, 0);
  return pos.valid && pos.entry().key == key;
}

void CdxTree::updateParents(std::vector<PathStep>& path, const PageEntry& highest) {
  for (size_t i = path.size(); i-- > 0;) {
    const PathStep& step = path[i];
    // Most changes leave the parent's copy as it was: compare in place before decoding.
    const InteriorEntries raw =
        interiorEntries(file_.rawPage(step.offset), step.offset, tag_.keyLength, file_.path());
    if (step.slot < raw.count && raw.key(step.slot) == highest.key &&
        raw.record(step.slot) == highest.record)
      return;
    Page page = parentPage(step);
    PageEntry& entry = page.entries[step.slot];
    entry.key = highest.key;
    entry.record = highest.record;
    const bool highestChanged = step.slot + 1 == page.entries.size();
    write(std::move(page));
    if (!highestChanged) return;
  }
}

void CdxTree::insert(const std::string& key, uint32_t record) {
  std::vector<PathStep> path;
  const uint32_t leaf = descend(key, record, &path);
  // Most inserts fit their leaf: its bytes take the entry without decoding the page.
  if (bool last = false;
      file_.insertIntoLeaf(leaf, key, record, tag_.keyLength, tag_.fill, last)) {
    if (last) updateParents(path, PageEntry{key, record, leaf});
    return;
  }
  Page page = file_.takePage(leaf, tag_.keyLength, tag_.fill);
  const size_t at = findSlot(page, key, record);
  page.entries.insert(page.entries.begin() + ptrdiff_t(at), PageEntry{key, record, 0});
  // Appending at the very end (new records in key order) splits off only the new entry, so
  // that sequential inserts leave full pages behind instead of half-empty ones.
  const bool atEnd = at + 1 == page.entries.size() && page.right == kNoPage;
  store(std::move(page), path, atEnd);
}

void CdxTree::store(Page page, std::vector<PathStep>& path, bool atEnd) {
  for (;;) {
    if (pageFits(page, tag_.keyLength, tag_.fill)) {
      const PageEntry highest = highestOf(page);
      write(std::move(page));
      updateParents(path, highest);
      return;
    }
    const size_t n = page.entries.size();
    size_t split = atEnd ? n - 1 : n / 2;
    auto fits = [&](size_t begin, size_t end) {
      if (!page.leaf) return end - begin <= interiorCapacity(tag_.keyLength);
      return leafBytes(page.entries, begin, end, tag_.keyLength, tag_.fill) <= kPageSize;
    };
    while (split > 1 && !fits(0, split)) --split;
    while (split + 1 < n && !fits(split, n)) ++split;
    Page right;
    right.offset = file_.allocatePage();
    right.leaf = page.leaf;
    right.entries.assign(page.entries.begin() + ptrdiff_t(split), page.entries.end());
    page.entries.resize(split);
    right.left = page.offset;
    right.right = page.right;
    const uint32_t oldRight = page.right;
    page.right = right.offset;
    page.root = false;
    // The halves of a page that was packed tighter than this writer packs may still not fit.
    if (!fits(0, page.entries.size()) || !pageFits(right, tag_.keyLength, tag_.fill))
      raise("writing index %s tag %s: a page at offset %u cannot be split", file_.path().c_str(),
            tag_.name.c_str(), page.offset);
    const PageEntry leftHigh = highestOf(page), rightHigh = highestOf(right);
    const uint32_t rightOffset = right.offset;
    write(std::move(right));
    write(std::move(page));
    if (oldRight != kNoPage) file_.setSibling(oldRight, true, rightOffset);
    if (path.empty()) {
      Page root;
      root.offset = file_.allocatePage();
      root.leaf = false;
      root.root = true;
      root.entries = {leftHigh, rightHigh};
      const uint32_t rootOffset = root.offset;
      write(std::move(root));
      file_.setRoot(tag_, rootOffset);
      return;
    }
    const PathStep step = path.back();
    path.pop_back();
    Page parent = parentPage(step);
    atEnd = atEnd && step.slot + 1 == parent.entries.size() && parent.right == kNoPage;
    parent.entries[step.slot] = leftHigh;
    parent.entries.insert(parent.entries.begin() + ptrdiff_t(step.slot) + 1, rightHigh);
    page = std::move(parent);
  }
}

bool CdxTree::remove(const std::string& key, uint32_t record) {
  std::vector<PathStep> path;
  const char* root = file_.rawPage(tag_.root);
  if (!isLeafPage(root) && readLe16(root + 2) == 0) return false;  // an empty tree
  Page page = file_.takePage(descend(key, record, &path), tag_.keyLength, tag_.fill);
  const size_t at = findSlot(page, key, record);
  if (at == page.entries.size() || page.entries[at].key != key || page.entries[at].record != record)
    return false;
  bool wasHighest = at + 1 == page.entries.size();
  page.entries.erase(page.entries.begin() + ptrdiff_t(at));
  for (;;) {
    if (path.empty() && page.entries.empty()) {
      // The whole tree is empty: the root becomes an empty leaf.
      page.leaf = true;
      page.root = true;
      page.left = page.right = kNoPage;
      write(std::move(page));
      return true;
    }
    if (!page.entries.empty()) {
      // Re-encoding can need more room than a foreign writer's tighter packing used.
      if (!pageFits(page, tag_.keyLength, tag_.fill)) {
        store(std::move(page), path, false);
        return true;
      }
      const PageEntry highest = highestOf(page);
      write(std::move(page));
      if (wasHighest) updateParents(path, highest);
      return true;
    }
    // An emptied page leaves the tree: unlink it from its level and from its parent.
    if (page.left != kNoPage) file_.setSibling(page.left, false, page.right);
    if (page.right != kNoPage) file_.setSibling(page.right, true, page.left);
    const PathStep step = path.back();
    path.pop_back();
    Page parent = parentPage(step);
    wasHighest = step.slot + 1 == parent.entries.size();
    parent.entries.erase(parent.entries.begin() + ptrdiff_t(step.slot));
    page = std::move(parent);
  }
}

void CdxTree::forEach(const std::function<void(const PageEntry&)>& visit) {
  Position pos = first();
  const PageEntry* prev = nullptr;
  PageEntry prevCopy;
  while (pos.valid) {
    const PageEntry& e = pos.entry();
    if (prev && compareEntry(prevCopy.key, prevCopy.record, e.key, e.record) >= 0)
      raise("reading index %s tag %s: keys out of order in the leaf at offset %u",
            file_.path().c_str(), tag_.name.c_str(), pos.leaf->offset);
    visit(e);
    prevCopy = e;
    prev = &prevCopy;
    next(pos);
  }
}

uint32_t CdxTree::build(std::string& image, const std::vector<PageEntry>& entries,
                        uint16_t keyLength, char fill) {
  std::vector<Page> level;
  size_t begin = 0;
  do {
    // Greedy: take entries while the leaf still fits.
    size_t end = begin;
    while (end < entries.size() && leafBytes(entries, begin, end + 1, keyLength, fill) <= kPageSize)
      ++end;
    if (end == begin && begin < entries.size()) ++end;  // unreachable for valid key lengths
    Page leaf;
    leaf.leaf = true;
    leaf.entries.assign(entries.begin() + ptrdiff_t(begin), entries.begin() + ptrdiff_t(end));
    level.push_back(std::move(leaf));
    begin = end;
  } while (begin < entries.size());

  for (;;) {
    const uint32_t base = uint32_t(image.size());
    for (size_t i = 0; i < level.size(); ++i) {
      level[i].offset = base + uint32_t(i) * kPageSize;
      level[i].left = i == 0 ? kNoPage : base + uint32_t(i - 1) * kPageSize;
      level[i].right = i + 1 == level.size() ? kNoPage : base + uint32_t(i + 1) * kPageSize;
      level[i].root = level.size() == 1;
    }
    for (const Page& page : level) image += encodePage(page, keyLength, fill);
    if (level.size() == 1) return level[0].offset;
    const size_t capacity = interiorCapacity(keyLength);
    std::vector<Page> parents;
    for (size_t i = 0; i < level.size(); i += capacity) {
      Page parent;
      parent.leaf = false;
      for (size_t j = i; j < std::min(level.size(), i + capacity); ++j)
        parent.entries.push_back(highestOf(level[j]));
      parents.push_back(std::move(parent));
    }
    level = std::move(parents);
  }
}

}  // namespace savora::xbase
