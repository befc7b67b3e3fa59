#include "bookshelf/chapter_table.h"

#include "bookshelf/book_table.h"
#include "platform/text.h"
#include "store/recipe_table.h"

namespace savora::bookshelf {
namespace {

constexpr const char* kBookTag = "BOOK_TAG";
constexpr const char* kBookNameTag = "BOOK_NAME";

}  // namespace

store::TableDefinition chapterTableDefinition(Shelf shelf) {
  store::TableDefinition def;
  def.name = shelf == Shelf::Catalog ? "catalog\\catalogChap" : "chapter";
  def.fields = {{"UID", 'N', 5, 0},
                {"BOOK_UID", 'N', 5, 0},
                {"NAME", 'C', kShelfNameWidth, 0},
                {"INFO", 'M', 4, 0},
                {"BITMAP", 'C', kMediaListNameWidth, 0}};
  def.tags = {{store::kUidTag, "UID", store::kNotDeleted, false, false},
              {kBookTag, "BOOK_UID", store::kNotDeleted, false, false},
              {kBookNameTag, "STR(BOOK_UID,5)+NAME", store::kNotDeleted, false, false},
              {"NAME_TAG", "NAME", store::kNotDeleted, false, false}};
  def.packAfterDeletions = 0;  // any deletion
  def.packText = "Compressing Chapter Data...Please Wait.";
  return def;
}

ChapterTable::ChapterTable(store::TableStore& store, Shelf shelf)
    : ShelfTable(store, chapterTableDefinition(shelf), shelf) {}

long ChapterTable::firstInBook(long book) {
  walkedBook_ = book;
  if (!isOpen() || !table().selectTag(kBookTag)) return -1;
  xbase::Table& t = table();
  bool on = t.seek(double(book)) != xbase::SeekResult::End;
  while (on && t.deleted()) on = t.skip(1);
  if (!on || number("BOOK_UID") != book) return -1;
  return uidOfCurrent();
}

long ChapterTable::nextInBook() {
  if (!next() || number("BOOK_UID") != walkedBook_) return -1;
  return uidOfCurrent();
}

std::vector<ShelfEntry> ChapterTable::chaptersOf(long book) {
  std::vector<ShelfEntry> chapters;
  for (long uid = firstInBook(book); uid != -1; uid = nextInBook()) {
    chapters.push_back({uid, text("NAME")});
  }
  return chapters;
}

bool ChapterTable::find(std::string_view name, long book) {
  const std::string wanted = shelfName(name);
  if (wanted.empty() || !isOpen() || table().recordCount() == 0) return false;
  xbase::Table& t = table();
  auto matches = [&] {
    return number("BOOK_UID") == book && platform::equalsIgnoreCase(text("NAME"), wanted);
  };
  if (!t.eof() && !t.deleted() && matches()) return true;
  // The exact key first; a name typed in another letter case is only found by walking the
  // book's chapters, since keys order names by their bytes.
  if (t.selectTag(kBookNameTag)) {
    const std::string key = platform::formatText("%5ld", book) + wanted;
    if (t.seek(key) == xbase::SeekResult::Found && !t.deleted() && matches()) return true;
  }
  for (long uid = firstInBook(book); uid != -1; uid = nextInBook()) {
    if (matches()) return true;
  }
  return false;
}

long ChapterTable::uidOf(std::string_view name, long book) {
  return find(name, book) ? uidOfCurrent() : -1;
}

long ChapterTable::bookOf(long chapter) {
  return seek(chapter) ? number("BOOK_UID") : -1;
}

std::string ChapterTable::bookNameOf(long chapter, BookTable& books) {
  const long book = bookOf(chapter);
  return book == -1 ? std::string() : books.nameOf(book);
}

long ChapterTable::add(std::string_view name, long book, std::string_view info,
                       std::string_view bitmap) {
  return appendItem(name, info, bitmap, [&] { setNumber("BOOK_UID", double(book)); });
}

bool ChapterTable::update(std::string_view name, long book, std::string_view newName,
                          std::string_view info, std::string_view bitmap) {
  if (!find(name, book)) return false;
  setDescription(newName, info, bitmap);
  table().flush();
  return true;
}

std::vector<long> ChapterTable::recipesOf(long chapter, store::RecipeTable& recipes) {
  std::vector<long> uids;
  for (auto name = recipes.first(chapter); name && recipes.chapterOfCurrent() == chapter;
       name = recipes.next()) {
    uids.push_back(recipes.uidOfCurrent());
  }
  return uids;
}

bool ChapterTable::remove(long uid, store::RecipeTable& recipes) {
  requireSameShelf(recipes);
  if (!seek(uid)) return false;
  // Collect first: each delete changes the recipe table's CHAP_TAG under a walk.
  for (long recipe : recipesOf(uid, recipes)) recipes.remove(recipe);
  if (!seek(uid)) return false;
  deleteCurrent();
  return true;
}

}  // namespace savora::bookshelf
