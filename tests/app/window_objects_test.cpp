// Every window object of OBJECTS.DAT loads, and every child that the program's windows use is
// there under its name or numeric identifier, of the kind the code expects. A window added to
// the object file must add its spec here.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QWidget>
#include <algorithm>
#include <map>
#include <set>

#include "app/about_window.h"
#include "app/cd_drive_window.h"
#include "app/main_window.h"
#include "app/tips_window.h"
#include "bookshelf/book_info_window.h"
#include "bookshelf/book_shelf_window.h"
#include "bookshelf/new_book_window.h"
#include "exchange/import_item_window.h"
#include "exchange/import_window.h"
#include "food/brand_information_window.h"
#include "food/category_list_window.h"
#include "food/food_list_window.h"
#include "food/ingredient_information_window.h"
#include "food/unit_information_window.h"
#include "handheld/palm_window.h"
#include "online/mail_setup_window.h"
#include "online/mail_window.h"
#include "online/mailing_list_window.h"
#include "online/online_window.h"
#include "online/update_message_window.h"
#include "planning/shopping_list_settings_window.h"
#include "planning/shopping_list_window.h"
#include "planning/week_window.h"
#include "planning/year_window.h"
#include "print/print_setup_window.h"
#include "recipe/recipe_window.h"
#include "recipe/serving_size_window.h"
#include "search/recipe_search_window.h"
#include "toolkit/event_codes.h"
#include "toolkit/event_manager.h"
#include "toolkit/help_window.h"
#include "toolkit/object_store.h"
#include "toolkit/status_window.h"
#include "toolkit/uiw_mdiframe.h"
#include "toolkit/uiw_window.h"
#include "toolkit/window_manager.h"
#include "usda/usda_foods_window.h"

namespace savora::app {
namespace {

using namespace savora::toolkit;

std::string describe(const QRect& r) {
  return std::to_string(r.width()) + "x" + std::to_string(r.height()) + " at " +
         std::to_string(r.x()) + "," + std::to_string(r.y());
}

const std::vector<const WindowSpec*> kAllSpecs = {
    &kAboutWindowSpec,
    &kCdDriveWindowSpec,
    &food::kCategoryListSpec,
    &kMainWindowSpec,
    &kSaveApplicationSpec,
    &kStatusWindowSpec,
    &kTipsSpec,
    &food::kFoodListSpec,
    &food::kUnitInformationSpec,
    &food::kBrandInformationSpec,
    &food::kIngredientInformationSpec,
    &bookshelf::kBookShelfSpec,
    &bookshelf::kBookInfoSpec,
    &bookshelf::kNewBookSpec,
    &search::kRecipeSearchSpec,
    &recipe::kServingSizeSpec,
    &planning::kShoppingListSettingsSpec,
    &planning::kWeekWindowSpec,
    &planning::kYearWindowSpec,
    &recipe::kRecipeWindowSpec,
    &print::kPrintSetupSpec,
    &planning::kShoppingListSpec,
    &handheld::kPalmWindowSpec,
    &exchange::kImportWindowSpec,
    &exchange::kImportItemSpec,
    // USDA foods
    &usda::kUsdaFoodsSpec,
    // recipe e-mail and the update service
    &online::kMailWindowSpec,
    &online::kMailSetupSpec,
    &online::kMailingListSpec,
    &online::kOnlineWindowSpec,
    &online::kUpdateMessageSpec,
};

class WindowObjectsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(ObjectStore::open(SAVORA_PROGRAM_DIR "/OBJECTS.DAT")); }
  void TearDown() override { ObjectStore::close(); }
};

TEST_F(WindowObjectsTest, EveryWindowLoadsAndResolvesWhatTheCodeUses) {
  std::set<std::string> specified;
  for (const WindowSpec* spec : kAllSpecs) {
    SCOPED_TRACE(spec->resource);
    specified.insert(spec->resource);
    UIW_WINDOW window(spec->resource);
    EXPECT_NO_THROW(window.resolve(*spec));
  }
  const auto names = ObjectStore::names();
  ASSERT_FALSE(names.empty());
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    QWidget* widget = ObjectStore::load(name);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->objectName().toStdString(), name);
    delete widget;
    EXPECT_TRUE(specified.count(name)) << "no spec lists the children " << name << " must have";
  }
}

// F1 opens the page of a window's help context, and F1 on a highlighted menu item the page of
// its command; a context without a page of its own would quietly open the contents instead.
TEST_F(WindowObjectsTest, EveryWindowAndEveryCommandHasItsHelpPage) {
  ASSERT_TRUE(HelpSystem::install(SAVORA_PROGRAM_DIR "/SAVORA.HLP"));
  auto hasPage = [](int context) {
    return context > 0 && QFile::exists(QString(":/help/%1.html").arg(context));
  };
  for (const std::string& name : ObjectStore::names()) {
    SCOPED_TRACE(name);
    UIW_WINDOW window(name);
    EXPECT_TRUE(hasPage(window.helpContext())) << "context " << window.helpContext();
    for (const QAction* command : window.widget()->findChildren<QAction*>()) {
      // The commands of the object file (Qt's own actions, such as the toolbar's, have no name).
      if (command->objectName().isEmpty()) continue;
      const int context = command->property("helpContext").toInt();
      EXPECT_TRUE(hasPage(context)) << command->objectName().toStdString() << " " << context;
    }
  }
  // Searching finds the page a cook looks for, and says so when nothing matches.
  HelpSystem::showSearch("import");
  const auto found = HelpSystem::searchResultPages();
  ASSERT_FALSE(found.empty());
  EXPECT_EQ(found.front(), "/help/71.html");  // the page named after the word comes first
  EXPECT_EQ(HelpSystem::currentPage(), "/help/71.html");
  EXPECT_NE(HelpSystem::searchNote().find("pages contain \u201cimport\u201d"), std::string::npos);
  HelpSystem::showSearch("xylophone");
  EXPECT_EQ(HelpSystem::searchResultCount(), 0);
  EXPECT_EQ(HelpSystem::searchNote(),
            "No help page contains \u201cxylophone\u201d. Try fewer or other words.");
  HelpSystem::uninstall();
}

// At 800 x 600 (less a window manager's title bar) every window opens inside the frame's client
// area, however large its layout; one that fits inside the window it was opened from (a dialog)
// opens centred over that window.
TEST_F(WindowObjectsTest, EveryWindowOpensInsideAnEightHundredBySixHundredFrame) {
  const QSize screen(800, 600);
  UIW_MDIFRAME frame("MAIN");
  auto& manager = UI_WINDOW_MANAGER::instance();
  manager.setFrame(&frame, frame.mdiArea());
  frame.widget()->setGeometry(0, 30, screen.width(), screen.height() - 30);
  frame.widget()->show();
  QApplication::processEvents();
  const QRect area = frame.mdiArea()->viewport()->rect();
  ASSERT_LT(area.height(), screen.height() - 30);

  // The window the others are opened from, off the area's centre.
  auto* opener = manager.add(std::make_unique<UIW_WINDOW>("STATUS_WINDOW"));
  QMdiSubWindow* openerFrame = frame.mdiArea()->subWindowList().front();
  openerFrame->setMinimumSize(0, 0);
  openerFrame->setGeometry(area.width() - 620, 20, 600, area.height() - 30);
  const QPoint openerCentre = openerFrame->geometry().center();
  // Windows whose lists hold long rows open wide enough to read them: food names, the shopping
  // list's columns.
  const std::map<std::string, int> atLeastWide = {{"USDA_FOODS", 500},
                                                  {"SHOPPING_LIST_WINDOW", 540}};

  for (const std::string& name : ObjectStore::names()) {
    if (name == "MAIN") continue;
    SCOPED_TRACE(name);
    manager.bringToFront(opener);
    auto* window = manager.add(std::make_unique<UIW_WINDOW>(name));
    QApplication::processEvents();
    const QRect placed = window->widget()->parentWidget()->geometry();
    EXPECT_TRUE(area.contains(placed)) << describe(placed) << " in " << describe(area);
    if (const auto wide = atLeastWide.find(name); wide != atLeastWide.end())
      EXPECT_GE(placed.width(), wide->second);
    if (placed.width() < openerFrame->width() && placed.height() < openerFrame->height())
      EXPECT_LE((placed.center() - openerCentre).manhattanLength(), 2) << describe(placed);
    window->post(UI_EVENT(S_CLOSE));
    UI_EVENT_MANAGER::instance().processAll();
    manager.destroyRemoved();
  }
  manager.closeAll();
  manager.setFrame(nullptr, nullptr);
}

}  // namespace
}  // namespace savora::app
