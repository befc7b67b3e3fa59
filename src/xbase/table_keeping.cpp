// Closed tables kept with their files open, taken up again by the next open of the same name;
// Table::close() says when that is safe.
#include <list>
#include <map>
#include <mutex>
#include <utility>

#include "platform/file.h"
#include "xbase/table.h"

namespace savora::xbase {
namespace {

// Enough for the tables one save of the program touches.
constexpr size_t kMostKept = 16;
// Decoded index pages a kept table holds on to: the upper levels of its trees.
constexpr size_t kKeptPages = 64;

using KeptList = std::list<std::pair<std::string, std::unique_ptr<Table>>>;

struct Writers {
  int open = 0;
  uint64_t joins = 0;
};

struct Kept {
  std::mutex mutex;
  KeptList tables;  // used last first
  std::map<std::pair<uint64_t, uint64_t>, Writers> writers;
};

// Never destroyed, so that tables closed while the process ends still find it. Kept tables have
// nothing unwritten: the system closes the files they hold at exit.
Kept& kept() {
  static Kept* k = new Kept;
  return *k;
}

}  // namespace

std::unique_ptr<Table> Table::takeKept(const std::string& base) {
  Kept& k = kept();
  std::lock_guard lock(k.mutex);
  for (auto it = k.tables.begin(); it != k.tables.end(); ++it) {
    if (it->first != base) continue;
    std::unique_ptr<Table> table = std::move(it->second);
    k.tables.erase(it);
    return table;
  }
  return nullptr;
}

void Table::closeKeptTables() {
  KeptList dropped;  // closed once the lock is let go
  std::lock_guard lock(kept().mutex);
  dropped.swap(kept().tables);
}

std::array<platform::File*, 3> Table::files() {
  return {&dbf_, memo_ ? &memo_->file() : nullptr, cdx_ ? &cdx_->file() : nullptr};
}

std::unique_ptr<Table> Table::reopenKept(const std::string& base) {
  std::unique_ptr<Table> table = takeKept(base);
  if (!table) return nullptr;
  // Anything else drops the kept table, closing its files.
  if (table->faultGeneration_ != platform::WriteFaults::generation() ||
      !table->keptFilesUnchanged())
    return nullptr;
  table->kept_ = false;
  table->joinWriters();
  table->top();
  return table;
}

bool Table::keptFilesUnchanged() {
  const std::array<platform::File*, 3> open = files();
  for (size_t i = 0; i < open.size(); ++i) {
    if (!open[i]) continue;
    const std::optional<platform::FileStamp> now = platform::stampOf(open[i]->nativeName());
    if (!now || !(*now == stamps_[i])) return false;
  }
  return true;
}

void Table::joinWriters() {
  if (readOnly_) return;
  std::lock_guard lock(kept().mutex);
  Writers& w = kept().writers[{stamps_[0].device, stamps_[0].inode}];
  ++w.open;
  ++w.joins;
  writer_ = WriterTicket{stamps_[0].device, stamps_[0].inode, w.joins, w.open == 1};
  writing_ = true;
}

bool Table::leaveWriters() {
  if (!writing_) return false;
  writing_ = false;
  std::lock_guard lock(kept().mutex);
  const auto it = kept().writers.find({writer_.device, writer_.inode});
  if (it == kept().writers.end()) return false;
  const bool onlyOne = writer_.alone && it->second.joins == writer_.joinsAtOpen;
  if (--it->second.open == 0) kept().writers.erase(it);
  return onlyOne;
}

void Table::keepOrCloseFiles(bool closedCleanly) {
  const bool alone = leaveWriters();
  // What is known of the table must be what is on disk: every write went through and none was
  // made by another handle, the index is whole and usable, and no test fault came in between.
  const bool keep = closedCleanly && alone && keepable_ && !failed_ && unusable_.empty() &&
                    (cdx_ || !(header_.flags & kFlagStructuralIndex)) &&
                    faultGeneration_ == platform::WriteFaults::generation() &&
                    !platform::WriteFaults::crashed();
  if (!keep) {
    closeFiles();
    return;
  }
  const std::array<platform::File*, 3> open = files();
  for (size_t i = 0; i < open.size(); ++i)
    if (open[i] && open[i]->writtenSinceStamp()) stamps_[i] = open[i]->stamp();
  if (cdx_) cdx_->trimKept(kKeptPages);

  std::unique_ptr<Table> table(new Table);
  table->base_ = base_;
  table->dbf_ = std::move(dbf_);
  table->header_ = header_;  // this closed table still tells its structure
  table->count_ = count_;
  table->memo_ = std::move(memo_);
  table->cdx_ = std::move(cdx_);
  table->tags_ = std::move(tags_);
  table->lastHash_ = lastHash_;
  table->lastRead_ = lastRead_;
  table->stamps_ = stamps_;
  table->faultGeneration_ = faultGeneration_;
  table->indexVersion_ = indexVersion_;
  table->kept_ = true;
  memo_.reset();
  tags_.clear();
  selectedTag_ = -1;
  cursor_.reset();
  queryPos_.reset();

  KeptList dropped;  // closed once the lock is let go
  std::lock_guard lock(kept().mutex);
  KeptList& tables = kept().tables;
  for (auto it = tables.begin(); it != tables.end(); ++it) {
    if (it->first != base_) continue;
    dropped.splice(dropped.end(), tables, it);
    break;
  }
  tables.emplace_front(base_, std::move(table));
  if (tables.size() > kMostKept) dropped.splice(dropped.end(), tables, std::prev(tables.end()));
}

void Table::closeFiles() {
  dbf_.close();
  if (memo_) memo_->close();
  if (cdx_) cdx_->close();
}

}  // namespace savora::xbase
