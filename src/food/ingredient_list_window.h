// The ingredient list: INGREDIENT_LIST over the ingredient table, with a new ingredient by name,
// opening an ingredient's information window, and deleting an ingredient from every recipe.
#pragma once

#include <functional>

#include "food/food_list_window.h"
#include "food/ingredient_table.h"
#include "store/recipe_table.h"

namespace savora::food {

class IngredientListWindow : public FoodListWindow {
 public:
  // Opens the information window of an ingredient; that window calls `listChanged` with the
  // ingredient to show current when it changed the ingredients. The list does nothing more on
  // Open when it is empty.
  using ListChanged = std::function<void(long selectUid)>;
  using OpenIngredient = std::function<void(long ingredientUid, ListChanged listChanged)>;

  IngredientListWindow(IngredientTable& ingredients, store::RecipeTable& recipes,
                       toolkit::User& user, OpenIngredient openIngredient);

 protected:
  std::vector<Item> loadItems() override;
  void newRecord() override;
  void openRecord(long uid) override;
  void deleteRecord(long uid) override;

 private:
  IngredientTable& ingredients_;
  store::RecipeTable& recipes_;
  OpenIngredient openIngredient_;
};

}  // namespace savora::food
