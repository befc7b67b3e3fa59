// IMPORT_WINDOW with a Meal-Master file: the window reads it with the "Extracting" status, checks
// its whole list and closes; a malformed file closes it with the format message.
#include "exchange/import_window.h"
#include "exchange/text_recipe_format.h"
#include "exchange_fixture.h"
#include "platform/text.h"
#include "toolkit/event_manager.h"
#include "toolkit/uiw_controls.h"
#include "toolkit/window_manager.h"
#include "window_objects.h"

namespace savora::exchange {
namespace {

using namespace savora::toolkit;

constexpr const char* kOneRecipe =
    "MMMMM----- Recipe via Meal-Master (tm) v8.05\n\n      Title: Porridge\n"
    " Categories: Breakfast\n      Yield: 2 servings\n\n      1 c  Oats\n      2 c  Milk\n\n"
    "  Stir while it simmers.\nMMMMM\n";

class TextImportWindowTest : public ExchangeTest {
 protected:
  void SetUp() override {
    ExchangeTest::SetUp();
    ASSERT_TRUE(savora::testing::openWindowObjects());
  }
  void TearDown() override {
    UI_EVENT_MANAGER::instance().clear();
    savora::testing::closeWindowObjects();
    ExchangeTest::TearDown();
  }
  ImportWindow* open(const std::string& path) {
    auto* window = UI_WINDOW_MANAGER::instance().add(
        std::make_unique<ImportWindow>(ExchangeImport::start(store, targets(), path), nullptr));
    return window;
  }
};

TEST_F(TextImportWindowTest, AMealMasterFileRunsTheWholeListWithTheExtractingStatus) {
  const std::string path = archivePath("porridge.mmf");
  EXPECT_TRUE(platform::writeWholeFile(path, kOneRecipe));
  ImportWindow* window = open(path);
  bool allChecked = false;
  user.onMessage = [&](const savora::testing::ScriptedUser::Message&) {
    allChecked = true;
    for (int field = 1; field <= 6; ++field) {
      allChecked =
          allChecked && window->Get<UIW_BUTTON>("FIELD_" + std::to_string(field))->isChecked();
    }
  };
  expectFinished();
  UI_EVENT_MANAGER::instance().processAll();
  EXPECT_TRUE(allChecked);
  EXPECT_FALSE(UI_WINDOW_MANAGER::instance().contains(window));
  bool extracting = false;
  for (const auto& status : user.statusHistory()) {
    extracting = extracting ||
                 (status.title == "Extracting Recipes" && status.text == "Extracting Porridge");
  }
  EXPECT_TRUE(extracting);
  const long book = books.uidOf("Downloaded Recipes");
  EXPECT_GT(recipeUid("Porridge", chapters.uidOf("Breakfast", book)), 0);
}

TEST_F(TextImportWindowTest, AMalformedFileClosesTheWindowWithTheFormatMessage) {
  const std::string path = archivePath("broken.mmf");
  EXPECT_TRUE(platform::writeWholeFile(
      path, "MMMMM----- Recipe via Meal-Master (tm) v8.05\n\n      Oops\n"));
  ImportWindow* window = open(path);
  user.expectMessage(kUnableToDownloadTitle,
                     platform::formatText(kNotRecipeFormatText, path.c_str()) +
                         "\r\n\r\nReading stopped at line 3, in recipe 1.");
  user.expectMessage(kSkipBadTitle, kSkipBadText, toolkit::Button::No);
  UI_EVENT_MANAGER::instance().processAll();
  EXPECT_FALSE(UI_WINDOW_MANAGER::instance().contains(window));
}

}  // namespace
}  // namespace savora::exchange
