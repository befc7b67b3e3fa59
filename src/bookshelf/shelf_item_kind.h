// Books, chapters, categories and recipes told apart in one place: what each is called in titles
// and sentences, and for books, chapters and categories which table of a shelf keeps them and how
// an item is found by name, added and rewritten there.
#pragma once

#include <string_view>

#include "bookshelf/shelf_edits.h"
#include "bookshelf/shelf_table.h"

namespace savora::bookshelf {

struct ShelfItemKind {
  const char* title;     // "Book": in titles ("Book Information", "Save Book?")
  const char* word;      // "book": inside sentences
  const char* openHint;  // told when Open finds nothing selected; null for recipes
};

const ShelfItemKind& shelfItemKind(ShelfItemType type);

// The rest is for books, chapters and categories: a recipe throws std::invalid_argument.

// The table of the shelf that keeps items of the type.
ShelfTable& shelfTableOf(ShelfTables tables, ShelfItemType type);
// The UID of the item of that name (a chapter: of that book), or -1.
long shelfItemUid(ShelfTables tables, ShelfItemType type, std::string_view name, long book);
// Adds the item (a chapter to `book`) under the next UID and returns it; `item.uid` is ignored.
long addShelfItem(ShelfTables tables, ShelfItemType type, long book, const ShelfItem& item);
// Rewrites name, description and media list name of item `item.uid`, called `oldName` so far
// (a category: every record of it).
void rewriteShelfItem(ShelfTables tables, ShelfItemType type, long book, std::string_view oldName,
                      const ShelfItem& item);

}  // namespace savora::bookshelf
