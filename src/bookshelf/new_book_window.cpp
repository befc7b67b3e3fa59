#include "bookshelf/new_book_window.h"

#include "bookshelf/shelf_table.h"
#include "codes/program_codes.h"
#include "platform/text.h"
#include "toolkit/storable_text.h"
#include "toolkit/window_manager.h"

namespace savora::bookshelf {

using namespace savora::toolkit;

namespace {

using namespace savora::codes;
using codes::new_book_window::kOk;

}  // namespace

const WindowSpec kNewBookSpec{"NEW_BOOK",
                              {{"NUMID_TITLE"},
                               {"HELP_TEXT", 0, ObjectKind::Prompt},
                               {"BOOK_NAME_FIELD", 0, ObjectKind::String},
                               {"PERISHABLE", 0, ObjectKind::Button},
                               {"OK_BUTTON", 0, ObjectKind::Button}}};

NewBookWindow::NewBookWindow(UIW_WINDOW* caller, NewNameRequest request, User& user)
    : UIW_WINDOW(kNewBookSpec.resource),
      caller_(caller),
      request_(std::move(request)),
      user_(user) {
  resolve(kNewBookSpec);
  name_ = Get<UIW_STRING>("BOOK_NAME_FIELD");
  name_->setMaxLength(int(kShelfNameWidth));
  perishable_ = Get<UIW_BUTTON>("PERISHABLE");
  setTitle(request_.title);
  Get("HELP_TEXT")->setText(request_.helpText);
  name_->setText(request_.name);
  name_->selectAll();
  perishable_->setChecked(request_.perishable);
  perishable_->show(request_.askPerishable);
}

int NewBookWindow::Event(const UI_EVENT& event) {
  if (event.type != kOk) return UIW_WINDOW::Event(event);
  ok();
  return event.type;
}

void NewBookWindow::ok() {
  // A name of blanks alone is no name: it would lose them all below.
  const std::string name = platform::trimLeft(name_->text());
  if (platform::trim(name).empty()) {
    user_.message("Wait!", "HAND", Buttons::Ok, "You must enter a name.");
    name_->setFocus();
    return;
  }
  if (!fieldsStorable(*this, user_)) return;
  auto& manager = UI_WINDOW_MANAGER::instance();
  if (caller_ && manager.contains(caller_)) {
    UI_EVENT answer(request_.changing ? kChangedNameGiven : kNewNameGiven,
                    perishable_->isChecked() ? 1 : 0);
    answer.text = name;
    caller_->post(answer);
  }
  manager.subtract(this);
}

}  // namespace savora::bookshelf
