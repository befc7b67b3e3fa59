// A recipe as printed: name, servings, book and chapter, description, ingredient lines,
// instructions and, on sheets with print nutrition on, the Nutrition Facts label.
#pragma once

#include "print/page_writer.h"
#include "print/printed_recipe.h"

namespace savora::print {

// Prints the recipe from the pen's current line; the label only when the recipe carries totals.
void printRecipePage(PageWriter& pen, const PrintedRecipe& recipe);

}  // namespace savora::print
