// The recipes the bookshelf lists for a book, chapter and category filter, each either an
// identifier or kAnyItem:
//
//   book   chapter  category   listed
//   given  given    any        the chapter's recipes, in CHAP_TAG order
//   given  any      any        the recipes of each chapter of the book, in BOOK_TAG order
//   any    any      given      the category's members, in the order they were filed
//   given  any      given      the recipes of each chapter of the book that are in the category
//   given  given    given      the chapter's recipes that are in the category
//   any    given    (any)      nothing; and nothing when all three are any
#pragma once

#include <vector>

#include "bookshelf/shelf_table.h"

namespace savora::store {
class RecipeTable;
}

namespace savora::bookshelf {

class CategoryTable;
class ChapterTable;

// Each entry is a recipe's trimmed name and its UID. A member whose recipe no longer exists is
// left out.
std::vector<ShelfEntry> fillRecipeList(long book, long chapter, long category,
                                       ChapterTable& chapters, CategoryTable& categories,
                                       store::RecipeTable& recipes);

}  // namespace savora::bookshelf
