// A program folder of its own for a benchmark, with the tests' kitchen, the bookshelf and menu
// tables open and empty; each benchmark fills them as it needs. The folder goes when the kitchen
// does.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>

#include "bookshelf/book_table.h"
#include "bookshelf/chapter_table.h"
#include "kitchen.h"
#include "planning/week_table.h"
#include "platform/program_dirs.h"
#include "recipe/recipe_tables.h"
#include "silent_user.h"

namespace savora::bench {

struct BenchKitchen : testing::Kitchen<SilentUser> {
  explicit BenchKitchen(const std::string& name)
      : folder(std::filesystem::temp_directory_path() /
               ("savora-" + name + "-" + std::to_string(::getpid()))) {
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    platform::setProgramDirectory(folder.string());
    openKitchen();
    books.open();
    chapters.open();
    weeks.open();
  }
  ~BenchKitchen() { std::filesystem::remove_all(folder); }

  std::filesystem::path folder;
  bookshelf::BookTable books{store};
  bookshelf::ChapterTable chapters{store};
  planning::WeekTable weeks{store};
  recipe::RecipeTables tables{recipes, units, ingredients, brands, books, chapters};
};

}  // namespace savora::bench
