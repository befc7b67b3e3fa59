#include <gtest/gtest.h>

#include <algorithm>

#include "recipe/serving_size_window.h"
#include "scripted_user.h"
#include "store/recipe_table.h"
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
    window = UI_WINDOW_MANAGER::instance().add(std::make_unique<ServingSizeWindow>(
        servings, adjust, user,
        ServingSizeWindow::Callbacks{
            [this] { calls.push_back("scale " + std::to_string(servings)); },
            [this](long n) { calls.push_back("label " + std::to_string(n)); }}));
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

TEST_F(ServingSizeWindowTest, OkRefusesWhatIsNoWholeNumberOrLessThanOnePersonThenScalesAndTells) {
  open(true);
  EXPECT_EQ(serve(), "4");
  EXPECT_NE(window->title(), "Enter Recipe Serving Size");
  struct Row {
    const char* typed;
    const char* message;
  };
  const char* const kLessThanOne = "A recipe cannot serve less than 1 person!";
  const char* const kNotANumber =
      "Please enter the number of servings as a whole number such as 4.";
  const Row rows[] = {{"0", kLessThanOne},  {"-3", kLessThanOne}, {"", kNotANumber},
                      {"abc", kNotANumber}, {"6x", kNotANumber},  {"2.5", kNotANumber},
                      {"4 4", kNotANumber}};
  for (const Row& row : rows) {
    window->Get<UIW_STRING>("SERVE")->setText(row.typed);
    user.expectMessage("Wait!", row.message);
    click("OK_BUTTON");
    EXPECT_TRUE(isOpen()) << row.typed;
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

TEST_F(ServingSizeWindowTest, TheFieldTakesNoMoreDigitsThanTheTableKeeps) {
  open(true);
  const auto fields = store::recipeTableDefinition("rc65").fields;
  const auto spec = std::find_if(fields.begin(), fields.end(),
                                 [](const xbase::FieldSpec& f) { return f.name == "SERVE"; });
  ASSERT_NE(spec, fields.end());
  auto* field = window->Get<UIW_STRING>("SERVE");
  EXPECT_EQ(field->maxLength(), int(spec->width));
  field->setText("123456789");
  EXPECT_EQ(serve(), std::string("123456789").substr(0, spec->width));
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
