// The category table ("category", catalogue "catalog\\catalogCat"): named sets of recipes that
// cut across books. A category is every record with its UID: one own record (RECIPE_UID -1) and
// one membership record per recipe, each repeating the category's NAME, INFO and BITMAP.
// NAME_TAG is unique, so walking it lists each category (and each name) once.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "bookshelf/shelf_table.h"

namespace savora::store {
class RecipeTable;
}

namespace savora::bookshelf {

// RECIPE_UID of a category's own record.
inline constexpr long kCategoryOwnRecord = -1;

store::TableDefinition categoryTableDefinition(Shelf shelf);

class CategoryTable : public ShelfTable {
 public:
  explicit CategoryTable(store::TableStore& store, Shelf shelf = Shelf::Recipes);

  // Adds a category (its own record) under the next UID and reopens the table; returns the UID.
  long add(std::string_view name, std::string_view info, std::string_view bitmap);
  // Gives every record of the category called `name` the new name, description and media list
  // name; false when there is no such category.
  bool rename(std::string_view name, std::string_view newName, std::string_view info,
              std::string_view bitmap);
  // Deletes every record of the category (its own and all memberships); the recipes stay.
  // False when there is no such category.
  bool remove(long uid);

  bool isMember(long category, long recipe);
  // Files the recipe in the category and reopens the table; returns the category's UID. A
  // recipe already there gets "That recipe is already in this category." and -1; -1 also when
  // the category does not exist or `recipe` is no recipe UID.
  long addRecipe(long category, long recipe);
  // Files many recipes at once (an import): those already there and non-recipes are passed
  // over without a word, and the table is reopened once at the end.
  void addRecipes(long category, const std::vector<long>& recipes);
  // Takes the recipe out of one category, or out of every category when `category` is 0.
  void removeRecipe(long recipe, long category);

  // Walks the category's members in the order they were filed: each step gives a recipe UID,
  // nothing after the last. The own record is not a member.
  std::optional<long> firstMember(long category);
  std::optional<long> nextMember();
  std::vector<long> membersOf(long category);

 private:
  // Record numbers of every record of the category, own record included.
  std::vector<uint32_t> recordsOf(long category);
  std::optional<long> memberAtQuery(bool found);
};

// Makes deleting a recipe take it out of every category of the same shelf. The lead wires the
// user's shelf ("rc65", "category") and, when installed, the catalogue's.
void connectBookshelf(store::RecipeTable& recipes, CategoryTable& categories);

}  // namespace savora::bookshelf
