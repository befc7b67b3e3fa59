#include "exchange/import_run_mark.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/file_ops.h"
#include "platform/log.h"
#include "platform/text.h"

namespace savora::exchange {
namespace {

// The identifiers of the table's records from `first` on, in UID order.
std::vector<long> uidsFrom(store::TableModule& table, long first) {
  std::vector<long> uids;
  if (!table.isOpen() || !table.table().selectTag(store::kUidTag)) return uids;
  xbase::Table& t = table.table();
  if (t.seek(double(first)) == xbase::SeekResult::End) return uids;
  for (; !t.eof(); t.skip(1)) {
    if (!t.deleted()) uids.push_back(table.number("UID"));
  }
  return uids;
}

std::string fileNameOf(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

bool markImportRun(const std::string& file, UserShelf shelf) {
  return platform::writeWholeFile(
      kImportRunMark,
      platform::formatText("%s\n%ld\n%ld\n%ld\n", file.c_str(), shelf.books.nextUid(),
                           shelf.chapters.nextUid(), shelf.recipes.nextUid()));
}

void clearImportRunMark() {
  platform::logIfFailed(platform::deleteIfPresent(kImportRunMark),
                        std::string("the import mark stays, and the next import reports this one "
                                    "as cut short: ") +
                            kImportRunMark);
}

std::optional<ImportRunMark> readImportRunMark() {
  const auto text = platform::readWholeFile(kImportRunMark, 64 * 1024);
  if (!text) return std::nullopt;
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text->size() && lines.size() < 4) {
    const size_t end = std::min(text->find('\n', start), text->size());
    lines.push_back(text->substr(start, end - start));
    start = end + 1;
  }
  ImportRunMark mark;
  if (lines.size() < 4) return mark;  // cut short while written: nothing is known of it
  mark.file = lines[0];
  mark.firstBook = std::atol(lines[1].c_str());
  mark.firstChapter = std::atol(lines[2].c_str());
  mark.firstRecipe = std::atol(lines[3].c_str());
  return mark;
}

long recipesLeftBy(const ImportRunMark& mark, store::RecipeTable& recipes) {
  if (mark.firstRecipe < 1) return 0;
  return long(uidsFrom(recipes, mark.firstRecipe).size());
}

void removeWhatWasLeft(const ImportRunMark& mark, UserShelf shelf) {
  if (mark.firstRecipe < 1 || mark.firstChapter < 1 || mark.firstBook < 1) return;
  for (long uid : uidsFrom(shelf.recipes, mark.firstRecipe)) shelf.recipes.remove(uid);
  for (long uid : uidsFrom(shelf.chapters, mark.firstChapter))
    shelf.chapters.remove(uid, shelf.recipes);
  for (long uid : uidsFrom(shelf.books, mark.firstBook))
    shelf.books.remove(uid, shelf.chapters, shelf.recipes);
}

void settleInterruptedImport(toolkit::User& user, UserShelf shelf, bool canAsk) {
  const std::optional<ImportRunMark> mark = readImportRunMark();
  if (!mark) return;
  const long left = recipesLeftBy(*mark, shelf.recipes);
  const std::string file = fileNameOf(mark->file);
  if (left == 0) {
    user.message("Import Stopped", "INFORMATION", toolkit::Buttons::Ok,
                 platform::formatText("The last import of %s stopped before it imported a recipe.",
                                      file.c_str()));
  } else if (!canAsk) {
    user.message("Import Stopped", "INFORMATION", toolkit::Buttons::Ok,
                 platform::formatText("The last import of %s stopped after %ld %s.\r\nThey "
                                      "were kept; import the file again to add the rest.",
                                      file.c_str(), left, left == 1 ? "recipe" : "recipes"));
  } else if (user.message(
                 "Import Stopped", "QUESTION", toolkit::Buttons::YesNo,
                 platform::formatText("The last import of %s stopped after %ld %s.\r\nWould you "
                                      "like to remove the recipes it imported?\r\n(No keeps them.)",
                                      file.c_str(), left, left == 1 ? "recipe" : "recipes")) ==
             toolkit::Button::Yes) {
    toolkit::WaitPointer wait(user);
    removeWhatWasLeft(*mark, shelf);
  }
  clearImportRunMark();
}

}  // namespace savora::exchange
