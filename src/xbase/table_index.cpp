// The table's side of its structural index: opening and checking it, rebuilding it from the
// data, keeping every tag current on each record change, and moving in tag order.
#include <algorithm>
#include <optional>
#include <utility>

#include "platform/file_ops.h"
#include "platform/text.h"
#include "xbase/error.h"
#include "xbase/record_codec.h"
#include "xbase/table.h"

namespace savora::xbase {
namespace {

// Records read per chunk while scanning a whole table.
constexpr size_t kScanChunkBytes = 256 * 1024;
constexpr const char* kIndexMismatch = "the index does not match the data";

}  // namespace

Table::UpdateScope::UpdateScope(Table& table) : table_(table) {
  if (!table_.cdx_ || table_.tags_.empty()) return;
  try {
    table_.cdx_->setUpdateMark(true);
  } catch (const Error&) {
    table_.failed_ = true;
    throw;
  }
}

void Table::UpdateScope::done() {
  if (!table_.cdx_ || table_.tags_.empty()) return;
  try {
    table_.cdx_->finishUpdate(table_.cdx_->stampFor(table_.count_, table_.lastRecordHash()));
  } catch (const Error&) {
    table_.failed_ = true;
    throw;
  }
}

std::vector<TagInfo> Table::tagDefinitions(const std::vector<TagSpec>& specs) const {
  std::vector<TagInfo> out;
  for (const TagSpec& spec : specs) {
    TagInfo info;
    info.name = platform::toUpper(platform::trim(spec.name));
    if (info.name.empty() || info.name.size() > kMaxTagNameLength)
      raise("defining tag \"%s\": names have 1-10 characters", spec.name.c_str());
    const Expression key = Expression::parse(spec.expression, header_.fields);
    const KeyFormat format = keyFormatFor(key);
    if (!platform::trim(spec.filter).empty()) {
      const Expression filter = Expression::parse(spec.filter, header_.fields);
      if (filter.kind() != Value::Kind::Logical)
        raise("defining tag %s: filter \"%s\" is not a condition", info.name.c_str(),
              spec.filter.c_str());
      info.forExpression = filter.text();
    }
    info.keyExpression = key.text();
    info.keyLength = format.length;
    info.fill = format.fill();
    info.descending = spec.descending;
    if (spec.unique) info.options |= kOptionUnique;
    out.push_back(info);
  }
  return out;
}

void Table::attachTags() {
  tags_.clear();
  unusable_.clear();
  selectedTag_ = -1;
  cursor_.reset();
  if (!cdx_) return;
  for (TagInfo& info : cdx_->tags()) {
    Tag tag;
    tag.info = &info;
    // Expressions this library cannot evaluate leave the tag out; the others stay usable.
    try {
      tag.key = Expression::parse(info.keyExpression, header_.fields);
      tag.format = keyFormatFor(tag.key);
      if (!info.forExpression.empty()) {
        tag.filter = Expression::parse(info.forExpression, header_.fields);
        if (tag.filter->kind() != Value::Kind::Logical)
          raise("the filter \"%s\" is not a condition", info.forExpression.c_str());
      }
    } catch (const Error& e) {
      unusable_.push_back(UnusableTag{&info, e.what()});
      continue;
    }
    if (tag.format.type == KeyFormat::Type::Character) {
      tag.format.length = info.keyLength;  // TRIM() and the like: the file says how long
    } else if (tag.format.length != info.keyLength) {
      raise("opening index %s: tag %s has %u-byte keys, but \"%s\" makes %u-byte keys",
            cdx_->path().c_str(), info.name.c_str(), info.keyLength, info.keyExpression.c_str(),
            tag.format.length);
    }
    info.fill = tag.format.fill();
    tags_.push_back(std::move(tag));
  }
}

void Table::openIndex(const OpenOptions& options) {
  const std::string cdxPath = path(".cdx");
  std::vector<TagInfo> definitions = tagDefinitions(options.tags);
  std::string problem;
  // Opened before anything else is asked of the file: a missing one shows as a failed open.
  std::optional<Error> openError;
  try {
    cdx_ = CdxFile::open(cdxPath, !readOnly_,
                         takesKeptFiles_ ? takeKeptFile(cdxPath) : platform::File());
  } catch (const Error& e) {
    openError = e;
  }
  if (openError && !platform::fileExists(cdxPath)) {
    if (definitions.empty()) {
      if (header_.flags & kFlagStructuralIndex) indexNote_ = "the index file is missing";
      return;
    }
    problem = "the index file was missing";
  } else {
    try {
      if (openError) throw *openError;
      attachTags();
      const TagInfo* missing = nullptr;  // a tag the program defines that the file lacks
      for (const TagInfo& info : definitions)
        if (!missing && !cdx_->findTag(info.name)) missing = &info;
      if (!unusable_.empty() && !definitions.empty() && !readOnly_) {
        // A table whose tags the program defines gets them back.
        problem = "tag " + unusable_.front().info->name + " cannot be used (" +
                  unusable_.front().problem + ")";
      } else if (missing && unusable_.empty() && !readOnly_) {
        // A damaged directory can lose tags; the file's others stay.
        problem = "tag " + missing->name + " is missing";
        std::vector<TagInfo> kept;
        for (const Tag& tag : tags_) kept.push_back(*tag.info);
        for (const TagInfo& info : definitions)
          if (!cdx_->findTag(info.name)) kept.push_back(info);
        definitions = std::move(kept);
      } else {
        // Our own definitions win only when the file cannot tell its own; a rebuild would
        // lose the tags that cannot be evaluated, so there is none then.
        definitions.clear();
        if (unusable_.empty())
          for (const Tag& tag : tags_) definitions.push_back(*tag.info);
      }
      if (!problem.empty()) {
        // rebuilt below
      } else if (cdx_->tags().empty() && (header_.flags & kFlagStructuralIndex)) {
        problem = "the index holds no tags";
      } else if (cdx_->updateMarked()) {
        problem = "an update of the index was interrupted";
      } else if (recovered_) {
        problem = "records were recovered past the header count";
      } else if ((!indexStampHolds() && !quickIndexCheck()) ||
                 (options.verifyIndex && !compareTags().empty())) {
        problem = kIndexMismatch;
      }
    } catch (const Error& e) {
      problem = std::string("the index is damaged (") + e.what() + ")";
      tags_.clear();
      unusable_.clear();
      cdx_.reset();
    }
  }
  if (problem.empty()) return;
  if (definitions.empty() || readOnly_) {
    if (!options.tolerateBadIndex)
      raise(
          "opening table %s: %s and %s", path(".dbf").c_str(), problem.c_str(),
          readOnly_ ? "the table is open read-only" : "no tag definitions are known to rebuild it");
    if (problem == kIndexMismatch && readOnly_) {
      // Readable, only behind the data: an inspection compares or lists the tags as they are.
      indexNote_ = problem + "; the tags are open as the index file has them";
      return;
    }
    indexNote_ = problem + "; the table is open without tags";
    tags_.clear();
    unusable_.clear();
    cdx_.reset();
    return;
  }
  indexNote_ = problem + "; rebuilt from the data";
  tags_.clear();
  unusable_.clear();
  cdx_.reset();
  writeIndex(definitions);
}

bool Table::passes(const Tag& tag, const std::string& record, uint32_t recordNumber) const {
  return !tag.filter || tag.filter->evaluate(record, recordNumber).logical;
}

std::string Table::keyOf(const Tag& tag, const std::string& record, uint32_t recordNumber) const {
  return makeKey(tag.key.evaluate(record, recordNumber), tag.format);
}

bool Table::indexStampHolds() {
  const std::optional<CdxFile::Stamp>& stamp = cdx_->stamp();
  if (!stamp || stamp->records != count_) return false;
  lastHash_.reset();
  if (!(*stamp == cdx_->stampFor(count_, lastRecordHash()))) return false;
  // A damaged root shows now rather than at the first seek (throws Error).
  for (const Tag& tag : tags_) cdx_->readPage(tag.info->root, tag.info->keyLength, tag.info->fill);
  return true;
}

bool Table::quickIndexCheck() {
  try {
    std::string record;
    for (Tag& tag : tags_) {
      CdxTree tree(*cdx_, *tag.info);
      for (const CdxTree::Position& pos : {tree.first(), tree.last()}) {
        if (!pos.valid) continue;
        const PageEntry& e = pos.entry();
        if (e.record < 1 || e.record > count_) return false;
        readRecord(e.record, record);
        if (!passes(tag, record, e.record) || keyOf(tag, record, e.record) != e.key) return false;
      }
      if (count_ == 0) continue;
      readRecord(count_, record);
      if (!passes(tag, record, count_)) continue;
      const std::string key = keyOf(tag, record, count_);
      if (tag.info->unique()) {
        if (!tree.containsKey(key)) return false;
      } else {
        const CdxTree::Position pos = tree.lowerBound(key, count_);
        if (!pos.valid || pos.entry().key != key || pos.entry().record != count_) return false;
      }
    }
  } catch (const Error&) {
    return false;
  }
  return true;
}

std::vector<CdxFile::TagBuild> Table::buildEntries(const std::vector<TagInfo>& definitions) {
  std::vector<CdxFile::TagBuild> builds;
  std::vector<Tag> evaluators;
  for (const TagInfo& info : definitions) {
    builds.push_back(CdxFile::TagBuild{info, {}});
    Tag tag;
    tag.key = Expression::parse(info.keyExpression, header_.fields);
    tag.format = keyFormatFor(tag.key);
    if (tag.format.type == KeyFormat::Type::Character) tag.format.length = info.keyLength;
    if (!info.forExpression.empty())
      tag.filter = Expression::parse(info.forExpression, header_.fields);
    builds.back().info.fill = tag.format.fill();
    evaluators.push_back(std::move(tag));
  }
  const size_t perChunk = std::max<size_t>(1, kScanChunkBytes / header_.recordLength);
  std::string chunk;
  for (uint32_t first = 1; first <= count_; first += uint32_t(perChunk)) {
    const uint32_t n = uint32_t(std::min<uint64_t>(perChunk, uint64_t(count_) - first + 1));
    chunk.resize(size_t(n) * header_.recordLength);
    const uint64_t offset = header_.headerLength + uint64_t(first - 1) * header_.recordLength;
    if (!dbf_.readAt(offset, chunk.data(), chunk.size()))
      raise("reading table %s: records %u-%u at offset %llu cannot be read", path(".dbf").c_str(),
            first, first + n - 1, static_cast<unsigned long long>(offset));
    std::string record;
    for (uint32_t i = 0; i < n; ++i) {
      record.assign(chunk, size_t(i) * header_.recordLength, header_.recordLength);
      for (size_t t = 0; t < builds.size(); ++t) {
        if (!passes(evaluators[t], record, first + i)) continue;
        builds[t].entries.push_back(
            PageEntry{keyOf(evaluators[t], record, first + i), first + i, 0});
      }
    }
  }
  for (CdxFile::TagBuild& build : builds) {
    std::sort(build.entries.begin(), build.entries.end(),
              [](const PageEntry& a, const PageEntry& b) {
                return compareEntry(a.key, a.record, b.key, b.record) < 0;
              });
    if (build.info.unique()) {
      // The first record of each key stays.
      build.entries.erase(
          std::unique(build.entries.begin(), build.entries.end(),
                      [](const PageEntry& a, const PageEntry& b) { return a.key == b.key; }),
          build.entries.end());
    }
  }
  return builds;
}

void Table::writeIndex(const std::vector<TagInfo>& definitions) {
  const std::string cdxPath = path(".cdx");
  const std::string image = CdxFile::buildImage(buildEntries(definitions));
  // Build beside the old file and move it over, so an interruption leaves the old one.
  const std::string temporary = path(".cd$");
  platform::File file;
  if (!file.open(temporary, platform::File::Mode::Create) || !file.write(image)) {
    failed_ = true;
    raise("rebuilding index %s: %s", temporary.c_str(), file.errorText().c_str());
  }
  file.close();
  if (cdx_) cdx_->close();
  cdx_.reset();
  tags_.clear();
  unusable_.clear();
  if (!platform::moveFile(temporary, cdxPath)) {
    failed_ = true;
    raise("rebuilding index %s: cannot replace it with %s", cdxPath.c_str(), temporary.c_str());
  }
  if (!(header_.flags & kFlagStructuralIndex)) {
    header_.flags |= kFlagStructuralIndex;
    const char flags = char(header_.flags);
    if (!dbf_.writeAt(28, &flags, 1)) {
      failed_ = true;
      raise("writing table %s: flags: %s", path(".dbf").c_str(), dbf_.errorText().c_str());
    }
  }
  cdx_ = CdxFile::open(cdxPath, !readOnly_);
  attachTags();
  ++indexVersion_;
  if (!tags_.empty()) {
    try {
      cdx_->finishUpdate(cdx_->stampFor(count_, lastRecordHash()));
    } catch (const Error&) {
      failed_ = true;
      throw;
    }
  }
}

void Table::reindex() {
  requireWritable("rebuilding the index");
  flush();
  if (!cdx_) return;
  const std::string selected = selectedTag();
  std::vector<TagInfo> definitions;
  for (const Tag& tag : tags_) definitions.push_back(*tag.info);
  writeIndex(definitions);
  selectTag(selected);
}

const std::string* Table::unusableTag(std::string_view name) const {
  for (const UnusableTag& tag : unusable_)
    if (platform::equalsIgnoreCase(tag.info->name, name)) return &tag.problem;
  return nullptr;
}

std::string Table::tagProblem(std::string_view name) const {
  const std::string* problem = unusableTag(name);
  return problem ? *problem : std::string();
}

std::vector<PageEntry> Table::tagEntries(std::string_view name) {
  std::vector<PageEntry> out;
  for (Tag& tag : tags_) {
    if (!platform::equalsIgnoreCase(tag.info->name, name)) continue;
    flush();
    CdxTree(*cdx_, *tag.info).forEach([&](const PageEntry& e) { out.push_back(e); });
    if (tag.info->descending) std::reverse(out.begin(), out.end());
    return out;
  }
  if (const std::string* problem = unusableTag(name))
    raise("listing tag %s of table %s: it cannot be used: %s", std::string(name).c_str(),
          base_.c_str(), problem->c_str());
  raise("listing tag %s of table %s: there is no such tag", std::string(name).c_str(),
        base_.c_str());
}

KeyFormat Table::tagKeyFormat(std::string_view name) const {
  for (const Tag& tag : tags_)
    if (platform::equalsIgnoreCase(tag.info->name, name)) return tag.format;
  if (const std::string* problem = unusableTag(name))
    raise("table %s: tag %s cannot be used: %s", base_.c_str(), std::string(name).c_str(),
          problem->c_str());
  raise("table %s has no tag %s", base_.c_str(), std::string(name).c_str());
}

void Table::updateIndexes(const std::string* before, const std::string& after, uint32_t record) {
  if (tags_.empty()) return;
  bool inconsistent = false;
  try {
    for (Tag& tag : tags_) {
      const bool wasIn = before && passes(tag, *before, record);
      const bool isIn = passes(tag, after, record);
      const std::string oldKey = wasIn ? keyOf(tag, *before, record) : std::string();
      const std::string newKey = isIn ? keyOf(tag, after, record) : std::string();
      if (wasIn && isIn && oldKey == newKey) continue;
      CdxTree tree(*cdx_, *tag.info);
      ++indexVersion_;
      if (wasIn) {
        const bool removed = tree.remove(oldKey, record);
        if (tag.info->unique()) {
          if (removed) refillUnique(tag, oldKey, record);
        } else if (!removed) {
          inconsistent = true;
        }
      }
      if (isIn && !(tag.info->unique() && tree.containsKey(newKey))) tree.insert(newKey, record);
    }
  } catch (const Error&) {
    failed_ = true;
    throw;
  }
  // An entry that should have been there was not: the index was wrong before this change.
  if (inconsistent) {
    const std::string selected = selectedTag();
    std::vector<TagInfo> definitions;
    for (const Tag& tag : tags_) definitions.push_back(*tag.info);
    writeIndex(definitions);
    selectTag(selected);
  }
}

void Table::refillUnique(Tag& tag, const std::string& key, uint32_t skipRecord) {
  // The record that held this key no longer does; the first other record with the same key
  // (if any) takes its place, as a rebuild would have it.
  std::string record;
  for (uint32_t r = 1; r <= count_; ++r) {
    if (r == skipRecord) continue;
    readRecord(r, record);
    if (passes(tag, record, r) && keyOf(tag, record, r) == key) {
      CdxTree(*cdx_, *tag.info).insert(key, r);
      return;
    }
  }
}

// ---------------------------------------------------------------- tag order

bool Table::loadPosition(const CdxTree::Position& pos) {
  if (!pos.valid) {
    setEof();
    return false;
  }
  const uint32_t record = pos.entry().record;
  if (record < 1 || record > count_)
    raise("reading index %s: an entry points at record %u of %u; the index needs a rebuild",
          cdx_->path().c_str(), record, count_);
  load(record);
  if (!cursor_ || &*cursor_ != &pos) cursor_ = pos;
  cursorVersion_ = indexVersion_;
  return true;
}

bool Table::loadPosition(CdxTree::Position&& pos) {
  if (!pos.valid || (cursor_ && &*cursor_ == &pos)) return loadPosition(std::as_const(pos));
  // The cursor takes the position's leaf instead of a copy of it.
  cursor_ = std::move(pos);
  return loadPosition(std::as_const(*cursor_));
}

CdxTree::Position Table::locate(bool& exact) {
  Tag& tag = *selected();
  if (cursor_ && cursorVersion_ == indexVersion_ && cursor_->valid &&
      cursor_->entry().record == recno_) {
    exact = true;
    return *cursor_;
  }
  CdxTree tree(*cdx_, *tag.info);
  const std::string key = keyOf(tag, original_, recno_);
  CdxTree::Position pos = tree.lowerBound(key, recno_);
  exact = passes(tag, original_, recno_) && pos.valid && pos.entry().record == recno_ &&
          pos.entry().key == key;
  return pos;
}

bool Table::skipOne(bool forward) {
  if (eof_) {
    if (forward) return false;
    return bottom();
  }
  Tag* tag = selected();
  if (!tag) {
    if (forward) {
      if (recno_ >= count_) {
        setEof();
        return false;
      }
      load(recno_ + 1);
      return true;
    }
    if (recno_ <= 1) {
      bof_ = true;
      return false;
    }
    load(recno_ - 1);
    return true;
  }
  CdxTree tree(*cdx_, *tag->info);
  const bool ascending = forward != tag->info->descending;
  if (cursor_ && cursorVersion_ == indexVersion_ && cursor_->valid &&
      cursor_->entry().record == recno_) {
    // Walking on from the entry just read: step the cursor itself, without copying its leaf.
    if (ascending ? tree.next(*cursor_) : tree.previous(*cursor_)) return loadPosition(*cursor_);
    cursor_.reset();
    if (forward) {
      setEof();
    } else {
      bof_ = true;
    }
    return false;
  }
  bool exact = false;
  CdxTree::Position pos = locate(exact);
  if (ascending) {
    if (exact) tree.next(pos);
  } else if (pos.valid) {
    tree.previous(pos);
  } else {
    pos = tree.last();
  }
  if (!pos.valid) {
    if (forward) {
      setEof();
    } else {
      bof_ = true;
    }
    return false;
  }
  return loadPosition(std::move(pos));
}

SeekResult Table::seek(std::string_view key) {
  Tag* tag = selected();
  if (!tag) raise("seeking in table %s: no tag is selected", base_.c_str());
  if (tag->format.type == KeyFormat::Type::Character) {
    flush();
    const std::string full = padText(key, tag->format.length);
    return seekFull(*tag, full);
  }
  const auto number = parseNumber(key);
  if (!number)
    raise("seeking in tag %s of table %s: \"%s\" is not a number", tag->info->name.c_str(),
          base_.c_str(), std::string(key).c_str());
  return seek(*number);
}

SeekResult Table::seek(double value) {
  Tag* tag = selected();
  if (!tag) raise("seeking in table %s: no tag is selected", base_.c_str());
  if (tag->format.type == KeyFormat::Type::Character)
    raise("seeking a number in tag %s of table %s: its keys are text", tag->info->name.c_str(),
          base_.c_str());
  flush();
  Value v;
  v.kind = Value::Kind::Number;
  v.number = value;
  return seekFull(*tag, makeKey(v, tag->format));
}

SeekResult Table::seekFull(Tag& tag, const std::string& full) {
  CdxTree tree(*cdx_, *tag.info);
  CdxTree::Position pos;
  if (!tag.info->descending) {
    pos = tree.lowerBound(full, 0);
  } else {
    // Descending order: the first entry not greater than the key, read from the end.
    pos = tree.lowerBound(full, 0xFFFFFFFF);
    if (pos.valid)
      tree.previous(pos);
    else
      pos = tree.last();
  }
  if (!loadPosition(std::move(pos))) return SeekResult::End;
  return cursor_->entry().key == full ? SeekResult::Found : SeekResult::After;
}

}  // namespace savora::xbase
