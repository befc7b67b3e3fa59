// The files of closed tables, kept open for the next open of the same files.
//
// Only open files (and their mapped views) are kept, never what was read of them: an open that
// takes up a kept file reads its headers and index as if it had just opened it. So whatever
// another program did to the files in between, however soon after the close and whatever the
// file times say, the open sees it, as a fresh open would. A kept file is taken up only by the
// open of a name that leads to that very file now; a name that leads elsewhere (the file was
// replaced, or another file now matches the name more exactly) opens what it leads to.
#include <list>
#include <mutex>
#include <utility>

#include "platform/file.h"
#include "xbase/table.h"

namespace savora::xbase {
namespace {

// Enough for the tables one save of the program touches, three files each.
constexpr size_t kMostKeptFiles = 48;

struct KeptFile {
  uint64_t device = 0;
  uint64_t inode = 0;
  platform::File file;
};
using KeptList = std::list<KeptFile>;

struct Kept {
  std::mutex mutex;
  KeptList files;  // kept last first
};

// Never destroyed, so that tables closed while the process ends still find it. Kept files have
// nothing unwritten: the system closes them at exit.
Kept& kept() {
  static Kept* k = new Kept;
  return *k;
}

}  // namespace

platform::File Table::takeKeptFile(const std::string& name) {
  Kept& k = kept();
  {
    std::lock_guard lock(k.mutex);
    if (k.files.empty()) return {};
  }
  const std::optional<platform::FileStamp> now = platform::stampOfName(name);
  if (!now) return {};
  platform::File file;
  {
    std::lock_guard lock(k.mutex);
    for (auto it = k.files.begin(); it != k.files.end(); ++it) {
      if (it->device != now->device || it->inode != now->inode) continue;
      file = std::move(it->file);
      k.files.erase(it);
      break;
    }
  }
  // A view reaching past the end of the file as it is now would fault where it is read.
  if (file.viewLength() > now->size) file.unmapView();
  return file;
}

void Table::closeKeptTables() {
  KeptList dropped;  // closed once the lock is let go
  std::lock_guard lock(kept().mutex);
  dropped.swap(kept().files);
}

void Table::keepOrCloseFiles(bool closedCleanly) {
  platform::File* const open[] = {&dbf_, memo_ ? &memo_->file() : nullptr,
                                  cdx_ ? &cdx_->file() : nullptr};
  // Only files opened for writing are kept, for writable opens to take up; after a simulated
  // crash nothing is, as the test then looks at the disk afresh.
  const bool keep = closedCleanly && !readOnly_ && !platform::WriteFaults::crashed();
  KeptList keeping;
  for (platform::File* file : open) {
    if (!file || !file->isOpen()) continue;
    if (!keep || !file->onLocalDisk()) {
      file->close();
      continue;
    }
    // The index is read through a view from the next open on: the pages its descents pass
    // through cost no system call, and the view, coherent with every write to the file, stays
    // while the file is kept.
    if (cdx_ && file == &cdx_->file() && !file->view()) file->mapView(file->size());
    const auto [device, inode] = file->identity();
    keeping.push_back(KeptFile{device, inode, std::move(*file)});
  }
  memo_.reset();
  cdx_.reset();
  tags_.clear();
  unusable_.clear();
  selectedTag_ = -1;
  cursor_.reset();
  queryPos_.reset();
  if (keeping.empty()) return;

  KeptList dropped;  // closed once the lock is let go
  std::lock_guard lock(kept().mutex);
  KeptList& files = kept().files;
  files.splice(files.begin(), keeping);
  while (files.size() > kMostKeptFiles)
    dropped.splice(dropped.end(), files, std::prev(files.end()));
}

}  // namespace savora::xbase
