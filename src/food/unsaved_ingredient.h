// A new ingredient (not saved yet, UID 0) cannot own brands: creating a brand for it, taking a
// USDA food's nutrients as a brand, or assigning a brand to it waits until the ingredient is saved.
#pragma once

#include "toolkit/user.h"

namespace savora::food {

// What the user tried to do with a brand.
enum class BrandStep {
  Create,  // a new brand, also from a USDA food
  Assign,  // an existing brand given to the ingredient
};

// True when ingredient `uid` exists; otherwise tells the user to create it first and says false.
bool ingredientSavedFor(toolkit::User& user, long uid, BrandStep step);

}  // namespace savora::food
