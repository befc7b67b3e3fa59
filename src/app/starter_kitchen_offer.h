// The first start's offer of a kitchen: when the unit, food group and ingredient lists are all
// empty, the user is asked once whether to start with the starter units and food groups. The
// answer is remembered in section "Kitchen" of SAVORA99.INI (key "Offered"), written at once so
// that the question never comes again, whatever the answer and however the run ends.
#pragma once

#include "toolkit/user.h"

namespace savora::food {
class FoodGroupTable;
class IngredientTable;
class UnitTable;
}  // namespace savora::food

namespace savora::app {

// True when the offer was made (and the user answered); the tables are filled on Yes.
bool offerStarterKitchen(food::UnitTable& units, food::FoodGroupTable& groups,
                         food::IngredientTable& ingredients, toolkit::User& user);

}  // namespace savora::app
