#include "recipe/serving_size_window.h"

#include <charconv>
#include <optional>

#include "codes/program_codes.h"
#include "platform/text.h"
#include "store/recipe.h"
#include "toolkit/event_codes.h"
#include "toolkit/help_window.h"
#include "toolkit/window_manager.h"

namespace savora::recipe {

using namespace savora::toolkit;

namespace {

using namespace savora::codes;
using namespace savora::codes::serving_size_window;

// The whole number a field holds, blanks around it aside; nothing when it holds anything else.
std::optional<long> wholeNumber(const UIW_STRING& field) {
  const std::string text = platform::trim(field.text());
  long value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
  return value;
}

}  // namespace

const WindowSpec kServingSizeSpec{"SERVING_SIZE_WINDOW",
                                  {{"NUMID_TITLE", 0, ObjectKind::Any},
                                   {"SERVE", 0, ObjectKind::String},
                                   {"SERVE_PROMPT", 0, ObjectKind::Prompt},
                                   {"ADJUST_SERVINGS", 0, ObjectKind::Button},
                                   {"OK_BUTTON", 0, ObjectKind::Button},
                                   {"CANCEL_BUTTON", 0, ObjectKind::Button},
                                   {"HELP_BUTTON", 0, ObjectKind::Button}}};

ServingSizeWindow::ServingSizeWindow(long& servings, bool adjustQuantities, User& user,
                                     Callbacks callbacks)
    : UIW_WINDOW(kServingSizeSpec.resource),
      servings_(servings),
      user_(user),
      callbacks_(std::move(callbacks)) {
  resolve(kServingSizeSpec);
  serve_ = Get<UIW_STRING>("SERVE");
  adjust_ = Get<UIW_BUTTON>("ADJUST_SERVINGS");
  serve_->setMaxLength(int(store::kServingsDigits));
  long shown = servings_;
  if (shown < 1) {
    shown = 1;
    setTitle("Enter Recipe Serving Size");
  }
  serve_->setText(std::to_string(shown));
  serve_->selectAll();
  adjust_->setChecked(adjustQuantities);
  closeOnEscape();  // Escape is the Cancel button
}

int ServingSizeWindow::Event(const UI_EVENT& event) {
  switch (event.type) {
    case kOk:
      ok();
      break;
    case L_HELP:
      HelpSystem::showContext(helpContext());
      break;
    default:
      return UIW_WINDOW::Event(event);
  }
  return event.type;
}

void ServingSizeWindow::ok() {
  const std::optional<long> typed = wholeNumber(*serve_);
  if (!typed || *typed < 1) {
    user_.message("Wait!", "HAND", Buttons::Ok,
                  typed ? "A recipe cannot serve less than 1 person!"
                        : "Please enter the number of servings as a whole number such as 4.");
    serve_->setFocus();
    return;
  }
  const long servings = *typed;
  servings_ = servings;
  const bool adjust = adjust_->isChecked();
  UI_WINDOW_MANAGER::instance().subtract(this);
  if (adjust && callbacks_.scaleQuantities) callbacks_.scaleQuantities();
  if (callbacks_.servingsSet) callbacks_.servingsSet(servings);
}

}  // namespace savora::recipe
