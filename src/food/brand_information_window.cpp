#include "food/brand_information_window.h"

#include <cmath>
#include <cstdlib>
#include <utility>

#include "codes/program_codes.h"
#include "food/quantity.h"
#include "platform/text.h"
#include "toolkit/storable_text.h"
#include "toolkit/window_manager.h"

namespace savora::food {

using namespace savora::toolkit;

namespace {

using namespace savora::codes;
using namespace savora::codes::brand_information_window;

constexpr const char* kNone = " <None>";
constexpr double kMaxPrice = 999.99;
// The unit combos, with the unit type each one lists.
struct UnitCombo {
  const char* name;
  long type;
};
constexpr UnitCombo kUnitCombos[] = {{"PRICE_UNIT", kAnyUnitType},  {"SERVE_UNIT", kAnyUnitType},
                                     {"VOLUME_UNIT", kVolumeUnit},  {"WEIGHT_UNIT", kWeightUnit},
                                     {"VOLUME_UNIT2", kVolumeUnit}, {"WEIGHT_UNIT2", kWeightUnit}};
enum UnitComboIndex {
  kPriceUnit,
  kServeUnit,
  kVolumeUnit1,
  kWeightUnit1,
  kVolumeUnit2,
  kWeightUnit2
};
constexpr const char* kEquivalenceTexts[] = {"VOLUME", "WEIGHT", "VOLUME2", "WEIGHT2"};
constexpr const char* kNutrientNames[kNutrientCount] = {
    "Calories",  "Calories from fat",  "Total fat",     "Saturated fat", "Cholesterol",
    "Sodium",    "Total carbohydrate", "Dietary fiber", "Sugars",        "Protein",
    "Vitamin A", "Vitamin C",          "Calcium",       "Iron"};

std::vector<ChildSpec> brandChildren() {
  std::vector<ChildSpec> children = {
      {"NAME", 0, ObjectKind::String},          {"DOLLAR", 0, ObjectKind::String},
      {"PRICE", 0, ObjectKind::String},         {"DIVIDE_PKG", 0, ObjectKind::Button},
      {"SERVE", 0, ObjectKind::String},         {"SERVINGS_IN_CONTAINER", 0, ObjectKind::String},
      {"CATEGORY", 0, ObjectKind::Combo},       {"UPC", 0, ObjectKind::String},
      {"OK_BUTTON", 0, ObjectKind::Button},     {"CANCEL_BUTTON", 0, ObjectKind::Button},
      {"USDA_NUTRIENTS", 0, ObjectKind::Button}};
  for (const UnitCombo& c : kUnitCombos) children.push_back({c.name, 0, ObjectKind::Combo});
  for (const char* t : kEquivalenceTexts) children.push_back({t, 0, ObjectKind::String});
  for (int i = 0; i < kNutrientCount; ++i)
    children.push_back({"NUTRIENT" + std::to_string(i), 0, ObjectKind::String});
  return children;
}

// A stored number as the user reads it: no decimals beyond what it has, blank for 0.
std::string shownNumber(double value, int decimals) {
  if (value == 0) return {};
  std::string text = platform::formatText("%.*f", decimals, value);
  if (text.find('.') != std::string::npos) {
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
  }
  return text;
}

// A typed number rounded as its field keeps it; blank is 0; nothing for text that is not a
// number of 0 or more.
std::optional<double> typedNumber(const std::string& typed, int decimals) {
  const std::string text = platform::trim(typed);
  if (text.empty()) return 0.0;
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (*end != '\0' || !std::isfinite(value) || value < 0) return std::nullopt;
  const double scale = std::pow(10.0, decimals);
  return std::round(value * scale) / scale;
}

}  // namespace

const WindowSpec kBrandInformationSpec{"BRAND_INFORMATION", brandChildren()};

BrandInformationWindow::BrandInformationWindow(BrandTables tables, User& user,
                                               UnitSettings settings, long uid, long ingredient,
                                               Saved saved, UsdaLookup usda)
    : UIW_WINDOW(kBrandInformationSpec.resource),
      tables_(tables),
      user_(user),
      settings_(settings),
      uid_(tables.brands.findUid(uid) ? uid : 0),
      ingredient_(ingredient),
      saved_(std::move(saved)),
      usda_(std::move(usda)) {
  resolve(kBrandInformationSpec);
  name_ = Get<UIW_STRING>("NAME");
  dollar_ = Get<UIW_STRING>("DOLLAR");
  packageSize_ = Get<UIW_STRING>("PRICE");
  divisible_ = Get<UIW_BUTTON>("DIVIDE_PKG");
  serving_ = Get<UIW_STRING>("SERVE");
  servings_ = Get<UIW_STRING>("SERVINGS_IN_CONTAINER");
  group_ = Get<UIW_COMBO_BOX>("CATEGORY");
  upc_ = Get<UIW_STRING>("UPC");
  for (size_t i = 0; i < equivalenceTexts_.size(); ++i)
    equivalenceTexts_[i] = Get<UIW_STRING>(kEquivalenceTexts[i]);
  for (int i = 0; i < kNutrientCount; ++i)
    nutrients_[size_t(i)] = Get<UIW_STRING>("NUTRIENT" + std::to_string(i));
  for (const UnitCombo& c : kUnitCombos)
    unitChoosers_.emplace_back(Get<UIW_COMBO_BOX>(c.name), kNone);

  loaded_ = uid_ != 0 ? tables_.brands.read(uid_) : BrandRecord{};
  if (uid_ == 0) loaded_.ingredient = ingredient_;
  show(loaded_);
}

void BrandInformationWindow::show(const BrandRecord& r) {
  name_->setText(r.name);
  dollar_->setText(r.price == 0 ? std::string() : platform::formatText("%.2f", r.price));
  packageSize_->setText(r.packageSize);
  divisible_->setChecked(r.divisible);
  serving_->setText(r.serving);
  servings_->setText(shownNumber(r.servingsInPackage, 1));
  upc_->setText(r.upc);
  const std::string texts[] = {r.equivalence1.volume, r.equivalence1.weight, r.equivalence2.volume,
                               r.equivalence2.weight};
  for (size_t i = 0; i < equivalenceTexts_.size(); ++i) equivalenceTexts_[i]->setText(texts[i]);
  for (int i = 0; i < kNutrientCount; ++i)
    nutrients_[size_t(i)]->setText(shownNumber(r.nutrients[size_t(i)], 2));
  const long units[] = {r.packageUnit,
                        r.servingUnit,
                        r.equivalence1.volumeUnit,
                        r.equivalence1.weightUnit,
                        r.equivalence2.volumeUnit,
                        r.equivalence2.weightUnit};
  for (size_t i = 0; i < unitChoosers_.size(); ++i)
    unitChoosers_[i].fill(tables_.units, settings_, kUnitCombos[i].type, units[i]);
  fillGroups(r.group);
}

void BrandInformationWindow::fillGroups(long selectUid) {
  group_->clear();
  group_->add({kNone, 0});
  for (const FoodGroup& g : tables_.groups.groups()) group_->add({" " + g.name, g.uid});
  const int index = group_->findId(selectUid);
  group_->setCurrent(index < 0 ? 0 : index);
  groupTypeAhead_.reset();
}

int BrandInformationWindow::Event(const UI_EVENT& event) {
  switch (event.type) {
    case kOk:
      ok();
      return event.type;
    case kTyped:
      typed(event);
      return event.type;
    case kUsdaNutrients:
      usdaNutrients();
      return event.type;
    default:
      return UIW_WINDOW::Event(event);
  }
}

void BrandInformationWindow::typed(const UI_EVENT& event) {
  const int character = int(event.values[0]);
  const bool shifted = event.values[1] != 0;
  if (event.source == group_) {
    typeIntoCombo(groupTypeAhead_, *group_, character, shifted);
    return;
  }
  for (UnitChooser& chooser : unitChoosers_) {
    if (event.source == chooser.combo()) chooser.typed(character, shifted);
  }
}

void BrandInformationWindow::usdaNutrients() {
  const std::optional<BrandRecord> current = edited();
  if (!current) return;
  // A brand named from USDA is searched by its food's description; another by its name.
  std::string words = current->name;
  if (words.starts_with("USDA ") && words.find(": ") != std::string::npos)
    words = words.substr(words.find(": ") + 2);
  if (!usda_.refill) return;
  usda_.refill("Choose the USDA food whose nutrients this brand has.", words, *current,
               [this, alive = std::weak_ptr<bool>(alive_)](BrandRecord filled) {
                 if (alive.expired()) return;
                 show(filled);
               });
}

std::optional<BrandRecord> BrandInformationWindow::edited() {
  BrandRecord r = loaded_;
  r.uid = uid_;
  r.name = platform::trim(name_->text());
  r.packageSize = platform::trim(packageSize_->text());
  r.divisible = divisible_->isChecked();
  r.serving = platform::trim(serving_->text());
  r.upc = platform::trim(upc_->text());
  r.equivalence1 = {
      platform::trim(equivalenceTexts_[0]->text()), unitChoosers_[kVolumeUnit1].selected(),
      platform::trim(equivalenceTexts_[1]->text()), unitChoosers_[kWeightUnit1].selected()};
  r.equivalence2 = {
      platform::trim(equivalenceTexts_[2]->text()), unitChoosers_[kVolumeUnit2].selected(),
      platform::trim(equivalenceTexts_[3]->text()), unitChoosers_[kWeightUnit2].selected()};
  r.packageUnit = unitChoosers_[kPriceUnit].selected();
  r.servingUnit = unitChoosers_[kServeUnit].selected();
  r.group = group_->currentId();

  // Amounts are quantities as recipes write them (2, 1 1/2, 0.5): one that is not would count as
  // 1 in every conversion and price.
  const std::pair<UIW_STRING*, const char*> amounts[] = {
      {packageSize_, "the package size"},   {serving_, "the serving size"},
      {equivalenceTexts_[0], "the volume"}, {equivalenceTexts_[1], "the weight"},
      {equivalenceTexts_[2], "the volume"}, {equivalenceTexts_[3], "the weight"}};
  for (const auto& [field, what] : amounts) {
    const std::string text = platform::trim(field->text());
    if (!text.empty() && parseQuantity(text) < 0) {
      user_.message(
          "Wait!", "HAND", Buttons::Ok,
          platform::formatText("Please enter an amount such as 2, 1 1/2 or 0.5 for %s.", what));
      field->setFocus();
      return std::nullopt;
    }
  }

  // Numbers: the price, the servings and the nutrients must be numbers of 0 or more.
  auto number = [this](UIW_STRING* field, int decimals, const char* what) -> std::optional<double> {
    auto value = typedNumber(field->text(), decimals);
    if (!value) {
      user_.message("Wait!", "HAND", Buttons::Ok,
                    platform::formatText("Please enter a number of 0 or more for %s.", what));
      field->setFocus();
    }
    return value;
  };
  const auto price = number(dollar_, 2, "the price");
  if (!price) return std::nullopt;
  if (*price > kMaxPrice) {  // the table's price field holds no more
    user_.message("Wait!", "HAND", Buttons::Ok, "The price can be at most 999.99.");
    dollar_->setFocus();
    return std::nullopt;
  }
  r.price = *price;
  const auto servings = number(servings_, 1, "the servings per package");
  if (!servings) return std::nullopt;
  r.servingsInPackage = *servings;
  for (int i = 0; i < kNutrientCount; ++i) {
    const auto value = number(nutrients_[size_t(i)], 2, kNutrientNames[i]);
    if (!value) return std::nullopt;
    r.nutrients[size_t(i)] = *value;
  }
  return r;
}

void BrandInformationWindow::ok() {
  if (!toolkit::fieldsStorable(*this, user_)) return;
  if (platform::trim(name_->text()).empty()) {
    user_.message("Error!", "EXCLAMATION", Buttons::Ok, "You must enter a name!");
    name_->setFocus();
    return;
  }
  const std::optional<BrandRecord> record = edited();
  if (!record) return;
  if (brandRecordsDiffer(*record, loaded_)) {
    const bool isNew = uid_ == 0;
    uid_ = tables_.brands.save(*record, uid_);
    const bool preferred =
        isNew && user_.message("Preferred Brand?", "QUESTION", Buttons::YesNo,
                               "Would you like to make this the preferred brand?") == Button::Yes;
    if (saved_) saved_(uid_, record->name, preferred);
  }
  UI_WINDOW_MANAGER::instance().subtract(this);
}

}  // namespace savora::food
