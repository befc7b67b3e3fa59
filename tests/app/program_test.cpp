#include <gtest/gtest.h>

#include <QImage>
#include <QMainWindow>
#include <QWidget>
#include <filesystem>

#include "app/main_window.h"
#include "app/program.h"
#include "scripted_user.h"
#include "temp_folder.h"
#include "toolkit/event_codes.h"
#include "toolkit/event_manager.h"
#include "toolkit/object_store.h"
#include "toolkit/status_window.h"
#include "toolkit/window_manager.h"

namespace savora::app {
namespace {

using namespace savora::toolkit;
using savora::testing::ScriptedUser;
using savora::testing::TempFolder;

const std::filesystem::path kBuiltProgramDir = SAVORA_PROGRAM_DIR;

// A program directory of its own, with the built object and help files.
struct ProgramDir {
  ProgramDir() {
    for (const char* file : {"OBJECTS.DAT", "SAVORA.HLP"}) {
      std::filesystem::copy_file(kBuiltProgramDir / file, dir.path() / file);
    }
  }
  TempFolder dir;
};

TEST(ProgramTest, AMissingObjectFileEndsStartUpWithMinusOne) {
  TempFolder empty;
  ScriptedUser user;  // no message may appear
  EXPECT_EQ(runProgram(empty.str(), user), -1);
  EXPECT_FALSE(ObjectStore::isOpen());
  EXPECT_TRUE(user.messages().empty());
}

TEST(ProgramTest, RunsUntilTheExitCheckAllowsLeaving) {
  ProgramDir program;
  ScriptedUser user;
  user.expectMessage("Exit Savora?", "\r\nExit Savora?", Button::No);
  user.expectMessage("Exit Savora?", "\r\nExit Savora?", Button::Yes);
  UI_EVENT_MANAGER::instance().clear();
  UI_EVENT_MANAGER::instance().post(nullptr, UI_EVENT(L_EXIT_FUNCTION));
  UI_EVENT_MANAGER::instance().post(nullptr, UI_EVENT(L_EXIT_FUNCTION));
  EXPECT_EQ(runProgram(program.dir.str(), user), 0);
  EXPECT_EQ(user.messages().size(), 2u);
  EXPECT_FALSE(ObjectStore::isOpen());
  UI_EVENT_MANAGER::instance().clear();
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ObjectStore::open((kBuiltProgramDir / "OBJECTS.DAT").string()));
    UI_EVENT_MANAGER::instance().clear();
  }
  void TearDown() override {
    UI_EVENT_MANAGER::instance().clear();
    ObjectStore::close();
  }
  ScriptedUser user;
};

TEST_F(MainWindowTest, ScreenshotOfTheFrameShowsMenusAndToolbar) {
  MainWindow main(user);
  main.widget()->resize(1024, 720);
  main.widget()->show();
  UI_EVENT_MANAGER::instance().processAll();
  const QImage shot = main.widget()->grab().toImage();
  ASSERT_FALSE(shot.isNull());
  EXPECT_EQ(shot.size(), QSize(1024, 720));
  // Not blank: many distinct colours (menu text, toolbar icons, the client area).
  QSet<QRgb> colours;
  for (int y = 0; y < shot.height(); y += 3) {
    for (int x = 0; x < shot.width(); x += 3) colours.insert(shot.pixel(x, y));
  }
  EXPECT_GT(colours.size(), 20);
  const auto out = std::filesystem::path(SAVORA_PROGRAM_DIR).parent_path() / "screenshots";
  std::filesystem::create_directories(out);
  shot.save(QString::fromStdString((out / "MAIN.png").string()));
}

TEST_F(MainWindowTest, WindowListAndEscapeWithoutChildrenAskToLeave) {
  MainWindow main(user);
  main.widget()->show();
  auto* a = new UIW_WINDOW("STATUS_WINDOW");
  a->setNumberID(401);
  a->setTitle("Apple Pie");
  UI_WINDOW_MANAGER::instance().add(a);
  main.post(UI_EVENT(10505));
  UI_EVENT_MANAGER::instance().processAll();
  auto* menu = main.Get<UIW_POP_UP_MENU>("WINDOW");
  ASSERT_EQ(menu->count(), 1);
  EXPECT_EQ(menu->itemText(0), "Apple Pie");

  // Close window with a child in front closes the child; with none it runs the exit check.
  main.post(UI_EVENT(S_CLOSE));
  UI_EVENT_MANAGER::instance().processAll();
  EXPECT_TRUE(UI_WINDOW_MANAGER::instance().windows().empty());
  user.expectMessage("Exit Savora?", "\r\nExit Savora?", Button::No);
  main.post(UI_EVENT(S_CLOSE));
  UI_EVENT_MANAGER::instance().processAll();
  EXPECT_FALSE(UI_EVENT_MANAGER::instance().exitReached());
}

}  // namespace
}  // namespace savora::app
