// A program directory with empty kitchen tables, and the USDA foods read from the project's
// copy of the database files (once for the whole test program).
#pragma once

#include <gtest/gtest.h>

#include "bookshelf/book_table.h"
#include "bookshelf/chapter_table.h"
#include "food/brand_table.h"
#include "food/food_group_table.h"
#include "food/ingredient_table.h"
#include "food/unit_table.h"
#include "program_folders.h"
#include "recipe/recipe_tables.h"
#include "scripted_user.h"
#include "store/recipe_table.h"
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

class KitchenTest : public savora::testing::ProgramFoldersTest {
 protected:
  void SetUp() override {
    ProgramFoldersTest::SetUp();
    units.open();
    groups.open();
    ingredients.open();
    brands.open();
    books.open();
    chapters.open();
    recipes.open();
  }

  // The unit's UID by name; fails the test when it is missing.
  long unit(const char* name) {
    EXPECT_TRUE(units.findText(name, false)) << name;
    return units.number("UID");
  }

  savora::testing::ScriptedUser user;
  store::TableStore store{user};
  food::UnitTable units{store};
  food::FoodGroupTable groups{store};
  food::IngredientTable ingredients{store};
  food::BrandTable brands{store, units};
  bookshelf::BookTable books{store};
  bookshelf::ChapterTable chapters{store};
  store::RecipeTable recipes{store, "rc65"};
  recipe::RecipeTables tables{recipes, units, ingredients, brands, books, chapters};
  KitchenTables kitchen{ingredients, brands, units, groups};
};

}  // namespace savora::usda
