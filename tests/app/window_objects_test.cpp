// Every window object of OBJECTS.DAT loads, and every child that the program's windows use is
// there under its name or numeric identifier, of the kind the code expects. A window added to
// the object file must add its spec here.
#include <gtest/gtest.h>

#include <QFile>
#include <QWidget>
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
#include "exchange/palm_window.h"
#include "food/brand_information_window.h"
#include "food/category_list_window.h"
#include "food/food_list_window.h"
#include "food/ingredient_information_window.h"
#include "food/unit_information_window.h"
#include "online/mail_setup_window.h"
#include "online/mail_window.h"
#include "online/mailing_list_window.h"
#include "online/online_window.h"
#include "online/update_message_window.h"
#include "planning/shopping_list_window.h"
#include "planning/shopping_list_settings_window.h"
#include "planning/week_window.h"
#include "planning/year_window.h"
#include "print/print_setup_window.h"
#include "recipe/recipe_window.h"
#include "recipe/serving_size_window.h"
#include "search/recipe_search_window.h"
#include "toolkit/help_window.h"
#include "toolkit/object_store.h"
#include "toolkit/status_window.h"
#include "toolkit/uiw_window.h"
#include "usda/usda_foods_window.h"

namespace savora::app {
namespace {

using namespace savora::toolkit;

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
    &exchange::kPalmWindowSpec,
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

// F1 in a window opens its help context; a context without a page of its own would quietly open
// the contents instead.
TEST_F(WindowObjectsTest, EveryHelpContextHasItsPage) {
  ASSERT_TRUE(HelpSystem::install(SAVORA_PROGRAM_DIR "/SAVORA.HLP"));
  for (const std::string& name : ObjectStore::names()) {
    SCOPED_TRACE(name);
    UIW_WINDOW window(name);
    const int context = window.helpContext();
    if (context == 0) continue;
    EXPECT_TRUE(QFile::exists(QString(":/help/%1.html").arg(context)));
  }
  HelpSystem::uninstall();
}

}  // namespace
}  // namespace savora::app
