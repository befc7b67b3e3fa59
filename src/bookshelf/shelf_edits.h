// Changing the bookshelf on the user's word: deleting books, chapters, categories and recipes,
// taking a recipe out of a category, filing it in one, and copying recipes and chapters. Each
// change names what it works on, asks its question and tells why when it cannot be done; the
// bookshelf window only chooses what to pass and refreshes its lists afterwards.
#pragma once

#include <cstddef>

#include "bookshelf/book_table.h"
#include "bookshelf/category_table.h"
#include "bookshelf/chapter_table.h"
#include "bookshelf/shelf_tables.h"
#include "store/recipe_table.h"
#include "toolkit/user.h"

namespace savora::bookshelf {

// Saves a copy of the recipe as a new recipe of `chapter` (new identifier, everything else
// kept) and reopens the recipe table when `reopen`. Returns the copy's identifier, or 0 when
// there is no such recipe.
long copyRecipe(store::RecipeTable& recipes, long recipe, long chapter, bool reopen = true);

struct ChapterCopy {
  long targetChapter = -1;  // the chapter the recipes went into; -1 when nothing was copied
  bool createdChapter = false;
  size_t recipesCopied = 0;
};

// Copies every recipe of `chapter` into the chapter of the same name in `book`, creating that
// chapter (with the source's description and a media list of its own holding the same three
// references) when the book has none. Every recipe is copied, however many the chapter holds:
// the identifiers are collected first, so the copies never join the walk. Nothing is copied
// when the target would be the chapter itself (a chapter dropped on its own book).
ChapterCopy copyChapter(long chapter, long book, ChapterTable& chapters,
                        store::RecipeTable& recipes);

// The changes with their questions. Identifiers below 1 name nothing ("nothing selected").
// Every method returns true when the shelf changed.
class ShelfEdits {
 public:
  ShelfEdits(ShelfTables tables, toolkit::User& user) : tables_(tables), user_(user) {}

  // A book with its chapters and their recipes; a chapter with its recipes; a category (its
  // recipes stay); a recipe (out of menus and categories too).
  bool deleteBook(long book);
  bool deleteChapter(long chapter);
  bool deleteCategory(long category);
  bool deleteRecipe(long recipe);
  // Takes the recipe out of the category only.
  bool removeFromCategory(long recipe, long category);
  // Delete in the recipe list: while the list shows a category (`listedCategory` above 0) the
  // recipe only leaves that category; otherwise it is deleted.
  bool deleteListedRecipe(long recipe, long listedCategory);
  bool addToCategory(long recipe, long category);
  // Refused when the chapter has a recipe of that name already.
  bool copyRecipeTo(long recipe, long chapter);
  // Refused for the chapter's own book, where the copy would only double the chapter.
  bool copyChapterTo(long chapter, long book);

 private:
  bool confirm(const char* title, const std::string& text);
  void nothingToDelete(const char* text);

  ShelfTables tables_;
  toolkit::User& user_;
};

}  // namespace savora::bookshelf
