// The shared tables of the run, owned here, opened at start-up in a fixed order and closed at
// shutdown in the same order: book, chapter, category, recipes "rc65", the four catalogue tables
// when the catalogue is installed, food, unit, food groups, week, year, brand. Each table's
// module joins when the part of the program that owns it does; until then it is simply absent.
#pragma once

#include <memory>
#include <vector>

#include "book_export/book_export.h"
#include "bookshelf/book_table.h"
#include "bookshelf/category_table.h"
#include "bookshelf/chapter_table.h"
#include "bookshelf/shelf_tables.h"
#include "exchange/exchange_import.h"
#include "food/brand_table.h"
#include "food/food_group_table.h"
#include "food/food_tables.h"
#include "food/ingredient_table.h"
#include "food/unit_table.h"
#include "planning/shopping_list.h"
#include "planning/week_table.h"
#include "planning/year_table.h"
#include "recipe/recipe_tables.h"
#include "store/open_tables.h"
#include "store/recipe_table.h"
#include "store/table_store.h"

namespace savora::app {

class SharedTables {
 public:
  explicit SharedTables(store::TableStore& store);
  ~SharedTables();

  // True when "catalog\\catalogBook.cdx" exists.
  static bool catalogInstalled();

  // Opens every table in order; those that fail stay closed and the others still open. The
  // failures in order, each with the table's name and the cause.
  std::vector<store::OpenFailure> openAll() { return allTables_.openAll(); }
  // Closes every table in order (packing by each module's rule).
  void closeAll() { allTables_.closeAll(); }
  // After an abnormal end: rebuilds the indexes of the main tables (not the catalogue or the
  // plans), in order.
  void rebuildIndexes();

  bookshelf::BookTable& books() { return books_; }
  bookshelf::ChapterTable& chapters() { return chapters_; }
  bookshelf::CategoryTable& categories() { return categories_; }
  store::RecipeTable& recipes() { return recipes_; }
  // The catalogue's tables, or null when the catalogue is not installed.
  bookshelf::BookTable* catalogBooks() { return catalogBooks_.get(); }
  bookshelf::ChapterTable* catalogChapters() { return catalogChapters_.get(); }
  bookshelf::CategoryTable* catalogCategories() { return catalogCategories_.get(); }
  store::RecipeTable* catalogRecipes() { return catalogRecipes_.get(); }
  food::IngredientTable& ingredients() { return ingredients_; }
  food::UnitTable& units() { return units_; }
  food::FoodGroupTable& foodGroups() { return foodGroups_; }
  food::BrandTable& brands() { return brands_; }
  planning::WeekTable& weeks() { return weeks_; }
  planning::YearTable& years() { return years_; }

  // The bundles the features work on, over the tables above: no feature assembles its own.
  // `catalog` picks the catalogue's shelf, which must be installed, instead of the user's.
  bookshelf::ShelfTables shelf(bool catalog);
  food::KitchenTables kitchen();
  food::FoodTables food();
  recipe::RecipeTables recipeTables(bool catalog, food::UnitSettings units = {});
  planning::ShoppingTables shoppingTables(bool catalog, food::UnitSettings units);
  book_export::BookExportSources exportSources(bool catalog);
  exchange::ImportTargets importTargets();

  // The main tables that backup and restore close and reopen (the catalogue is not backed up).
  store::OpenTables& mainTables() { return mainTables_; }

 private:
  bookshelf::BookTable books_;
  bookshelf::ChapterTable chapters_;
  bookshelf::CategoryTable categories_;
  store::RecipeTable recipes_;
  std::unique_ptr<bookshelf::BookTable> catalogBooks_;
  std::unique_ptr<bookshelf::ChapterTable> catalogChapters_;
  std::unique_ptr<bookshelf::CategoryTable> catalogCategories_;
  std::unique_ptr<store::RecipeTable> catalogRecipes_;
  food::IngredientTable ingredients_;
  food::UnitTable units_;
  food::FoodGroupTable foodGroups_;
  planning::WeekTable weeks_;
  planning::YearTable years_;
  food::BrandTable brands_;
  store::OpenTables allTables_;
  store::OpenTables mainTables_;
};

}  // namespace savora::app
