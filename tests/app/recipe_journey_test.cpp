// A cook's first recipe, through the program's own windows: the bookshelf, the book and chapter
// information windows, the recipe window and its serving-size dialog, all opened by the main
// window's commands exactly as the menus and buttons open them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>

#include "app/program.h"
#include "app/usage_counters.h"
#include "app_fixture.h"
#include "bookshelf/book_shelf_window.h"
#include "codes/program_codes.h"
#include "recipe/recipe_edit.h"
#include "recipe/recipe_window.h"
#include "store/recipe_table.h"

namespace savora::app {
namespace {

using namespace savora::toolkit;
using toolkit::Button;

class RecipeJourneyTest : public MainWindowTest {
 protected:
  UIW_WINDOW* find(const std::string& resource) {
    UIW_WINDOW* found = nullptr;
    for (UIW_WINDOW* open : UI_WINDOW_MANAGER::instance().windows()) {
      if (open->resourceName() == resource) found = open;
    }
    return found;
  }
  static void click(UIW_WINDOW* window, const char* button) {
    window->Get<UIW_BUTTON>(button)->click();
    settle();
  }
  static void choose(UIW_WINDOW* window, const char* list, const std::string& text) {
    auto* entries = window->Get<UIW_VT_LIST>(list);
    const int index = entries->findText(text);
    ASSERT_GE(index, 0) << text;
    static_cast<QListWidget*>(entries->widget())->setCurrentRow(index);
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
  // Names a new book or chapter in its information window.
  void nameItem(const std::string& name) {
    UIW_WINDOW* info = find("BOOK_INFO");
    ASSERT_NE(info, nullptr);
    info->Get("NAME")->setText(name);
    click(info, "OK_BUTTON");
  }
  static void typeLine(UIW_WINDOW* recipe, const char* quantity, const char* unit,
                       const char* ingredient) {
    recipe->Get("QUANTITY")->setText(quantity);
    recipe->Get("UNIT")->setText(unit);
    recipe->Get("INGREDIENT")->setText(ingredient);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(recipe->Get("QUANTITY")->widget(), &enter);
    settle();
  }
  void setServings(UIW_WINDOW* recipe, const char* servings, bool adjust) {
    click(recipe, "SERVINGS_BUTTON");
    UIW_WINDOW* dialog = find("SERVING_SIZE_WINDOW");
    ASSERT_NE(dialog, nullptr);
    dialog->Get("SERVE")->setText(servings);
    dialog->Get<UIW_BUTTON>("ADJUST_SERVINGS")->setChecked(adjust);
    click(dialog, "OK_BUTTON");
  }

  UsageCounters usage;
};

TEST_F(RecipeJourneyTest, WriteSaveReopenScalePhotographAndFindARecipe) {
  MainWindow& main = window();
  registerWindows(main, tables, user, {state, settings, usage});
  main.post(UI_EVENT(10038));  // Cookbook > Recipe Bookshelf
  settle();
  UIW_WINDOW* shelf = find("BOOK_SHELF");
  ASSERT_NE(shelf, nullptr);

  click(shelf, "NEW_BOOK_BUTTON");
  nameItem("Family Favorites");
  click(shelf, "NEW_CHAPTER_BUTTON");
  nameItem("Breakfast");
  EXPECT_EQ(rows(shelf, "BOOK_LIST"), std::vector<std::string>{"Family Favorites"});
  EXPECT_EQ(rows(shelf, "CHAPTER_LIST"), std::vector<std::string>{"Breakfast"});

  // A new recipe, with units and ingredients the lists do not have yet.
  click(shelf, "NEW_RECIPE_BUTTON");
  UIW_WINDOW* recipe = find("RECIPE_WINDOW");
  ASSERT_NE(recipe, nullptr);
  EXPECT_EQ(recipe->kind(), codes::kKindRecipe);
  // It opens where the bookshelf is, but with the room its fields need.
  const QWidget* sub = recipe->widget()->parentWidget();
  ASSERT_NE(sub, nullptr);
  EXPECT_EQ(sub->pos(), shelf->widget()->parentWidget()->pos());
  EXPECT_GE(sub->height(), std::min(sub->sizeHint().height(), sub->parentWidget()->height()));
  EXPECT_GE(sub->width(), std::min(sub->sizeHint().width(), sub->parentWidget()->width()));
  recipe->Get("NAME")->setText("Blueberry Pancakes");
  for (int question = 0; question < 4; ++question) user.answerNextMessage(Button::Yes);
  typeLine(recipe, "1 1/2", "cup", "flour");
  typeLine(recipe, "2", "handful", "blueberries");
  user.verifyAllAnswered();
  EXPECT_TRUE(tables.units().findText("handful", false));
  EXPECT_NE(tables.ingredients().uidOfText("blueberries"), 0);
  recipe->Get("INSTRUCTIONS")->setText("Fold the blueberries into the batter.");
  setServings(recipe, "4", false);
  click(recipe, "BUTTON_OK");
  EXPECT_EQ(recipe->title(), "Blueberry Pancakes");
  EXPECT_EQ(rows(shelf, "RECIPE_LIST"), std::vector<std::string>{"Blueberry Pancakes"});
  click(recipe, "CLOSE_BUTTON");  // saved: no question
  ASSERT_EQ(find("RECIPE_WINDOW"), nullptr);

  // Reopened from the bookshelf, it shows what was written.
  choose(shelf, "RECIPE_LIST", "Blueberry Pancakes");
  click(shelf, "OPEN_RECIPE_BUTTON");
  recipe = find("RECIPE_WINDOW");
  ASSERT_NE(recipe, nullptr);
  EXPECT_EQ(rows(recipe, "IN_LIST"),
            (std::vector<std::string>{"1 1/2 cups flour", "2 handfuls blueberries"}));
  EXPECT_EQ(recipe->Get("SERVINGS")->text(), "Makes 4 servings");

  // Doubled for eight, and photographed.
  setServings(recipe, "8", true);
  EXPECT_EQ(rows(recipe, "IN_LIST"),
            (std::vector<std::string>{"3 cups flour", "4 handfuls blueberries"}));
  const std::string photo = folders.program.str() + "/pancakes.bmp";
  QImage image(64, 48, QImage::Format_RGB32);
  image.fill(Qt::darkYellow);
  ASSERT_TRUE(image.save(QString::fromStdString(photo), "BMP"));
  user.answerFileDialog(photo);
  click(recipe, "ADD_PHOTO");
  EXPECT_TRUE(recipe->Get<UIW_PICTURE>("PICTURE")->hasImage());
  click(recipe, "BUTTON_OK");
  click(recipe, "CLOSE_BUTTON");

  const long uid = tables.recipes().find(
      "Blueberry Pancakes",
      tables.chapters().uidOf("Breakfast", tables.books().uidOf("Family Favorites")));
  store::Recipe saved;
  ASSERT_GT(tables.recipes().load(uid, saved), 0);
  EXPECT_EQ(saved.servings, 8);
  EXPECT_EQ(saved.lines[0].quantity, "3");  // stored as written, never raw decimals
  EXPECT_EQ(saved.media[0], folders.program.str() + "/pancakes");

  // A second recipe; Previous and Next walk the bookshelf's list in the same window.
  click(shelf, "NEW_RECIPE_BUTTON");
  recipe = find("RECIPE_WINDOW");
  ASSERT_NE(recipe, nullptr);
  recipe->Get("NAME")->setText("Waffles");
  user.expectMessage("Servings?", recipe::kNoServingsQuestion, Button::Yes);
  click(recipe, "BUTTON_OK");
  EXPECT_EQ(rows(shelf, "RECIPE_LIST"),
            (std::vector<std::string>{"Blueberry Pancakes", "Waffles"}));
  click(recipe, "PREVIOUS_RECIPE");
  EXPECT_EQ(recipe->title(), "Blueberry Pancakes");
  EXPECT_EQ(find("RECIPE_WINDOW"), recipe);
  EXPECT_EQ(shelf->Get<UIW_VT_LIST>("RECIPE_LIST")->text(), "Blueberry Pancakes");
  user.expectMessage("Information", "This is the first recipe listed on the bookshelf!");
  click(recipe, "PREVIOUS_RECIPE");
  click(recipe, "NEXT_RECIPE");
  EXPECT_EQ(recipe->title(), "Waffles");
  click(recipe, "CLOSE_BUTTON");

  // Found again by what is in it.
  shelf->Get("SEARCH_STRING")->setText("blueberries");
  click(shelf, "SEARCH_BUTTON");
  EXPECT_EQ(rows(shelf, "RECIPE_LIST"), std::vector<std::string>{"Blueberry Pancakes"});
}

}  // namespace
}  // namespace savora::app
