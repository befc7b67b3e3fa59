#include "codes/program_codes.h"
#include "exchange/import_window.h"
#include "exchange_fixture.h"
#include "toolkit/event_codes.h"
#include "toolkit/event_manager.h"
#include "toolkit/uiw_controls.h"
#include "toolkit/window_manager.h"
#include "window_objects.h"

namespace savora::exchange {
namespace {

using namespace savora::toolkit;

class ImportWindowTest : public ExchangeTest {
 protected:
  void SetUp() override {
    ExchangeTest::SetUp();
    ASSERT_TRUE(savora::testing::openWindowObjects());
    archive.book("bookx", 1, "Soups");
    archive.chapter("chapterx", 1, 1, "Hot");
    archive.recipe("recip65x", 1, 1, "Broth");
    archive.pack(archivePath("soups.zel"));
  }
  void TearDown() override {
    UI_EVENT_MANAGER::instance().clear();
    savora::testing::closeWindowObjects();
    ExchangeTest::TearDown();
  }
  ImportWindow* open() {
    window = UI_WINDOW_MANAGER::instance().add(std::make_unique<ImportWindow>(
        ExchangeImport::start(store, targets(), archivePath("soups.zel")),
        [this](long book, long chapter) {
          shown = {book, chapter};
        }));
    return window;
  }
  bool isOpen() const { return UI_WINDOW_MANAGER::instance().contains(window); }

  ImportWindow* window = nullptr;
  std::pair<long, long> shown{0, 0};
};

TEST_F(ImportWindowTest, TheWindowRunsTheWholeImportAndClosesItself) {
  open();
  EXPECT_EQ(window->Get("FILENAME")->text(), archivePath("soups.zel"));
  bool finishedShown = false;
  user.onMessage = [&](const savora::testing::ScriptedUser::Message&) {
    for (int field = 1; field <= 6; ++field) {
      EXPECT_TRUE(window->Get<UIW_BUTTON>("FIELD_" + std::to_string(field))->isChecked()) << field;
    }
    EXPECT_EQ(window->Get("STATUS")->text(), kFinishedStatus);
    finishedShown = true;
  };
  expectFinished();
  UI_EVENT_MANAGER::instance().processAll();
  EXPECT_TRUE(finishedShown);
  EXPECT_FALSE(isOpen());
  const long book = books.uidOf("Soups");
  EXPECT_EQ(shown, std::make_pair(book, chapters.uidOf("Hot", book)));
  EXPECT_FALSE(ExchangeScratch::running());
  EXPECT_FALSE(platform::fileExists("recip65x.dbf"));
}

TEST_F(ImportWindowTest, ClosingTheWindowMidImportEndsItAndClearsItsFiles) {
  open();
  UI_EVENT_MANAGER::instance().clear();  // the first step never runs
  window->Event(UI_EVENT(savora::codes::import_window::kNextStep));  // extraction only
  EXPECT_TRUE(platform::fileExists("recip65x.dbf"));
  UI_EVENT_MANAGER::instance().clear();
  window->post(UI_EVENT(S_CLOSE));
  UI_EVENT_MANAGER::instance().processAll();
  EXPECT_FALSE(ExchangeScratch::running());
  EXPECT_FALSE(platform::fileExists("recip65x.dbf"));
  EXPECT_EQ(books.uidOf("Soups"), -1);
}

}  // namespace
}  // namespace savora::exchange
