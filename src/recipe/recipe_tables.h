// The tables the recipe window's logic reads and writes, handed over as one bundle, and the way
// an ingredient code of a recipe line splits into its target.
#pragma once

#include <vector>

#include "food/unit_names.h"

namespace savora::store {
class RecipeTable;
struct Recipe;
}  // namespace savora::store

namespace savora::bookshelf {
class BookTable;
class ChapterTable;
}  // namespace savora::bookshelf

namespace savora::food {
class UnitTable;
class IngredientTable;
class BrandTable;
}  // namespace savora::food

namespace savora::recipe {

struct RecipeTables {
  store::RecipeTable& recipes;
  food::UnitTable& units;
  food::IngredientTable& ingredients;
  food::BrandTable& brands;
  bookshelf::BookTable& books;
  bookshelf::ChapterTable& chapters;
  food::UnitSettings unitSettings{};
};

// What an ingredient code of a line points at.
struct IngredientTarget {
  enum class Kind { None, Ingredient, Recipe, Brand };
  Kind kind = Kind::None;
  long uid = 0;  // the ingredient, recipe or brand UID

  bool operator==(const IngredientTarget&) const = default;
};

IngredientTarget decodeIngredientCode(long code);
long encodeIngredientCode(IngredientTarget target);

// The recipes of these UIDs, in the same order, each with its UID; UIDs without a recipe are
// left out.
std::vector<store::Recipe> loadRecipes(RecipeTables& tables, const std::vector<long>& uids);

}  // namespace savora::recipe
