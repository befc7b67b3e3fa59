#include "app/starter_kitchen_offer.h"

#include "app/installed_titles.h"
#include "platform/ini_file.h"
#include "platform/log.h"
#include "usda/starter_kitchen.h"

namespace savora::app {
namespace {

constexpr const char* kSection = "Kitchen";
constexpr const char* kOfferedKey = "Offered";

}  // namespace

bool offerStarterKitchen(food::UnitTable& units, food::FoodGroupTable& groups,
                         food::IngredientTable& ingredients, toolkit::User& user) {
  platform::IniFile ini(installedTitlesPath());
  if (ini.readInt(kSection, kOfferedKey, 0) != 0) return false;
  if (!usda::kitchenIsEmpty(units, groups, ingredients)) return false;
  platform::logIfFailed(ini.writeString(kSection, kOfferedKey, "1"),
                        "the starter kitchen offer is not noted: it is made again");
  if (user.message("Set Up Your Kitchen?", "QUESTION", toolkit::Buttons::YesNo,
                   "Your lists of units, food groups and ingredients are empty.\r\n\r\nWould you "
                   "like to start with a kitchen's units (US and metric, with their conversions) "
                   "and food groups for the shopping list?") == toolkit::Button::Yes) {
    usda::fillStarterKitchen(units, groups);
  }
  return true;
}

}  // namespace savora::app
