// PRINT_SETUP driven through its objects (offscreen): what each kind offers, the margin check,
// the text file, and the settings the window keeps; and the output without a printer.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPrinterInfo>
#include <algorithm>

#include "platform/file_ops.h"
#include "print/print_dialog_window.h"
#include "print/print_setup_window.h"
#include "program_folders.h"
#include "recording_canvas.h"
#include "screenshots.h"
#include "scripted_user.h"
#include "toolkit/event_manager.h"
#include "toolkit/window_manager.h"
#include "window_objects.h"

namespace savora::print {
namespace {

using namespace savora::toolkit;

class PrintSetupWindowTest : public savora::testing::ProgramFoldersTest {
 protected:
  void SetUp() override {
    ProgramFoldersTest::SetUp();
    ASSERT_TRUE(savora::testing::openWindowObjects());
  }
  void TearDown() override {
    savora::testing::closeWindowObjects();
    ProgramFoldersTest::TearDown();
  }

  void open(PrintKind kind) {
    window = UI_WINDOW_MANAGER::instance().add(std::make_unique<PrintSetupWindow>(
        documentJob(kind, {"printed", {}, false, {}}), kept,
        [this](const PrintSettings& s) { kept = s; }, user,
        [this](User&, const PrintSettings& s, const std::function<bool(Canvas&)>& draw) {
          printedWith = s;
          return draw(canvas);
        }));
  }
  void click(const char* name) {
    window->Get<UIW_BUTTON>(name)->click();
    UI_EVENT_MANAGER::instance().processAll();
  }
  void type(const char* field, const char* text) { window->Get<UIW_STRING>(field)->setText(text); }
  std::string field(const char* name) { return window->Get<UIW_STRING>(name)->text(); }
  bool offered(const char* name) { return window->Get(name)->isSelectable(); }
  bool isOpen() const { return UI_WINDOW_MANAGER::instance().contains(window); }

  savora::testing::ScriptedUser user;
  PrintSettings kept;
  std::optional<PrintSettings> printedWith;
  savora::testing::RecordingCanvas canvas;
  PrintSetupWindow* window = nullptr;
};

TEST_F(PrintSetupWindowTest, CardsAreForRecipesAndEachModeSetsItsMargins) {
  open(PrintKind::Recipe);
  window->widget()->show();
  QApplication::processEvents();
  savora::testing::keepScreenshot(window->widget()->grab().toImage(), "PRINT_SETUP.png");
  EXPECT_TRUE(offered("FORMATTED_CARDS") && offered("CARD_3") && offered("CORNER"));
  EXPECT_FALSE(offered("TWO_COLUMNS") || offered("PRINT_NUTRITION") || offered("TWO_ON_A_PAGE"));
  click("FOUR_BY_SIX_CARDS");
  EXPECT_FALSE(offered("CARD_3"));
  EXPECT_EQ(field("LEFT"), "1.37");
  click("CARD_2");
  EXPECT_EQ(field("TOP"), "6.00");
  EXPECT_EQ(field("BOTTOM"), "1.50");
  click("STANDARD_SHEET");
  EXPECT_EQ(field("TOP"), "1.00");
  EXPECT_TRUE(offered("TWO_COLUMNS") && offered("PRINT_NUTRITION"));
  EXPECT_FALSE(offered("CARD_1") || offered("BACKGROUND") || offered("TWO_ON_A_PAGE"));
  EXPECT_FALSE(window->Get("WIDTH")->widget()->isVisibleTo(window->widget()));
  click("CUSTOM_PAPER");
  EXPECT_TRUE(window->Get("WIDTH")->widget()->isVisibleTo(window->widget()));
  click("CANCEL_BUTTON");

  open(PrintKind::TextPage);  // kept on cards: a text page goes on the standard sheet
  EXPECT_FALSE(offered("FORMATTED_CARDS"));
  EXPECT_TRUE(window->Get<UIW_BUTTON>("STANDARD_SHEET")->isChecked());
  EXPECT_EQ(field("LEFT"), "1.00");
}

TEST_F(PrintSetupWindowTest, MarginsLeavingLessThanAnInchKeepTheWindowOpen) {
  open(PrintKind::Recipe);
  click("STANDARD_SHEET");
  type("LEFT", "4");
  type("RIGHT", "4");
  user.expectMessage(
      "Error!", "Paper width must be larger or\r\nthe left and right margins must be smaller.");
  click("OK_BUTTON");
  EXPECT_TRUE(isOpen());
  EXPECT_FALSE(printedWith);

  type("LEFT", "3.5");
  click("PRINT_NUTRITION");
  click("OK_BUTTON");
  EXPECT_FALSE(isOpen());
  ASSERT_TRUE(printedWith);
  EXPECT_EQ(printedWith->margins.left, 3.5);
  EXPECT_TRUE(printedWith->printNutrition);
  EXPECT_TRUE(canvas.finished && std::ranges::any_of(canvas.calls, [](const std::string& call) {
    return call.ends_with(" printed");
  }));
  // The margins, the paper and the switches are kept for the next print.
  EXPECT_EQ(kept.margins.left, 3.5);
  EXPECT_EQ(kept.paperMode, PaperMode::StandardSheet);
  EXPECT_TRUE(kept.printNutrition);
}

TEST_F(PrintSetupWindowTest, DiskWritesTheTextFormAndRefusesProgramFiles) {
  open(PrintKind::Recipe);
  click("DISK");
  const std::string table = programDir.str() + "/food.dbf";
  user.answerFileDialog(table);
  user.expectMessage("Wait!", table + " is an invalid file name.");
  click("OK_BUTTON");
  EXPECT_TRUE(isOpen());
  EXPECT_FALSE(platform::fileExists(table));

  const std::string text = programDir.str() + "/recipe.txt";
  user.answerFileDialog(text);
  click("OK_BUTTON");
  EXPECT_FALSE(isOpen());
  EXPECT_EQ(platform::readWholeFile(text), "printed\n");
  EXPECT_FALSE(printedWith);
}

TEST_F(PrintSetupWindowTest, ClosingKeepsTheSwitchesAndTheCardStyle) {
  open(PrintKind::RecipeList);
  click("BACKGROUND");
  click("STANDARD_SHEET");
  click("TWO_ON_A_PAGE");
  click("CANCEL_BUTTON");
  EXPECT_EQ(kept.cardStyle, CardStyle::Background);
  EXPECT_FALSE(kept.twoOnAPage);
  EXPECT_EQ(kept.paperMode, PaperMode::FormattedCards);  // the paper is kept only by a print
}

// Without a printer the print goes to a PDF file; a file that cannot be made is reported.
TEST_F(PrintSetupWindowTest, WithoutPrintersThePrintGoesToAPdfOrSaysItCouldNot) {
  if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "this machine has printers";
  auto draw = [](Canvas& canvas) {
    canvas.text(0, 0, "Hello");
    return canvas.finish();
  };
  const std::string pdf = programDir.str() + "/out.pdf";
  user.answerFileDialog(pdf);
  EXPECT_TRUE(printWithDialog(user, kept, draw));
  EXPECT_EQ(platform::readWholeFile(pdf, 5), "%PDF-");

  user.answerFileDialog(programDir.str() + "/no/such/folder/out.pdf");
  user.expectMessage("Print", "The printer could not be started.");
  EXPECT_FALSE(printWithDialog(user, kept, draw));
}

}  // namespace
}  // namespace savora::print
