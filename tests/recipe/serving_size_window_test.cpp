#include <gtest/gtest.h>

#include "recipe/serving_size_window.h"
#include "scripted_user.h"
#include "toolkit/event_codes.h"
#include "toolkit/event_manager.h"
#include "toolkit/help_window.h"
#include "toolkit/object_store.h"
#include "toolkit/window_manager.h"
#include "window_objects.h"

namespace savora::recipe {
namespace {

using savora::testing::ScriptedUser;
using namespace savora::toolkit;

class ServingSizeWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(savora::testing::openWindowObjects()); }
  void TearDown() override { savora::testing::closeWindowObjects(); }
  ServingSizeWindow* open(bool adjust) {
    window =
        new ServingSizeWindow(servings, adjust, user,
                              {[this] { calls.push_back("scale " + std::to_string(servings)); },
                               [this](long n) { calls.push_back("label " + std::to_string(n)); }});
    UI_WINDOW_MANAGER::instance().add(window);
    return window;
  }
  void click(const char* button) {
    window->Get<UIW_BUTTON>(button)->click();
    UI_EVENT_MANAGER::instance().processAll();
  }
  std::string serve() { return window->Get<UIW_STRING>("SERVE")->text(); }
  bool isOpen() const { return UI_WINDOW_MANAGER::instance().contains(window); }

  ScriptedUser user;
  long servings = 4;
  std::vector<std::string> calls;
  ServingSizeWindow* window = nullptr;
};

TEST_F(ServingSizeWindowTest, RecipeWithoutServingsOpensAsOneAndCancelKeepsIt) {
  servings = 0;
  open(true);
  EXPECT_EQ(serve(), "1");
  EXPECT_EQ(window->title(), "Enter Recipe Serving Size");
  EXPECT_TRUE(window->Get<UIW_BUTTON>("ADJUST_SERVINGS")->isChecked());
  window->Get<UIW_STRING>("SERVE")->setText("8");
  click("CANCEL_BUTTON");
  EXPECT_FALSE(isOpen());
  EXPECT_EQ(servings, 0);
  EXPECT_TRUE(calls.empty());
}

TEST_F(ServingSizeWindowTest, OkRefusesLessThanOnePersonThenScalesAndTells) {
  open(true);
  EXPECT_EQ(serve(), "4");
  EXPECT_NE(window->title(), "Enter Recipe Serving Size");
  for (const char* bad : {"0", "-3", "", "many"}) {
    window->Get<UIW_STRING>("SERVE")->setText(bad);
    user.expectMessage("Wait!", "A recipe cannot serve less than 1 person!");
    click("OK_BUTTON");
    EXPECT_TRUE(isOpen()) << bad;
  }
  EXPECT_EQ(user.messages().back().icon, "HAND");
  EXPECT_EQ(servings, 4);
  EXPECT_TRUE(calls.empty());

  window->Get<UIW_STRING>("SERVE")->setText(" 6 ");
  click("OK_BUTTON");
  EXPECT_FALSE(isOpen());
  EXPECT_EQ(servings, 6);
  // The servings are stored before the recipe window scales, and the label comes last.
  EXPECT_EQ(calls, (std::vector<std::string>{"scale 6", "label 6"}));
}

TEST_F(ServingSizeWindowTest, OkWithoutAdjustOnlySetsTheServings) {
  open(false);
  EXPECT_FALSE(window->Get<UIW_BUTTON>("ADJUST_SERVINGS")->isChecked());
  window->Get<UIW_STRING>("SERVE")->setText("2");
  click("OK_BUTTON");
  EXPECT_EQ(servings, 2);
  EXPECT_EQ(calls, std::vector<std::string>{"label 2"});
}

TEST_F(ServingSizeWindowTest, HelpOpensItsOwnPage) {
  ASSERT_TRUE(HelpSystem::install(SAVORA_PROGRAM_DIR "/SAVORA.HLP"));
  open(true);
  click("HELP_BUTTON");
  EXPECT_EQ(HelpSystem::currentPage(), "/help/45.html");
  EXPECT_TRUE(isOpen());
  HelpSystem::uninstall();
}

}  // namespace
}  // namespace savora::recipe
