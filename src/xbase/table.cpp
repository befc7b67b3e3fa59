#include "xbase/table.h"

#include <algorithm>
#include <cstring>

#include "platform/file_ops.h"
#include "platform/log.h"
#include "platform/text.h"
#include "xbase/byte_order.h"
#include "xbase/error.h"
#include "xbase/record_codec.h"

namespace savora::xbase {
namespace {

std::string baseName(std::string_view name) {
  if (platform::endsWithIgnoreCase(name, ".dbf")) name.remove_suffix(4);
  return std::string(name);
}

}  // namespace

std::unique_ptr<Table> Table::open(std::string_view name, const OpenOptions& options) {
  const std::string base = baseName(name);
  if (!options.readOnly) finishPendingRewrite(base);
  std::unique_ptr<Table> table(new Table);
  table->base_ = base;
  table->readOnly_ = options.readOnly;
  // A verifying open is the reference a check compares against: it opens its files itself.
  table->takesKeptFiles_ = !options.readOnly && !options.verifyIndex;
  if (!table->openFiles()) return nullptr;
  table->openIndex(options);
  table->top();
  return table;
}

bool Table::openFiles() {
  const std::string dbfPath = path(".dbf");
  if (takesKeptFiles_) dbf_ = takeKeptFile(dbfPath);
  if (!dbf_.isOpen() && !dbf_.open(dbfPath, readOnly_ ? platform::File::Mode::Read
                                                      : platform::File::Mode::ReadWrite)) {
    if (dbf_.notFound()) return false;
    // Tables on read-only media (a CD) still open, for reading.
    if (readOnly_ || !dbf_.open(dbfPath, platform::File::Mode::Read))
      raise("opening table %s: %s", dbfPath.c_str(), dbf_.errorText().c_str());
    readOnly_ = true;
  }
  const uint64_t size = dbf_.size();
  // One read takes the whole header of most tables.
  std::string bytes(size_t(std::min<uint64_t>(size, 1024)), '\0');
  if (size < kTableHeaderSize || !dbf_.readAt(0, bytes.data(), bytes.size()))
    raise("opening table %s: the file is %llu bytes long, shorter than a table header",
          dbfPath.c_str(), static_cast<unsigned long long>(size));
  header_ = parseTableHeader(bytes.substr(0, kTableHeaderSize), dbfPath);
  const size_t have = bytes.size();
  bytes.resize(header_.headerLength);
  if (size < header_.headerLength ||
      (bytes.size() > have && !dbf_.readAt(0, bytes.data(), bytes.size())))
    raise("opening table %s: the file is %llu bytes long and ends inside its %u-byte header",
          dbfPath.c_str(), static_cast<unsigned long long>(size), header_.headerLength);
  parseFieldDescriptors(bytes, header_, dbfPath);

  // The header count is what other programs trust, but a record torn by an interrupted
  // append must never be read, and a record written in full whose count update was lost is
  // recovered: our appends write the record and the end mark in one piece, so a whole record
  // followed by exactly the end mark was completely written.
  const uint64_t whole = (size - header_.headerLength) / header_.recordLength;
  count_ = header_.recordCount;
  if (count_ > whole) {
    indexNote_ = platform::formatText("header counts %u records but only %llu are complete", count_,
                                      static_cast<unsigned long long>(whole));
    count_ = uint32_t(whole);
    recovered_ = true;
  } else if (count_ < whole && whole <= 0xFFFFFFFFull) {
    const uint64_t end = header_.headerLength + whole * header_.recordLength;
    char mark = 0;
    bool complete = size == end + 1 && dbf_.readAt(end, &mark, 1) && mark == kEndOfFile;
    for (uint64_t r = count_ + 1; complete && r <= whole; ++r) {
      char flag = 0;
      complete = dbf_.readAt(header_.headerLength + (r - 1) * header_.recordLength, &flag, 1) &&
                 (flag == kLiveFlag || flag == kDeletedFlag);
    }
    if (complete) {
      count_ = uint32_t(whole);
      recovered_ = true;
    }
  }
  // The header as the table shows it counts the recovered records too, read-only or not.
  header_.recordCount = count_;
  if (recovered_ && !readOnly_) writeCount();

  if (header_.hasMemoFields()) {
    const MemoFile::Kind kind = header_.version == kVersionDbtMemo     ? MemoFile::Kind::Dbt
                                : header_.version == kVersionDbtIVMemo ? MemoFile::Kind::DbtIV
                                                                       : MemoFile::Kind::Fpt;
    const std::string memoPath = path(kind == MemoFile::Kind::Fpt ? ".fpt" : ".dbt");
    try {
      memo_ = MemoFile::open(memoPath, kind, !readOnly_,
                             takesKeptFiles_ ? takeKeptFile(memoPath) : platform::File());
    } catch (const Error&) {
      if (!platform::fileExists(memoPath))
        raise("opening table %s: it has memo fields but its memo file %s is missing",
              dbfPath.c_str(), memoPath.c_str());
      throw;
    }
  }
  return true;
}

std::unique_ptr<Table> Table::create(std::string_view name, const std::vector<FieldSpec>& fields,
                                     const std::vector<TagSpec>& tags) {
  const std::string base = baseName(name);
  std::vector<FieldDescriptor> descriptors;
  for (const FieldSpec& spec : fields) {
    FieldDescriptor f;
    f.name = spec.name;
    f.type = spec.type;
    f.width = spec.width;
    f.decimals = spec.decimals;
    descriptors.push_back(f);
  }
  DbfHeader header = makeDbfHeader(descriptors, !tags.empty());
  // Check the tags before anything is written.
  Table probe;
  probe.header_ = header;
  const std::vector<TagInfo> definitions = probe.tagDefinitions(tags);

  platform::File file;
  const std::string dbfPath = base + ".dbf";
  std::string bytes = serializeDbfHeader(header);
  bytes += kEndOfFile;
  if (!file.open(dbfPath, platform::File::Mode::Create) || !file.write(bytes))
    raise("creating table %s: %s", dbfPath.c_str(), file.errorText().c_str());
  file.close();
  if (header.hasMemoFields()) MemoFile::create(base + ".fpt");
  if (!definitions.empty()) {
    std::vector<CdxFile::TagBuild> builds;
    for (const TagInfo& info : definitions) builds.push_back(CdxFile::TagBuild{info, {}});
    const std::string image = CdxFile::buildImage(builds);
    if (!file.open(base + ".cdx", platform::File::Mode::Create) || !file.write(image))
      raise("creating index %s.cdx: %s", base.c_str(), file.errorText().c_str());
    file.close();
  } else if (platform::fileExists(base + ".cdx") && !platform::deleteFile(base + ".cdx")) {
    raise("creating table %s: cannot delete the old index %s.cdx", dbfPath.c_str(), base.c_str());
  }
  OpenOptions options;
  options.tags = tags;
  std::unique_ptr<Table> table = open(base, options);
  if (!table) raise("creating table %s: it cannot be opened after writing", dbfPath.c_str());
  return table;
}

Table::~Table() {
  try {
    close();
  } catch (const Error& error) {
    // A destructor cannot report; callers who care call close() themselves.
    platform::logFailure(error.what());
  }
}

void Table::close() {
  if (!dbf_.isOpen()) return;
  std::optional<Error> error;
  try {
    flush();
    if (cdx_ && !readOnly_ && !failed_) cdx_->setUpdateMark(false);
  } catch (const Error& e) {
    error = e;
  }
  keepOrCloseFiles(!error);
  if (error) throw *error;
}

void Table::requireWritable(const char* action) const {
  if (!dbf_.isOpen()) raise("%s in table %s: the table is closed", action, base_.c_str());
  if (readOnly_) raise("%s in table %s: the table is open read-only", action, base_.c_str());
  if (failed_)
    raise("%s in table %s: an earlier write failed; reopen the table to go on", action,
          base_.c_str());
  if (!unusable_.empty())
    raise("%s in table %s: tag %s could not be kept up to date (%s)", action, base_.c_str(),
          unusable_.front().info->name.c_str(), unusable_.front().problem.c_str());
}

void Table::readRecord(uint32_t record, std::string& out) {
  const size_t length = header_.recordLength;
  const uint64_t offset = header_.headerLength + uint64_t(record - 1) * length;
  // A table read more than once (a walk, seeks) reads through a view of its file: no system call
  // per record. The table's first read (opening it) goes to the file: opening to append one
  // record maps nothing. Records appended since the view was made are read from the file until
  // they are a good part of it: mapping again after every append (an import reads the record it
  // just wrote) costs far more than the reads.
  const bool readBefore = lastRead_ != 0;
  lastRead_ = record;
  if (readBefore && offset + length > dbf_.viewLength() && !dbf_.viewFailed()) {
    const uint64_t size = header_.headerLength + uint64_t(count_) * length;
    if (dbf_.viewLength() == 0 || dbf_.viewOutgrown(size)) dbf_.mapView(dbf_.size());
  }
  if (offset + length <= dbf_.viewLength()) {
    out.assign(dbf_.view() + offset, length);
    return;
  }
  readRecordFromFile(record, out);
}

void Table::readRecordFromFile(uint32_t record, std::string& out) {
  const uint64_t offset = header_.headerLength + uint64_t(record - 1) * header_.recordLength;
  out.resize(header_.recordLength);
  if (!dbf_.readAt(offset, out.data(), out.size()))
    raise("reading table %s: record %u at offset %llu cannot be read", path(".dbf").c_str(), record,
          static_cast<unsigned long long>(offset));
}

void Table::load(uint32_t record) {
  readRecord(record, original_);
  record_ = original_;
  recno_ = record;
  eof_ = false;
  bof_ = false;
  changed_ = false;
  appending_ = false;
  pendingMemos_.clear();
}

void Table::setEof() {
  eof_ = true;
  recno_ = count_ + 1;
  record_.assign(header_.recordLength, ' ');
  original_ = record_;
  changed_ = false;
  appending_ = false;
  pendingMemos_.clear();
  cursor_.reset();
}

uint32_t Table::recordHash(std::string_view bytes) {
  uint32_t hash = 2166136261u;  // FNV-1a
  for (char c : bytes) hash = (hash ^ uint8_t(c)) * 16777619u;
  return hash;
}

uint32_t Table::lastRecordHash() {
  if (!lastHash_) {
    std::string record;
    if (count_ > 0) readRecordFromFile(count_, record);  // not a read that maps the file
    lastHash_ = recordHash(record);
  }
  return *lastHash_;
}

void Table::writeRecord(uint32_t record, const std::string& bytes, bool withEndMark) {
  if (record >= count_) lastHash_ = recordHash(bytes);
  const uint64_t offset = header_.headerLength + uint64_t(record - 1) * header_.recordLength;
  bool ok;
  if (withEndMark) {
    std::string out = bytes;
    out += kEndOfFile;
    ok = dbf_.writeAt(offset, out.data(), out.size());
  } else {
    ok = dbf_.writeAt(offset, bytes.data(), bytes.size());
  }
  if (!ok) {
    failed_ = true;
    raise("writing table %s: record %u at offset %llu: %s", path(".dbf").c_str(), record,
          static_cast<unsigned long long>(offset), dbf_.errorText().c_str());
  }
}

void Table::writeCount() {
  stampToday(header_);
  header_.recordCount = count_;
  const std::string bytes = serializeDateAndCount(header_);
  if (!dbf_.writeAt(1, bytes.data(), bytes.size())) {
    failed_ = true;
    raise("writing table %s: record count: %s", path(".dbf").c_str(), dbf_.errorText().c_str());
  }
}

// ---------------------------------------------------------------- positioning

bool Table::go(uint32_t record) {
  flush();
  cursor_.reset();
  if (record < 1 || record > count_) {
    setEof();
    return false;
  }
  load(record);
  return true;
}

bool Table::top() {
  flush();
  bof_ = false;
  if (Tag* tag = selected()) {
    CdxTree tree(*cdx_, *tag->info);
    return loadPosition(tag->info->descending ? tree.last() : tree.first());
  }
  return go(1);
}

bool Table::bottom() {
  flush();
  bof_ = false;
  if (Tag* tag = selected()) {
    CdxTree tree(*cdx_, *tag->info);
    return loadPosition(tag->info->descending ? tree.first() : tree.last());
  }
  return go(count_);
}

bool Table::skip(int64_t count) {
  flush();
  const bool forward = count >= 0;
  if (count == 0) return !eof_;
  for (int64_t i = 0; i < (forward ? count : -count); ++i)
    if (!skipOne(forward)) return false;
  return true;
}

const std::string& Table::selectedTag() const {
  static const std::string kNone;
  return selectedTag_ < 0 ? kNone : tags_[size_t(selectedTag_)].info->name;
}

bool Table::selectTag(std::string_view tag) {
  if (tag.empty()) {
    selectedTag_ = -1;
    cursor_.reset();
    return true;
  }
  for (size_t i = 0; i < tags_.size(); ++i) {
    if (platform::equalsIgnoreCase(tags_[i].info->name, tag)) {
      flush();
      selectedTag_ = int(i);
      cursor_.reset();
      return true;
    }
  }
  return false;
}

// ---------------------------------------------------------------- fields

const FieldDescriptor& Table::fieldAt(int index) const {
  if (index < 0 || size_t(index) >= header_.fields.size())
    raise("reading table %s: there is no field number %d (a field name not found?)", base_.c_str(),
          index);
  return header_.fields[size_t(index)];
}

std::string Table::field(int index) const {
  return std::string(fieldView(index));
}

std::string_view Table::fieldView(int index) const {
  const FieldDescriptor& f = fieldAt(index);
  return std::string_view(record_).substr(f.offset, f.width);
}

std::string_view Table::valueBytes(const FieldDescriptor& f) const {
  const FieldBytes value = fieldBytes(f, record_);
  if (value.badLength)
    raise(
        "reading table %s: record %u field %s: the length byte at offset %u of the record is "
        "%u, more than the field holds",
        path(".dbf").c_str(), recno_, f.name.c_str(), f.offset + f.width - 1,
        unsigned(byteAt(&record_[f.offset + f.width - 1])));
  return value.bytes;
}

std::string Table::text(int index) const {
  const FieldDescriptor& f = fieldAt(index);
  return displayText(f, valueBytes(f));
}

double Table::number(int index) const {
  const FieldDescriptor& f = fieldAt(index);
  // A plain number field (no null or length flag) is read in place.
  if (f.type == 'N' && f.nullBit < 0 && f.lengthBit < 0)
    return numericValue(f, std::string_view(record_).substr(f.offset, f.width));
  return numericValue(f, valueBytes(f));
}

bool Table::isNull(int index) const {
  return fieldBytes(fieldAt(index), record_).null;
}

std::string& Table::buffer(int index, const char* action) {
  requireWritable(action);
  if (index < 0 || size_t(index) >= header_.fields.size())
    raise("%s in table %s: there is no field %d", action, base_.c_str(), index);
  if (eof_ && !appending_)
    raise("%s in table %s: not positioned on a record", action, base_.c_str());
  return record_;
}

void Table::setText(int index, std::string_view value) {
  std::string& rec = buffer(index, "setting a field");
  const FieldDescriptor& f = header_.fields[size_t(index)];
  std::string bytes;
  switch (f.type) {
    case 'N':
    case 'F': {
      if (platform::trim(value).empty()) {
        bytes.assign(f.width, ' ');
        break;
      }
      const auto number = parseNumber(value);
      if (!number)
        raise("setting field %s of table %s: \"%s\" is not a number", f.name.c_str(), base_.c_str(),
              std::string(value).c_str());
      setNumber(index, *number);
      return;
    }
    case 'D':
      if (!platform::trim(value).empty() && !julianDayOfDate(value))
        raise("setting field %s of table %s: \"%s\" is not a YYYYMMDD date", f.name.c_str(),
              base_.c_str(), std::string(value).c_str());
      bytes = padText(value, 8);
      break;
    case 'L':
      bytes = value.empty() ? " " : (std::strchr("TtYy", value[0]) ? "T" : "F");
      break;
    case 'C':
      bytes = padText(value, f.width);
      break;
    default:
      raise("setting field %s of table %s: fields of type %c are set with setMemo or not at all",
            f.name.c_str(), base_.c_str(), f.type);
  }
  rec.replace(f.offset, f.width, bytes);
  markDirty();
}

void Table::setNumber(int index, double value) {
  std::string& rec = buffer(index, "setting a field");
  const FieldDescriptor& f = header_.fields[size_t(index)];
  if (f.type != 'N' && f.type != 'F')
    raise("setting field %s of table %s: it is not numeric", f.name.c_str(), base_.c_str());
  const std::string bytes = formatNumber(value, f.width, f.decimals);
  if (bytes.find('*') != std::string::npos)
    raise("setting field %s of table %s: %g does not fit width %u with %u decimals", f.name.c_str(),
          base_.c_str(), value, f.width, f.decimals);
  rec.replace(f.offset, f.width, bytes);
  markDirty();
}

namespace {

// True for the pointer parseMemoPointer() reads as block 0: zero in binary, else only blanks
// and NULs, the only bytes with no bit set but 0x20 (tested eight at a time).
bool isEmptyMemoPointer(std::string_view raw) {
  if (raw.size() == 4) return readLe32(raw.data()) == 0;
  constexpr uint64_t kNotBlank = ~0x2020202020202020ull;
  size_t i = 0;
  for (; i + 8 <= raw.size(); i += 8) {
    uint64_t word;
    std::memcpy(&word, raw.data() + i, 8);
    if (word & kNotBlank) return false;
  }
  for (; i < raw.size(); ++i)
    if (uint8_t(raw[i]) & ~0x20u) return false;
  return true;
}

}  // namespace

std::string Table::memo(int index) {
  const FieldDescriptor& f = fieldAt(index);
  if (!f.isMemo()) return text(index);
  if (const uint32_t block = memoBlock(index)) return memo_->read(block, {recno_, f.name});
  if (auto it = pendingMemos_.find(index); it != pendingMemos_.end()) return it->second;
  return "";
}

std::string_view Table::memoView(int index) {
  const FieldDescriptor& f = fieldAt(index);
  if (!f.isMemo()) return memoText_ = text(index);
  if (const uint32_t block = memoBlock(index)) return memo_->view(block, {recno_, f.name});
  if (pendingMemos_.empty()) return {};
  if (auto it = pendingMemos_.find(index); it != pendingMemos_.end()) return it->second;
  return {};
}

void Table::prefetchMemo(int index) const {
  if (index < 0 || size_t(index) >= header_.fields.size() || !memo_) return;
  const FieldDescriptor& f = header_.fields[size_t(index)];
  if (!f.isMemo() || f.nullBit >= 0 || (eof_ && !appending_)) return;
  const std::optional<uint32_t> block =
      parseMemoPointer(std::string_view(record_).substr(f.offset, f.width));
  if (block && *block != 0) memo_->prefetch(*block);
}

uint32_t Table::memoBlock(int index) const {
  const FieldDescriptor& f = header_.fields[size_t(index)];
  if (!pendingMemos_.empty() && pendingMemos_.count(index) != 0) return 0;
  if ((eof_ && !appending_) || !memo_) return 0;
  // A walk asks for dozens of memo fields per record, most of them empty: an empty pointer of a
  // field without a null flag is recognised in place.
  if (f.nullBit < 0 && isEmptyMemoPointer(std::string_view(record_).substr(f.offset, f.width)))
    return 0;
  const FieldBytes value = fieldBytes(f, record_);
  if (value.null) return 0;
  const auto block = parseMemoPointer(value.bytes);
  if (!block)
    raise("reading table %s: record %u field %s holds \"%s\", not a memo block number",
          path(".dbf").c_str(), recno_, f.name.c_str(), std::string(value.bytes).c_str());
  return *block;
}

void Table::setMemo(int index, std::string_view value) {
  buffer(index, "setting a memo");
  const FieldDescriptor& f = header_.fields[size_t(index)];
  if (!f.isMemo())
    raise("setting memo %s of table %s: the field is not a memo field", f.name.c_str(),
          base_.c_str());
  pendingMemos_[index] = std::string(value);
  markDirty();
}

void Table::storePendingMemos() {
  for (const auto& [index, text] : pendingMemos_) {
    const FieldDescriptor& f = header_.fields[size_t(index)];
    uint32_t block = 0;
    try {
      block = memo_->write(text);
    } catch (const Error&) {
      failed_ = true;
      throw;
    }
    record_.replace(f.offset, f.width, formatMemoPointer(block, f.width));
  }
  pendingMemos_.clear();
}

// ---------------------------------------------------------------- records

void Table::appendStart() {
  requireWritable("starting an append");
  flush();
  record_.assign(header_.recordLength, ' ');
  // Binary fields of the later variant are blank when zero.
  for (const FieldDescriptor& f : header_.fields)
    if ((f.width == 4 && f.isMemo()) || f.type == 'I' || f.type == 'B' || f.type == 'Y' ||
        f.type == 'T' || f.type == kNullFlagsType)
      record_.replace(f.offset, f.width, std::string(f.width, '\0'));
  appending_ = true;
  changed_ = false;
  pendingMemos_.clear();
}

void Table::blank() {
  requireWritable("blanking a record");
  if (eof_ && !appending_)
    raise("blanking a record in table %s: not positioned on a record", base_.c_str());
  const char flag = record_[0];
  record_.assign(header_.recordLength, ' ');
  record_[0] = flag;
  pendingMemos_.clear();
  markDirty();
}

void Table::append() {
  requireWritable("appending a record");
  if (!appending_) raise("appending to table %s: appendStart() was not called", base_.c_str());
  if (count_ == 0xFFFFFFFFu ||
      header_.headerLength + uint64_t(count_ + 1) * header_.recordLength > 0x7FFFFFFFull)
    raise("appending to table %s: the table is full (2 GB)", base_.c_str());
  // Order for interruption safety: index mark, memos, record with the end mark, count, index
  // entries, mark cleared. A record without its count is recovered or ignored on open (see
  // openFiles), and any stop before the mark is cleared rebuilds the index there.
  UpdateScope scope(*this);
  if (!pendingMemos_.empty()) storePendingMemos();
  const uint32_t record = count_ + 1;
  writeRecord(record, record_, true);
  count_ = record;
  writeCount();
  updateIndexes(nullptr, record_, record);
  scope.done();
  original_ = record_;
  recno_ = record;
  eof_ = bof_ = false;
  appending_ = false;
  changed_ = false;
  cursor_.reset();
}

void Table::flush() {
  if (!changed_ || appending_) return;
  requireWritable("writing a changed record");
  UpdateScope scope(*this);
  if (!pendingMemos_.empty()) storePendingMemos();
  writeRecord(recno_, record_, false);
  updateIndexes(&original_, record_, recno_);
  scope.done();
  original_ = record_;
  changed_ = false;
}

void Table::deleteRecord() {
  requireWritable("deleting a record");
  if (eof_ || appending_) raise("deleting in table %s: not positioned on a record", base_.c_str());
  record_[0] = kDeletedFlag;
  changed_ = true;
  flush();
}

void Table::recall() {
  requireWritable("recalling a record");
  if (eof_ || appending_) raise("recalling in table %s: not positioned on a record", base_.c_str());
  record_[0] = kLiveFlag;
  changed_ = true;
  flush();
}

bool Table::deleted() const {
  return !record_.empty() && record_[0] == kDeletedFlag;
}

std::vector<TagSpec> Table::tags() const {
  std::vector<TagSpec> out;
  if (!cdx_) return out;
  for (const TagInfo& info : cdx_->tags())
    out.push_back(
        TagSpec{info.name, info.keyExpression, info.forExpression, info.descending, info.unique()});
  return out;
}

}  // namespace savora::xbase
