// Backing up and restoring through the File menu while the bookshelf and a recipe are open, and
// renaming a recipe with the bookshelf beside it.
#include <gtest/gtest.h>

#include <regex>

#include "app/program.h"
#include "app/usage_counters.h"
#include "app_fixture.h"
#include "backup/backup.h"
#include "codes/program_codes.h"
#include "platform/file_ops.h"

namespace savora::app {
namespace {

using namespace savora::toolkit;

class BackupRestoreJourneyTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    registerWindows(window(), tables, user, {state, settings, usage});
  }
  static UIW_WINDOW* find(const std::string& resource) {
    for (UIW_WINDOW* open : UI_WINDOW_MANAGER::instance().windows()) {
      if (open->resourceName() == resource) return open;
    }
    return nullptr;
  }
  static void click(UIW_WINDOW* window, const char* button) {
    window->Get<UIW_BUTTON>(button)->click();
    settle();
  }
  static std::vector<std::string> rows(UIW_WINDOW* window, const char* list) {
    std::vector<std::string> texts;
    for (const ListEntry& entry : window->Get<UIW_VT_LIST>(list)->entries()) {
      std::string text = entry.text;
      text.erase(text.find_last_not_of(' ') + 1);
      if (!text.empty()) texts.push_back(text);
    }
    return texts;
  }
  void command(int code) {
    window().post(UI_EVENT(code));
    settle();
  }
  // A new book or chapter, named in its information window.
  void newShelfItem(UIW_WINDOW* shelf, const char* button, const std::string& name) {
    click(shelf, button);
    UIW_WINDOW* info = find("BOOK_INFO");
    ASSERT_NE(info, nullptr);
    info->Get("NAME")->setText(name);
    click(info, "OK_BUTTON");
  }
  // The bookshelf with a book, a chapter and a saved recipe open in its window.
  void shelfWithRecipe(UIW_WINDOW*& shelf, UIW_WINDOW*& recipe, const std::string& name) {
    command(codes::kOpenBookshelf);
    shelf = find("BOOK_SHELF");
    ASSERT_NE(shelf, nullptr);
    newShelfItem(shelf, "NEW_BOOK_BUTTON", "Family Favorites");
    newShelfItem(shelf, "NEW_CHAPTER_BUTTON", "Breakfast");
    click(shelf, "NEW_RECIPE_BUTTON");
    recipe = find("RECIPE_WINDOW");
    ASSERT_NE(recipe, nullptr);
    recipe->Get("NAME")->setText(name);
    click(recipe, "BUTTON_OK");
  }

  UsageCounters usage;
};

TEST_F(BackupRestoreJourneyTest, BackUpSuggestsADatedNameBesideTheAutomaticBackup) {
  user.answerFileDialog(std::nullopt);
  command(codes::kBackup);
  ASSERT_EQ(user.fileDialogStarts().size(), 1u);
  const std::string start = user.fileDialogStarts()[0];
  const std::string folder = platform::windowsDirectory();
  ASSERT_EQ(start.substr(0, folder.size()), folder);
  EXPECT_TRUE(std::regex_match(start.substr(folder.size()),
                               std::regex(R"(savora-backup-\d{4}-\d\d-\d\d\.ck9)")))
      << start;

  const std::string chosen = folders.config.str() + "weekly.ck9";
  user.answerFileDialog(chosen);
  user.expectMessage("Backup Complete", "Your data was backed up to\r\n" + chosen);
  command(codes::kBackup);
  EXPECT_TRUE(platform::fileExists(chosen));
}

}  // namespace
}  // namespace savora::app
