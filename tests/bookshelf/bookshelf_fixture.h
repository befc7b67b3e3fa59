// A program directory with one bookshelf's tables open: books, chapters, categories and the
// recipes that go with them, deleting a recipe taking it out of the categories.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bookshelf/book_table.h"
#include "bookshelf/category_table.h"
#include "bookshelf/chapter_table.h"
#include "platform/file_ops.h"
#include "program_folders.h"
#include "scripted_user.h"
#include "store/recipe_table.h"

namespace savora::bookshelf {
using namespace savora::store;

class BookshelfTest : public savora::testing::ProgramFoldersTest {
 protected:
  void SetUp() override {
    ProgramFoldersTest::SetUp();
    books.open();
    chapters.open();
    categories.open();
    recipes.open();
    connectBookshelf(recipes, categories);
  }

  long addRecipe(long chapter, const std::string& name) {
    Recipe recipe;
    recipe.name = name;
    recipe.servings = 2;
    return recipes.save(0, chapter, recipe, false);
  }

  // Live records of a table whose numeric field has a value, in record order.
  static std::vector<uint32_t> recordsWhere(TableModule& module, const char* field, long value) {
    std::vector<uint32_t> records;
    xbase::Table& t = module.table();
    t.selectTag("");
    for (bool on = t.top(); on; on = t.skip(1)) {
      if (!t.deleted() && module.number(field) == value) records.push_back(t.recordNumber());
    }
    return records;
  }

  savora::testing::ScriptedUser user;
  TableStore store{user};
  BookTable books{store};
  ChapterTable chapters{store};
  CategoryTable categories{store};
  RecipeTable recipes{store, "rc65"};
};

}  // namespace savora::bookshelf
