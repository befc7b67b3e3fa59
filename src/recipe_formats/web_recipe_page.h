// The recipes of a saved web page: the schema.org Recipe objects of its JSON-LD blocks
// (<script type="application/ld+json">), found at the top, in arrays, in "@graph" and inside
// other objects, read with Debian's JSON parser.
//
// Name, yield (a number, a text or a list of them: the first number gives the servings, a yield
// in other words than servings goes into the description), ingredient lines (cut by the
// ingredient line reader), instructions (a text, steps, or sections of steps: a paragraph each,
// a section's name standing before its steps), categories and keywords (the categories; the
// first is the chapter), the description, the times (ISO 8601) and the page's address as lines
// of the description, and the address of the photo. HTML entities and markup in the texts are
// decoded; the texts come out in Windows-1252.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "recipe_formats/text_recipe.h"

namespace savora::recipe_formats {

struct WebPageRecipe {
  TextRecipe recipe;
  std::string imageAddress;  // empty when the recipe names no photo
};

// Whether the bytes read as an HTML page (a doctype, an <html> tag or a JSON-LD block near the
// start).
bool looksLikeWebPage(std::string_view bytes);

// The page's recipes in the order they stand in it; none when it carries no recipe data.
std::vector<WebPageRecipe> webPageRecipes(std::string_view page);

}  // namespace savora::recipe_formats
