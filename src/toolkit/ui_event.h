// A numbered event: what the event manager queues and a window's Event handler receives.
#pragma once

#include <array>
#include <string>

namespace savora::toolkit {

class UI_WINDOW_OBJECT;

struct UI_EVENT {
  int type = 0;
  // Event-specific integers, e.g. {chapter UID, recipe UID, mode} for "open recipe", or a list
  // entry's {index, identifier}.
  std::array<long, 4> values{};
  std::string text;
  // The object that sent the event (button, list, menu item), when there is one. Valid while its
  // window lives; the event manager drops events whose window has gone.
  UI_WINDOW_OBJECT* source = nullptr;
  // For drops: the list dropped on.
  UI_WINDOW_OBJECT* target = nullptr;

  UI_EVENT() = default;
  explicit UI_EVENT(int code, long v0 = 0, long v1 = 0, long v2 = 0, long v3 = 0)
      : type(code), values{v0, v1, v2, v3} {}
};

}  // namespace savora::toolkit
