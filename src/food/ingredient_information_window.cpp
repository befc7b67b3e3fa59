#include "food/ingredient_information_window.h"

#include <set>

#include "codes/program_codes.h"
#include "food/unsaved_ingredient.h"
#include "platform/text.h"
#include "toolkit/storable_text.h"
#include "toolkit/window_manager.h"

namespace savora::food {

using namespace savora::toolkit;

namespace {

using namespace savora::codes;
using namespace savora::codes::ingredient_information_window;

constexpr const char* kNewBrand = "<new brand>";
// Identifier of the "<new brand>" entry: no brand has it.
constexpr long kNewBrandId = 0;

}  // namespace

const WindowSpec kIngredientInformationSpec{"INGREDIENT_INFORMATION",
                                            {{"NAME", 0, ObjectKind::String},
                                             {"PLURAL", 0, ObjectKind::String},
                                             {"INTERCHANGEABLE", 0, ObjectKind::Button},
                                             {"DEFAULT_BRAND", 0, ObjectKind::String},
                                             {"LIST", 0, ObjectKind::List},
                                             {"LIST_ALL", 0, ObjectKind::Button},
                                             {"OPEN_BRAND", 0, ObjectKind::Button},
                                             {"MAKE_PREFERRED", 0, ObjectKind::Button},
                                             {"REASSIGN", 0, ObjectKind::Button},
                                             {"DELETE_BRAND", 0, ObjectKind::Button},
                                             {"USDA_NUTRIENTS", 0, ObjectKind::Button},
                                             {"OK_BUTTON", 0, ObjectKind::Button},
                                             {"CANCEL_BUTTON", 0, ObjectKind::Button}}};

IngredientInformationWindow::IngredientInformationWindow(FoodTables tables, User& user,
                                                         UnitSettings settings, long uid,
                                                         long selectBrand, ListChanged listChanged,
                                                         UsdaLookup usda)
    : UIW_WINDOW(kIngredientInformationSpec.resource),
      tables_(tables),
      user_(user),
      settings_(settings),
      uid_(0),
      listChanged_(std::move(listChanged)),
      usda_(std::move(usda)) {
  resolve(kIngredientInformationSpec);
  name_ = Get<UIW_STRING>("NAME");
  plural_ = Get<UIW_STRING>("PLURAL");
  interchangeable_ = Get<UIW_BUTTON>("INTERCHANGEABLE");
  defaultBrand_ = Get<UIW_STRING>("DEFAULT_BRAND");
  list_ = Get<UIW_VT_LIST>("LIST");
  listAll_ = Get<UIW_BUTTON>("LIST_ALL");

  if (auto ingredient = tables_.ingredients.read(uid)) {
    uid_ = uid;
    loaded_ = *ingredient;
  }
  preferred_ = loaded_.preferredBrand;
  name_->setText(loaded_.name);
  plural_->setText(loaded_.plural);
  interchangeable_->setChecked(loaded_.interchangeable);
  showPreferred();
  fillBrands(selectBrand);
}

void IngredientInformationWindow::showPreferred() {
  defaultBrand_->setText(tables_.brands.nameOf(preferred_));
}

void IngredientInformationWindow::fillBrands(long selectBrand) {
  BrandTable& brands = tables_.brands;
  list_->clear();
  // Brands of one name are the sizes of one product: listed once unless every size is asked.
  std::set<std::string> shown;
  if (uid_ != 0) {
    for (long b : brands.brandsOf(uid_)) {
      const std::string name = brands.nameOf(b);
      if (!listAll_->isChecked() && !shown.insert(platform::toLower(name)).second) continue;
      list_->add({name, b, kOpenBrand});
    }
  }
  for (long b : brands.brandsOf(0))
    list_->add({platform::formatText("* %s", brands.nameOf(b).c_str()), b, kOpenBrand});
  list_->add({kNewBrand, kNewBrandId, kOpenBrand});
  list_->setCurrent(selectBrand == 0 ? -1 : list_->findId(selectBrand));
}

long IngredientInformationWindow::selectedBrand() const {
  return list_->current() < 0 ? 0 : list_->currentId();
}

bool IngredientInformationWindow::newBrandSelected() const {
  return list_->current() >= 0 && list_->currentId() == kNewBrandId;
}

int IngredientInformationWindow::Event(const UI_EVENT& event) {
  switch (event.type) {
    case kOk:
      ok();
      break;
    case kOpenBrand:
      openBrand();
      break;
    case kMakePreferred:
      makePreferred();
      break;
    case kReassign:
      reassign();
      break;
    case kDeleteBrand:
      deleteBrand();
      break;
    case kListAll:
      fillBrands(selectedBrand());
      break;
    case kUsdaNutrients:
      usdaNutrients();
      break;
    default:
      return UIW_WINDOW::Event(event);
  }
  return event.type;
}

void IngredientInformationWindow::openBrand() {
  if (newBrandSelected() && !ingredientSavedFor(user_, uid_, BrandStep::Create)) return;
  const long brand = selectedBrand();
  if (brand == 0 && !newBrandSelected()) {
    user_.message("Nothing to Open", "INFORMATION", Buttons::Ok,
                  "Select a brand first, then click Open Brand.");
    return;
  }
  auto saved = [this, alive = std::weak_ptr<bool>(alive_)](long uid, const std::string&,
                                                           bool preferred) {
    if (!alive.expired()) brandSaved(uid, preferred);
  };
  UI_WINDOW_MANAGER::instance().add(std::make_unique<BrandInformationWindow>(
      tables_.brandTables(), user_, settings_, brand, uid_, saved, usda_));
}

void IngredientInformationWindow::usdaNutrients() {
  if (!ingredientSavedFor(user_, uid_, BrandStep::Create)) return;
  const std::string name = platform::trim(name_->text());
  if (!usda_.newBrand) return;
  usda_.newBrand(platform::formatText("Choose the USDA food whose nutrients %s has.", name.c_str()),
                 name, uid_, [this, alive = std::weak_ptr<bool>(alive_)](BrandRecord filled) {
                   if (alive.expired()) return;
                   const long brand = tables_.brands.save(filled, 0);
                   // Without a preferred brand this one becomes it; otherwise the user says.
                   const bool preferred =
                       preferred_ == 0 ||
                       user_.message("Preferred Brand?", "QUESTION", Buttons::YesNo,
                                     "Would you like to make this the preferred brand?") ==
                           Button::Yes;
                   brandSaved(brand, preferred);
                 });
}

void IngredientInformationWindow::brandSaved(long brand, bool preferred) {
  if (preferred) {
    preferred_ = brand;
    showPreferred();
  }
  fillBrands(brand);
}

void IngredientInformationWindow::makePreferred() {
  const long brand = selectedBrand();
  if (brand == 0) return;
  if (tables_.brands.ingredientOf(brand) != uid_) {
    if (!ingredientSavedFor(user_, uid_, BrandStep::Assign)) return;
    tables_.brands.assign(brand, uid_);
  }
  preferred_ = brand;
  showPreferred();
  fillBrands(brand);
}

void IngredientInformationWindow::reassign() {
  const long brand = selectedBrand();
  if (brand == 0) {
    user_.message("Nothing to Reassign", "EXCLAMATION", Buttons::Ok,
                  "Choose the brand that you would like to reassign.");
    return;
  }
  const std::string name = tables_.brands.nameOf(brand);
  if (tables_.brands.ingredientOf(brand) == 0) {
    if (!ingredientSavedFor(user_, uid_, BrandStep::Assign)) return;
    if (user_.message("Assign Brand?", "QUESTION", Buttons::YesNo,
                      platform::formatText("Would you like to assign %s to this ingredient?",
                                           name.c_str())) == Button::Yes) {
      tables_.brands.assign(brand, uid_);
      fillBrands(brand);
    }
    return;
  }
  if (user_.message("Re-Assign Brand?", "QUESTION", Buttons::YesNo,
                    platform::formatText("Would you like to assign %s to another ingredient?",
                                         name.c_str())) != Button::Yes) {
    return;
  }
  tables_.brands.assign(brand, 0);
  if (dropPreference(brand)) {
    user_.message(
        "Notice!", "INFORMATION", Buttons::Ok,
        "This was the preferred brand.\r\nYou should select another to be the preferred.");
  }
  fillBrands(brand);
}

bool IngredientInformationWindow::dropPreference(long brand) {
  // The table must not keep naming a brand the ingredient no longer has, even when another
  // brand was made preferred meanwhile and the window would be cancelled: the deleted brand's
  // number is given to the next new brand, of any ingredient.
  if (uid_ != 0 && loaded_.preferredBrand == brand) {
    loaded_.preferredBrand = 0;
    tables_.ingredients.save(loaded_, uid_);
  }
  if (brand != preferred_) return false;
  preferred_ = 0;
  showPreferred();
  return true;
}

void IngredientInformationWindow::deleteBrand() {
  const long brand = selectedBrand();
  if (brand == 0) return;
  const std::string name = tables_.brands.nameOf(brand);
  if (user_.message("Delete this Brand?", "QUESTION", Buttons::YesNo,
                    platform::formatText("Are you sure you want to delete %s?", name.c_str())) !=
      Button::Yes) {
    return;
  }
  tables_.brands.remove(brand, tables_.recipes);
  dropPreference(brand);
  fillBrands(0);
}

void IngredientInformationWindow::ok() {
  if (!toolkit::fieldsStorable(*this, user_)) return;
  Ingredient edited = loaded_;
  edited.name = platform::trim(name_->text());
  edited.plural = platform::trim(plural_->text());
  edited.interchangeable = interchangeable_->isChecked();
  edited.preferredBrand = preferred_;
  if (edited.name.empty()) {
    user_.message("Error!", "EXCLAMATION", Buttons::Ok, "You must enter a name!");
    name_->setFocus();
    return;
  }
  if (uid_ != 0 && !ingredientsDiffer(edited, loaded_)) {
    close();
    return;
  }
  IngredientTable& ingredients = tables_.ingredients;
  const long other = ingredients.findByName(edited.name) ? ingredients.number("UID") : 0;
  if (loaded_.name.empty() || platform::equalsIgnoreCase(edited.name, loaded_.name) || other == 0 ||
      other == uid_) {
    if (uid_ == 0 && other != 0) {
      user_.message("Error!", "EXCLAMATION", Buttons::Ok, "That name is already on the list!");
      return;
    }
    uid_ = ingredients.save(edited, uid_);
    if (listChanged_) listChanged_(uid_);
    close();
    return;
  }
  if (user_.message("Replace Ingredient?", "QUESTION", Buttons::YesNo,
                    "That ingredient already exists! Would you like to\r\nreplace this "
                    "ingredient with the other one on the list?") == Button::Yes) {
    ingredients.replace(uid_, other, tables_.recipes);
    if (listChanged_) listChanged_(other);
  } else if (listChanged_) {
    listChanged_(uid_);
  }
  close();
}

void IngredientInformationWindow::close() {
  if (brandChosen) {
    const long selected = selectedBrand();
    brandChosen(selected > 0 && tables_.brands.ingredientOf(selected) == uid_ ? selected
                                                                              : preferred_);
  }
  UI_WINDOW_MANAGER::instance().subtract(this);
}

}  // namespace savora::food
