// Sending to the handheld through the program's own windows, with stand-ins for the desktop sync
// programs in the program folder: the probe answers with a desktop folder and one user, the
// installers record their command lines.
#include <gtest/gtest.h>

#include <QListWidget>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "app/program.h"
#include "app/usage_counters.h"
#include "app_fixture.h"
#include "screenshots.h"
#include "bookshelf/book_table.h"
#include "bookshelf/chapter_table.h"
#include "codes/program_codes.h"
#include "food/ingredient_table.h"
#include "food/unit_table.h"
#include "kitchen.h"
#include "store/recipe_table.h"
#include "toolkit/uiw_controls.h"
#include "toolkit/uiw_lists.h"

namespace savora::app {
namespace {

namespace fs = std::filesystem;
using namespace savora::toolkit;

std::string contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class HandheldJourneyTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    program = folders.program.path();
    desktop = program / "desktop";
    fs::create_directories(desktop / "SmithJ");
    registerWindows(window(), tables, user, {state, settings, usage});
    cup = tables.units().saveRecord(savora::testing::unitRecord("cup", "c", "", 0, 1, 4), 0);
    const long book = tables.books().add("Desserts", "", "");
    chapter = tables.chapters().add("Pies", book, "", "");
  }

  void script(const char* name, const std::string& body) {
    std::ofstream(program / name) << "#!/bin/sh\n" << body << "\n";
    fs::permissions(program / name, fs::perms::owner_all);
  }
  void standIns() {
    script("palmdata.exe",
           "printf '%s\\nJohn Smith\\tSmithJ\\n' '" + desktop.string() + "' > palmdata.txt");
    const std::string record = "echo \"$@\" >> '" + (program / "installed.txt").string() + "'";
    script("zelci.exe", record);
    script("zelpalmi.exe", record);
  }

  long recipe(const char* name, const char* food, const char* instructions) {
    store::Recipe r;
    r.name = name;
    r.servings = 1;
    r.instructions = instructions;
    r.lines[0].quantity = "2";
    r.lines[0].unit = cup;
    r.lines[0].ingredient = tables.ingredients().save({food, "", false, 0, 0}, 0);
    return tables.recipes().save(0, chapter, r, true);
  }

  UIW_WINDOW* find(const std::string& resource) {
    for (UIW_WINDOW* open : UI_WINDOW_MANAGER::instance().windows())
      if (open->resourceName() == resource) return open;
    return nullptr;
  }
  void click(UIW_WINDOW* w, const char* button) {
    w->Get<UIW_BUTTON>(button)->click();
    settle();
  }
  // The handheld choice, opened by the window's Handheld button, with the user chosen (null:
  // as it opens).
  UIW_WINDOW* choose(UIW_WINDOW* from, const char* button, const char* userName) {
    click(from, button);
    UIW_WINDOW* palm = find("PALM_WINDOW");
    if (palm && userName) {
      auto* users = palm->Get<UIW_COMBO_BOX>("USERS");
      users->setCurrent(users->findText(userName));
    }
    return palm;
  }
  void expectInstall(const char* what) {
    user.expectMessage("Install Conduits",
                       std::string("Savora 99 will now install the ") + what +
                           " conduit\r\non your Palm Pilot.");
    user.expectTitle("Restart HotSync Manager!");
    user.expectMessage("HotSync", "Now, put your Pilot in the cradle and hot sync.");
  }

  fs::path program, desktop;
  UsageCounters usage;
  long cup = 0, chapter = 0;
};

TEST_F(HandheldJourneyTest, RecipesFromTheBookshelfAndARecipeWindowReachTheConduit) {
  user.expectMessage("Nothing to Download",
                     "To download data to your Palm Pilot,\r\nopen the Recipe Bookshelf, Recipe, "
                     "or\r\nShopping List window.");
  window().post(UI_EVENT(codes::kHandheldDownload));
  settle();

  recipe("Apple Pie", "apples", "Peel.\nBake.");
  const long cherry = recipe("Cherry Pie", "cherries", "Pit\tthem.");
  window().post(UI_EVENT(codes::kOpenBookshelf));
  settle();
  UIW_WINDOW* shelf = find("BOOK_SHELF");
  ASSERT_NE(shelf, nullptr);
  auto* books = static_cast<QListWidget*>(shelf->Get("BOOK_LIST")->widget());
  books->setCurrentRow(0);  // the book's recipes are listed
  settle();
  user.expectTitle("Palm Pilot Not Found");  // no desktop sync installed
  click(shelf, "HANDHELD_BUTTON");
  EXPECT_EQ(find("PALM_WINDOW"), nullptr);

  standIns();
  UIW_WINDOW* palm = choose(shelf, "HANDHELD_BUTTON", "nobody");
  ASSERT_NE(palm, nullptr);
  EXPECT_TRUE(palm->Get<UIW_BUTTON>("OVER_WRITE")->isChecked());
  user.expectMessage("Wait!", "You must choose a user.");
  click(palm, "OK_BUTTON");
  ASSERT_EQ(find("PALM_WINDOW"), palm);  // stays for a choice

  // Cancel on the install question sends nothing and installs nothing.
  palm->Get<UIW_COMBO_BOX>("USERS")->setCurrent(0);
  user.expectTitle("Install Conduits", Button::Cancel);
  click(palm, "OK_BUTTON");
  EXPECT_EQ(find("PALM_WINDOW"), nullptr);
  EXPECT_FALSE(fs::exists(program / "installed.txt"));

  const fs::path conduit = desktop / "SmithJ" / "zelrecipes" / "zelrecipes.txt";
  palm = choose(shelf, "HANDHELD_BUTTON", "John Smith");
  ASSERT_NE(palm, nullptr);
  expectInstall("recipe");
  user.expectMessage("Finished!",
                     "The recipes were downloaded successfully.  They will\r\nappear the next "
                     "time you hot sync your Palm Pilot.");
  click(palm, "OK_BUTTON");
  user.verifyAllAnswered();
  EXPECT_EQ(contents(conduit),
            "Apple Pie\tApple Pie~~2 cups apples~~Peel.~Bake.\r\n"
            "Cherry Pie\tCherry Pie~~2 cups cherries~~Pit them.\r\n");
  EXPECT_EQ(settings.handheld.secondText, "John Smith");
  EXPECT_EQ(settings.handheld.firstText, desktop.string());

  // A recipe window adds its recipe, as edited, to the ones waiting when Replace is cleared;
  // the conduit is there now, so nothing is installed again.
  window().post(UI_EVENT(codes::kOpenRecipe, chapter, cherry, 0));
  settle();
  UIW_WINDOW* recipeWindow = find("RECIPE_WINDOW");
  ASSERT_NE(recipeWindow, nullptr);
  recipeWindow->Get("INSTRUCTIONS")->setText("Pit.");
  palm = choose(recipeWindow, "PALM_BUTTON", "John Smith");
  ASSERT_NE(palm, nullptr);
  palm->Get<UIW_BUTTON>("OVER_WRITE")->setChecked(false);
  user.expectMessage("Finished!",
                     "This recipe was downloaded successfully.  It will\r\nappear the next "
                     "time you hot sync your Palm Pilot.");
  click(palm, "OK_BUTTON");
  EXPECT_NE(contents(conduit).find("Cherry Pie~~2 cups cherries~~Pit them.\r\n"
                                   "Cherry Pie\tCherry Pie~~2 cups cherries~~Pit.\r\n"),
            std::string::npos);
  // The user's name with its blank as "~"; the next choice starts where this one left off.
  // The installers run on their own; their command lines arrive when they have.
  for (int i = 0; i < 200 && contents(program / "installed.txt").find("~") == std::string::npos;
       ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_NE(contents(program / "installed.txt").find("John~Smith "), std::string::npos);
  palm = choose(recipeWindow, "PALM_BUTTON", nullptr);
  ASSERT_NE(palm, nullptr);
  EXPECT_EQ(palm->Get("USERS")->text(), "John Smith");
  EXPECT_FALSE(palm->Get<UIW_BUTTON>("OVER_WRITE")->isChecked());
  savora::testing::keepScreenshot(palm->widget()->grab().toImage(), "PALM_WINDOW.png");
  click(palm, "CANCEL_BUTTON");
  EXPECT_EQ(find("PALM_WINDOW"), nullptr);
}

TEST_F(HandheldJourneyTest, AShoppingListSendsTheItemsNotTickedAsHad) {
  standIns();
  const long pie = recipe("Apple Pie", "apples", "");
  store::Recipe r;
  tables.recipes().load(pie, r);
  r.lines[1].quantity = "1";
  r.lines[1].unit = cup;
  r.lines[1].ingredient = tables.ingredients().save({"sugar", "", false, 0, 0}, 0);
  tables.recipes().save(pie, chapter, r, true);
  window().post(UI_EVENT(codes::kOpenRecipe, chapter, pie, 0));
  settle();
  UIW_WINDOW* recipeWindow = find("RECIPE_WINDOW");
  ASSERT_NE(recipeWindow, nullptr);
  click(recipeWindow, "LIST_BUTTON");
  UIW_WINDOW* list = find("SHOPPING_LIST_WINDOW");
  ASSERT_NE(list, nullptr);

  // Ticking a row's box is Have It for that row, whichever row is selected.
  auto* rows = static_cast<QListWidget*>(list->Get("SHOPPING_LIST")->widget());
  ASSERT_EQ(rows->count(), 3);  // apples, sugar, "<new item>"
  EXPECT_EQ(rows->item(2)->flags() & Qt::ItemIsUserCheckable, 0);
  rows->setCurrentRow(1);
  rows->item(0)->setCheckState(Qt::Checked);
  settle();
  EXPECT_EQ(list->Get<UIW_VT_LIST>("SHOPPING_LIST")->entry(0).check, 1);

  UIW_WINDOW* palm = choose(list, "HANDHELD_BUTTON", "John Smith");
  ASSERT_NE(palm, nullptr);
  EXPECT_TRUE(palm->Get<UIW_BUTTON>("OVER_WRITE")->isChecked());
  EXPECT_FALSE(palm->Get<UIW_BUTTON>("OVER_WRITE")->isSelectable());
  expectInstall("shopping list");
  user.expectTitle("Finished!");
  click(palm, "OK_BUTTON");
  user.verifyAllAnswered();
  EXPECT_EQ(contents(desktop / "SmithJ" / "zelslist" / "zelslist.txt"),
            "0\tsugar (1 cup)\t1\t150\t\r\n");
}

}  // namespace
}  // namespace savora::app
