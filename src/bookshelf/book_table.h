// The book table ("book", catalogue "catalog\\catalogBook"): the books of a bookshelf, each
// holding chapters. Deleting a book deletes its chapters and, through them, their recipes.
#pragma once

#include <string>
#include <string_view>

#include "bookshelf/shelf_table.h"

namespace savora::bookshelf {

class ChapterTable;

store::TableDefinition bookTableDefinition(Shelf shelf);

class BookTable : public ShelfTable {
 public:
  explicit BookTable(store::TableStore& store, Shelf shelf = Shelf::Recipes);

  // Adds a book under the next UID and reopens the table; returns the new UID.
  long add(std::string_view name, std::string_view info, std::string_view bitmap);
  // Rewrites name, description and media list name of the book called `name`; false when there
  // is no such book.
  bool update(std::string_view name, std::string_view newName, std::string_view info,
              std::string_view bitmap);
  // Deletes every chapter of the book (with their recipes, through `chapters`), then the book.
  // False when there is no such book. The tables must belong to this book table's shelf.
  bool remove(long uid, ChapterTable& chapters, store::RecipeTable& recipes);
};

}  // namespace savora::bookshelf
