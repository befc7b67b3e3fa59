// The shopping list window as the program opens it: from a menu window's List, ticking a row,
// exporting the text, and Rebuild after its menu window has gone.
#include <gtest/gtest.h>

#include <QListWidget>
#include <fstream>
#include <sstream>

#include "kitchen.h"
#include "plan_window_fixture.h"
#include "screenshots.h"
#include "planning/shopping_list_window.h"
#include "toolkit/uiw_controls.h"
#include "toolkit/uiw_lists.h"

namespace savora::planning {
namespace {

class ShoppingListWindowTest : public PlanWindowTest {
 protected:
  void SetUp() override {
    PlanWindowTest::SetUp();
    cup = tables->units().saveRecord(savora::testing::unitRecord("cup", "c", "", 0, 1, 4), 0);
    produce = tables->foodGroups().add("Produce", true);
  }

  long food(const char* name, double price, long group) {
    food::BrandRecord r = savora::testing::brandRecord(name, 0, "1", cup, "1", cup, 1);
    r.price = price;
    r.group = group;
    r.nutrients[food::kCalories] = 100;
    return savora::testing::addPreferred(tables->ingredients(), tables->brands(), name, r);
  }

  long recipeOf(const char* name, long ingredient, const char* quantity) {
    store::Recipe r;
    r.name = name;
    r.servings = 1;
    r.lines[0].quantity = quantity;
    r.lines[0].unit = cup;
    r.lines[0].ingredient = ingredient;
    return recipes().save(0, hot, r, true);
  }

  ShoppingListWindow* listWindow() {
    return dynamic_cast<ShoppingListWindow*>(
        UI_WINDOW_MANAGER::instance().findKind(codes::kKindShoppingList));
  }

  void click(UIW_WINDOW* window, const char* button) {
    window->Get<toolkit::UIW_BUTTON>(button)->click();
    settle();
  }

  long cup = 0, produce = 0;
};

TEST_F(ShoppingListWindowTest, AMenuOfThreeRecipesListsTicksAndExportsItsFoods) {
  const long apple = food("apple", 2.50, produce);
  const long pear = food("pear", 1.25, produce);
  const long rice = food("rice", 1.00, 0);
  makeMenu("Week", {{0, recipeOf("Apple Cake", apple, "2")},
                    {2, recipeOf("Pear Tart", pear, "1")},
                    {4, recipeOf("Rice Bowl", rice, "1/2")}});
  WeekWindow* menu = openMenus();
  ASSERT_NE(menu, nullptr);
  click(menu, "LIST_BUTTON");
  ShoppingListWindow* list = listWindow();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->title(), "Shopping List from Menu");
  EXPECT_EQ(usage.shoppingList, 1);
  EXPECT_EQ(list->Get("COST")->text(), "Total Cost: $7.25");

  auto* rows = list->Get<toolkit::UIW_VT_LIST>("SHOPPING_LIST");
  ASSERT_EQ(rows->count(), 4);  // apple, pear, rice and "<new item>"
  EXPECT_EQ(rows->entry(3).text, "<new item>");
  auto* widget = static_cast<QListWidget*>(rows->widget());
  widget->item(1)->setCheckState(Qt::Checked);  // pear, had at home
  settle();
  EXPECT_EQ(list->Get("COST")->text(), "Total Cost: $6.00");
  EXPECT_EQ(rows->entry(1).check, 1);

  const std::string path = (programDir.path() / "list").string();
  user.answerFileDialog(path);
  click(list, "EXPORT_BUTTON");
  std::ifstream in(path + ".txt", std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(),
            "Shopping List\r\n\r\n     Produce\r\napple  -  2 cups\r\n\r\n     Not Categorized\r\n"
            "rice  -  1/2 cup\r\n");

  const QImage shot = list->widget()->grab().toImage();
  ASSERT_FALSE(shot.isNull());
  savora::testing::keepScreenshot(shot, "SHOPPING_LIST_WINDOW.png");

  // Without its menu window the list cannot be built again and closes.
  UI_WINDOW_MANAGER::instance().subtract(menu);
  settle();
  user.expectMessage("Error!",
                     "The target window used to create this shopping list\r\ncannot be found.  "
                     "Please open the shopping list window again.");
  click(list, "REBUILD_BUTTON");
  EXPECT_EQ(listWindow(), nullptr);
}

}  // namespace
}  // namespace savora::planning
