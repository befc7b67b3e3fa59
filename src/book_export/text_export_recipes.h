// The recipes a text export writes, read from one bookshelf's tables into the plain form the
// recipe text formats carry: names, servings, the chapter and categories by name, and each line's
// quantity, unit name, ingredient name and notes.
#pragma once

#include <vector>

#include "book_export/book_export.h"
#include "recipe_formats/text_recipe.h"

namespace savora::book_export {

// What to export: the listed recipes when there are any, else the chapter's recipes when a
// chapter is given, else every recipe of the book, chapter by chapter.
struct RecipeSelection {
  long book = 0;
  long chapter = 0;
  std::vector<long> recipes;
};

// The selected recipes in shelf order (the listed ones in their order). A line's ingredient is
// the ingredient's name, a brand's name or another recipe's name; empty lines are left out.
std::vector<recipe_formats::TextRecipe> textRecipesOf(const BookExportSources& tables,
                                                      const RecipeSelection& selection);

}  // namespace savora::book_export
