// The shared tables of the run, owned here, opened at start-up in a fixed order and closed at
// shutdown in the same order: book, chapter, category, recipes "rc65", the four catalogue tables
// when the catalogue is installed, food, unit, food groups, week, year, brand. Each table's
// module joins when the part of the program that owns it does; until then it is simply absent.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "food/brand_table.h"
#include "food/food_group_table.h"
#include "food/ingredient_table.h"
#include "food/unit_table.h"
#include "store/book_table.h"
#include "store/category_table.h"
#include "store/chapter_table.h"
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

  // Opens every table in order; the names of those that could not be opened.
  std::vector<std::string> openAll();
  // Closes every table in order (packing by each module's rule).
  void closeAll();
  // After an abnormal end: rebuilds the indexes of the main tables (not the catalogue or the
  // plans), in order.
  void rebuildIndexes();

  store::BookTable& books() { return books_; }
  store::ChapterTable& chapters() { return chapters_; }
  store::CategoryTable& categories() { return categories_; }
  store::RecipeTable& recipes() { return recipes_; }
  // The catalogue's tables, or null when the catalogue is not installed.
  store::BookTable* catalogBooks() { return catalogBooks_.get(); }
  store::ChapterTable* catalogChapters() { return catalogChapters_.get(); }
  store::CategoryTable* catalogCategories() { return catalogCategories_.get(); }
  store::RecipeTable* catalogRecipes() { return catalogRecipes_.get(); }
  food::IngredientTable& ingredients() { return ingredients_; }
  food::UnitTable& units() { return units_; }
  food::FoodGroupTable& foodGroups() { return foodGroups_; }
  food::BrandTable& brands() { return brands_; }
  // The main tables that backup and restore close and reopen (the catalogue is not backed up).
  store::OpenTables& mainTables() { return mainTables_; }

 private:
  store::BookTable books_;
  store::ChapterTable chapters_;
  store::CategoryTable categories_;
  store::RecipeTable recipes_;
  std::unique_ptr<store::BookTable> catalogBooks_;
  std::unique_ptr<store::ChapterTable> catalogChapters_;
  std::unique_ptr<store::CategoryTable> catalogCategories_;
  std::unique_ptr<store::RecipeTable> catalogRecipes_;
  food::IngredientTable ingredients_;
  food::UnitTable units_;
  food::FoodGroupTable foodGroups_;
  food::BrandTable brands_;
  store::OpenTables mainTables_;
  std::vector<store::TableModule*> openingOrder_;
  std::vector<store::TableModule*> rebuiltAfterCrash_;
};

}  // namespace savora::app
