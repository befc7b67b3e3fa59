// The single status window of long operations: a title and one line of text (the child with
// numeric identifier 3 of STATUS_WINDOW). Shown by the first call, changed in place by the next,
// removed and destroyed by close(). Every change is painted at once, since the caller goes on
// working without returning to the event loop.
#pragma once

#include <string>
#include <string_view>

#include "toolkit/window_spec.h"

namespace savora::toolkit {

class UIW_WINDOW;

// The children of STATUS_WINDOW the status window uses: its text line.
inline const WindowSpec kStatusWindowSpec{"STATUS_WINDOW", {{"", 3, ObjectKind::Prompt}}};

class StatusWindow {
 public:
  static void show(std::string_view title, std::string_view text);
  static void close();
  static bool isShown();
  // The window while it is shown (tests read its title and text), or null.
  static UIW_WINDOW* window();
};

}  // namespace savora::toolkit
