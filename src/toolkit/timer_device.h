// A timer device: posts an event to a window every N milliseconds while it exists.
#pragma once

#include <memory>

class QTimer;

namespace savora::toolkit {

class UIW_WINDOW;

class TimerDevice {
 public:
  TimerDevice(UIW_WINDOW* target, int eventCode, int intervalMs);
  ~TimerDevice();
  TimerDevice(const TimerDevice&) = delete;
  TimerDevice& operator=(const TimerDevice&) = delete;
  int interval() const;

 private:
  std::unique_ptr<QTimer> timer_;
};

}  // namespace savora::toolkit
