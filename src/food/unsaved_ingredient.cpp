#include "food/unsaved_ingredient.h"

namespace savora::food {

bool ingredientSavedFor(toolkit::User& user, long uid, BrandStep step) {
  if (uid != 0) return true;
  user.message("Wait!", "ASTERISK", toolkit::Buttons::Ok,
               step == BrandStep::Create
                   ? "You must first create the new ingredient\r\nbefore you create a new brand!"
                   : "You must first create the new ingredient\r\nbefore you assign a brand to it!");
  return false;
}

}  // namespace savora::food
