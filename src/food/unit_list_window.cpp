#include "food/unit_list_window.h"

#include "codes/program_codes.h"
#include "food/unit_information_window.h"
#include "toolkit/window_manager.h"

namespace savora::food {

using namespace savora::toolkit;

namespace {

const FoodListWindow::Texts& unitTexts() {
  static const FoodListWindow::Texts texts{
      "Unit List", "HAND", "Select a unit first, then click Open.",
      "Select a unit first, then click Delete.", "Delete Unit?"};
  return texts;
}

}  // namespace

UnitListWindow::UnitListWindow(UnitTable& units, store::RecipeTable& recipes, User& user,
                               std::function<UnitSettings()> settings)
    : FoodListWindow(unitTexts(), codes::kKindUnitList, user),
      units_(units),
      recipes_(recipes),
      settings_(std::move(settings)) {
  refresh(0);
}

std::vector<FoodListWindow::Item> UnitListWindow::loadItems() {
  std::vector<Item> items;
  for (auto name = units_.firstName(false, settings()); name; name = units_.nextName()) {
    items.push_back({*name, units_.number("UID")});
  }
  return items;
}

void UnitListWindow::openUnit(long uid) {
  UI_WINDOW_MANAGER::instance().add(std::make_unique<UnitInformationWindow>(
      units_, recipes_, user(), settings(), uid, refresher()));
}

void UnitListWindow::deleteRecord(long uid) {
  units_.remove(uid, recipes_);
}

std::string UnitListWindow::nameForQuestions(long uid, const std::string& shown) {
  const std::string name = units_.readRecord(uid).name;
  return name.empty() ? shown : name;
}

}  // namespace savora::food
