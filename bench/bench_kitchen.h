// A program folder of its own for a benchmark, with the kitchen and recipe tables open and
// empty; each benchmark fills them as it needs. The folder goes when the kitchen does.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <initializer_list>
#include <string>

#include "bookshelf/book_table.h"
#include "bookshelf/chapter_table.h"
#include "food/brand_table.h"
#include "food/food_group_table.h"
#include "food/ingredient_table.h"
#include "food/unit_table.h"
#include "planning/week_table.h"
#include "platform/program_dirs.h"
#include "recipe/recipe_tables.h"
#include "silent_user.h"
#include "store/recipe_table.h"

namespace savora::bench {

struct BenchKitchen {
  explicit BenchKitchen(const std::string& name)
      : folder(std::filesystem::temp_directory_path() /
               ("savora-" + name + "-" + std::to_string(::getpid()))) {
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    platform::setProgramDirectory(folder.string());
    for (store::TableModule* table : std::initializer_list<store::TableModule*>{
             &units, &ingredients, &brands, &books, &chapters, &recipes, &groups, &weeks})
      table->open();
  }
  ~BenchKitchen() { std::filesystem::remove_all(folder); }

  std::filesystem::path folder;
  SilentUser user;
  store::TableStore store{user};
  food::UnitTable units{store};
  food::IngredientTable ingredients{store};
  food::BrandTable brands{store, units};
  bookshelf::BookTable books{store};
  bookshelf::ChapterTable chapters{store};
  store::RecipeTable recipes{store, "rc65"};
  food::FoodGroupTable groups{store};
  planning::WeekTable weeks{store};
  recipe::RecipeTables tables{recipes, units, ingredients, brands, books, chapters};
};

}  // namespace savora::bench
