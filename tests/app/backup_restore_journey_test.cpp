// Backing up and restoring through the File menu while the bookshelf and a recipe are open, and
// renaming a recipe with the bookshelf beside it.
#include <gtest/gtest.h>

#include <QListWidget>
#include <regex>

#include "app/program.h"
#include "app/usage_counters.h"
#include "app_fixture.h"
#include "backup/backup.h"
#include "codes/program_codes.h"
#include "platform/file_ops.h"
#include "recipe/recipe_edit.h"

namespace savora::app {
namespace {

using namespace savora::toolkit;

const char* const kRestoreQuestion =
    "Any changes made since the last time you backed up\r\nwill be lost. Are you sure you want to "
    "continue?";

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
    user.expectMessage("Servings?", recipe::kNoServingsQuestion, Button::Yes);
    click(recipe, "BUTTON_OK");
  }

  UsageCounters usage;
};

// Before any backup of the user's own the dialog gets a dated name alone, which it opens in the
// documents folder; afterwards it starts where the last backup went.
TEST_F(BackupRestoreJourneyTest, BackUpSuggestsADatedNameInTheLastBackupFolder) {
  const std::regex dated(R"(savora-backup-\d{4}-\d\d-\d\d\.ck9)");
  user.answerFileDialog(std::nullopt);
  command(codes::kBackup);
  ASSERT_EQ(user.fileDialogStarts().size(), 1u);
  EXPECT_TRUE(std::regex_match(user.fileDialogStarts()[0], dated)) << user.fileDialogStarts()[0];

  const std::string folder = folders.config.str();
  const std::string chosen = folder + "weekly.ck9";
  user.answerFileDialog(chosen);
  user.expectMessage("Backup Complete", "Your data was backed up to\r\n" + chosen);
  command(codes::kBackup);
  EXPECT_TRUE(platform::fileExists(chosen));

  user.answerFileDialog(std::nullopt);
  command(codes::kBackup);
  const std::string next = user.fileDialogStarts().back();
  ASSERT_EQ(next.substr(0, folder.size()), folder);
  EXPECT_TRUE(std::regex_match(next.substr(folder.size()), dated)) << next;
}

TEST_F(BackupRestoreJourneyTest, RestoreClosesEveryWindowThatShowedTheOldData) {
  UIW_WINDOW* shelf = nullptr;
  UIW_WINDOW* recipe = nullptr;
  ASSERT_NO_FATAL_FAILURE(shelfWithRecipe(shelf, recipe, "Pancakes"));
  const std::string archive = folders.config.str() + "before.ck9";
  user.answerFileDialog(archive);
  user.expectMessage("Backup Complete", "Your data was backed up to\r\n" + archive);
  command(codes::kBackup);

  // After the backup: a new book, and an edit nobody saved.
  newShelfItem(shelf, "NEW_BOOK_BUTTON", "Made Later");
  recipe->Get("NAME")->setText("Pancakes Deluxe");

  // The shelf is left on "Made Later", a book the restore takes away.
  auto* books = shelf->Get<UIW_VT_LIST>("BOOK_LIST");
  static_cast<QListWidget*>(books->widget())->setCurrentRow(books->findText("Made Later"));
  user.answerFileDialog(archive);
  user.expectMessage("Save Changes?",
                     "Would you like to save the changes you made to \"Pancakes\" before "
                     "restoring your data?",
                     Button::No);
  user.expectMessage("Restore Data?", kRestoreQuestion, Button::Yes);
  user.expectMessage("Restore Complete", "Your data was restored from\r\n" + archive);
  command(codes::kRestore);
  user.verifyAllAnswered();
  EXPECT_EQ(find("RECIPE_WINDOW"), nullptr);
  EXPECT_EQ(find("BOOK_SHELF"), nullptr);
  EXPECT_EQ(user.fileDialogStarts().back(), folders.config.str());  // where the backup went

  // The bookshelf shows the restored tables, and leaving offers to save nothing.
  command(codes::kOpenBookshelf);
  shelf = find("BOOK_SHELF");
  ASSERT_NE(shelf, nullptr);
  EXPECT_EQ(rows(shelf, "BOOK_LIST"), std::vector<std::string>{"Family Favorites"});
  EXPECT_EQ(shelf->Get<UIW_VT_LIST>("BOOK_LIST")->current(), -1);  // nothing of before is chosen
  user.expectMessage("Exit Savora?", "\r\nExit Savora?", Button::No);
  EXPECT_FALSE(window().exitCheck());
}

TEST_F(BackupRestoreJourneyTest, RestoreCancelledAtTheSaveQuestionChangesNothing) {
  UIW_WINDOW* shelf = nullptr;
  UIW_WINDOW* recipe = nullptr;
  ASSERT_NO_FATAL_FAILURE(shelfWithRecipe(shelf, recipe, "Pancakes"));
  recipe->Get("NAME")->setText("Pancakes Deluxe");
  user.answerFileDialog(folders.config.str() + "missing.ck9");
  user.expectMessage("Save Changes?",
                     "Would you like to save the changes you made to \"Pancakes\" before "
                     "restoring your data?",
                     Button::Cancel);
  command(codes::kRestore);
  EXPECT_EQ(find("RECIPE_WINDOW"), recipe);
  EXPECT_EQ(recipe->Get("NAME")->text(), "Pancakes Deluxe");
}

TEST_F(BackupRestoreJourneyTest, ARecipeSavedUnderANewNameShowsOnTheBookshelfAtOnce) {
  UIW_WINDOW* shelf = nullptr;
  UIW_WINDOW* recipe = nullptr;
  ASSERT_NO_FATAL_FAILURE(shelfWithRecipe(shelf, recipe, "Pancakes"));
  EXPECT_EQ(rows(shelf, "RECIPE_LIST"), std::vector<std::string>{"Pancakes"});
  recipe->Get("NAME")->setText("Griddle Cakes");
  click(recipe, "BUTTON_OK");
  EXPECT_EQ(rows(shelf, "RECIPE_LIST"), std::vector<std::string>{"Griddle Cakes"});
  EXPECT_EQ(find("RECIPE_WINDOW"), recipe);
}

}  // namespace
}  // namespace savora::app
