// Scaling a recipe's ingredient quantities to another number of servings, and the texts that
// tell how many servings a recipe makes.
//
// Working values of a line (store::RecipeLine) as this file keeps them:
// - `quantityValue` is the line's exact amount (single precision, in `unit`); 0 when unknown.
// - `shownQuantity` is the formatted quantity text: the text the quantity presentation last
//   wrote for `quantityValue`. While the typed `quantity` still equals it, the user has not
//   retyped the amount since the program wrote it, and `quantityValue` is the amount (it may be
//   more precise than the text, e.g. 1/3 scaled by 5/4 reads "7/16" but holds 0.41666...).
#pragma once

#include <string>

#include "food/unit_conversion.h"
#include "store/recipe.h"
#include "toolkit/user.h"

namespace savora::recipe {

// The line's amount: `quantityValue` when it is not 0 and `quantity` still equals
// `shownQuantity`; otherwise `quantity` read by the quantity parser (0 for no text, -1 for text
// that is not a quantity).
double lineAmount(const store::RecipeLine& line);

// Gives the line the amount in its unit as a cook reads it: the quantity presentation may move
// it to another adjustable unit ("48 teaspoons" become "1 cup"). Afterwards `unit` is the unit
// chosen, `quantityValue` the amount in that unit (the given amount itself, kept exact in single
// precision, when the unit stays), and `quantity` and `shownQuantity` both hold the written text.
void presentLineAmount(store::RecipeLine& line, food::ConversionList& units, double amount);

// Scales every line with an amount above 0 from `servingsBefore` to `newServings`:
// new amount = newServings x old amount / servingsBefore, computed in double precision, then
// presented as above. Lines without a quantity, with 0 or with unreadable text stay as they are.
// A `servingsBefore` below 1 (a recipe that gave no servings, which the serving-size window
// shows as 1) counts as 1. Nothing happens when the servings are then equal or `newServings` is
// below 1. Shows the status window "Adjusting Serving Sizes" while it works.
void scaleQuantities(store::Recipe& recipe, food::ConversionList& units, long servingsBefore,
                     long newServings, toolkit::User& user);

// The recipe window's servings label: "Makes %d servings".
std::string servingsLabel(long servings);
// The servings line of a recipe's text form: "Makes %d servings\r\n" for more than one serving,
// empty otherwise.
std::string servingsTextLine(long servings);

}  // namespace savora::recipe
