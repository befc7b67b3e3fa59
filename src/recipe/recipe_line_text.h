// The text of a recipe line as the ingredient list, the view tab, menus and shopping lists show
// it, and the whole recipe as the read-only text of the view tab.
#pragma once

#include <cstddef>
#include <string>

#include "recipe/recipe_tables.h"
#include "store/recipe.h"

namespace savora::food {
class ConversionList;
}

namespace savora::recipe {

// Width the line text is padded to, and the width of an ingredient list row.
inline constexpr size_t kLineTextWidth = 64;
// The view tab's text is built in a buffer of this size.
inline constexpr size_t kTextFormBuffer = 30000;

// Rewrites the line's quantity the way a cook reads it: a quantity text holding "." is read into
// the quantity value first; a non-zero value is then written as the best-reading amount and unit,
// which become the line's quantity text, formatted text, value and unit.
void presentLineQuantity(food::ConversionList& units, store::RecipeLine& line);

// The display text of a line: quantity, unit, first info text, target name and second info text
// separated by blanks (none before a second info text starting with ","), padded to 64 blanks,
// cut to `maxLength` (a cut text ends in "..."), first letter upper case. Empty for an empty
// line. With `present` the line's quantity is rewritten first (presentLineQuantity).
std::string lineText(RecipeTables& tables, store::RecipeLine& line, bool present, size_t maxLength);

// The names of the book and the chapter the recipe is in.
struct ShelfPlace {
  std::string book, chapter;
};
ShelfPlace shelfPlaceOf(RecipeTables& tables, const store::Recipe& recipe);

// The view tab's text: book and chapter, servings (from 2), description, the lines and the
// instructions, within the 30000-byte buffer.
std::string recipeTextForm(RecipeTables& tables, const store::Recipe& recipe);

// A line with no quantity, unit, target or info text.
bool lineIsEmpty(const store::RecipeLine& line);

}  // namespace savora::recipe
