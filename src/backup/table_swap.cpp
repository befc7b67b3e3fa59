#include "backup/table_swap.h"

#include "platform/file_ops.h"
#include "platform/log.h"
#include "platform/text.h"

namespace savora::backup {
namespace {

constexpr const char* kExtensions[] = {".dbf", ".fpt", ".cdx"};

std::string inReplacedFolder(const std::string& name) {
  return std::string(kReplacedTablesFolder) + "\\" + name;
}

// The journal names the tables being replaced, one a line; while it exists, the swap is not
// committed. The mark says every old file has moved aside, so the live files of those tables
// are the new ones.
const std::string& journalName() {
  static const std::string name = inReplacedFolder("journal");
  return name;
}
const std::string& oldFilesAsideMark() {
  static const std::string name = inReplacedFolder("moved-aside");
  return name;
}

std::vector<std::string> journalTables() {
  std::vector<std::string> tables;
  const auto text = platform::readWholeFile(journalName());
  if (!text) return tables;
  size_t start = 0;
  while (start < text->size()) {
    size_t end = text->find('\n', start);
    if (end == std::string::npos) end = text->size();
    if (end > start) tables.push_back(text->substr(start, end - start));
    start = end + 1;
  }
  return tables;
}

}  // namespace

bool TableSwap::swapIn(const std::string& stagingFolder, const std::vector<StagedTable>& tables) {
  recoverInterruptedRestore();
  if (platform::fileExists(journalName())) return false;  // an earlier swap is still not undone
  std::string journal;
  for (const StagedTable& table : tables) journal += table.name + "\n";
  if (!platform::makeFolder(kReplacedTablesFolder) ||
      !platform::writeWholeFile(journalName(), journal)) {
    rollBack();
    return false;
  }
  for (const StagedTable& table : tables) {
    for (const char* extension : kExtensions) {
      const std::string live = table.name + extension;
      if (platform::fileExists(live) && !platform::moveFile(live, inReplacedFolder(live))) {
        rollBack();
        return false;
      }
    }
  }
  if (!platform::writeWholeFile(oldFilesAsideMark(), "")) {
    rollBack();
    return false;
  }
  for (const StagedTable& table : tables) {
    for (const std::string& file : table.files) {
      if (!platform::moveFile(stagingFolder + "\\" + file, platform::toLower(file))) {
        rollBack();
        return false;
      }
    }
  }
  return true;
}

bool TableSwap::commit() {
  // Deleting the journal is the commit: from here on the old files are only leftovers.
  if (!platform::deleteFile(journalName())) return false;
  // The next start removes what stays.
  platform::logIfFailed(platform::removeFolderTree(kReplacedTablesFolder),
                        std::string("the replaced tables stay in ") + kReplacedTablesFolder);
  return true;
}

bool TableSwap::rollBack() {
  const bool newFilesIn = platform::fileExists(oldFilesAsideMark());
  bool whole = true;
  for (const std::string& table : journalTables()) {
    for (const char* extension : kExtensions) {
      const std::string live = table + extension;
      const std::string old = inReplacedFolder(live);
      if (newFilesIn && platform::fileExists(live) && !platform::deleteFile(live)) whole = false;
      if (platform::fileExists(old) && !platform::moveFile(old, live)) whole = false;
    }
  }
  if (whole)
    platform::logIfFailed(
        platform::removeFolderTree(kReplacedTablesFolder),
        std::string("the put-back tables' folder stays: ") + kReplacedTablesFolder);
  return whole;
}

void recoverInterruptedRestore() {
  if (platform::fileExists(journalName())) {
    TableSwap::rollBack();
  } else if (platform::fileExists(kReplacedTablesFolder)) {
    platform::logIfFailed(
        platform::removeFolderTree(kReplacedTablesFolder),
        std::string("a restore's replaced tables stay in ") + kReplacedTablesFolder);
  }
}

}  // namespace savora::backup
