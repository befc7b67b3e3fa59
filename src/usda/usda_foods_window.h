// USDA_FOODS: the search over the USDA foods. The user types words into the list and sees the
// best matches first, with the chosen food's calories and measure below; Use hands the food to
// the caller. In a walk over a recipe's foods the window asks about one food, offers the best
// match already chosen, and Skip passes that food by.
#pragma once

#include <functional>
#include <string>

#include "food/food_group_table.h"
#include "food/unit_table.h"
#include "food/usda_lookup.h"
#include "toolkit/type_ahead.h"
#include "toolkit/uiw_window.h"
#include "toolkit/user.h"
#include "toolkit/window_spec.h"
#include "usda/food_catalog.h"
#include "usda/food_measures.h"

namespace savora::usda {

extern const toolkit::WindowSpec kUsdaFoodsSpec;

struct UsdaFoodsRequest {
  std::string question;  // what the window asks; empty keeps the object's text
  std::string words;     // typed for the user at the start (an ingredient's name)
  std::function<void(const Food& food)> chosen;
  // Null: Skip is not offered.
  std::function<void()> skipped;
  // How the recipe line the food is for is measured, and its unit's name ("cup"): a food
  // without a weight for it is said so at once, with the measures it has.
  LineMeasure line = LineMeasure::Weight;
  std::string unitName;
};

class UsdaFoodsWindow : public toolkit::UIW_WINDOW {
 public:
  UsdaFoodsWindow(const FoodCatalog& catalog, toolkit::User& user, UsdaFoodsRequest request);
  int Event(const toolkit::UI_EVENT& event) override;

  // The search as typed so far (after the leading blank of the list's type-ahead).
  const std::string& searchText() const { return typeAhead_.text(); }

 private:
  // Shows the foods the typed words find; false when none.
  bool fill();
  // Types the words into the empty search as far as it takes them; false when nothing is found.
  bool typeWords(const std::string& words);
  void typed(int character, bool shifted);
  void showDetail();
  void use();
  void skip();

  const FoodCatalog& catalog_;
  toolkit::User& user_;
  UsdaFoodsRequest request_;
  toolkit::TypeAhead typeAhead_;
  toolkit::UIW_VT_LIST* list_;
  toolkit::UIW_STRING* search_;
  toolkit::UIW_PROMPT* detail_;
};

// Opens the search over the installed foods; tells the user and returns false when the food
// file cannot be read.
bool openUsdaFoods(toolkit::User& user, UsdaFoodsRequest request);

// The lookup the ingredient and brand windows are handed: the search above, with the chosen food
// made into a brand (usda_brand.h) of these tables' units and food groups.
food::UsdaLookup usdaLookup(toolkit::User& user, food::UnitTable& units,
                            food::FoodGroupTable& groups);

}  // namespace savora::usda
