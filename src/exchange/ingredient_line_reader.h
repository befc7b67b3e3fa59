// Reads an ingredient line written as one piece of text, as web pages and people write them
// ("1 1/2 cups flour, sifted", "2 large eggs", "1 (14 oz) can tomatoes", "200g butter"): the
// amount, the measure (named as the kitchen names it, the way the text importers name
// Meal-Master codes and MasterCook measures), a size or a parenthesis after the amount as the
// first note, the ingredient, and what follows a comma or stands in parentheses at the end as
// the second note, kept as written (", sifted") so the line reads as it did.
#pragma once

#include <string_view>

#include "exchange/text_recipe.h"

namespace savora::exchange {

// The line's parts; Windows-1252 text in and out. A line without an amount or a measure is all
// ingredient (and note).
TextRecipeLine readIngredientLine(std::string_view text);

}  // namespace savora::exchange
