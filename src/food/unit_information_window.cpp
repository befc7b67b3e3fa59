#include "food/unit_information_window.h"

#include <charconv>

#include "codes/program_codes.h"
#include "food/quantity.h"
#include "platform/text.h"
#include "toolkit/storable_text.h"
#include "toolkit/window_manager.h"

namespace savora::food {

using namespace savora::toolkit;

namespace {

using namespace savora::codes;
using namespace savora::codes::unit_information_window;

const char* const kNoUnit = "<None>";

// A smallest measure typed as a whole number within the accepted range.
std::optional<long> readSmallestMeasure(std::string_view text) {
  const std::string trimmed = platform::trim(text);
  long value = 0;
  const char* end = trimmed.data() + trimmed.size();
  const auto [stop, error] = std::from_chars(trimmed.data(), end, value);
  if (trimmed.empty() || error != std::errc() || stop != end) return std::nullopt;
  if (value < kMinimumSmallestMeasure || value > kMaximumSmallestMeasure) return std::nullopt;
  return value;
}

// The name as units keep it: trimmed, without a plural "s".
std::string singularName(std::string_view typed) {
  std::string name = platform::trim(typed);
  if (!name.empty() && (name.back() == 's' || name.back() == 'S')) name.pop_back();
  return platform::trimRight(name);
}

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
  UnitRecord edited = loaded_;
  edited.name = singularName(name_->text());
  if (edited.name.empty()) {
    user_.message("Error!", "EXCLAMATION", Buttons::Ok, "You must enter a name!");
    return;
  }
  edited.abbreviation = platform::trim(abbreviation_->text());
  if (edited.abbreviation.empty()) {
    user_.message("Error!", "EXCLAMATION", Buttons::Ok, "You must enter an abbreviation!");
    return;
  }
  edited.type = weight_->isChecked() ? kWeightUnit : kVolumeUnit;
  edited.conversion = platform::trim(number_->text());
  edited.conversionUnit = unitChooser_.selected();
  edited.adjust = adjust_->isChecked() ? 1 : 0;
  const auto measure = readSmallestMeasure(smallestMeasure_->text());
  if (parseQuantity(edited.conversion) < 0 || !measure) {
    user_.message("Wait!", "HAND", Buttons::Ok,
                  "The conversion number is negative or\r\notherwise invalid. This will cause "
                  "an\r\nerror when the shopping list is generated.\r\nPlease check the numbers "
                  "entered. Press\r\nF1 for more help.\r\n");
    return;
  }
  edited.smallestMeasure = *measure;
  if (!unitRecordsDiffer(loaded_, edited)) {
    close();
    return;
  }

  // The unit that already has the name (or the abbreviation), when it is another one.
  auto owner = [this](const std::string& text, const std::string& loadedText, bool abbreviation) {
    if (!loadedText.empty() && platform::equalsIgnoreCase(text, loadedText)) return 0L;
    if (!units_.findText(text, abbreviation)) return 0L;
    const long uid = units_.number("UID");
    return uid == uid_ ? 0L : uid;
  };
  const long nameOwner = owner(edited.name, loaded_.name, false);
  const long abbreviationOwner = owner(edited.abbreviation, loaded_.abbreviation, true);

  if (uid_ == 0 || (nameOwner == 0 && abbreviationOwner == 0)) {
    if (nameOwner != 0 || abbreviationOwner != 0) {
      user_.message("Error!", "EXCLAMATION", Buttons::Ok, "That name is already on the list!");
      return;
    }
    const long saved = units_.saveRecord(edited, uid_);
    if (saved == 0) return;  // the table could not be written: the entries stay on screen
    if (listChanged_) listChanged_(saved);
    close();
    return;
  }

  // An existing unit renamed to another unit: the user may merge the two.
  const long other = nameOwner != 0 ? nameOwner : abbreviationOwner;
  if (user_.message("Replace Unit?", "QUESTION", Buttons::YesNo,
                    "That unit already exists!\r\nDo you want to replace it?") == Button::Yes) {
    units_.replace(uid_, other, recipes_);
    if (listChanged_) listChanged_(other);
  }
  close();
}

void UnitInformationWindow::close() {
  UI_WINDOW_MANAGER::instance().subtract(this);
}

}  // namespace savora::food
