#include "food/unit_information_window.h"

#include "codes/program_codes.h"
#include "food/unit_merge.h"
#include "toolkit/storable_text.h"
#include "toolkit/window_manager.h"

namespace savora::food {

using namespace savora::toolkit;

namespace {

using namespace savora::codes;
using namespace savora::codes::unit_information_window;

const char* const kNoUnit = "<None>";

}  // namespace

const WindowSpec kUnitInformationSpec{"UNIT_INFORMATION",
                                      {{"NAME", 0, ObjectKind::String},
                                       {"ABBREVIATION", 0, ObjectKind::String},
                                       {"VOLUME", 0, ObjectKind::Button},
                                       {"WEIGHT", 0, ObjectKind::Button},
                                       {"NUMBER", 0, ObjectKind::String},
                                       {"UNIT", 0, ObjectKind::Combo},
                                       {"SMALLEST_MEASURE", 0, ObjectKind::String},
                                       {"ADJUST", 0, ObjectKind::Button},
                                       {"OK_BUTTON", 0, ObjectKind::Button},
                                       {"CANCEL_BUTTON", 0, ObjectKind::Button}}};

UnitInformationWindow::UnitInformationWindow(UnitTable& units, store::RecipeTable& recipes,
                                             User& user, UnitSettings settings, long uid,
                                             ListChanged listChanged)
    : UIW_WINDOW(kUnitInformationSpec.resource),
      units_(units),
      recipes_(recipes),
      user_(user),
      settings_(settings),
      uid_(units.findUid(uid) ? uid : 0),
      listChanged_(std::move(listChanged)),
      unitChooser_(Get<UIW_COMBO_BOX>("UNIT"), kNoUnit) {
  resolve(kUnitInformationSpec);
  name_ = Get<UIW_STRING>("NAME");
  abbreviation_ = Get<UIW_STRING>("ABBREVIATION");
  volume_ = Get<UIW_BUTTON>("VOLUME");
  weight_ = Get<UIW_BUTTON>("WEIGHT");
  number_ = Get<UIW_STRING>("NUMBER");
  smallestMeasure_ = Get<UIW_STRING>("SMALLEST_MEASURE");
  adjust_ = Get<UIW_BUTTON>("ADJUST");
  loaded_ = units_.readRecord(uid_);
  show(loaded_);
}

void UnitInformationWindow::show(const UnitRecord& record) {
  name_->setText(record.name);
  abbreviation_->setText(record.abbreviation);
  const bool weight = record.type == kWeightUnit;
  (weight ? weight_ : volume_)->setChecked(true);  // the option buttons exclude each other
  shownType_ = weight ? kWeightUnit : kVolumeUnit;
  number_->setText(record.conversion);
  unitChooser_.fill(units_, settings_, shownType_, record.conversionUnit);
  smallestMeasure_->setText(std::to_string(record.smallestMeasure));
  adjust_->setChecked(record.adjust != 0);
}

void UnitInformationWindow::chooseType(long type) {
  if (type == shownType_) return;
  shownType_ = type;
  unitChooser_.fill(units_, settings_, type, 0);
}

int UnitInformationWindow::Event(const UI_EVENT& event) {
  switch (event.type) {
    case kOk:
      ok();
      break;
    case kVolume:
      chooseType(kVolumeUnit);
      break;
    case kWeight:
      chooseType(kWeightUnit);
      break;
    case kTyped:
      unitChooser_.typed(int(event.values[0]), event.values[1] != 0);
      break;
    default:
      return UIW_WINDOW::Event(event);
  }
  return event.type;
}

void UnitInformationWindow::ok() {
  if (!toolkit::fieldsStorable(*this, user_)) return;
  const UnitEntries entries{name_->text(),
                            abbreviation_->text(),
                            weight_->isChecked() ? kWeightUnit : kVolumeUnit,
                            number_->text(),
                            unitChooser_.selected(),
                            smallestMeasure_->text(),
                            adjust_->isChecked()};
  const UnitSaved saved = saveUnit(units_, recipes_, user_, uid_, loaded_, entries);
  if (!saved.done) return;
  if (saved.changed != 0 && listChanged_) listChanged_(saved.changed);
  close();
}

void UnitInformationWindow::close() {
  UI_WINDOW_MANAGER::instance().subtract(this);
}

}  // namespace savora::food
