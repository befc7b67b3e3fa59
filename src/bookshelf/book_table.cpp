#include "bookshelf/book_table.h"

#include <stdexcept>

#include "bookshelf/chapter_table.h"

namespace savora::bookshelf {

store::TableDefinition bookTableDefinition(Shelf shelf) {
  store::TableDefinition def;
  def.name = shelf == Shelf::Catalog ? "catalog\\catalogBook" : "book";
  def.fields = {{"UID", 'N', 5, 0},
                {"NAME", 'C', kShelfNameWidth, 0},
                {"INFO", 'M', 4, 0},
                {"BITMAP", 'C', kMediaListNameWidth, 0}};
  def.tags = {{store::kUidTag, "UID", store::kNotDeleted, false, false},
              {"NAME_TAG", "NAME", store::kNotDeleted, false, false}};
  def.packAfterDeletions = 0;  // any deletion
  def.packText = "Compressing Recipe Book Data...Please Wait.";
  return def;
}

BookTable::BookTable(store::TableStore& store, Shelf shelf)
    : ShelfTable(store, bookTableDefinition(shelf), shelf) {}

long BookTable::add(std::string_view name, std::string_view info, std::string_view bitmap) {
  return appendItem(name, info, bitmap, [] {});
}

bool BookTable::update(std::string_view name, std::string_view newName, std::string_view info,
                       std::string_view bitmap) {
  if (!find(name)) return false;
  setDescription(newName, info, bitmap);
  table().flush();
  return true;
}

bool BookTable::remove(long uid, ChapterTable& chapters, store::RecipeTable& recipes) {
  if (chapters.shelf() != shelf()) {
    throw std::invalid_argument(definition().name + " cannot cascade into " +
                                chapters.definition().name);
  }
  requireSameShelf(recipes);
  if (!seek(uid)) return false;
  for (const ShelfEntry& chapter : chapters.chaptersOf(uid)) chapters.remove(chapter.uid, recipes);
  if (seek(uid)) deleteCurrent();
  return true;
}

}  // namespace savora::bookshelf
