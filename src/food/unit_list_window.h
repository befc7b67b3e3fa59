// The unit list: INGREDIENT_LIST titled "Unit List" over the unit table. New and Open show
// UNIT_INFORMATION; Delete takes the unit out of every recipe, brand and unit definition.
#pragma once

#include <functional>
#include <memory>

#include "food/food_list_window.h"
#include "food/unit_names.h"
#include "food/unit_table.h"
#include "store/recipe_table.h"

namespace savora::food {

class UnitListWindow : public FoodListWindow {
 public:
  // `settings` is asked each time the list is filled or a unit window opens, so a change of
  // the abbreviated-units switch shows at the next refresh.
  UnitListWindow(UnitTable& units, store::RecipeTable& recipes, toolkit::User& user,
                 std::function<UnitSettings()> settings);

 protected:
  std::vector<Item> loadItems() override;
  void newRecord() override { openUnit(0); }
  void openRecord(long uid) override { openUnit(uid); }
  void deleteRecord(long uid) override;
  std::string nameForQuestions(long uid, const std::string& shown) override;

 private:
  void openUnit(long uid);
  UnitSettings settings() const { return settings_ ? settings_() : UnitSettings{}; }

  UnitTable& units_;
  store::RecipeTable& recipes_;
  std::function<UnitSettings()> settings_;
};

}  // namespace savora::food
