// The chapter table ("chapter", catalogue "catalog\\catalogChap"): the chapters of the books,
// each holding recipes (a recipe names its chapter in CHAP_UID). Deleting a chapter deletes its
// recipes through the recipe table, which also takes them out of menus and categories.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "bookshelf/shelf_table.h"

namespace savora::store {
class RecipeTable;
}

namespace savora::bookshelf {

class BookTable;

store::TableDefinition chapterTableDefinition(Shelf shelf);

class ChapterTable : public ShelfTable {
 public:
  explicit ChapterTable(store::TableStore& store, Shelf shelf = Shelf::Recipes);

  // Walks the chapters of one book in BOOK_TAG order: each step gives a chapter UID, -1 after
  // the book's last chapter.
  long firstInBook(long book);
  long nextInBook();
  // The (UID, name) of every chapter of the book, in BOOK_TAG order.
  std::vector<ShelfEntry> chaptersOf(long book);
  // The UIDs of the chapter's recipes.
  std::vector<long> recipesOf(long chapter, store::RecipeTable& recipes);

  using ShelfTable::find;
  using ShelfTable::uidOf;
  // True when the book has a chapter of that name (trimmed, ignoring case); it is then current.
  bool find(std::string_view name, long book);
  // The UID of the book's chapter of that name, or -1.
  long uidOf(std::string_view name, long book);
  // The book holding the chapter, or -1 when there is no such chapter.
  long bookOf(long chapter);
  // The name of the book holding the chapter, or "" when either is missing.
  std::string bookNameOf(long chapter, BookTable& books);

  // Adds a chapter to a book under the next UID and reopens the table; returns the new UID.
  long add(std::string_view name, long book, std::string_view info, std::string_view bitmap);
  // Rewrites name, description and media list name of the book's chapter called `name`; false
  // when there is no such chapter.
  bool update(std::string_view name, long book, std::string_view newName, std::string_view info,
              std::string_view bitmap);
  // Deletes every recipe of the chapter through `recipes` (menus, ingredient lines and
  // categories follow), then the chapter. False when there is no such chapter. `recipes` must
  // be the recipe table of this chapter table's shelf.
  bool remove(long uid, store::RecipeTable& recipes);

 private:
  long walkedBook_ = -1;
};

}  // namespace savora::bookshelf
