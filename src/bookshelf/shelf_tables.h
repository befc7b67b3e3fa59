// The tables of one bookshelf, handed over as one bundle.
#pragma once

#include "bookshelf/book_table.h"
#include "bookshelf/category_table.h"
#include "bookshelf/chapter_table.h"
#include "store/recipe_table.h"

namespace savora::bookshelf {

// The user's ("book", "chapter", "category", "rc65") or the catalogue's.
struct ShelfTables {
  BookTable& books;
  ChapterTable& chapters;
  CategoryTable& categories;
  store::RecipeTable& recipes;
};

}  // namespace savora::bookshelf
