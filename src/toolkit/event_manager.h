// The event manager: one first-in, first-out queue of numbered events for the whole program.
//
// Invariants:
//  - post() only queues; a handler never runs inside the call that posted its event.
//  - Handlers never nest: while one runs (even inside a modal dialog's own loop), no other queued
//    event is dispatched; the queue goes on when the handler returns.
//  - Events go out in posting order, one per turn of the Qt loop, so the screen repaints and
//    input is taken between two events of a long chain (search batches, imports).
//  - Events for a window that has gone are dropped.
//  - Dispatch returning L_EXIT ends run().
#pragma once

#include <QObject>
#include <deque>
#include <functional>
#include <string>

#include "toolkit/ui_event.h"

class QEventLoop;

namespace savora::toolkit {

class UIW_WINDOW;

class UI_EVENT_MANAGER : public QObject {
  Q_OBJECT
 public:
  static UI_EVENT_MANAGER& instance();

  // Queues an event for a window; null means the main window (the frame).
  void post(UIW_WINDOW* to, UI_EVENT event);
  // Runs the Qt event loop until an event is answered with L_EXIT. Returns 0.
  int run();
  // True once L_EXIT was reached (run() returns, or would return at once).
  bool exitReached() const { return exitReached_; }
  void resetExit() { exitReached_ = false; }

  // Drops every queued event for, from or onto a window (called when it is destroyed).
  void forget(UIW_WINDOW* window);
  size_t pendingCount() const { return queue_.size(); }
  // Tests: dispatches queued events (and those they post) until none is left or L_EXIT.
  void processAll();
  // Drops every queued event (tests start clean).
  void clear();
  // Receives what a handler threw (the message of the exception); the event loop goes on.
  void setErrorHandler(std::function<void(const std::string&)> handler);

 private:
  struct Entry {
    UIW_WINDOW* to;
    UI_EVENT event;
  };
  UI_EVENT_MANAGER() = default;
  void schedule();
  // Dispatches the first queued event; false when none could be dispatched now.
  bool dispatchOne();

  std::deque<Entry> queue_;
  bool dispatching_ = false;
  bool scheduled_ = false;
  bool exitReached_ = false;
  QEventLoop* loop_ = nullptr;
  std::function<void(const std::string&)> errorHandler_;
};

// The exit check asks each window with unsaved changes to save (setting the exit state to
// L_EXIT) and waits for it. The window reports how its save ended:
// saved, so with the exit confirmed the program now ends;
void exitSaveDone(int* exitState);
// not saved (refused, declined or cancelled), so the program does not leave without asking.
void exitSaveFailed(int* exitState);

}  // namespace savora::toolkit
