// PALM_WINDOW: the choice of the handheld user to send recipes or a shopping list to, and
// whether recipes replace or join the ones waiting for the next sync. OK (with the conduit
// installed when the user has none) closes it and hands the conduit folder to the window that
// holds the data.
#pragma once

#include <functional>
#include <string>

#include "handheld/handheld_download.h"
#include "toolkit/uiw_window.h"
#include "toolkit/window_spec.h"

namespace savora::handheld {

extern const toolkit::WindowSpec kPalmWindowSpec;

class PalmWindow : public toolkit::UIW_WINDOW {
 public:
  struct Setup {
    HandheldInstallation installation;
    ConduitKind kind = ConduitKind::Recipes;
    std::string dataFolder;
    std::string productName;
  };
  // `memory` outlives the window; `exportRequest` gets the conduit folder and the append flag.
  PalmWindow(Setup setup, HandheldMemory& memory, toolkit::User& user,
             std::function<void(const std::string& conduit, bool append)> exportRequest);
  int Event(const toolkit::UI_EVENT& event) override;

 private:
  void ok();

  Setup setup_;
  HandheldMemory& memory_;
  toolkit::User& user_;
  std::function<void(const std::string&, bool)> exportRequest_;
};

}  // namespace savora::handheld
