// The walk over a recipe's foods without nutrients: for each, the USDA search opens on the
// food's name with the best match chosen; the user takes it (Use), picks another, or skips the
// food, one after another. Cancel ends the walk, keeping what was given.
#pragma once

#include <functional>

#include "store/recipe.h"
#include "toolkit/user.h"
#include "usda/nutrient_gaps.h"

namespace savora::usda {

// Starts the walk; `changed` is told after every food that took nutrients. Tells the user when
// every food has nutrients already.
void walkNutrientGaps(toolkit::User& user, KitchenTables tables, const store::Recipe& recipe,
                      std::function<void()> changed);

}  // namespace savora::usda
