#include "planning/shopping_list_settings_window.h"

#include <charconv>

#include "codes/program_codes.h"
#include "platform/text.h"
#include "toolkit/event_codes.h"
#include "toolkit/help_window.h"
#include "toolkit/window_manager.h"

namespace savora::planning {

using namespace savora::toolkit;

namespace {

using namespace savora::codes;
using namespace savora::codes::shopping_list_settings_window;

// A number field's value: its leading whole number; 0 when it holds none.
int fieldNumber(const UIW_STRING& field) {
  const std::string text = platform::trim(field.text());
  int value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

void wait(User& user, const char* text) {
  user.message("Wait!", "HAND", Buttons::Ok, text);
}

}  // namespace

const WindowSpec kShoppingListSettingsSpec{"SETTINGS_WINDOW",
                                           {{"MULTIPLY", 0, ObjectKind::String},
                                            {"MULTIPY_PROMPT", 0, ObjectKind::Prompt},
                                            {"ADJUST_BUTTON", 0, ObjectKind::Button},
                                            {"DIVIDE_NUTRIENTS", 0, ObjectKind::Button},
                                            {"SERVES", 0, ObjectKind::String},
                                            {"SERVE_PROMPT", 0, ObjectKind::Prompt},
                                            {"DAYS_IN_MENU", 0, ObjectKind::String},
                                            {"DAYS_PROMPT", 0, ObjectKind::Prompt},
                                            {"DAYS_END", 0, ObjectKind::Prompt},
                                            {"EXCLUDE_PERISHABLES", 0, ObjectKind::Button},
                                            {"ONLY_PERISHABLES", 0, ObjectKind::Button},
                                            {"OK_BUTTON", 0, ObjectKind::Button},
                                            {"CANCEL_BUTTON", 0, ObjectKind::Button},
                                            {"HELP_BUTTON", 0, ObjectKind::Button}}};

ShoppingListSettingsWindow::ShoppingListSettingsWindow(ListSource source,
                                                       ShoppingListSettings values, User& user,
                                                       std::function<void()> rebuild)
    : UIW_WINDOW(kShoppingListSettingsSpec.resource),
      values_(values),
      user_(user),
      rebuild_(std::move(rebuild)) {
  resolve(kShoppingListSettingsSpec);
  multiply_ = Get<UIW_STRING>("MULTIPLY");
  adjust_ = Get<UIW_BUTTON>("ADJUST_BUTTON");
  divideNutrients_ = Get<UIW_BUTTON>("DIVIDE_NUTRIENTS");
  serves_ = Get<UIW_STRING>("SERVES");
  servePrompt_ = Get<UIW_PROMPT>("SERVE_PROMPT");
  days_ = Get<UIW_STRING>("DAYS_IN_MENU");
  excludePerishables_ = Get<UIW_BUTTON>("EXCLUDE_PERISHABLES");
  onlyPerishables_ = Get<UIW_BUTTON>("ONLY_PERISHABLES");

  multiply_->setText(std::to_string(values_.multiply));
  serves_->setText(std::to_string(values_.serves));
  days_->setText(std::to_string(values_.daysInMenu));
  adjust_->setChecked(values_.adjustServings);
  divideNutrients_->setChecked(values_.divideNutrients);
  excludePerishables_->setChecked(values_.excludePerishables);
  onlyPerishables_->setChecked(values_.onlyPerishables);

  switch (source) {
    case ListSource::Recipe:
      // One recipe is one day's cooking; the value is stored only by OK.
      days_->setText("1");
      days_->setSelectable(false);
      Get<UIW_PROMPT>("DAYS_PROMPT")->setSelectable(false);
      Get<UIW_PROMPT>("DAYS_END")->setSelectable(false);
      excludePerishables_->setSelectable(false);
      onlyPerishables_->setSelectable(false);
      break;
    case ListSource::Menu:
      excludePerishables_->setSelectable(false);
      Get<UIW_PROMPT>("MULTIPY_PROMPT")->setText("Multiply this menu by:");
      break;
    case ListSource::Plan:
      onlyPerishables_->setSelectable(false);
      Get<UIW_PROMPT>("MULTIPY_PROMPT")->setText("Multiply this menu by:");
      break;
  }
  enableServes();
  closeOnEscape();  // Escape is the Cancel button
}

int ShoppingListSettingsWindow::Event(const UI_EVENT& event) {
  switch (event.type) {
    case kOk:
      ok();
      break;
    case kAdjustToggled:
      enableServes();
      break;
    case L_HELP:
      HelpSystem::showContext(helpContext());
      break;
    default:
      return UIW_WINDOW::Event(event);
  }
  return event.type;
}

void ShoppingListSettingsWindow::enableServes() {
  const bool adjust = adjust_->isChecked();
  serves_->setSelectable(adjust);
  divideNutrients_->setSelectable(adjust);
  servePrompt_->setSelectable(adjust);
}

void ShoppingListSettingsWindow::ok() {
  values_.excludePerishables = excludePerishables_->isChecked();
  values_.onlyPerishables = onlyPerishables_->isChecked();

  // Numbers below 1 are never stored: the list divides its nutrients by the days and multiplies
  // its amounts by the factor, also when it is rebuilt after the user cancels this window.
  const int days = fieldNumber(*days_);
  if (days < 1) {
    wait(user_, "The number of days in this menu must be greater than zero.");
    days_->setFocus();
    return;
  }
  values_.daysInMenu = days;

  const bool adjust = adjust_->isChecked();
  int serves = values_.serves;
  values_.adjustServings = adjust;
  values_.divideNutrients = adjust && divideNutrients_->isChecked();
  if (adjust) serves = fieldNumber(*serves_);

  const int multiply = fieldNumber(*multiply_);
  if (multiply >= 1) values_.multiply = multiply;

  if (multiply >= 1 && (!adjust || serves >= 1)) {
    if (adjust) values_.serves = serves;
    UI_WINDOW_MANAGER::instance().subtract(this);
    if (rebuild_) rebuild_();
    return;
  }
  if (multiply < 1) {
    wait(user_, "You cannot multiply by a factor less than 1!");
    multiply_->setFocus();
  } else {
    wait(user_, "You cannot serve less than 1 person!");
    serves_->setFocus();
  }
}

}  // namespace savora::planning
