#include "toolkit/timer_device.h"

#include <QTimer>

#include "toolkit/event_manager.h"

namespace savora::toolkit {

TimerDevice::TimerDevice(UIW_WINDOW* target, int eventCode, int intervalMs)
    : timer_(std::make_unique<QTimer>()) {
  timer_->setInterval(intervalMs);
  QObject::connect(timer_.get(), &QTimer::timeout, [target, eventCode] {
    UI_EVENT_MANAGER::instance().post(target, UI_EVENT(eventCode));
  });
  timer_->start();
}

TimerDevice::~TimerDevice() = default;

int TimerDevice::interval() const {
  return timer_->interval();
}

}  // namespace savora::toolkit
