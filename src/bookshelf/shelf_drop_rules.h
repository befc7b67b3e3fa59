// What dropping an entry of a bookshelf list on another list, or on the waste bin, does. A recipe
// dropped on a category is filed in it, on a chapter copied into it; a chapter dropped on a book
// is copied into it; whatever is dropped on the waste bin is deleted (a recipe, while the recipe
// list shows a category, only leaves the category). Each asks its question first (ShelfEdits).
// Any other drop on the books, chapters or categories is refused with a message saying what can
// go there. A drop from the other shelf's window, of nothing or on no entry does nothing.
#pragma once

#include "bookshelf/shelf_edits.h"
#include "bookshelf/shelf_table.h"
#include "toolkit/user.h"

namespace savora::bookshelf {

// Where an entry was dropped: one of the four lists, or the waste bin.
enum class DropTarget { Books, Chapters, Categories, Recipes, WasteBin };

struct ShelfDrop {
  Shelf from = Shelf::Recipes;                  // the shelf of the window dragged from
  ShelfItemType dragged = ShelfItemType::Book;  // the list dragged from
  long draggedId = 0;                           // the dragged entry's identifier
  DropTarget target = DropTarget::Books;
  long targetId = 0;        // the entry dropped on; 0 or less: none (below the last entry)
  long listedCategory = 0;  // the category whose recipes the recipe list shows, or 0
};

// What a drop changed, for the window to bring its lists up to date.
enum class DropDone {
  Nothing,
  BookDeleted,
  ChapterDeleted,
  CategoryDeleted,
  RecipeRemoved,  // deleted, or taken out of the listed category
  RecipeFiled,    // added to the category dropped on
  RecipeCopied,
  ChapterCopied,
};

class ShelfDropRules {
 public:
  ShelfDropRules(ShelfTables tables, Shelf shelf, toolkit::User& user)
      : edits_(tables, user), shelf_(shelf), user_(user) {}

  DropDone drop(const ShelfDrop& drop);

 private:
  ShelfEdits edits_;
  Shelf shelf_;
  toolkit::User& user_;
};

}  // namespace savora::bookshelf
