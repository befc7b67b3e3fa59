#include <QWidget>

#include "scripted_user.h"
#include "toolkit/qt_user.h"
#include "toolkit_fixture.h"

namespace savora::toolkit {
namespace {

using StatusWindowTest = ProgramObjectsTest;

TEST_F(StatusWindowTest, OneCallShowsChangesAndRemovesTheSingleWindow) {
  QtUser user;
  EXPECT_FALSE(StatusWindow::isShown());
  statusWindow(user, "Packing Data File", "Packing %s, %d records", "rc65", 120);
  ASSERT_TRUE(StatusWindow::isShown());
  UIW_WINDOW* window = StatusWindow::window();
  QWidget* widget = window->widget();
  EXPECT_TRUE(widget->isVisible());
  EXPECT_EQ(window->title(), "Packing Data File");
  EXPECT_EQ(window->Get(3)->text(), "Packing rc65, 120 records");

  // A second call changes the same window in place.
  statusWindow(user, "Upgrading File Format", "Please wait...");
  EXPECT_EQ(StatusWindow::window(), window);
  EXPECT_EQ(StatusWindow::window()->widget(), widget);
  EXPECT_EQ(window->title(), "Upgrading File Format");
  EXPECT_EQ(window->Get(3)->text(), "Please wait...");

  statusWindow(user, nullptr, nullptr);
  EXPECT_FALSE(StatusWindow::isShown());
  statusWindow(user, nullptr, nullptr);  // removing twice is harmless
  EXPECT_FALSE(StatusWindow::isShown());
}

TEST(StatusWindowCallTest, ReachesTheUserWithFormattedText) {
  savora::testing::ScriptedUser user;
  statusWindow(user, "Searching", "%d recipes found", 12);
  statusWindow(user, nullptr, "%s", "still searching");
  EXPECT_TRUE(user.statusShown());
  statusWindow(user, nullptr, nullptr);
  EXPECT_FALSE(user.statusShown());
  ASSERT_EQ(user.statusHistory().size(), 2u);
  EXPECT_EQ(user.statusHistory()[0].text, "12 recipes found");
  EXPECT_EQ(user.statusHistory()[1].title, "");
  {
    WaitPointer wait(user);
    EXPECT_EQ(user.waitDepth(), 1);
  }
  EXPECT_EQ(user.waitDepth(), 0);
}

}  // namespace
}  // namespace savora::toolkit
