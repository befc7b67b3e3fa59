#include "food/ingredient_list_window.h"

#include "codes/program_codes.h"
#include "platform/text.h"

namespace savora::food {

using namespace savora::toolkit;

namespace {

const FoodListWindow::Texts& ingredientTexts() {
  static const FoodListWindow::Texts texts{
      "Ingredient List", "INFORMATION", "Select an ingredient first, then click Open.",
      "Select an ingredient first, then click Delete.", "Delete Ingredient?"};
  return texts;
}

}  // namespace

IngredientListWindow::IngredientListWindow(IngredientTable& ingredients,
                                           store::RecipeTable& recipes, User& user,
                                           OpenIngredient openIngredient)
    : FoodListWindow(ingredientTexts(), codes::kKindIngredientList, user),
      ingredients_(ingredients),
      recipes_(recipes),
      openIngredient_(std::move(openIngredient)) {
  refresh(0);
}

std::vector<FoodListWindow::Item> IngredientListWindow::loadItems() {
  std::vector<Item> items;
  for (auto name = ingredients_.firstByName(); name; name = ingredients_.nextName()) {
    items.push_back({*name, ingredients_.number("UID")});
  }
  return items;
}

void IngredientListWindow::newRecord() {
  const auto answer = user().prompt("New Ingredient Name", "Enter the name of the new ingredient.",
                                    int(kIngredientNameLength), "");
  if (!answer) return;
  const std::string name = platform::trim(*answer);
  if (name.empty()) return;
  if (ingredients_.findByName(name)) {
    user().message("Wait!", "HAND", Buttons::Ok,
                   "An ingredient with that name already exists.\r\nTry a different name.");
    return;
  }
  refresh(ingredients_.addByName(name));
}

void IngredientListWindow::openRecord(long uid) {
  if (!openIngredient_) return;
  openIngredient_(uid, refresher());
}

void IngredientListWindow::deleteRecord(long uid) {
  ingredients_.remove(uid, recipes_);
}

}  // namespace savora::food
