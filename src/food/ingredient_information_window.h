// INGREDIENT_INFORMATION: edits one ingredient (names, interchangeable flag, preferred brand)
// and its brands: the list of the ingredient's brands and the unassigned ones, with new, open,
// make preferred, reassign and delete. OK saves the ingredient, or offers to replace it by
// another ingredient that already has the name.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "food/brand_information_window.h"
#include "food/food_tables.h"
#include "food/ingredient_table.h"
#include "store/recipe_table.h"
#include "toolkit/uiw_window.h"
#include "toolkit/user.h"
#include "toolkit/window_spec.h"

namespace savora::food {

extern const toolkit::WindowSpec kIngredientInformationSpec;

class IngredientInformationWindow : public toolkit::UIW_WINDOW {
 public:
  // Tells the calling list that the ingredients changed, with the UID to show current.
  using ListChanged = std::function<void(long selectUid)>;

  // Edits ingredient `uid` (0: a new one), with brand `selectBrand` current in the brand list.
  IngredientInformationWindow(FoodTables tables, toolkit::User& user, UnitSettings settings,
                              long uid, long selectBrand, ListChanged listChanged,
                              UsdaLookup usda = {});
  int Event(const toolkit::UI_EVENT& event) override;

  long uid() const { return uid_; }

  // Told, when OK closes the window, of the brand the user chose: the brand of this ingredient
  // selected in the brand list, else the preferred brand (0 for none). The recipe window uses it
  // to specify the brand of a line.
  std::function<void(long brand)> brandChosen;

 private:
  // The brands of the ingredient (one entry per name unless LIST_ALL), the unassigned brands
  // as "* name", and "<new brand>".
  void fillBrands(long selectBrand);
  void showPreferred();
  void openBrand();
  void makePreferred();
  void reassign();
  void deleteBrand();
  // Adds a brand with the nutrients of a USDA food the user chooses.
  void usdaNutrients();
  void brandSaved(long brand, bool preferred);
  // The brand left the ingredient: when it was the preferred brand, the preference is cleared
  // (in the table too) and true returned.
  bool dropPreference(long brand);
  void ok();
  void close();
  // The selected brand's UID; 0 for "<new brand>" or no selection.
  long selectedBrand() const;
  bool newBrandSelected() const;

  FoodTables tables_;
  toolkit::User& user_;
  UnitSettings settings_;
  long uid_;
  ListChanged listChanged_;
  UsdaLookup usda_;
  Ingredient loaded_;
  long preferred_;

  toolkit::UIW_STRING* name_;
  toolkit::UIW_STRING* plural_;
  toolkit::UIW_BUTTON* interchangeable_;
  toolkit::UIW_STRING* defaultBrand_;
  toolkit::UIW_VT_LIST* list_;
  toolkit::UIW_BUTTON* listAll_;
  // Expires with the window, so a brand window that outlives it does not call back.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace savora::food
