// A recipe as it is written to a text file: name, book and chapter, description, servings,
// ingredient lines and instructions, with the label's text form when it is asked for.
#pragma once

#include <string>

#include "print/printed_recipe.h"

namespace savora::print {

// `withLabel` adds the label when the recipe carries totals.
std::string recipeTextFile(const PrintedRecipe& recipe, bool withLabel);

}  // namespace savora::print
