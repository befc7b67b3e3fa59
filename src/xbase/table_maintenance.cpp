// Whole-table rewrites (pack, memo compress) and filter queries.
//
// A rewrite replaces two files, the table and its memo file, whose memo pointers must agree.
// Both new files are written under temporary names first; then a marker file says "the new
// files are complete", and only then are they moved over the old ones. An interrupted rewrite
// is finished by the next open when the marker exists and forgotten when it does not.
#include "platform/file_ops.h"
#include "platform/log.h"
#include "platform/text.h"
#include "xbase/error.h"
#include "xbase/record_codec.h"
#include "xbase/table.h"

namespace savora::xbase {
namespace {

const char* const kNewTable = ".db$";
const char* const kNewMemo = ".fp$";
const char* const kRewriteMarker = ".pk$";

}  // namespace

void Table::finishPendingRewrite(const std::string& base) {
  // Without the marker, temporaries left over are incomplete and harmless: the next rewrite
  // deletes them first. Opening pays for one look at the marker only.
  if (!platform::fileExists(base + kRewriteMarker)) return;
  for (const char* extension : {kNewMemo, kNewTable}) {
    const std::string temporary = base + extension;
    if (!platform::fileExists(temporary)) continue;
    const std::string target = base + (extension == kNewMemo ? ".fpt" : ".dbf");
    if (!platform::moveFile(temporary, target))
      raise("finishing an interrupted pack of %s: cannot move %s to %s", base.c_str(),
            temporary.c_str(), target.c_str());
  }
  // A marker left behind is harmless: a rewrite deletes it before it writes temporaries.
  platform::logIfFailed(platform::deleteIfPresent(base + kRewriteMarker),
                        "the finished pack's marker " + base + kRewriteMarker + " stays");
}

void Table::rewrite(bool dropDeleted) {
  requireWritable(dropDeleted ? "packing" : "compressing memos");
  flush();
  const std::string newTable = path(kNewTable), newMemo = path(kNewMemo);
  // With an old marker still there, an interruption would move half-written temporaries in.
  if (!platform::deleteIfPresent(path(kRewriteMarker)))
    raise("packing table %s: cannot delete the old marker %s", base_.c_str(),
          path(kRewriteMarker).c_str());
  // Temporaries that stay are truncated when they are written again.
  for (const std::string& leftover : {newTable, newMemo})
    if (platform::fileExists(leftover))
      platform::logIfFailed(platform::deleteFile(leftover), "cannot delete " + leftover);
  std::optional<MemoFile> memo;
  const bool fpt = memo_ && memo_->kind() == MemoFile::Kind::Fpt;
  if (fpt) memo = MemoFile::create(newMemo, memo_->blockSize());

  platform::File out;
  DbfHeader header = header_;
  auto fail = [&](const char* what) {
    failed_ = true;
    raise("%s table %s: writing %s: %s", dropDeleted ? "packing" : "compressing memos of",
          base_.c_str(), what, out.errorText().c_str());
  };
  if (!out.open(newTable, platform::File::Mode::Create)) fail(newTable.c_str());
  std::string bytes(header_.headerLength, '\0');
  if (!dbf_.readAt(0, bytes.data(), bytes.size())) fail("the header");
  if (!out.write(bytes)) fail(newTable.c_str());
  uint32_t kept = 0;
  std::string record;
  for (uint32_t r = 1; r <= count_; ++r) {
    readRecord(r, record);
    if (dropDeleted && record[0] == kDeletedFlag) continue;
    if (fpt) {
      for (const FieldDescriptor& f : header_.fields) {
        if (!f.isMemo()) continue;
        const auto block = parseMemoPointer(record.substr(f.offset, f.width));
        uint32_t copied = 0;
        if (block && *block) {
          const std::string text =
              memo_->read(*block, {r, f.name});
          try {
            copied = memo->write(text);
          } catch (const Error&) {
            failed_ = true;
            throw;
          }
        }
        record.replace(f.offset, f.width, formatMemoPointer(copied, f.width));
      }
    }
    if (!out.write(record)) fail(newTable.c_str());
    ++kept;
  }
  if (!out.write(std::string(1, kEndOfFile))) fail(newTable.c_str());
  stampToday(header);
  header.recordCount = kept;
  const std::string dateAndCount = serializeDateAndCount(header);
  if (!out.writeAt(1, dateAndCount.data(), dateAndCount.size())) fail(newTable.c_str());
  if (!out.sync()) fail(newTable.c_str());
  out.close();
  if (memo) memo->close();

  // From here on the old index no longer matches: mark it so that an interruption rebuilds it.
  UpdateScope scope(*this);
  if (!platform::writeWholeFile(path(kRewriteMarker), "complete\n")) {
    failed_ = true;
    raise("packing table %s: cannot write the marker %s", base_.c_str(),
          path(kRewriteMarker).c_str());
  }
  dbf_.close();
  if (memo_) memo_->close();
  finishPendingRewrite(base_);

  const std::string dbfPath = path(".dbf");
  if (!dbf_.open(dbfPath, platform::File::Mode::ReadWrite)) {
    failed_ = true;
    raise("packing table %s: cannot reopen it: %s", dbfPath.c_str(), dbf_.errorText().c_str());
  }
  count_ = kept;
  header_.recordCount = kept;
  lastHash_.reset();
  if (memo_) memo_ = MemoFile::open(path(fpt ? ".fpt" : ".dbt"), memo_->kind(), true);
  if (cdx_) {
    const std::string selected = selectedTag();
    std::vector<TagInfo> definitions;
    for (const Tag& tag : tags_) definitions.push_back(*tag.info);
    writeIndex(definitions);  // a fresh file, without the update mark
    selectTag(selected);
  }
  top();
}

void Table::pack() {
  rewrite(true);
}

void Table::compressMemo() {
  if (!memo_) return;
  rewrite(false);
}

// ---------------------------------------------------------------- queries

bool Table::queryMatch() {
  return !deleted() && query_->evaluate(original_, recno_).logical;
}

bool Table::queryFirst(std::string_view filter) {
  flush();
  query_ = Expression::parse(filter, header_.fields);
  if (query_->kind() != Value::Kind::Logical)
    raise("querying table %s: \"%s\" is not a condition", base_.c_str(),
          std::string(filter).c_str());
  queryTag_ = -1;
  queryPrefix_.clear();
  queryPos_.reset();

  // "FIELD = constant": walk the keys of a tag that begins with that field, from the first key
  // that begins with the constant's key form, instead of reading the whole table. Every record
  // found is still checked against the whole filter.
  const std::string text = query_->text();
  const size_t eq = text.find('=');
  if (eq != std::string::npos && text.find_first_of("<>#!$") == std::string::npos &&
      text.find('=', eq + 1) == std::string::npos &&
      platform::toUpper(text).find(".AND.") == std::string::npos &&
      platform::toUpper(text).find(".OR.") == std::string::npos) {
    const int fieldIndex = header_.fieldIndex(platform::trim(text.substr(0, eq)));
    const std::string constant = platform::trim(text.substr(eq + 1));
    std::string probe(header_.recordLength, ' ');
    bool usable = false;
    if (fieldIndex >= 0) {
      const FieldDescriptor& f = header_.fields[size_t(fieldIndex)];
      if (f.type == 'N' || f.type == 'F') {
        if (const auto number = parseNumber(constant)) {
          const std::string bytes = formatNumber(*number, f.width, f.decimals);
          usable = bytes.find('*') == std::string::npos;
          probe.replace(f.offset, f.width, bytes);
        }
      } else if (f.type == 'C' && constant.size() >= 2 &&
                 (constant.front() == '"' || constant.front() == '\'') &&
                 constant.back() == constant.front()) {
        probe.replace(f.offset, f.width, padText(constant.substr(1, constant.size() - 2), f.width));
        usable = true;
      }
    }
    for (size_t t = 0; usable && t < tags_.size(); ++t) {
      const Tag& tag = tags_[t];
      if (tag.key.leadingField() != fieldIndex || tag.info->descending) continue;
      const Value lead = tag.key.leadingValue(probe);
      if (tag.format.type == KeyFormat::Type::Character) {
        if (lead.kind != Value::Kind::Text) continue;
        // '=' on text matches a prefix, so trailing blanks of the constant do not count.
        const bool textField = header_.fields[size_t(fieldIndex)].type == 'C';
        queryPrefix_ = textField ? platform::trimRight(lead.text) : lead.text;
        queryPrefix_ = queryPrefix_.substr(0, tag.format.length);
      } else {
        if (lead.kind == Value::Kind::Text) continue;
        queryPrefix_ = makeKey(lead, tag.format);
      }
      queryTag_ = int(t);
      break;
    }
  }
  if (queryTag_ >= 0) {
    Tag& tag = tags_[size_t(queryTag_)];
    queryPos_ = CdxTree(*cdx_, *tag.info).lowerBound(queryPrefix_, 0);
  } else {
    queryRecord_ = 0;
  }
  return queryNext();
}

bool Table::queryNext() {
  if (!query_) raise("querying table %s: queryFirst() was not called", base_.c_str());
  flush();
  if (queryTag_ >= 0) {
    Tag& tag = tags_[size_t(queryTag_)];
    CdxTree tree(*cdx_, *tag.info);
    while (queryPos_ && queryPos_->valid) {
      const PageEntry entry = queryPos_->entry();
      if (entry.key.compare(0, queryPrefix_.size(), queryPrefix_) != 0) break;
      tree.next(*queryPos_);
      if (entry.record < 1 || entry.record > count_) continue;
      load(entry.record);
      cursor_.reset();
      if (queryMatch()) return true;
    }
    setEof();
    return false;
  }
  while (queryRecord_ < count_) {
    load(++queryRecord_);
    cursor_.reset();
    if (queryMatch()) return true;
  }
  setEof();
  return false;
}

}  // namespace savora::xbase
