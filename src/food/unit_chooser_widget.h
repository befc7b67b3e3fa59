// A combo box for choosing a unit: "<None>" and the units (all, or those of one type) by name or
// by abbreviation, each shown after one blank and carrying its UID, with type-ahead.
#pragma once

#include <string>

#include "food/unit_names.h"
#include "toolkit/type_ahead.h"
#include "toolkit/uiw_lists.h"

namespace savora::food {

class UnitTable;

// A key typed into a combo box: the first entry beginning with the typed text becomes current.
void typeIntoCombo(toolkit::TypeAhead& typeAhead, toolkit::UIW_COMBO_BOX& combo, int character,
                   bool shifted);

// Type filter for every unit.
inline constexpr long kAnyUnitType = -1;

class UnitChooser {
 public:
  UnitChooser(toolkit::UIW_COMBO_BOX* combo, std::string noneText)
      : combo_(combo), noneText_(std::move(noneText)) {}

  // Refills the combo with the units of `type` (kAnyUnitType: all) and makes `selectUid`
  // current ("<None>" when it is 0 or not listed). A unit of another type that is selected is
  // listed too, so a stored choice is shown rather than dropped. Resets the type-ahead.
  void fill(UnitTable& units, UnitSettings settings, long type, long selectUid);
  // The chosen unit's UID; 0 for "<None>".
  long selected() const;
  void select(long uid);
  void typed(int character, bool shifted) {
    typeIntoCombo(typeAhead_, *combo_, character, shifted);
  }

  toolkit::UIW_COMBO_BOX* combo() const { return combo_; }

 private:
  toolkit::UIW_COMBO_BOX* combo_;
  std::string noneText_;
  toolkit::TypeAhead typeAhead_{toolkit::TypeAhead::Mode::ComboBox};
};

}  // namespace savora::food
