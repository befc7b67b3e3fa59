#include "xbase/memo_file.h"

#include <algorithm>
#include <cstring>

#include "xbase/byte_order.h"
#include "xbase/error.h"

namespace savora::xbase {

namespace {
constexpr uint32_t kDbtBlockSize = 512;
constexpr char kDbtEnd = 0x1A;
constexpr size_t kDbtIVBlockSizeOffset = 20;
constexpr char kDbtIVMark[4] = {char(0xFF), char(0xFF), 0x08, 0x00};
constexpr uint64_t kMaxMemoLength = 0x7FFFFFFF;
// What prefetch() asks for: a memo and, in a file written record by record, the memos of the
// same record after it.
constexpr uint64_t kPrefetchSpan = 512;
constexpr uint64_t kCacheLine = 64;

// "record 5 field NOTES": built only for a message, never on the way of a good read.
std::string describe(MemoReader reader) {
  return "record " + std::to_string(reader.record) + " field " + std::string(reader.field);
}
}  // namespace

MemoFile MemoFile::open(const std::string& path, Kind kind, bool writable,
                        platform::File opened) {
  MemoFile m;
  m.path_ = path;
  m.kind_ = kind;
  m.file_ = std::move(opened);
  if (!m.file_.isOpen() &&
      !m.file_.open(path, writable ? platform::File::Mode::ReadWrite : platform::File::Mode::Read))
    raise("opening memo file %s: %s", path.c_str(), m.file_.errorText().c_str());
  m.fileSize_ = m.file_.size();
  if (kind != Kind::Fpt) {
    m.blockSize_ = kDbtBlockSize;
    char head[kDbtIVBlockSizeOffset + 2];
    const size_t needed = kind == Kind::DbtIV ? sizeof head : 4;
    if (m.fileSize_ < needed || !m.file_.readAt(0, head, needed))
      raise("reading memo file %s: the file is shorter than its header", path.c_str());
    m.nextFree_ = readLe32(head);
    if (kind == Kind::DbtIV && readLe16(head + kDbtIVBlockSizeOffset) != 0)
      m.blockSize_ = readLe16(head + kDbtIVBlockSizeOffset);
    return m;
  }
  char head[8];
  if (m.fileSize_ < kMemoHeaderSize || !m.file_.readAt(0, head, sizeof head))
    raise("reading memo file %s: the file is %llu bytes long, shorter than its header",
          path.c_str(), static_cast<unsigned long long>(m.fileSize_));
  m.nextFree_ = readBe32(head);
  m.blockSize_ = readBe16(head + 6);
  if (m.blockSize_ == 0)
    raise("reading memo file %s: block size at offset 6 is zero", path.c_str());
  // A next-free pointer behind the end of the file would make new memos leave a hole; one in
  // front of the data would overwrite memos. Trust the file size when it is larger.
  const uint32_t firstBlock = uint32_t((kMemoHeaderSize + m.blockSize_ - 1) / m.blockSize_);
  const uint64_t byFileSize = (m.fileSize_ + m.blockSize_ - 1) / m.blockSize_;
  if (m.nextFree_ < firstBlock || m.nextFree_ < byFileSize)
    m.nextFree_ = uint32_t(std::max<uint64_t>(firstBlock, byFileSize));
  return m;
}

MemoFile MemoFile::create(const std::string& path, uint32_t blockSize) {
  MemoFile m;
  m.path_ = path;
  m.kind_ = Kind::Fpt;
  m.blockSize_ = blockSize;
  m.nextFree_ = uint32_t((kMemoHeaderSize + blockSize - 1) / blockSize);
  if (!m.file_.open(path, platform::File::Mode::Create))
    raise("creating memo file %s: %s", path.c_str(), m.file_.errorText().c_str());
  std::string header(size_t(m.nextFree_) * blockSize, '\0');
  writeBe32(header.data(), m.nextFree_);
  writeBe16(header.data() + 6, uint16_t(blockSize));
  if (!m.file_.writeAt(0, header.data(), header.size()))
    raise("creating memo file %s: %s", path.c_str(), m.file_.errorText().c_str());
  m.fileSize_ = header.size();
  return m;
}

uint32_t MemoFile::blocksFor(uint64_t length) const {
  return uint32_t((kMemoBlockHeaderSize + length + blockSize_ - 1) / blockSize_);
}

bool MemoFile::readAt(uint64_t offset, char* out, size_t count) {
  if (offset > fileSize_ || count > fileSize_ - offset) return false;
  mapOnce();
  if (offset + count <= file_.viewLength()) {
    std::memcpy(out, file_.view() + offset, count);
    return true;
  }
  return file_.readAt(offset, out, count);
}

void MemoFile::mapOnce() {
  // The first read maps the file as it is; memos written later lie past the view.
  if (!mapTried_) {
    mapTried_ = true;
    // A file taken up from a closed table may come mapped as it is.
    if (file_.viewLength() != fileSize_) file_.mapView(fileSize_);  // failing: reads go to the file
  }
}

void MemoFile::prefetch(uint32_t block) const {
  const uint64_t at = uint64_t(block) * blockSize_;
  const uint64_t end = std::min<uint64_t>(at + kPrefetchSpan, file_.viewLength());
  for (uint64_t line = at; line < end; line += kCacheLine) __builtin_prefetch(file_.view() + line);
}

std::string MemoFile::read(uint32_t block, MemoReader reader) {
  const std::string_view data = view(block, reader);
  // A memo read into the buffer is handed over rather than copied.
  if (data.data() == buffer_.data()) return std::move(buffer_);
  return std::string(data);
}

std::string_view MemoFile::view(uint32_t block, MemoReader reader) {
  const uint64_t at = uint64_t(block) * blockSize_;
  // A .dbt header is block 0 whatever the block size; an .fpt header is 512 bytes.
  const uint64_t dataStart = kind_ == Kind::Fpt ? kMemoHeaderSize : blockSize_;
  if (block == 0 || at < dataStart || at >= fileSize_)
    raise("reading memo file %s for %s: block %u (offset %llu) is outside the data area",
          path_.c_str(), describe(reader).c_str(), block, static_cast<unsigned long long>(at));
  if (kind_ == Kind::Dbt) return buffer_ = readToEndMark(at, describe(reader));
  if (kind_ == Kind::DbtIV) return buffer_ = readDbtIV(block, at, reader);
  // A memo whole in the mapped view is shown in place: the usual case in a walk.
  mapOnce();
  if (at + kMemoBlockHeaderSize <= file_.viewLength()) {
    const char* head = file_.view() + at;
    const uint64_t length = readBe32(head + 4);
    if (length <= kMaxMemoLength && length <= file_.viewLength() - at - kMemoBlockHeaderSize)
      return std::string_view(head + kMemoBlockHeaderSize, size_t(length));
  }
  // One read takes the block header and, for most memos, the whole text with it; only a memo
  // longer than that first read needs a second one.
  char first[kFirstMemoRead];
  const size_t got = size_t(std::min<uint64_t>(sizeof first, fileSize_ - at));
  if (got < kMemoBlockHeaderSize || !readAt(at, first, got))
    raise("reading memo file %s for %s: block %u at offset %llu is cut off", path_.c_str(),
          describe(reader).c_str(), block, static_cast<unsigned long long>(at));
  const uint64_t length = readBe32(first + 4);
  if (length > kMaxMemoLength || at + kMemoBlockHeaderSize + length > fileSize_)
    raise(
        "reading memo file %s for %s: memo at block %u claims %llu bytes, past the end of "
        "the file",
        path_.c_str(), describe(reader).c_str(), block,
        static_cast<unsigned long long>(length));
  const size_t inFirst = std::min<size_t>(size_t(length), got - kMemoBlockHeaderSize);
  std::string& out = buffer_;
  out.assign(first + kMemoBlockHeaderSize, inFirst);
  if (inFirst < length) {
    out.resize(size_t(length));
    const uint64_t rest = at + kMemoBlockHeaderSize + inFirst;
    if (!readAt(rest, out.data() + inFirst, out.size() - inFirst))
      raise("reading memo file %s for %s: read of %llu bytes at offset %llu failed", path_.c_str(),
            describe(reader).c_str(), static_cast<unsigned long long>(length),
            static_cast<unsigned long long>(at));
  }
  return out;
}

std::string MemoFile::readToEndMark(uint64_t at, const std::string& context) {
  // The memo ends at the first 0x1A; read in chunks up to the end of the file.
  std::string out;
  uint64_t pos = at;
  while (pos < fileSize_) {
    char chunk[kDbtBlockSize];
    const size_t n = size_t(std::min<uint64_t>(sizeof chunk, fileSize_ - pos));
    if (!readAt(pos, chunk, n))
      raise("reading memo file %s for %s: read failed at offset %llu", path_.c_str(),
            context.c_str(), static_cast<unsigned long long>(pos));
    const char* end = std::find(chunk, chunk + n, kDbtEnd);
    out.append(chunk, size_t(end - chunk));
    if (end != chunk + n) return out;
    pos += n;
  }
  return out;
}

std::string MemoFile::readDbtIV(uint32_t block, uint64_t at, MemoReader reader) {
  char head[kMemoBlockHeaderSize];
  if (fileSize_ - at < sizeof head || !readAt(at, head, sizeof head))
    raise("reading memo file %s for %s: block %u at offset %llu is cut off", path_.c_str(),
          describe(reader).c_str(), block, static_cast<unsigned long long>(at));
  // Blocks written the dBASE III way (no mark) end at 0x1A, as dBASE IV itself reads them.
  if (!std::equal(head, head + 4, kDbtIVMark)) return readToEndMark(at, describe(reader));
  const uint64_t stored = readLe32(head + 4);
  if (stored < kMemoBlockHeaderSize || stored > kMaxMemoLength || stored > fileSize_ - at)
    raise(
        "reading memo file %s for %s: memo at block %u (offset %llu) claims %llu bytes with "
        "its header, %s",
        path_.c_str(), describe(reader).c_str(), block, static_cast<unsigned long long>(at),
        static_cast<unsigned long long>(stored),
        stored < kMemoBlockHeaderSize ? "fewer than the header" : "past the end of the file");
  std::string out(size_t(stored - kMemoBlockHeaderSize), '\0');
  if (!out.empty() && !readAt(at + kMemoBlockHeaderSize, out.data(), out.size()))
    raise("reading memo file %s for %s: read of %zu bytes at offset %llu failed", path_.c_str(),
          describe(reader).c_str(), out.size(),
          static_cast<unsigned long long>(at + kMemoBlockHeaderSize));
  return out;
}

uint32_t MemoFile::write(std::string_view data) {
  if (kind_ != Kind::Fpt)
    raise("writing memo file %s: only FoxPro memo files can be written", path_.c_str());
  if (data.empty()) return 0;
  if (data.size() > kMaxMemoLength)
    raise("writing memo file %s: a memo of %zu bytes is too long", path_.c_str(), data.size());
  const uint32_t needed = blocksFor(data.size());
  std::string bytes(size_t(needed) * blockSize_, '\0');
  writeBe32(bytes.data(), kMemoTypeText);
  writeBe32(bytes.data() + 4, uint32_t(data.size()));
  std::copy(data.begin(), data.end(), bytes.begin() + kMemoBlockHeaderSize);

  const uint32_t block = nextFree_;
  if (uint64_t(block) + needed > 0xFFFFFFFFull / blockSize_)
    raise("writing memo file %s: the file would grow past 4 GB", path_.c_str());
  if (!file_.writeAt(uint64_t(block) * blockSize_, bytes.data(), bytes.size()))
    raise("writing memo file %s: %s", path_.c_str(), file_.errorText().c_str());
  char next[4];
  writeBe32(next, block + needed);
  if (!file_.writeAt(0, next, 4))
    raise("writing memo file %s header: %s", path_.c_str(), file_.errorText().c_str());
  nextFree_ = block + needed;
  fileSize_ = std::max<uint64_t>(fileSize_, uint64_t(nextFree_) * blockSize_);
  return block;
}

}  // namespace savora::xbase
