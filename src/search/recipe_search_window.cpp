#include "search/recipe_search_window.h"

#include <QProgressBar>
#include <algorithm>
#include <climits>

#include "codes/program_codes.h"
#include "store/recipe_table.h"
#include "toolkit/event_codes.h"
#include "toolkit/window_manager.h"

namespace savora::search {

using namespace savora::toolkit;

namespace {

using namespace savora::codes;
using namespace savora::codes::recipe_search_window;

}  // namespace

const WindowSpec kRecipeSearchSpec{"RECIPE_SEARCH",
                                   {{"INCLUDE_INSTRUCTIONS", 0, ObjectKind::Button},
                                    {"SEARCHING_PROMPT", 0, ObjectKind::Prompt},
                                    {"PROGRESS", 0, ObjectKind::Any},
                                    {"CANCEL_BUTTON", 0, ObjectKind::Button}}};

UIW_WINDOW* startRecipeSearch(RecipeSearchRequest request) {
  if (request.countSearch) request.countSearch();
  auto* window =
      UI_WINDOW_MANAGER::instance().add(std::make_unique<RecipeSearchWindow>(std::move(request)));
  window->begin();
  return window;
}

RecipeSearchWindow::RecipeSearchWindow(RecipeSearchRequest request)
    : UIW_WINDOW(kRecipeSearchSpec.resource),
      request_(std::move(request)),
      search_(request_.recipes, request_.foods, request_.text, request_.text == kPhotoSearchText) {
  resolve(kRecipeSearchSpec);
  includeInstructions_ = Get<UIW_BUTTON>("INCLUDE_INSTRUCTIONS");
  progress_ = qobject_cast<QProgressBar*>(Get("PROGRESS")->widget());
  if (!progress_) missing("PROGRESS", "is not a progress bar");
  includeInstructions_->setChecked(request_.includeInstructions && request_.includeInstructions());
  if (request_.target) {
    targetObject_ = request_.target->object();
    targetWindow_ = request_.target->window();
  }
  progress_->setRange(0, int(std::clamp(search_.recordsAtStart(), 1L, long(INT_MAX))));
  progress_->setValue(0);
}

RecipeSearchWindow::~RecipeSearchWindow() {
  // Closed from outside while searching (the program ending): the pointer still goes back.
  if (waiting_) request_.user.endWait();
}

void RecipeSearchWindow::begin() {
  request_.user.beginWait();
  waiting_ = true;
  post(UI_EVENT(kContinue));
}

bool RecipeSearchWindow::targetGone() const {
  return targetObject_.isNull() || !UI_WINDOW_MANAGER::instance().contains(targetWindow_);
}

int RecipeSearchWindow::Event(const UI_EVENT& event) {
  switch (event.type) {
    case kIncludeToggled:
      if (request_.setIncludeInstructions)
        request_.setIncludeInstructions(includeInstructions_->isChecked());
      break;
    case kContinue:
      continueSearch();
      break;
    case kFinish:
    case S_CLOSE:  // the title bar's close button cancels like Cancel
      finish(targetGone());
      break;
    default:
      return UIW_WINDOW::Event(event);
  }
  return event.type;
}

void RecipeSearchWindow::continueSearch() {
  if (finished_) return;
  if (targetGone()) {
    finish(true);
    return;
  }
  UIW_VT_LIST& target = *request_.target;
  if (search_.done()) {
    if (target.count() > 0) target.setCurrent(0);
    post(UI_EVENT(kFinish));
    return;
  }
  try {
    // The option is read for every batch: a change applies from the next recipe on.
    search_.runBatch(includeInstructions_->isChecked(), [&](const RecipeSearchMatch& match) {
      target.add({match.name, match.uid, kRecipeChosen});
    });
  } catch (...) {
    // A table that cannot be read ends the search; the event loop reports the error.
    finish(true);
    throw;
  }
  progress_->setValue(int(std::min(search_.examined(), long(progress_->maximum()))));
  post(UI_EVENT(kContinue));
}

void RecipeSearchWindow::finish(bool quietly) {
  if (finished_) return;
  finished_ = true;
  // The pointer goes back first, so that the end message is answered with the normal one.
  if (waiting_) {
    request_.user.endWait();
    waiting_ = false;
  }
  if (!quietly) reportSearchEnd(search_, request_.user);
  UI_WINDOW_MANAGER::instance().subtract(this);
}

}  // namespace savora::search
