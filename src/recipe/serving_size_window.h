// SERVING_SIZE_WINDOW: the modal dialog in which the recipe window sets how many people a recipe
// serves, optionally scaling its ingredient quantities to the new number.
#pragma once

#include <functional>

#include "toolkit/uiw_window.h"
#include "toolkit/user.h"
#include "toolkit/window_spec.h"

namespace savora::recipe {

extern const toolkit::WindowSpec kServingSizeSpec;

class ServingSizeWindow : public toolkit::UIW_WINDOW {
 public:
  struct Callbacks {
    // OK with ADJUST_SERVINGS ticked, after the new servings are stored: the recipe window
    // scales its quantities (scaleQuantities with the servings it had before opening).
    std::function<void()> scaleQuantities;
    // Every OK, after any scaling: the recipe window shows servingsLabel(servings).
    std::function<void(long servings)> servingsSet;
  };

  // Edits `servings` (the recipe window's edit buffer, which outlives this modal window); it is
  // written only by OK. `adjustQuantities` presets ADJUST_SERVINGS. A recipe without servings
  // (0) opens showing 1 under the title "Enter Recipe Serving Size".
  ServingSizeWindow(long& servings, bool adjustQuantities, toolkit::User& user,
                    Callbacks callbacks);
  int Event(const toolkit::UI_EVENT& event) override;

 private:
  void ok();

  long& servings_;
  toolkit::User& user_;
  Callbacks callbacks_;
  toolkit::UIW_STRING* serve_;
  toolkit::UIW_BUTTON* adjust_;
};

}  // namespace savora::recipe
