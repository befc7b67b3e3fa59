#include "exchange/import_window.h"

#include <string>
#include <utility>

#include "codes/program_codes.h"
#include "exchange/import_item_window.h"
#include "toolkit/event_codes.h"
#include "toolkit/uiw_controls.h"
#include "toolkit/window_manager.h"

namespace savora::exchange {

using namespace savora::toolkit;
using codes::import_window::kNextStep;

const WindowSpec kImportWindowSpec{"IMPORT_WINDOW",
                                   {{"FILENAME", 0, ObjectKind::Prompt},
                                    {"FIELD_1", 0, ObjectKind::Button},
                                    {"FIELD_2", 0, ObjectKind::Button},
                                    {"FIELD_3", 0, ObjectKind::Button},
                                    {"FIELD_4", 0, ObjectKind::Button},
                                    {"FIELD_5", 0, ObjectKind::Button},
                                    {"FIELD_6", 0, ObjectKind::Button},
                                    {"STATUS", 0, ObjectKind::Prompt}}};

ImportWindow::ImportWindow(std::unique_ptr<ExchangeImport> import, Finished finished)
    : UIW_WINDOW(kImportWindowSpec.resource),
      import_(std::move(import)),
      finished_(std::move(finished)) {
  resolve(kImportWindowSpec);
  Get("FILENAME")->setText(import_->path());
  post(UI_EVENT(kNextStep));
}

ImportWindow::~ImportWindow() { endImport(); }

int ImportWindow::Event(const UI_EVENT& event) {
  if (event.type == S_CLOSE) endImport();
  if (event.type != kNextStep) return UIW_WINDOW::Event(event);
  runStep();
  return event.type;
}

void ImportWindow::endImport() {
  // A dialog already off the screen (all windows closing) may be gone: it is left alone, and it
  // never touches the matching once off the screen.
  ImportItemWindow* asking = std::exchange(asking_, nullptr);
  if (asking && UI_WINDOW_MANAGER::instance().contains(asking)) asking->abandon();
  import_.reset();
}

void ImportWindow::ask(ItemMatching& matching) {
  asking_ = UI_WINDOW_MANAGER::instance().add(std::make_unique<ImportItemWindow>(matching, [this] {
    asking_ = nullptr;
    post(UI_EVENT(kNextStep));
  }));
}

void ImportWindow::runStep() {
  if (!import_ || step_ == ImportStep::Done) return;
  step_ = import_->run(step_);
  for (int field : import_->completedFields()) {
    Get<UIW_BUTTON>("FIELD_" + std::to_string(field))->setChecked(true);
  }
  if (step_ == ImportStep::Announce) Get("STATUS")->setText(kFinishedStatus);
  if (step_ != ImportStep::Done) {
    if (ItemMatching* matching = import_->waitingMatching()) {
      ask(*matching);
    } else {
      post(UI_EVENT(kNextStep));
    }
    return;
  }
  if (import_->succeeded() && finished_) finished_(import_->lastBook(), import_->firstChapter());
  import_.reset();  // the scratch files go now, not when the window is destroyed
  UI_WINDOW_MANAGER::instance().subtract(this);
}

}  // namespace savora::exchange
