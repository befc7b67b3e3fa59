// A program directory with the shared kitchen's and the bookshelf's tables empty, and the USDA
// foods read from the project's copy of the database files (once for the whole test program).
#pragma once

#include <gtest/gtest.h>

#include "bookshelf/book_table.h"
#include "bookshelf/chapter_table.h"
#include "kitchen.h"
#include "program_folders.h"
#include "recipe/recipe_tables.h"
#include "scripted_user.h"
#include "usda/food_catalog.h"
#include "usda/nutrient_gaps.h"
#include "usda/usda_source.h"

namespace savora::usda {

inline const FoodCatalog& sourceFoods() {
  static const FoodCatalog catalog(
      readSourceFolder(SAVORA_SOURCE_DIR "/resources/foods/").value_or(std::vector<Food>{}));
  return catalog;
}

inline const Food& sourceFood(long number) {
  const Food* food = sourceFoods().byNumber(number);
  if (!food) throw std::runtime_error("no USDA food " + std::to_string(number));
  return *food;
}

class KitchenTest : public savora::testing::ProgramFoldersTest,
                    public savora::testing::Kitchen<savora::testing::ScriptedUser> {
 protected:
  void SetUp() override {
    ProgramFoldersTest::SetUp();
    openKitchen();
    books.open();
    chapters.open();
  }

  // The unit's UID by name; fails the test when it is missing.
  long unit(const char* name) {
    EXPECT_TRUE(units.findText(name, false)) << name;
    return units.number("UID");
  }

  bookshelf::BookTable books{store};
  bookshelf::ChapterTable chapters{store};
  recipe::RecipeTables tables{recipes, units, ingredients, brands, books, chapters};
  KitchenTables kitchen{ingredients, brands, units, groups};
};

}  // namespace savora::usda
