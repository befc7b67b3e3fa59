// BRAND_INFORMATION: edits one brand of an ingredient (or a new one): name, price and package,
// serving, food group, UPC, the two volume-to-weight equivalences and the nutrients of one
// serving. OK checks the entries and saves the brand when anything changed.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "food/brand_table.h"
#include "food/food_group_table.h"
#include "food/food_tables.h"
#include "food/unit_chooser_widget.h"
#include "food/unit_table.h"
#include "food/usda_lookup.h"
#include "toolkit/uiw_window.h"
#include "toolkit/user.h"
#include "toolkit/window_spec.h"

namespace savora::food {

extern const toolkit::WindowSpec kBrandInformationSpec;

class BrandInformationWindow : public toolkit::UIW_WINDOW {
 public:
  // Told after a save: the brand's UID and name, and for a new brand whether the user made it
  // the preferred brand.
  using Saved = std::function<void(long uid, const std::string& name, bool preferred)>;

  // Edits brand `uid` of ingredient `ingredient`; 0 makes a new brand of the ingredient.
  BrandInformationWindow(BrandTables tables, toolkit::User& user, UnitSettings settings, long uid,
                         long ingredient, Saved saved, UsdaLookup usda = {});
  int Event(const toolkit::UI_EVENT& event) override;

  long uid() const { return uid_; }

 private:
  void show(const BrandRecord& record);
  void fillGroups(long selectUid);
  // The record as the fields give it; nothing (after telling the user) when a number is wrong.
  std::optional<BrandRecord> edited();
  void ok();
  void typed(const toolkit::UI_EVENT& event);
  // Fills the fields from a USDA food the user chooses; OK saves them.
  void usdaNutrients();

  BrandTables tables_;
  toolkit::User& user_;
  UnitSettings settings_;
  long uid_;
  long ingredient_;
  Saved saved_;
  UsdaLookup usda_;
  BrandRecord loaded_;

  toolkit::UIW_STRING* name_;
  toolkit::UIW_STRING* dollar_;
  toolkit::UIW_STRING* packageSize_;
  toolkit::UIW_BUTTON* divisible_;
  toolkit::UIW_STRING* serving_;
  toolkit::UIW_STRING* servings_;
  toolkit::UIW_COMBO_BOX* group_;
  toolkit::UIW_STRING* upc_;
  std::array<toolkit::UIW_STRING*, 4> equivalenceTexts_{};  // VOLUME WEIGHT VOLUME2 WEIGHT2
  std::array<toolkit::UIW_STRING*, kNutrientCount> nutrients_{};
  // PRICE_UNIT, SERVE_UNIT, VOLUME_UNIT, WEIGHT_UNIT, VOLUME_UNIT2, WEIGHT_UNIT2.
  std::vector<UnitChooser> unitChoosers_;
  toolkit::TypeAhead groupTypeAhead_{toolkit::TypeAhead::Mode::ComboBox};
  // Expires with the window, so a USDA search that outlives it does not call back.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace savora::food
