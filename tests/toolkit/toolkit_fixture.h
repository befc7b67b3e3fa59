// Fixtures for toolkit tests: an object file open, the managers clean before and after.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <functional>
#include <string>

#include "toolkit/event_manager.h"
#include "toolkit/object_store.h"
#include "toolkit/status_window.h"
#include "toolkit/uiw_window.h"
#include "toolkit/window_manager.h"

namespace savora::toolkit {

inline const std::string kProgramObjects = SAVORA_PROGRAM_DIR "/OBJECTS.DAT";
inline const std::string kTestObjects = TEST_OBJECTS_DAT;

class ToolkitTest : public ::testing::Test {
 protected:
  explicit ToolkitTest(std::string objectFile = kTestObjects)
      : objectFile_(std::move(objectFile)) {}
  void SetUp() override {
    ASSERT_TRUE(ObjectStore::open(objectFile_)) << objectFile_;
    UI_EVENT_MANAGER::instance().clear();
  }
  void TearDown() override {
    UI_WINDOW_MANAGER::instance().closeAll();
    UI_WINDOW_MANAGER::instance().setExitFunction({});
    StatusWindow::close();
    UI_EVENT_MANAGER::instance().clear();
    ObjectStore::close();
  }
  static void settle() { UI_EVENT_MANAGER::instance().processAll(); }

 private:
  std::string objectFile_;
};

class ProgramObjectsTest : public ToolkitTest {
 protected:
  ProgramObjectsTest() : ToolkitTest(kProgramObjects) {}
};

// A window that records the events it receives.
class RecordingWindow : public UIW_WINDOW {
 public:
  explicit RecordingWindow(const std::string& resource = "TEST_LISTS") : UIW_WINDOW(resource) {}
  int Event(const UI_EVENT& event) override {
    received.push_back(event);
    if (onEvent) onEvent(event);
    return UIW_WINDOW::Event(event);
  }
  std::vector<UI_EVENT> received;
  std::function<void(const UI_EVENT&)> onEvent;
};

}  // namespace savora::toolkit
