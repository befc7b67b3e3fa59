#include "handheld/palm_window.h"

#include "codes/program_codes.h"
#include "toolkit/event_codes.h"
#include "toolkit/help_window.h"
#include "toolkit/uiw_controls.h"
#include "toolkit/uiw_lists.h"
#include "toolkit/window_manager.h"

namespace savora::handheld {

using namespace savora::toolkit;
using namespace savora::codes::palm_window;

const WindowSpec kPalmWindowSpec{"PALM_WINDOW",
                                 {{"USERS", 0, ObjectKind::Combo},
                                  {"OVER_WRITE", 0, ObjectKind::Button},
                                  {"OK_BUTTON", 0, ObjectKind::Button},
                                  {"CANCEL_BUTTON", 0, ObjectKind::Button},
                                  {"HELP_BUTTON", 0, ObjectKind::Button}}};

PalmWindow::PalmWindow(Setup setup, HandheldMemory& memory, User& user,
                       std::function<void(const std::string& conduit, bool append)> exportRequest)
    : UIW_WINDOW(kPalmWindowSpec.resource),
      setup_(std::move(setup)),
      memory_(memory),
      user_(user),
      exportRequest_(std::move(exportRequest)) {
  resolve(kPalmWindowSpec);
  auto* users = Get<UIW_COMBO_BOX>("USERS");
  for (const HandheldUser& u : setup_.installation.users) users->add(ListEntry(u.name));
  users->setCurrent(users->findText(memory_.lastUser));
  auto* overwrite = Get<UIW_BUTTON>("OVER_WRITE");
  // A shopping list always replaces the one waiting.
  const bool recipes = setup_.kind == ConduitKind::Recipes;
  overwrite->setChecked(!recipes || !memory_.append);
  overwrite->setSelectable(recipes);
  closeOnEscape();
}

int PalmWindow::Event(const UI_EVENT& event) {
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

void PalmWindow::ok() {
  const HandheldChoice choice{Get<UIW_COMBO_BOX>("USERS")->text(),
                              Get<UIW_BUTTON>("OVER_WRITE")->isChecked()};
  const ChoiceResult result = confirmHandheldChoice(user_, setup_.installation, setup_.kind, choice,
                                                    setup_.dataFolder, setup_.productName, memory_);
  if (result.outcome == ChoiceOutcome::StayOpen) return;
  // The request may close windows: this one goes first, with what it needs kept here.
  auto request = exportRequest_;
  const bool append = memory_.append;
  UI_WINDOW_MANAGER::instance().subtract(this);
  if (result.outcome == ChoiceOutcome::Export && request) request(result.conduit, append);
}

}  // namespace savora::handheld
