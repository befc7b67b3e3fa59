#include "xbase/cdx_page.h"

#include <algorithm>
#include <cstring>

#include "xbase/byte_order.h"
#include "xbase/error.h"

namespace savora::xbase {
namespace {

uint8_t bitsFor(uint32_t value) {
  uint8_t bits = 0;
  while (value) {
    ++bits;
    value >>= 1;
  }
  return bits;
}

struct LeafLayout {
  uint8_t recordBits, countBits, entryBytes;
};

// Three-byte entries with 24 - 2D record bits, one more byte while the largest record number
// of the page does not fit: the layout FoxPro-family writers use.
LeafLayout leafLayout(uint16_t keyLength, uint32_t maxRecord) {
  LeafLayout l;
  l.countBits = bitsFor(keyLength);
  l.recordBits = uint8_t(24 - 2 * l.countBits);
  l.entryBytes = 3;
  while (l.recordBits < 32 && (maxRecord >> l.recordBits) != 0) {
    l.recordBits = uint8_t(l.recordBits + 8);
    ++l.entryBytes;
  }
  return l;
}

// Damaged bit counts can ask for a shift by 64 or more, which the language leaves undefined.
uint64_t shiftDown(uint64_t value, unsigned bits) {
  return bits >= 64 ? 0 : value >> bits;
}

size_t trailingFill(std::string_view key, char fill) {
  size_t n = 0;
  while (n < key.size() && key[key.size() - 1 - n] == fill) ++n;
  return n;
}

// Shared leading bytes with the previous key, never reaching into either key's fill.
size_t sharedPrefix(std::string_view prev, size_t prevTrail, std::string_view key, size_t trail) {
  const size_t limit = key.size() - std::max(prevTrail, trail);
  size_t n = 0;
  while (n < limit && prev[n] == key[n]) ++n;
  return n;
}

uint64_t lowBits(unsigned bits) {
  return bits >= 64 ? ~uint64_t(0) : (uint64_t(1) << bits) - 1;
}

uint64_t readEntry(const char* e, size_t bytes) {
  uint64_t v = 0;
  for (size_t b = 0; b < bytes; ++b) v |= uint64_t(byteAt(e + b)) << (8 * b);
  return v;
}

void writeEntry(char* e, size_t bytes, uint64_t v) {
  for (size_t b = 0; b < bytes; ++b) e[b] = char((v >> (8 * b)) & 0xFF);
}

}  // namespace

int compareEntry(std::string_view keyA, uint32_t recordA, std::string_view keyB, uint32_t recordB) {
  const int order = keyA.compare(keyB);
  // std::string_view::compare uses char_traits<char>, which compares as unsigned char.
  if (order != 0) return order < 0 ? -1 : 1;
  return recordA < recordB ? -1 : recordA > recordB ? 1 : 0;
}

uint32_t InteriorEntries::record(size_t i) const {
  return readBe32(bytes + kPageHeaderSize + i * (keyLength + 8u) + keyLength);
}

uint32_t InteriorEntries::child(size_t i) const {
  return readBe32(bytes + kPageHeaderSize + i * (keyLength + 8u) + keyLength + 4);
}

size_t InteriorEntries::lowerBound(std::string_view wanted, uint32_t wantedRecord) const {
  size_t low = 0, high = count;
  while (low < high) {
    const size_t middle = low + (high - low) / 2;
    if (compareEntry(key(middle), record(middle), wanted, wantedRecord) < 0)
      low = middle + 1;
    else
      high = middle;
  }
  return low;
}

bool isLeafPage(const char* bytes) {
  return (readLe16(bytes) & kAttrLeaf) != 0;
}

InteriorEntries interiorEntries(const char* bytes, uint32_t offset, uint16_t keyLength,
                                std::string_view fileName) {
  const uint16_t count = readLe16(bytes + 2);
  if (count > interiorCapacity(keyLength))
    raise("reading index %s: page at offset %u is damaged: more interior entries than fit",
          std::string(fileName).c_str(), offset);
  return InteriorEntries{bytes, keyLength, count};
}

Page decodePage(const char* p, uint32_t offset, uint16_t keyLength, char fill,
                std::string_view fileName) {
  const std::string file(fileName);
  auto corrupt = [&](const char* why) {
    raise("reading index %s: page at offset %u is damaged: %s", file.c_str(), offset, why);
  };
  Page page;
  page.offset = offset;
  const uint16_t attributes = readLe16(p);
  page.root = (attributes & kAttrRoot) != 0;
  page.leaf = (attributes & kAttrLeaf) != 0;
  const uint16_t count = readLe16(p + 2);
  page.left = readLe32(p + 4);
  page.right = readLe32(p + 8);
  if (!page.leaf) {
    const InteriorEntries interior = interiorEntries(p, offset, keyLength, fileName);
    page.entries.resize(count);
    for (size_t i = 0; i < count; ++i)
      page.entries[i] =
          PageEntry{std::string(interior.key(i)), interior.record(i), interior.child(i)};
    return page;
  }
  const uint16_t freeBytes = readLe16(p + 12);
  const uint32_t recordMask = readLe32(p + 14);
  const uint8_t dupMask = byteAt(p + 18), trailMask = byteAt(p + 19);
  const uint8_t recordBits = byteAt(p + 20), dupBits = byteAt(p + 21), trailBits = byteAt(p + 22);
  const uint8_t entryBytes = byteAt(p + 23);
  if (entryBytes < 1 || entryBytes > 8 || recordBits + dupBits + trailBits > 8 * entryBytes)
    corrupt("invalid entry bit layout");
  if (kLeafHeaderSize + size_t(count) * entryBytes > kPageSize) corrupt("too many leaf entries");
  page.entries.resize(count);
  size_t pos = kPageSize;
  std::string prev;
  for (size_t i = 0; i < count; ++i) {
    const uint64_t v = readEntry(p + kLeafHeaderSize + i * entryBytes, entryBytes);
    const uint32_t record = uint32_t(v & recordMask);
    const size_t dup = size_t(shiftDown(v, recordBits) & dupMask);
    const size_t trail = size_t(shiftDown(v, unsigned(recordBits) + dupBits) & trailMask);
    if (dup + trail > keyLength) corrupt("key compression counts exceed the key length");
    if (dup > prev.size()) corrupt("first key of the page refers to a previous key");
    const size_t stored = keyLength - dup - trail;
    if (pos < kLeafHeaderSize + size_t(count) * entryBytes + stored)
      corrupt("key bytes overlap the entry array");
    pos -= stored;
    std::string key = prev.substr(0, dup);
    key.append(p + pos, stored);
    key.append(trail, fill);
    page.entries[i].key = key;
    page.entries[i].record = record;
    prev = std::move(key);
  }
  if (freeBytes != pos - (kLeafHeaderSize + size_t(count) * entryBytes))
    corrupt("free byte count does not match the keys");
  return page;
}

size_t leafBytes(const std::vector<PageEntry>& entries, size_t begin, size_t end,
                 uint16_t keyLength, char fill) {
  uint32_t maxRecord = 0;
  size_t keyBytes = 0, prevTrail = 0;
  for (size_t i = begin; i < end; ++i) {
    const std::string& key = entries[i].key;
    const size_t trail = trailingFill(key, fill);
    const size_t dup = i == begin ? 0 : sharedPrefix(entries[i - 1].key, prevTrail, key, trail);
    keyBytes += keyLength - dup - trail;
    prevTrail = trail;
    maxRecord = std::max(maxRecord, entries[i].record);
  }
  return kLeafHeaderSize + (end - begin) * leafLayout(keyLength, maxRecord).entryBytes + keyBytes;
}

bool pageFits(const Page& page, uint16_t keyLength, char fill) {
  if (!page.leaf) return page.entries.size() <= interiorCapacity(keyLength);
  return leafBytes(page.entries, 0, page.entries.size(), keyLength, fill) <= kPageSize;
}

bool insertIntoLeafBytes(const char* p, std::string_view key, uint32_t record, uint16_t keyLength,
                         char fill, char* out, bool& last) {
  if (!isLeafPage(p) || key.size() != keyLength || keyLength > kPageSize) return false;
  const size_t count = readLe16(p + 2), freeBytes = readLe16(p + 12);
  const unsigned recordBits = byteAt(p + 20), dupBits = byteAt(p + 21), trailBits = byteAt(p + 22);
  const size_t entryBytes = byteAt(p + 23);
  // Only the layout writers use: masks of the low bits.
  if (entryBytes < 1 || entryBytes > 8 || recordBits + dupBits + trailBits > 8 * entryBytes ||
      recordBits > 32 || readLe32(p + 14) != lowBits(recordBits) ||
      byteAt(p + 18) != lowBits(dupBits) || byteAt(p + 19) != lowBits(trailBits) ||
      record > lowBits(recordBits))
    return false;
  const size_t entriesEnd = kLeafHeaderSize + count * entryBytes;
  if (entriesEnd > kPageSize) return false;

  // Every entry is checked; keys are built only up to the slot, the first entry not below the
  // new one, alternating between two buffers so that the key before it is still there.
  char keys[2][kPageSize];
  size_t slot = count, slotTop = 0, prevTrail = 0, nextTrail = 0, nextStored = 0;
  uint32_t nextRecord = 0;
  size_t pos = kPageSize;
  for (size_t i = 0; i < count; ++i) {
    const uint64_t v = readEntry(p + kLeafHeaderSize + i * entryBytes, entryBytes);
    const size_t dup = size_t((v >> recordBits) & lowBits(dupBits));
    const size_t trail = size_t((v >> (recordBits + dupBits)) & lowBits(trailBits));
    if (dup + trail > keyLength || (i == 0 && dup > 0)) return false;
    const size_t stored = keyLength - dup - trail;
    if (pos < entriesEnd + stored) return false;
    pos -= stored;
    if (slot < count) continue;
    char* built = keys[i % 2];
    std::memcpy(built, keys[(i + 1) % 2], dup);
    std::memcpy(built + dup, p + pos, stored);
    std::memset(built + keyLength - trail, fill, trail);
    const uint32_t entryRecord = uint32_t(v & lowBits(recordBits));
    if (compareEntry({built, keyLength}, entryRecord, key, record) >= 0) {
      slot = i;
      slotTop = pos + stored;
      nextTrail = trail;
      nextStored = stored;
      nextRecord = entryRecord;
    } else {
      prevTrail = trail;
    }
  }
  if (freeBytes != pos - entriesEnd) return false;
  if (slot == count) slotTop = pos;
  const char* prev = keys[(slot + 1) % 2];
  const char* next = keys[slot % 2];

  // The new entry, compressed against the key before it; the one after it, against the new key.
  const size_t trail = trailingFill(key, fill);
  const size_t dup = slot == 0 ? 0 : sharedPrefix({prev, keyLength}, prevTrail, key, trail);
  const size_t stored = keyLength - dup - trail;
  size_t nextDup = 0, nextNewStored = 0;
  if (slot < count) {
    nextDup = sharedPrefix(key, trail, {next, keyLength}, nextTrail);
    nextNewStored = keyLength - nextDup - nextTrail;
  }
  if (dup > lowBits(dupBits) || trail > lowBits(trailBits) || nextDup > lowBits(dupBits))
    return false;
  const size_t used = entryBytes + stored + nextNewStored;
  if (used > freeBytes + nextStored) return false;

  std::memset(out, 0, kPageSize);
  std::memcpy(out, p, kLeafHeaderSize);
  writeLe16(out + 2, uint16_t(count + 1));
  writeLe16(out + 12, uint16_t(freeBytes + nextStored - used));
  char* entries = out + kLeafHeaderSize;
  const char* oldEntries = p + kLeafHeaderSize;
  std::memcpy(entries, oldEntries, slot * entryBytes);
  writeEntry(entries + slot * entryBytes, entryBytes,
             record | uint64_t(dup) << recordBits | uint64_t(trail) << (recordBits + dupBits));
  // Keys before the slot stay where they are; the new key goes below them.
  std::memcpy(out + slotTop, p + slotTop, kPageSize - slotTop);
  size_t at = slotTop - stored;
  std::memcpy(out + at, key.data() + dup, stored);
  if (slot < count) {
    writeEntry(entries + (slot + 1) * entryBytes, entryBytes,
               nextRecord | uint64_t(nextDup) << recordBits |
                   uint64_t(nextTrail) << (recordBits + dupBits));
    std::memcpy(entries + (slot + 2) * entryBytes, oldEntries + (slot + 1) * entryBytes,
                (count - slot - 1) * entryBytes);
    at -= nextNewStored;
    std::memcpy(out + at, next + nextDup, nextNewStored);
    // The keys after it move down by what the page grew.
    const size_t restTop = slotTop - nextStored;
    std::memcpy(out + at - (restTop - pos), p + pos, restTop - pos);
  }
  last = slot == count;
  return true;
}

std::string encodePage(const Page& page, uint16_t keyLength, char fill) {
  auto overflow = [&] {
    raise("writing an index page at offset %u: its %zu entries do not fit (internal error)",
          page.offset, page.entries.size());
  };
  if (!page.leaf && page.entries.size() > interiorCapacity(keyLength)) overflow();
  std::string out(kPageSize, '\0');
  char* p = out.data();
  writeLe16(p, uint16_t((page.root ? kAttrRoot : 0) | (page.leaf ? kAttrLeaf : 0)));
  writeLe16(p + 2, uint16_t(page.entries.size()));
  writeLe32(p + 4, page.left);
  writeLe32(p + 8, page.right);
  if (!page.leaf) {
    for (size_t i = 0; i < page.entries.size(); ++i) {
      char* e = p + kPageHeaderSize + i * (keyLength + 8u);
      std::memcpy(e, page.entries[i].key.data(), keyLength);
      writeBe32(e + keyLength, page.entries[i].record);
      writeBe32(e + keyLength + 4, page.entries[i].child);
    }
    return out;
  }
  uint32_t maxRecord = 0;
  for (const PageEntry& e : page.entries) maxRecord = std::max(maxRecord, e.record);
  const LeafLayout l = leafLayout(keyLength, maxRecord);
  const uint32_t recordMask = l.recordBits >= 32 ? 0xFFFFFFFFu : (1u << l.recordBits) - 1;
  const uint8_t countMask = uint8_t((1u << l.countBits) - 1);
  writeLe32(p + 14, recordMask);
  p[18] = char(countMask);
  p[19] = char(countMask);
  p[20] = char(l.recordBits);
  p[21] = char(l.countBits);
  p[22] = char(l.countBits);
  p[23] = char(l.entryBytes);
  size_t pos = kPageSize, prevTrail = 0;
  for (size_t i = 0; i < page.entries.size(); ++i) {
    const std::string& key = page.entries[i].key;
    const size_t trail = trailingFill(key, fill);
    const size_t dup = i == 0 ? 0 : sharedPrefix(page.entries[i - 1].key, prevTrail, key, trail);
    const size_t stored = keyLength - dup - trail;
    // The fit is checked as the keys are laid down, instead of measuring the page first.
    if (pos < kLeafHeaderSize + page.entries.size() * l.entryBytes + stored) overflow();
    pos -= stored;
    std::memcpy(p + pos, key.data() + dup, stored);
    const uint64_t v = uint64_t(page.entries[i].record) | uint64_t(dup) << l.recordBits |
                       uint64_t(trail) << (l.recordBits + l.countBits);
    writeEntry(p + kLeafHeaderSize + i * l.entryBytes, l.entryBytes, v);
    prevTrail = trail;
  }
  writeLe16(p + 12, uint16_t(pos - (kLeafHeaderSize + page.entries.size() * l.entryBytes)));
  return out;
}

}  // namespace savora::xbase
