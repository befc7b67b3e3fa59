// The recipe bookshelf's Export button through the program: the save dialog, the archive, and
// the message when it is written.
#include <gtest/gtest.h>

#include <QListWidget>
#include <cstdlib>

#include "app/program.h"
#include "app/usage_counters.h"
#include "app_fixture.h"
#include "book_export/book_export.h"
#include "codes/program_codes.h"
#include "platform/file_ops.h"
#include "temp_folder.h"

namespace savora::app {
namespace {

using namespace savora::toolkit;

class BookExportJourneyTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    registerWindows(window(), tables, user, {state, settings, usage});
  }
  UsageCounters usage;
  savora::testing::TempFolder elsewhere;
};

TEST_F(BookExportJourneyTest, ExportWritesTheSelectedBookIntoTheChosenArchive) {
  const long book = tables.books().add("Soups", "", "");
  const long chapter = tables.chapters().add("Hot", book, "", "");
  store::Recipe broth;
  broth.name = "Broth";
  tables.recipes().save(0, chapter, broth, false);
  window().post(UI_EVENT(codes::kOpenBookshelf));
  settle();
  UIW_WINDOW* shelf = UI_WINDOW_MANAGER::instance().findKind(codes::kKindBookshelf);
  ASSERT_NE(shelf, nullptr);
  auto* books = static_cast<QListWidget*>(shelf->Get<UIW_VT_LIST>("BOOK_LIST")->widget());
  const int row = shelf->Get<UIW_VT_LIST>("BOOK_LIST")->findText("Soups");
  ASSERT_GE(row, 0);
  books->setCurrentRow(row);
  settle();

  user.answerFileDialog(elsewhere.str() + "soups.txt");
  user.expectMessage("Finished!", book_export::kExportedText);
  shelf->Get<UIW_BUTTON>("EXPORT_BUTTON")->click();
  settle();
  const std::string archive = elsewhere.str() + "soups.zel";
  ASSERT_TRUE(platform::fileExists(archive));
  EXPECT_EQ(std::system(("unzip -tq '" + archive + "' >/dev/null").c_str()), 0);
  EXPECT_FALSE(platform::fileExists("recip65x.dbf"));
}

}  // namespace
}  // namespace savora::app
