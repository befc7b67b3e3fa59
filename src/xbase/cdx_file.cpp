#include "xbase/cdx_file.h"

#include <algorithm>
#include <cstring>

#include "platform/text.h"
#include "xbase/byte_order.h"
#include "xbase/cdx_tree.h"
#include "xbase/error.h"

namespace savora::xbase {
namespace {

constexpr uint32_t kPoolOffset = 512;
constexpr uint32_t kPoolSize = 512;

TagInfo directoryInfo(uint32_t root) {
  TagInfo info;
  info.name = "(tag directory)";
  info.root = root;
  info.keyLength = kDirectoryKeyLength;
  info.fill = ' ';
  return info;
}

void checkPageOffset(uint32_t offset, uint64_t size, const std::string& path, const char* what) {
  if (offset % kPageSize != 0 || offset < kPageSize || uint64_t(offset) + kPageSize > size)
    raise("reading index %s: %s points at offset %u, outside the file's pages", path.c_str(), what,
          offset);
}

std::string tagHeaderBytes(const TagInfo& tag, bool directory) {
  std::string h(kTagHeaderSize, '\0');
  char* p = h.data();
  writeLe32(p, tag.root);
  writeLe16(p + 12, tag.keyLength);
  p[14] = char(tag.options);
  p[15] = 1;
  if (directory) {
    writeLe16(p + 504, 1);
    writeLe16(p + 506, 1);
    writeLe16(p + 510, 1);
    return h;
  }
  const size_t keyLength = tag.keyExpression.size() + 1;
  const size_t forLength = tag.forExpression.size() + 1;
  writeLe16(p + 502, tag.descending ? 1 : 0);
  writeLe16(p + 504, uint16_t(keyLength));
  writeLe16(p + 506, uint16_t(forLength));
  writeLe16(p + 508, 0);
  writeLe16(p + 510, uint16_t(keyLength));
  std::memcpy(p + kPoolOffset, tag.keyExpression.data(), tag.keyExpression.size());
  std::memcpy(p + kPoolOffset + keyLength, tag.forExpression.data(), tag.forExpression.size());
  return h;
}

}  // namespace

std::unique_ptr<CdxFile> CdxFile::open(const std::string& path, bool writable,
                                       platform::File opened) {
  auto cdx = std::make_unique<CdxFile>();
  cdx->path_ = path;
  cdx->file_ = std::move(opened);
  if (!cdx->file_.isOpen() && !cdx->file_.open(path, writable ? platform::File::Mode::ReadWrite
                                                              : platform::File::Mode::Read))
    raise("opening index %s: %s", path.c_str(), cdx->file_.errorText().c_str());
  cdx->size_ = cdx->file_.size();
  if (cdx->size_ < kTagHeaderSize + kPageSize || cdx->size_ % kPageSize != 0)
    raise(
        "reading index %s: its length %llu is not a whole number of pages holding a header "
        "and a directory",
        path.c_str(), static_cast<unsigned long long>(cdx->size_));
  if (cdx->size_ > 0xFFFFFFFFull) raise("reading index %s: larger than 4 GB", path.c_str());
  // The file header, directory and tag headers usually lie in the first pages: one read.
  // A file taken up from a closed table comes mapped: its view shows them as they are now.
  cdx->head_.resize(size_t(std::min<uint64_t>(cdx->size_, kHeadBytes)));
  if (cdx->file_.viewLength() >= cdx->head_.size())
    std::memcpy(cdx->head_.data(), cdx->file_.view(), cdx->head_.size());
  else if (!cdx->file_.readAt(0, cdx->head_.data(), cdx->head_.size()))
    raise("reading index %s: cannot read the file header", path.c_str());
  const std::string header = cdx->head_.substr(0, kTagHeaderSize);
  const char* h = header.data();
  const uint32_t directoryRoot = readLe32(h);
  checkPageOffset(directoryRoot, cdx->size_, path, "the file header's root");
  if (readLe16(h + 12) != kDirectoryKeyLength)
    raise("reading index %s: the tag directory's key length is %u, not 10", path.c_str(),
          readLe16(h + 12));
  const uint32_t mark = readLe32(h + kUpdateMarkOffset);
  cdx->marked_ = mark == kUpdateMark;
  cdx->changeCounter_ = readBe32(h + 8);
  if (mark == kCleanMark)
    cdx->stamp_ = Stamp{readLe32(h + kUpdateMarkOffset + 4), readLe32(h + kUpdateMarkOffset + 8),
                        readLe32(h + kUpdateMarkOffset + 12)};

  // A directory pointer that lands on some other page (one of zeros) would read as no tags.
  char attributes[2];
  if (!cdx->readAt(directoryRoot, attributes, sizeof attributes) ||
      !(readLe16(attributes) & kAttrRoot))
    raise("reading index %s: the tag directory at offset %u is not the root of a tree",
          path.c_str(), directoryRoot);
  TagInfo directory = directoryInfo(directoryRoot);
  std::vector<PageEntry> names;
  CdxTree(*cdx, directory).forEach([&](const PageEntry& e) { names.push_back(e); });
  for (const PageEntry& e : names) {
    TagInfo tag;
    tag.name = platform::trimRight(e.key);
    tag.headerOffset = e.record;
    if (tag.name.empty())
      raise("reading index %s: the tag directory holds an empty name", path.c_str());
    if (tag.headerOffset % kPageSize != 0 || tag.headerOffset < kPageSize ||
        uint64_t(tag.headerOffset) + kTagHeaderSize > cdx->size_)
      raise("reading index %s: tag %s has its header at offset %u, outside the file", path.c_str(),
            tag.name.c_str(), tag.headerOffset);
    std::string th(kTagHeaderSize, '\0');
    if (!cdx->readAt(tag.headerOffset, th.data(), th.size()))
      raise("reading index %s: cannot read the header of tag %s", path.c_str(), tag.name.c_str());
    const char* t = th.data();
    // A bad root pointer is found when the tree is read; the definition stays usable for a
    // rebuild.
    tag.root = readLe32(t);
    tag.keyLength = readLe16(t + 12);
    tag.options = byteAt(t + 14);
    if (tag.keyLength < 1 || tag.keyLength > 240)
      raise("reading index %s: tag %s has key length %u (1-240)", path.c_str(), tag.name.c_str(),
            tag.keyLength);
    tag.descending = readLe16(t + 502) != 0;
    const uint32_t forStart = readLe16(t + 504), forLength = readLe16(t + 506);
    const uint32_t keyStart = readLe16(t + 508), keyLength = readLe16(t + 510);
    if (keyLength < 2 || keyStart + keyLength > kPoolSize || forStart + forLength > kPoolSize)
      raise("reading index %s: tag %s has its expressions outside the expression pool",
            path.c_str(), tag.name.c_str());
    auto text = [&](uint32_t start, uint32_t length) {
      std::string s(t + kPoolOffset + start, length);
      return platform::trim(s.substr(0, s.find('\0')));
    };
    tag.keyExpression = text(keyStart, keyLength);
    tag.forExpression =
        (tag.options & kOptionFor) && forLength > 1 ? text(forStart, forLength) : "";
    cdx->tags_.push_back(std::move(tag));
  }
  cdx->head_.clear();  // writes go to the file only
  return cdx;
}

std::string CdxFile::buildImage(const std::vector<TagBuild>& tags) {
  std::string image(kTagHeaderSize + kPageSize, '\0');
  std::vector<PageEntry> directory;
  for (const TagBuild& build : tags) {
    TagInfo info = build.info;
    info.name = platform::toUpper(info.name);
    if (info.name.empty() || info.name.size() > kMaxTagNameLength)
      raise("creating index: tag name \"%s\" must have 1-10 characters", info.name.c_str());
    for (const PageEntry& other : directory)
      if (platform::trimRight(other.key) == info.name)
        raise("creating index: tag name %s appears twice", info.name.c_str());
    if (info.keyLength < 1 || info.keyLength > 240)
      raise("creating index: tag %s has key length %u (1-240)", info.name.c_str(), info.keyLength);
    if (info.keyExpression.size() + info.forExpression.size() + 2 > kPoolSize)
      raise("creating index: the expressions of tag %s are longer than 510 characters",
            info.name.c_str());
    info.options = uint8_t(kOptionCompact | kOptionCompound | (info.unique() ? kOptionUnique : 0) |
                           (info.forExpression.empty() ? 0 : kOptionFor));
    info.headerOffset = uint32_t(image.size());
    image.append(kTagHeaderSize, '\0');
    info.root = CdxTree::build(image, build.entries, info.keyLength, info.fill);
    const std::string header = tagHeaderBytes(info, false);
    std::copy(header.begin(), header.end(), image.begin() + info.headerOffset);
    directory.push_back(
        PageEntry{std::string(info.name).append(kDirectoryKeyLength - info.name.size(), ' '),
                  info.headerOffset, 0});
  }
  std::sort(directory.begin(), directory.end(), [](const PageEntry& a, const PageEntry& b) {
    return compareEntry(a.key, a.record, b.key, b.record) < 0;
  });
  Page root;
  root.offset = kTagHeaderSize;
  root.root = true;
  root.entries = directory;
  if (!pageFits(root, kDirectoryKeyLength, ' '))
    raise("creating index: %zu tags are more than one directory page holds", tags.size());
  const std::string rootBytes = encodePage(root, kDirectoryKeyLength, ' ');
  std::copy(rootBytes.begin(), rootBytes.end(), image.begin() + kTagHeaderSize);
  TagInfo fileHeader = directoryInfo(kTagHeaderSize);
  fileHeader.options = kOptionCompact | kOptionCompound | kOptionDirectory;
  const std::string header = tagHeaderBytes(fileHeader, true);
  std::copy(header.begin(), header.end(), image.begin());
  return image;
}

TagInfo* CdxFile::findTag(std::string_view name) {
  for (TagInfo& tag : tags_)
    if (platform::equalsIgnoreCase(tag.name, name)) return &tag;
  return nullptr;
}

Page CdxFile::readPage(uint32_t offset, uint16_t keyLength, char fill) {
  return *sharedPage(offset, keyLength, fill);
}

std::shared_ptr<const Page> CdxFile::sharedPage(uint32_t offset, uint16_t keyLength, char fill) {
  checkPageOffset(offset, size_, path_, "a tree pointer");
  if (const auto cached = cache_.find(offset); cached != cache_.end()) {
    if (cached->second.keyLength == keyLength && cached->second.fill == fill) {
      uses_.splice(uses_.begin(), uses_, cached->second.use);
      return cached->second.page;
    }
    forgetPage(offset);
  }
  return keep(decodePage(rawPage(offset), offset, keyLength, fill, path_), keyLength, fill);
}

Page CdxFile::takePage(uint32_t offset, uint16_t keyLength, char fill) {
  checkPageOffset(offset, size_, path_, "a tree pointer");
  if (const auto cached = cache_.find(offset); cached != cache_.end()) {
    if (cached->second.keyLength == keyLength && cached->second.fill == fill) {
      // A page a position still holds is copied: the position keeps the page as it was.
      std::shared_ptr<Page> kept = std::move(cached->second.page);
      uses_.erase(cached->second.use);
      cache_.erase(cached);
      if (kept.use_count() > 1) return *kept;
      return std::move(*kept);
    }
    forgetPage(offset);
  }
  return decodePage(rawPage(offset), offset, keyLength, fill, path_);
}

const std::shared_ptr<Page>& CdxFile::keep(Page&& page, uint16_t keyLength, char fill) {
  if (cache_.size() >= kCachedPages) forgetPage(uses_.back());
  const uint32_t offset = page.offset;
  uses_.push_front(offset);
  CachedPage& kept = cache_[offset];
  kept = CachedPage{keyLength, fill, std::make_shared<Page>(std::move(page)), uses_.begin()};
  return kept.page;
}

const char* CdxFile::pageBytes(uint32_t offset, char* scratch) {
  // After enough page reads the file is mapped as it is; pages written later show in the view,
  // pages added past it are read.
  if (!file_.view() && !file_.viewFailed() && ++pageReads_ > kReadsBeforeView) file_.mapView(size_);
  // A file grown well past its view (a long import) is mapped again.
  const uint64_t viewed = file_.viewLength();
  if (viewed != 0 && uint64_t(offset) + kPageSize > viewed && file_.viewOutgrown(size_))
    file_.mapView(size_);
  if (const char* viewed = inView(offset)) return viewed;
  return readAt(offset, scratch, kPageSize) ? scratch : nullptr;
}

const char* CdxFile::rawPage(uint32_t offset) {
  checkPageOffset(offset, size_, path_, "a tree pointer");
  if (const char* viewed = inView(offset)) return viewed;
  if (const auto kept = rawPages_.find(offset); kept != rawPages_.end()) return kept->second.data();
  std::array<char, kPageSize> page;
  const char* bytes = pageBytes(offset, page.data());
  if (!bytes) raise("reading index %s: cannot read the page at offset %u", path_.c_str(), offset);
  if (bytes != page.data()) return bytes;  // the read mapped the file
  return keepRaw(offset, bytes);
}

const char* CdxFile::inView(uint32_t offset) const {
  if (file_.view() && uint64_t(offset) + kPageSize <= file_.viewLength())
    return file_.view() + offset;
  return nullptr;
}

bool CdxFile::readAt(uint64_t offset, char* out, size_t count) {
  if (offset + count <= head_.size()) {
    std::memcpy(out, head_.data() + offset, count);
    return true;
  }
  return file_.readAt(offset, out, count);
}

void CdxFile::forgetPage(uint32_t offset) {
  rawPages_.erase(offset);
  const auto cached = cache_.find(offset);
  if (cached == cache_.end()) return;
  uses_.erase(cached->second.use);
  cache_.erase(cached);
}

void CdxFile::forgetPages(uint64_t offset, size_t count) {
  for (uint64_t page = offset - offset % kPageSize; page < offset + count; page += kPageSize)
    forgetPage(uint32_t(page));
}

void CdxFile::write(uint64_t offset, const void* data, size_t count, const char* what) {
  // Kept copies go before the write, so a failed write never leaves one that differs from disk.
  forgetPages(offset, count);
  if (!file_.writeAt(offset, data, count))
    raise("writing index %s (%s at offset %llu): %s", path_.c_str(), what,
          static_cast<unsigned long long>(offset), file_.errorText().c_str());
}

bool CdxFile::insertIntoLeaf(uint32_t offset, std::string_view key, uint32_t record,
                             uint16_t keyLength, char fill, bool& last) {
  if (cache_.count(offset)) return false;
  std::array<char, kPageSize> page;
  if (!insertIntoLeafBytes(rawPage(offset), key, record, keyLength, fill, page.data(), last))
    return false;
  write(offset, page.data(), kPageSize, "a tree page");
  keepRaw(offset, page.data());
  return true;
}

const char* CdxFile::keepRaw(uint32_t offset, const char* bytes) {
  if (const char* viewed = inView(offset)) return viewed;
  if (rawPages_.size() >= kCachedPages) rawPages_.clear();
  char* kept = rawPages_[offset].data();
  std::memcpy(kept, bytes, kPageSize);
  return kept;
}

void CdxFile::writePage(Page&& page, uint16_t keyLength, char fill) {
  const std::string bytes = encodePage(page, keyLength, fill);
  write(page.offset, bytes.data(), bytes.size(), "a tree page");
  size_ = std::max<uint64_t>(size_, uint64_t(page.offset) + kPageSize);
  keepRaw(page.offset, bytes.data());
  // Kept as written: the next change of the same page (the next key appended) needs no decoding.
  keep(std::move(page), keyLength, fill);
}

uint32_t CdxFile::allocatePage() {
  if (size_ + kPageSize > 0xFFFFFFFFull)
    raise("writing index %s: it would pass 4 GB", path_.c_str());
  const uint32_t offset = uint32_t(size_);
  size_ += kPageSize;
  return offset;
}

void CdxFile::setSibling(uint32_t offset, bool left, uint32_t sibling) {
  checkPageOffset(offset, size_, path_, "a sibling pointer");
  char bytes[4];
  writeLe32(bytes, sibling);
  write(uint64_t(offset) + (left ? 4 : 8), bytes, 4, "a sibling pointer");
}

void CdxFile::setRoot(TagInfo& tag, uint32_t root) {
  char bytes[4];
  writeLe32(bytes, root);
  write(tag.headerOffset, bytes, 4, "a tag's root pointer");
  tag.root = root;
}

void CdxFile::setUpdateMark(bool on) {
  if (marked_ == on) return;
  char bytes[4];
  writeLe32(bytes, on ? kUpdateMark : 0);
  stamp_.reset();
  write(kUpdateMarkOffset, bytes, 4, "the update mark");
  marked_ = on;
}

void CdxFile::finishUpdate(const Stamp& stamp) {
  if (!marked_ && stamp_ == stamp) return;
  char bytes[16];
  writeLe32(bytes, kCleanMark);
  writeLe32(bytes + 4, stamp.records);
  writeLe32(bytes + 8, stamp.lastRecordHash);
  writeLe32(bytes + 12, stamp.changeCounter);
  stamp_.reset();
  write(kUpdateMarkOffset, bytes, sizeof bytes, "the update mark");
  marked_ = false;
  stamp_ = stamp;
}

}  // namespace savora::xbase
