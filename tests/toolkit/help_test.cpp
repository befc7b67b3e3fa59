#include <QKeyEvent>
#include <QPointer>
#include <QTextBrowser>
#include <QWidget>

#include "toolkit/help_window.h"
#include "toolkit_fixture.h"

namespace savora::toolkit {
namespace {

const std::string kHelpFile = SAVORA_PROGRAM_DIR "/SAVORA.HLP";

class HelpTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(HelpSystem::install(kHelpFile)); }
  void TearDown() override { HelpSystem::uninstall(); }
};

TEST_F(HelpTest, OpensAtAContextItsContentsOrItsSearch) {
  HelpSystem::showContext(1);
  ASSERT_NE(HelpSystem::window(), nullptr);
  EXPECT_EQ(HelpSystem::currentPage(), "/help/1.html");
  HelpSystem::showContext(987654);  // no page of its own: the contents
  EXPECT_EQ(HelpSystem::currentPage(), "/help/contents.html");
  HelpSystem::showContext(2);
  HelpSystem::showContents();
  EXPECT_EQ(HelpSystem::currentPage(), "/help/contents.html");
  HelpSystem::showSearch("backup file");
  ASSERT_GE(HelpSystem::searchResultCount(), 1);
  EXPECT_EQ(HelpSystem::searchResultPages().front(), "/help/2.html");
  HelpSystem::showSearch("toolbar");
  EXPECT_GE(HelpSystem::searchResultCount(), 1);
  HelpSystem::showSearch("xylophone");
  EXPECT_EQ(HelpSystem::searchResultCount(), 0);
}

TEST_F(HelpTest, EscapeClosesTheHelpWindow) {
  HelpSystem::showContents();
  QPointer<QWidget> window = HelpSystem::window();
  ASSERT_NE(window, nullptr);
  QWidget* focus = window->findChild<QTextBrowser*>();
  ASSERT_NE(focus, nullptr);
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QCoreApplication::sendEvent(focus, &escape);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.isNull() || !window->isVisible());
}

TEST(HelpInstallTest, AMissingHelpFileIsReported) {
  EXPECT_FALSE(HelpSystem::install("/nonexistent/SAVORA.HLP"));
  EXPECT_FALSE(HelpSystem::isInstalled());
}

}  // namespace
}  // namespace savora::toolkit
