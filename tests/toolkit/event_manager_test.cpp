#include <QEventLoop>
#include <QTimer>
#include <ctime>
#include <stdexcept>

#include "toolkit/event_codes.h"
#include "toolkit/timer_device.h"
#include "toolkit_fixture.h"

namespace savora::toolkit {
namespace {

using EventManagerTest = ToolkitTest;

std::vector<int> typesOf(const std::vector<UI_EVENT>& events) {
  std::vector<int> out;
  for (const auto& e : events) out.push_back(e.type);
  return out;
}

TEST_F(EventManagerTest, EventsArriveInPostingOrderAndNeverDuringPost) {
  RecordingWindow window;
  window.onEvent = [&](const UI_EVENT& e) {
    if (e.type == 1) {
      window.post(UI_EVENT(3));
      window.post(UI_EVENT(4));
      // Posting never runs a handler at once.
      EXPECT_EQ(window.received.size(), 1u);
    }
  };
  window.post(UI_EVENT(1, 10, 20));
  window.post(UI_EVENT(2));
  EXPECT_TRUE(window.received.empty());
  settle();
  EXPECT_EQ(typesOf(window.received), (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(window.received[0].values[0], 10);
  EXPECT_EQ(window.received[0].values[1], 20);
}

TEST_F(EventManagerTest, HandlersNeverNestEvenInsideAModalLoop) {
  RecordingWindow window;
  int depth = 0, deepest = 0;
  window.onEvent = [&](const UI_EVENT& e) {
    ++depth;
    deepest = std::max(deepest, depth);
    if (e.type == 1) {
      // A modal dialog runs its own event loop; queued events must wait for this handler.
      QEventLoop modal;
      QTimer::singleShot(400, &modal, &QEventLoop::quit);
      window.post(UI_EVENT(2));  // e.g. a focus change while the dialog is up
      const std::clock_t start = std::clock();
      modal.exec();
      const double cpuMs = 1000.0 * double(std::clock() - start) / CLOCKS_PER_SEC;
      EXPECT_EQ(window.received.size(), 1u);
      // Event 2 waits without the manager asking for a turn over and over: such a busy loop
      // burns the processor and keeps the dialog from ever being painted.
      EXPECT_LT(cpuMs, 40.0);
    }
    --depth;
  };
  window.post(UI_EVENT(1));
  settle();
  EXPECT_EQ(deepest, 1);
  EXPECT_EQ(typesOf(window.received), (std::vector<int>{1, 2}));
}

TEST_F(EventManagerTest, RunEndsOnExitAndAFailingHandlerIsReportedNotFatal) {
  RecordingWindow window;
  std::vector<std::string> errors;
  UI_EVENT_MANAGER::instance().setErrorHandler(
      [&](const std::string& what) { errors.push_back(what); });
  window.onEvent = [&](const UI_EVENT& e) {
    if (e.type == 5) throw std::runtime_error("table rc65 is damaged");
  };
  window.post(UI_EVENT(5));
  window.post(UI_EVENT(6));
  window.post(UI_EVENT(L_EXIT));
  window.post(UI_EVENT(7));  // after the exit: never dispatched
  EXPECT_EQ(UI_EVENT_MANAGER::instance().run(), 0);
  UI_EVENT_MANAGER::instance().setErrorHandler({});
  EXPECT_EQ(errors, std::vector<std::string>{"table rc65 is damaged"});
  EXPECT_EQ(typesOf(window.received), (std::vector<int>{5, 6}));
  EXPECT_TRUE(UI_EVENT_MANAGER::instance().exitReached());
}

TEST_F(EventManagerTest, TimerDevicePostsItsEventAtItsInterval) {
  RecordingWindow window;
  TimerDevice timer(&window, 70, 20);
  EXPECT_EQ(timer.interval(), 20);
  QEventLoop wait;
  QTimer::singleShot(150, &wait, &QEventLoop::quit);
  wait.exec();
  settle();
  ASSERT_GE(window.received.size(), 3u);
  for (const auto& e : window.received) EXPECT_EQ(e.type, 70);
}

}  // namespace
}  // namespace savora::toolkit
