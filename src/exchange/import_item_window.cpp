#include "exchange/import_item_window.h"

#include <optional>
#include <string>
#include <utility>

#include "codes/program_codes.h"
#include "platform/text.h"
#include "toolkit/event_codes.h"
#include "toolkit/window_manager.h"

namespace savora::exchange {

using namespace savora::toolkit;
using namespace savora::codes::import_item_window;

const WindowSpec kImportItemSpec{"IMPORT_ITEM",
                                 {{"NUMID_TITLE"},
                                  {"TEXT", 0, ObjectKind::Prompt},
                                  {"ITEM_PROMPT", 0, ObjectKind::Prompt},
                                  {"NEW_ITEM", 0, ObjectKind::Prompt},
                                  {"UNIT_PROMPT", 0, ObjectKind::Prompt},
                                  {"INGREDIENT_PROMPT", 0, ObjectKind::Prompt},
                                  {"REPLACEMENT", 0, ObjectKind::Combo},
                                  {"INFO1_PROMPT", 0, ObjectKind::Prompt},
                                  {"INFO1", 0, ObjectKind::String},
                                  {"INFO2_PROMPT", 0, ObjectKind::Prompt},
                                  {"INFO2", 0, ObjectKind::String},
                                  {"MEMORIZED", 0, ObjectKind::Prompt},
                                  {"MEMORIZED2", 0, ObjectKind::Prompt},
                                  {"MEMORIZED_INFO1", 0, ObjectKind::Prompt},
                                  {"MEMORIZED_INFO2", 0, ObjectKind::Prompt},
                                  {"MEMORIZED_BUTTON", 0, ObjectKind::Button},
                                  {"ALWAYS_ADD", 0, ObjectKind::Button},
                                  {"ALWAYS_MEMORIZE", 0, ObjectKind::Button},
                                  {"ADD_BUTTON", 0, ObjectKind::Button},
                                  {"REPLACE_BUTTON", 0, ObjectKind::Button},
                                  {"TEXT_BUTTON", 0, ObjectKind::Button}}};

namespace {

std::string quoted(const std::string& caption) { return "\"" + caption + "\""; }

// A caption as shown, without its "&" mnemonic marks.
std::string captionOf(UI_WINDOW_OBJECT* object) {
  std::string caption = object->text();
  std::erase(caption, '&');
  return caption;
}

}  // namespace

std::string unitExplanation(const std::string& alwaysAdd, const std::string& add,
                            const std::string& skip) {
  return "One of the recipes you are importing uses the following Unit which is not found in "
         "your Units database. Here's what to do:\r\n\r\n- If the recipes you are importing are "
         "from another Savora CD, simply check the " +
         quoted(alwaysAdd) +
         " box and Savora will add the new units and data to your database.\r\n\r\n- If the "
         "recipes you are importing are from any other source, it is best to find a matching "
         "unit from the Savora database. In the Unit field below, find the unit that matches the "
         "one you're importing and click Replace. If you've previously entered a replacement for "
         "this unit, it will show in the Memorized field and you can simply click Use "
         "Memorized.\r\n\r\n- If no unit match can be found, click " +
         quoted(add) + " or " + quoted(skip) + " if it is not a legitimate Unit.";
}

std::string ingredientExplanation(const std::string& alwaysAdd, const std::string& add) {
  return "One of the recipes you are importing uses the following Ingredient which is not found "
         "in your Ingredients database. Here's what to do:\r\n\r\n- If the recipes you are "
         "importing are from another Savora CD, simply check the " +
         quoted(alwaysAdd) +
         " box and Savora will add the new ingredients and their data to your "
         "database.\r\n\r\n- Otherwise find the matching ingredient in the Ingredient field "
         "below and click Replace; text in Info 1 and Info 2 is added to the recipe lines. If "
         "you've previously entered a replacement for this ingredient, it will show in the "
         "Memorized field and you can simply click Use Memorized.\r\n\r\n- If no match can be "
         "found, click " +
         quoted(add) + ".";
}

ImportItemWindow::ImportItemWindow(ItemMatching& matching, std::function<void()> closed)
    : UIW_WINDOW(kImportItemSpec.resource), matching_(&matching), closed_(std::move(closed)) {
  resolve(kImportItemSpec);
  picker_ = Get<UIW_COMBO_BOX>("REPLACEMENT");
  alwaysAdd_ = Get<UIW_BUTTON>("ALWAYS_ADD");
  alwaysMemorize_ = Get<UIW_BUTTON>("ALWAYS_MEMORIZE");
  useMemorized_ = Get<UIW_BUTTON>("MEMORIZED_BUTTON");
  const bool units = matching.mode() == MatchMode::Units;
  setTitle(units ? kNewUnitTitle : kNewIngredientTitle);
  Get("ITEM_PROMPT")->setText(units ? "New Unit:" : "New Ingredient:");
  Get("TEXT")->setText(units ? unitExplanation(captionOf(alwaysAdd_), captionOf(Get("ADD_BUTTON")),
                                               captionOf(Get("TEXT_BUTTON")))
                             : ingredientExplanation(captionOf(alwaysAdd_),
                                                     captionOf(Get("ADD_BUTTON"))));
  Get("UNIT_PROMPT")->show(units);
  for (const char* ingredientOnly : {"INGREDIENT_PROMPT", "INFO1_PROMPT", "INFO2_PROMPT", "INFO1",
                                     "INFO2", "MEMORIZED", "MEMORIZED_INFO1", "MEMORIZED_INFO2"}) {
    Get(ingredientOnly)->show(!units);
  }
  Get("MEMORIZED2")->show(units);
  // The maker's replacements are used as they are; remembering the user's own is not offered.
  alwaysMemorize_->show(!(units && matching.usesMakerTable()));
  const AutomaticChoices choices = matching.choices();
  alwaysAdd_->setChecked(choices.alwaysAdd);
  alwaysMemorize_->setChecked(choices.alwaysMemorize);
  closeOnEscape();
  showItem();
}

void ImportItemWindow::fillPicker() {
  picker_->clear();
  for (const std::string& name : matching_->userItemNames()) picker_->add(ListEntry(name));
  picker_->setText("");
}

void ImportItemWindow::showItem() {
  if (!matching_ || matching_->finished()) {
    finish();
    return;
  }
  const std::string name = matching_->itemName();
  if (name != shownItem_ || picker_->count() == 0) fillPicker();  // a refused answer stays
  shownItem_ = name;
  Get("NEW_ITEM")->setText(name);
  const std::optional<MemorizedShown> memorized = matching_->memorized();
  const MemorizedShown shown = memorized.value_or(MemorizedShown{});
  Get("MEMORIZED")->setText(shown.replacement);
  Get("MEMORIZED2")->setText(shown.replacement);
  Get("MEMORIZED_INFO1")->setText(shown.info1);
  Get("MEMORIZED_INFO2")->setText(shown.info2);
  useMemorized_->setSelectable(memorized.has_value() && !alwaysAdd_->isChecked());
}

int ImportItemWindow::Event(const UI_EVENT& event) {
  if (!matching_) return UIW_WINDOW::Event(event);
  switch (event.type) {
    case S_CLOSE:
      finish();
      return event.type;
    case kAddToList:
      matching_->addToList();
      break;
    case kReplace:
      replace();
      break;
    case kUseMemorized:
      matching_->useMemorized();
      break;
    case kMakeText:
      makeText();
      break;
    case kAlwaysAdd:
      matching_->setAlwaysAdd(alwaysAdd_->isChecked());
      break;
    case kAlwaysMemorize:
      matching_->setAlwaysMemorize(alwaysMemorize_->isChecked());
      break;
    default:
      return UIW_WINDOW::Event(event);
  }
  showItem();
  return event.type;
}

void ImportItemWindow::replace() {
  const std::string replacement = platform::trim(picker_->text());
  const std::string info1 = platform::trim(Get("INFO1")->text());
  const std::string info2 = platform::trim(Get("INFO2")->text());
  if (!matching_->replace(replacement, info1, info2)) {
    picker_->setFocus();
    return;
  }
  Get("INFO1")->setText("");
  Get("INFO2")->setText("");
}

void ImportItemWindow::makeText() {
  if (matching_->mode() == MatchMode::Units) {
    matching_->makeText();
    return;
  }
  // The ingredient's name becomes the second note and the line refers to no ingredient.
  Get("INFO2")->setText(matching_->itemName());
  picker_->setText("");
  matching_->makeText(platform::trim(Get("INFO1")->text()));
  Get("INFO1")->setText("");
  Get("INFO2")->setText("");
}

void ImportItemWindow::finish() {
  if (matching_) matching_->close();
  matching_ = nullptr;
  if (auto closed = std::exchange(closed_, nullptr)) closed();
  UI_WINDOW_MANAGER::instance().subtract(this);
}

void ImportItemWindow::abandon() {
  matching_ = nullptr;
  closed_ = nullptr;
  UI_WINDOW_MANAGER::instance().subtract(this);
}

}  // namespace savora::exchange
