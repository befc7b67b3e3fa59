#include "food/unit_chooser_widget.h"

#include <vector>

#include "food/unit_table.h"

namespace savora::food {

void UnitChooser::fill(UnitTable& units, UnitSettings settings, long type, long selectUid) {
  combo_->clear();
  combo_->add({noneText_, 0});
  auto shown = [&](long uid) {
    const UnitRecord r = units.readRecord(uid);
    return " " + (settings.abbreviatedUnits ? r.abbreviation : r.name);
  };
  for (auto name = units.firstName(false, settings); name; name = units.nextName()) {
    if (type == kAnyUnitType || units.number("TYPE") == type)
      combo_->add({" " + *name, units.number("UID")});
  }
  // A stored choice of another type (an import may make one) is shown, not dropped on OK.
  if (selectUid != 0 && combo_->findId(selectUid) < 0 && units.findUid(selectUid))
    combo_->add({shown(selectUid), selectUid});
  select(selectUid);
  typeAhead_.reset();
}

long UnitChooser::selected() const {
  return combo_->currentId();
}

void UnitChooser::select(long uid) {
  const int index = combo_->findId(uid);
  combo_->setCurrent(index < 0 ? 0 : index);
}

void typeIntoCombo(toolkit::TypeAhead& typeAhead, toolkit::UIW_COMBO_BOX& combo, int character,
                   bool shifted) {
  std::vector<std::string> entries;
  for (int i = 0; i < combo.count(); ++i) entries.push_back(combo.entry(i).text);
  const auto found = typeAhead.typeAndFind(character, shifted, entries);
  if (found && *found >= 0) combo.setCurrent(*found);
}

}  // namespace savora::food
