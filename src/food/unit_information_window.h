// UNIT_INFORMATION: edits one unit (or a new one): its name and abbreviation, volume or weight,
// the definition "1 unit = NUMBER UNIT", the smallest measure its quantities are written in and
// whether serving adjustment may move quantities to it. OK saves through the unit merge rules.
#pragma once

#include <functional>

#include "food/unit_chooser_widget.h"
#include "food/unit_names.h"
#include "food/unit_table.h"
#include "store/recipe_table.h"
#include "toolkit/uiw_window.h"
#include "toolkit/user.h"
#include "toolkit/window_spec.h"

namespace savora::food {

extern const toolkit::WindowSpec kUnitInformationSpec;

class UnitInformationWindow : public toolkit::UIW_WINDOW {
 public:
  // Tells the calling list that the units changed, with the UID of the unit to show current.
  using ListChanged = std::function<void(long selectUid)>;

  // Edits unit `uid`; 0 (or a unit that no longer exists) makes a new unit.
  UnitInformationWindow(UnitTable& units, store::RecipeTable& recipes, toolkit::User& user,
                        UnitSettings settings, long uid, ListChanged listChanged);
  int Event(const toolkit::UI_EVENT& event) override;

  long uid() const { return uid_; }

 private:
  void show(const UnitRecord& record);
  void chooseType(long type);
  void ok();
  void close();

  UnitTable& units_;
  store::RecipeTable& recipes_;
  toolkit::User& user_;
  UnitSettings settings_;
  long uid_;
  ListChanged listChanged_;
  UnitRecord loaded_;
  long shownType_ = kVolumeUnit;

  toolkit::UIW_STRING* name_;
  toolkit::UIW_STRING* abbreviation_;
  toolkit::UIW_BUTTON* volume_;
  toolkit::UIW_BUTTON* weight_;
  toolkit::UIW_STRING* number_;
  // "<None>", then every unit of the shown type, with type-ahead.
  UnitChooser unitChooser_;
  toolkit::UIW_STRING* smallestMeasure_;
  toolkit::UIW_BUTTON* adjust_;
};

}  // namespace savora::food
