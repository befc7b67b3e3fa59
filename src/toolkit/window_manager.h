// The window manager: the windows on screen, which of them is in front, finding a window by its
// kind, and the exit function that every attempt to leave the program passes.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include "toolkit/ui_event.h"

class QMdiArea;
class QMdiSubWindow;

namespace savora::toolkit {

class UIW_WINDOW;

class UI_WINDOW_MANAGER {
 public:
  static UI_WINDOW_MANAGER& instance();

  // The frame whose client area child windows go into; the target of events posted to no window.
  // The frame itself is owned by its creator. Null for no frame.
  void setFrame(UIW_WINDOW* frame, QMdiArea* clientArea);
  UIW_WINDOW* frame() const { return frame_; }
  QMdiArea* clientArea() const { return clientArea_; }

  // Puts a window on screen and takes ownership of it: a modal window (or any window while there
  // is no frame) becomes a window of its own, every other one a child of the frame. The window
  // comes to the front. Returns the window, for callers that go on working with it.
  template <class Window>
  Window* add(std::unique_ptr<Window> window) {
    Window* shown = window.get();
    addOwned(std::move(window));
    return shown;
  }
  // Takes a window off the screen; it is destroyed once the current event is handled.
  void subtract(UIW_WINDOW* window);
  // The windows on screen, back to front.
  std::vector<UIW_WINDOW*> windows() const;
  // The front-most child window of the frame, or null.
  UIW_WINDOW* front() const;
  // The first window on screen of a kind (identifier / 100 * 100), front-most first, or null.
  UIW_WINDOW* findKind(int kind) const;
  void bringToFront(UIW_WINDOW* window);
  bool contains(const UIW_WINDOW* window) const;

  // The function asked on every attempt to leave; it returns true to let the program end.
  void setExitFunction(std::function<bool()> exitFunction);
  // Asks the exit function (no function: leaving is allowed).
  bool mayExit();

  // Hands an event to its window, or handles the window manager's own events (L_EXIT,
  // L_EXIT_FUNCTION). Returns L_EXIT to end the event loop.
  int dispatch(UIW_WINDOW* to, const UI_EVENT& event);

  // Destroys the windows taken off the screen (the event manager calls it between events).
  void destroyRemoved();
  // Called by a window's destructor.
  void forget(UIW_WINDOW* window);
  // Takes every window off the screen and destroys it (shutdown, tests).
  void closeAll();
  // The frame became the active window again (the frame's event filter calls it).
  void frameActivated();

 private:
  // Every window in shown_ and removed_ is owned here; destroyRemoved() deletes it.
  struct Shown {
    UIW_WINDOW* window;
    QMdiSubWindow* subWindow;  // null for windows of their own
    UIW_WINDOW* owner;         // the window in front when it opened
  };
  UI_WINDOW_MANAGER() = default;
  void addOwned(std::unique_ptr<UIW_WINDOW> window);
  const Shown* find(const UIW_WINDOW* window) const;

  UIW_WINDOW* frame_ = nullptr;
  QMdiArea* clientArea_ = nullptr;
  std::vector<Shown> shown_;
  std::vector<Shown> removed_;  // off the screen, destroyed after the current event
  std::function<bool()> exitFunction_;
  // The window put back in front when a window it opened went, until the frame is activated
  // again or a moment has passed.
  static constexpr std::chrono::milliseconds kReturnWindow{1500};
  UIW_WINDOW* returnTo_ = nullptr;
  std::chrono::steady_clock::time_point returnBy_;
};

}  // namespace savora::toolkit
