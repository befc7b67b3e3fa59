#include "toolkit/event_manager.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <exception>

#include "toolkit/event_codes.h"
#include "toolkit/ui_window_object.h"
#include "toolkit/window_manager.h"

namespace savora::toolkit {

UI_EVENT_MANAGER& UI_EVENT_MANAGER::instance() {
  static UI_EVENT_MANAGER* manager = new UI_EVENT_MANAGER();  // lives as long as the process
  return *manager;
}

void UI_EVENT_MANAGER::post(UIW_WINDOW* to, UI_EVENT event) {
  queue_.push_back({to, std::move(event)});
  schedule();
}

void UI_EVENT_MANAGER::schedule() {
  if (scheduled_ || queue_.empty()) return;
  scheduled_ = true;
  QTimer::singleShot(0, this, [this] {
    scheduled_ = false;
    // Inside a handler (a modal dialog's loop) nothing may be dispatched; asking again at once
    // would spin and starve the window system of its turn, so the dialog would never paint.
    // The handler schedules the rest when it returns.
    if (dispatching_) return;
    dispatchOne();
    schedule();
  });
}

bool UI_EVENT_MANAGER::dispatchOne() {
  if (dispatching_ || queue_.empty() || exitReached_) return false;
  Entry entry = std::move(queue_.front());
  queue_.pop_front();
  dispatching_ = true;
  int result = 0;
  // A handler's failure stops that handler, never the program: it is reported and the queue
  // goes on.
  try {
    result = UI_WINDOW_MANAGER::instance().dispatch(entry.to, entry.event);
  } catch (const std::exception& error) {
    if (errorHandler_) {
      errorHandler_(error.what());
    } else {
      qWarning("event %d failed: %s", entry.event.type, error.what());
    }
  }
  dispatching_ = false;
  schedule();
  UI_WINDOW_MANAGER::instance().destroyRemoved();
  if (result == L_EXIT) {
    exitReached_ = true;
    if (loop_) loop_->exit(0);
  }
  return true;
}

int UI_EVENT_MANAGER::run() {
  if (exitReached_) return 0;
  QEventLoop loop;
  loop_ = &loop;
  schedule();
  loop.exec();
  loop_ = nullptr;
  return 0;
}

void UI_EVENT_MANAGER::forget(UIW_WINDOW* window) {
  std::erase_if(queue_, [window](const Entry& e) {
    return e.to == window || (e.event.source && e.event.source->window() == window) ||
           (e.event.target && e.event.target->window() == window);
  });
}

void UI_EVENT_MANAGER::processAll() {
  for (int guard = 0; guard < 100000 && !queue_.empty() && !exitReached_; ++guard) {
    QCoreApplication::processEvents();
    if (!dispatchOne()) break;
  }
  QCoreApplication::processEvents();
}

void UI_EVENT_MANAGER::setErrorHandler(std::function<void(const std::string&)> handler) {
  errorHandler_ = std::move(handler);
}

void UI_EVENT_MANAGER::clear() {
  queue_.clear();
  exitReached_ = false;
}

void exitSaveDone(int* exitState) {
  if (exitState && *exitState == L_EXIT)
    UI_EVENT_MANAGER::instance().post(nullptr, UI_EVENT(L_EXIT_FUNCTION));
}

void exitSaveFailed(int* exitState) {
  if (exitState) *exitState = 0;
}

}  // namespace savora::toolkit
