// WEEK_WINDOW and YEAR_WINDOW through the main window (offscreen): the journey from recipes to a
// menu to a plan and back after a restart, the list of names and the save questions wired to the
// named-list rules (tested on their own in menu_tables_test), editing the days and months, menu
// picking from the bookshelf, and pictures.
#include <QImage>

#include "plan_window_fixture.h"
#include "platform/file_ops.h"
#include "screenshots.h"
#include "toolkit/event_codes.h"

namespace savora::planning {
namespace {

std::vector<std::string> dayTexts(UIW_WINDOW* w, int day) {
  static const char* kDays[] = {"SUNDAY_LIST",   "MONDAY_LIST", "TUESDAY_LIST", "WEDNESDAY_LIST",
                                "THURSDAY_LIST", "FRIDAY_LIST", "SATURDAY_LIST"};
  std::vector<std::string> out;
  for (const auto& e : w->Get<toolkit::UIW_VT_LIST>(kDays[day])->entries()) out.push_back(e.text);
  return out;
}
using Texts = std::vector<std::string>;

// ---- The journey --------------------------------------------------------------------------

TEST_F(PlanWindowTest, AMenuMadeByDraggingBecomesAPlanAndBothReopenAfterARestart) {
  WeekWindow* week = openMenus();
  ASSERT_NE(week, nullptr);
  EXPECT_EQ(week->currentMenu(), "<new menu>");
  EXPECT_EQ(texts(week, "WEEK_LIST"), Texts{"<new menu>"});
  EXPECT_EQ(texts(week, "RECIPE_LIST"), (Texts{"Tomato Soup", "Onion Soup", "Rye Bread"}));

  // Two recipes onto Monday, then the menu gets its name: the days stay.
  drag(week, "RECIPE_LIST", "Tomato Soup", "MONDAY_LIST");
  drag(week, "RECIPE_LIST", "Rye Bread", "MONDAY_LIST");
  EXPECT_TRUE(week->hasUnsavedChanges());
  user.answerPrompt(std::string("  Week 1 "));
  clickEntry(week, "WEEK_LIST", "<new menu>");
  ASSERT_FALSE(user.dialogs().empty());
  EXPECT_EQ(user.dialogs().back(), "New Menu Name");
  EXPECT_EQ(week->currentMenu(), "Week 1");
  EXPECT_EQ(texts(week, "WEEK_LIST"), (Texts{"Week 1", "<new menu>"}));
  EXPECT_EQ(current(week, "WEEK_LIST"), "Week 1");
  EXPECT_EQ(dayTexts(week, 1), (Texts{"Tomato Soup", "Rye Bread"}));

  click(week, "SAVE_BUTTON");
  EXPECT_FALSE(week->hasUnsavedChanges());
  ASSERT_FALSE(user.statusHistory().empty());
  EXPECT_EQ(user.statusHistory().back().title, "Saving");
  EXPECT_EQ(user.statusHistory().back().text, "Saving Menu...Please Wait.");
  EXPECT_FALSE(user.statusShown());
  const long menu = weeks().uidOf("Week 1");
  EXPECT_EQ(weeks().entriesOf(menu), (std::vector<ListItem>{{1, tomato}, {1, bread}}));

  // The plan: Week 1 in January and twice in March.
  YearWindow* year = openPlans();
  ASSERT_NE(year, nullptr);
  EXPECT_EQ(year->currentPlan(), "<new plan>");
  EXPECT_EQ(texts(year, "WEEK_LIST"), Texts{"Week 1"});
  user.answerPrompt(std::string("Year 1"));
  clickEntry(year, "YEAR_LIST", "<new plan>");
  EXPECT_EQ(year->currentPlan(), "Year 1");
  drag(year, "WEEK_LIST", "Week 1", "FIELD_2");
  drag(year, "WEEK_LIST", "Week 1", "FIELD_6");
  drag(year, "WEEK_LIST", "Week 1", "FIELD_6");
  click(year, "SAVE_BUTTON");
  EXPECT_FALSE(year->hasUnsavedChanges());
  EXPECT_EQ(user.statusHistory().back().text, "Saving Plan...Please Wait.");

  click(year, "CLOSE_BUTTON");
  click(week, "CLOSE_BUTTON");
  EXPECT_EQ(planWindow(), nullptr);
  EXPECT_EQ(menuWindow(), nullptr);
  EXPECT_EQ(settings.lastMenuWeek, menu);

  restartTables();
  week = openMenus();
  EXPECT_EQ(week->currentMenu(), "Week 1");
  EXPECT_EQ(dayTexts(week, 1), (Texts{"Tomato Soup", "Rye Bread"}));
  year = openPlans();
  EXPECT_EQ(year->currentPlan(), "Year 1");
  EXPECT_EQ(texts(year, "FIELD_2"), Texts{"Week 1"});
  EXPECT_EQ(texts(year, "FIELD_4"), Texts{});
  EXPECT_EQ(texts(year, "FIELD_6"), (Texts{"Week 1", "Week 1"}));
  user.verifyAllAnswered();
}

// ---- Names ----------------------------------------------------------------------------------

TEST_F(PlanWindowTest, ClickingRenameRenamesTheSelectedMenu) {
  makeMenu("Week 1", {});
  makeMenu("Week 2", {});
  WeekWindow* week = openMenus();
  choose(week, "WEEK_LIST", "Week 2");
  user.answerPrompt(std::string("Week Two"));
  click(week, "MAGNIFY_BUTTON");
  EXPECT_EQ(week->currentMenu(), "Week Two");
  EXPECT_EQ(texts(week, "WEEK_LIST"), (Texts{"Week 1", "Week Two", "<new menu>"}));
  EXPECT_EQ(current(week, "WEEK_LIST"), "Week Two");
}

// ---- Save questions -------------------------------------------------------------------------

TEST_F(PlanWindowTest, ClosingWithChangesAsksAndTheExitCheckHasTheMenuSaved) {
  makeMenu("Week 1", {});
  WeekWindow* week = openMenus();
  drag(week, "RECIPE_LIST", "Rye Bread", "TUESDAY_LIST");
  user.expectMessage("Save Menu?", "\r\nWould you like to save Week 1?", Button::Cancel);
  click(week, "CLOSE_BUTTON");
  EXPECT_TRUE(isOpen(week));

  user.answerNextMessage(Button::Yes);  // "Save Changes?" of the exit check
  main->post(UI_EVENT(toolkit::L_EXIT_FUNCTION));
  settle();
  EXPECT_EQ(user.messages().back().title, "Save Changes?");
  EXPECT_EQ(weeks().entriesOf(weeks().uidOf("Week 1")), (std::vector<ListItem>{{2, bread}}));
  EXPECT_FALSE(isOpen(week));
}

TEST_F(PlanWindowTest, APlanWithChangesAsksBeforeAnotherIsChosenOrTheWindowCloses) {
  const long menu = makeMenu("Week 1", {});
  const long plan = years().create("Year 1");
  years().create("Year 2");
  YearWindow* year = openPlans();
  EXPECT_EQ(year->currentPlan(), "Year 1");
  drag(year, "WEEK_LIST", "Week 1", "FIELD_24");
  user.expectMessage("Save Plan?", "\r\nWould you like to save Year 1?", Button::Yes);
  choose(year, "YEAR_LIST", "Year 2");
  EXPECT_EQ(years().entriesOf(plan), (std::vector<ListItem>{{11, menu}}));
  drag(year, "WEEK_LIST", "Week 1", "FIELD_2");
  user.expectMessage("Save Plan?", "\r\nWould you like to save Year 2?", Button::Cancel);
  click(year, "CLOSE_BUTTON");
  EXPECT_TRUE(isOpen(year));
  user.expectMessage("Save Plan?", "\r\nWould you like to save Year 2?", Button::No);
  click(year, "CLOSE_BUTTON");
  EXPECT_FALSE(isOpen(year));
  EXPECT_TRUE(years().entriesOf(years().uidOf("Year 2")).empty());

  user.answerPrompt(std::string("year 2"));
  year = openPlans();
  user.expectMessage("Wait!",
                     "A plan with that name already exists.\r\nTo edit a plan name, drag the name "
                     "over\r\nand drop it on the Rename button.");
  clickEntry(year, "YEAR_LIST", "<new plan>");
  EXPECT_EQ(years().names(), (Texts{"Year 1", "Year 2"}));
}

// ---- Editing ---------------------------------------------------------------------------------

TEST_F(PlanWindowTest, MealsMoveBetweenDaysAndAreRemovedAfterTheQuestion) {
  makeMenu("Week 1", {{0, tomato}, {0, onion}});
  WeekWindow* week = openMenus();
  drag(week, "SUNDAY_LIST", "Onion Soup", "FRIDAY_LIST");
  EXPECT_EQ(dayTexts(week, 0), Texts{"Tomato Soup"});
  EXPECT_EQ(dayTexts(week, 5), Texts{"Onion Soup"});
  // Dropped on an entry, a recipe goes before it.
  drag(week, "RECIPE_LIST", "Rye Bread", "FRIDAY_LIST", "Onion Soup");
  EXPECT_EQ(dayTexts(week, 5), (Texts{"Rye Bread", "Onion Soup"}));

  choose(week, "FRIDAY_LIST", "Onion Soup");
  user.expectMessage("Remove Meal?", "Remove Onion Soup from the menu?", Button::No);
  click(week, "REMOVE_BUTTON");
  EXPECT_EQ(dayTexts(week, 5).size(), 2u);
  user.expectMessage("Remove Meal?", "Remove Onion Soup from the menu?", Button::Yes);
  click(week, "REMOVE_BUTTON");
  EXPECT_EQ(dayTexts(week, 5), Texts{"Rye Bread"});

  choose(week, "RECIPE_LIST", "Onion Soup");
  user.expectMessage("Wait!",
                     "You can remove meals from the menu,\r\nbut you cannot delete meals.\r\nGo "
                     "to the Book Shelf to delete meals.");
  click(week, "REMOVE_BUTTON");
  EXPECT_EQ(user.messages().back().icon, "HAND");
}

TEST_F(PlanWindowTest, TheFiltersExcludeEachOtherAsTheTableSays) {
  const long winter = categories().add("Winter", "", "");
  ASSERT_EQ(categories().addRecipe(winter, onion), winter);
  WeekWindow* week = openMenus();
  auto ticked = [&](const char* name) { return week->Get<toolkit::UIW_BUTTON>(name)->isChecked(); };
  auto chooseIn = [&](const char* combo, const char* text) {
    auto* box = static_cast<QComboBox*>(week->Get(combo)->widget());
    const int index = box->findText(QString::fromUtf8(text));
    ASSERT_GE(index, 0) << text;
    box->setCurrentIndex(index);
    emit box->activated(index);
    settle();
  };
  chooseIn("BOOK_COMBO", "Soups");
  EXPECT_TRUE(ticked("BOOK_FILTER"));
  EXPECT_EQ(texts(week, "RECIPE_LIST"), (Texts{"Tomato Soup", "Onion Soup"}));
  chooseIn("CATEGORY_COMBO", "Winter");
  EXPECT_FALSE(ticked("BOOK_FILTER"));
  EXPECT_TRUE(ticked("CATEGORY_FILTER"));
  EXPECT_EQ(texts(week, "RECIPE_LIST"), Texts{"Onion Soup"});
  click(week, "CHAPTER_FILTER");
  EXPECT_TRUE(ticked("BOOK_FILTER"));
  EXPECT_TRUE(ticked("CHAPTER_FILTER"));
  EXPECT_FALSE(ticked("CATEGORY_FILTER"));
  EXPECT_EQ(texts(week, "RECIPE_LIST"), (Texts{"Tomato Soup", "Onion Soup"}));
  click(week, "BOOK_FILTER");  // cleared: chapter goes too
  EXPECT_FALSE(ticked("CHAPTER_FILTER"));
  EXPECT_EQ(texts(week, "RECIPE_LIST").size(), 3u);
  click(week, "CLOSE_BUTTON");
  EXPECT_FALSE(settings.browse.cookbook);
  EXPECT_FALSE(settings.browse.category);
}

TEST_F(PlanWindowTest, EntriesOfARecipeDeletedMeanwhileAreSkippedAndGoneAfterTheNextSave) {
  const long menu = makeMenu("Week 1", {{0, tomato}, {0, onion}, {1, tomato}});
  // Deleted behind the table's back, as an older run could leave it.
  ASSERT_TRUE(recipes().seek(onion));
  recipes().deleteCurrent();
  WeekWindow* week = openMenus();
  EXPECT_EQ(dayTexts(week, 0), Texts{"Tomato Soup"});
  drag(week, "RECIPE_LIST", "Rye Bread", "SATURDAY_LIST");
  click(week, "SAVE_BUTTON");
  EXPECT_EQ(weeks().entriesOf(menu), (std::vector<ListItem>{{0, tomato}, {1, tomato}, {6, bread}}));
}

TEST_F(PlanWindowTest, ARecipeDeletedWhileTheMenuIsShownIsNotSavedBack) {
  const long menu = makeMenu("Week 1", {{0, tomato}, {0, onion}});
  WeekWindow* week = openMenus();
  recipes().remove(tomato);  // the bookshelf deletes it: the menu table drops it at once
  EXPECT_EQ(weeks().entriesOf(menu), (std::vector<ListItem>{{0, onion}}));
  drag(week, "RECIPE_LIST", "Rye Bread", "SUNDAY_LIST");
  click(week, "SAVE_BUTTON");
  EXPECT_EQ(weeks().entriesOf(menu), (std::vector<ListItem>{{0, onion}, {0, bread}}));
}

TEST_F(PlanWindowTest, DeletingAMenuInTheWindowTakesItOutOfThePlans) {
  const long a = makeMenu("A", {}), b = makeMenu("B", {});
  const long plan = years().create("Year 1");
  years().replaceEntries(plan, {{0, a}, {1, b}, {1, a}});
  YearWindow* open = openPlans();
  EXPECT_EQ(texts(open, "FIELD_4"), (Texts{"B", "A"}));
  WeekWindow* week = openMenus();
  choose(week, "WEEK_LIST", "A");
  user.expectMessage("Delete Menu?", "Are you sure you want to delete A?", Button::Yes);
  click(week, "DELETE_MENU_BUTTON");
  EXPECT_EQ(texts(week, "WEEK_LIST"), (Texts{"B", "<new menu>"}));
  EXPECT_EQ(week->currentMenu(), "B");
  EXPECT_EQ(years().entriesOf(plan), (std::vector<ListItem>{{1, b}}));
  // The open plan window follows: the menu leaves its months and its list of menus.
  EXPECT_EQ(texts(open, "FIELD_2"), Texts{});
  EXPECT_EQ(texts(open, "FIELD_4"), Texts{"B"});
  EXPECT_EQ(texts(open, "WEEK_LIST"), Texts{"B"});
  // A menu renamed in the menu window is renamed in the plan window.
  user.answerPrompt(std::string("Brunch"));
  drag(week, "WEEK_LIST", "B", "MAGNIFY_BUTTON");
  EXPECT_EQ(texts(open, "FIELD_4"), Texts{"Brunch"});
  EXPECT_FALSE(open->hasUnsavedChanges());
}

TEST_F(PlanWindowTest, AMenuItemOfAPlanOpensTheMenuWindowOnIt) {
  makeMenu("A", {{0, tomato}});
  const long b = makeMenu("B", {{3, onion}});
  const long plan = years().create("Year 1");
  years().replaceEntries(plan, {{5, b}});
  YearWindow* year = openPlans();
  auto* june = static_cast<QListWidget*>(year->Get("FIELD_12")->widget());
  ASSERT_EQ(june->count(), 1);
  emit june->itemActivated(june->item(0));
  settle();
  WeekWindow* week = menuWindow();
  ASSERT_NE(week, nullptr);
  EXPECT_EQ(week->currentMenu(), "B");
  EXPECT_EQ(dayTexts(week, 3), Texts{"Onion Soup"});

  // With the menu window open, it turns to the menu asked for.
  auto* months = static_cast<QListWidget*>(year->Get("WEEK_LIST")->widget());
  emit months->itemActivated(months->item(0));  // "A"
  settle();
  EXPECT_EQ(week->currentMenu(), "A");

  // Removing a menu from a month asks; in the list of menus it only explains.
  choose(year, "FIELD_12", "B");
  user.expectMessage("Remove Menu?", "Remove B from the plan?", Button::Yes);
  click(year, "REMOVE_BUTTON");
  EXPECT_EQ(texts(year, "FIELD_12"), Texts{});
  choose(year, "WEEK_LIST", "B");
  user.expectMessage("Wait!",
                     "You can remove menus from the plan,\r\nbut you cannot delete menus.\r\nGo "
                     "to the Menu Window to delete menus.");
  click(year, "REMOVE_BUTTON");
}

TEST_F(PlanWindowTest, ARecipeChosenOnTheBookshelfGoesToTheWaitingMenu) {
  makeMenu("Week 1", {});
  WeekWindow* week = openMenus();
  drag(week, "RECIPE_LIST", "Rye Bread", "WEDNESDAY_LIST");
  click(week, "PICK_BUTTON");
  auto* shelf = dynamic_cast<bookshelf::BookShelfWindow*>(
      UI_WINDOW_MANAGER::instance().findKind(codes::kKindBookshelf));
  ASSERT_NE(shelf, nullptr);
  EXPECT_TRUE(shelf->menuPicking());
  EXPECT_EQ(shelf->Get("USER_INSTRUCTIONS")->text(), "Choose a recipe to add to your menu.");
  choose(shelf, "BOOK_LIST", "Soups");
  choose(shelf, "RECIPE_LIST", "Onion Soup");
  click(shelf, "OPEN_RECIPE_BUTTON");
  EXPECT_TRUE(recipeRequests.empty());
  EXPECT_EQ(dayTexts(week, 3), (Texts{"Rye Bread", "Onion Soup"}));
  EXPECT_FALSE(shelf->menuPicking());
  EXPECT_TRUE(week->hasUnsavedChanges());
  // Picking is over: the next recipe opens as usual.
  click(shelf, "OPEN_RECIPE_BUTTON");
  ASSERT_EQ(recipeRequests.size(), 1u);
  EXPECT_EQ(recipeRequests[0].values[1], onion);
}

TEST_F(PlanWindowTest, OpeningARecipeOfTheMenuOpensTheRecipeWindow) {
  makeMenu("Week 1", {{2, onion}});
  WeekWindow* week = openMenus();
  auto* tuesday = static_cast<QListWidget*>(week->Get("TUESDAY_LIST")->widget());
  emit tuesday->itemActivated(tuesday->item(0));
  settle();
  ASSERT_EQ(recipeRequests.size(), 1u);
  EXPECT_EQ(recipeRequests[0].values[1], onion);
}

TEST_F(PlanWindowTest, SavePrintAndListReachTheWindowsWithoutFailing) {
  makeMenu("Week 1", {});
  openPlans();
  main->post(UI_EVENT(codes::kPrint));
  main->post(UI_EVENT(codes::kList));
  settle();
  WeekWindow* week = openMenus();
  drag(week, "RECIPE_LIST", "Rye Bread", "SUNDAY_LIST");
  // Print takes the days as they are on screen to the print set-up; to a text file here.
  main->post(UI_EVENT(codes::kPrint));
  settle();
  UIW_WINDOW* setup = nullptr;
  for (UIW_WINDOW* open : UI_WINDOW_MANAGER::instance().windows())
    if (open->resourceName() == "PRINT_SETUP") setup = open;
  ASSERT_NE(setup, nullptr);
  setup->Get<toolkit::UIW_BUTTON>("DISK")->click();
  const std::string text = programDir.str() + "menu.txt";
  user.answerFileDialog(text);
  setup->Get<toolkit::UIW_BUTTON>("OK_BUTTON")->click();
  settle();
  const std::string printed = platform::readWholeFile(text).value_or("");
  EXPECT_EQ(printed.find("Week 1"), 0u) << printed;
  EXPECT_NE(printed.find("Sunday\n     Rye Bread\nMonday\n"), std::string::npos) << printed;
  UI_WINDOW_MANAGER::instance().bringToFront(week);
  main->post(UI_EVENT(codes::kSave));
  settle();
  // List opens a shopping list of the menu, which comes to the front.
  main->post(UI_EVENT(codes::kList));
  settle();
  EXPECT_NE(UI_WINDOW_MANAGER::instance().findKind(codes::kKindShoppingList), nullptr);
  EXPECT_FALSE(week->hasUnsavedChanges());
  EXPECT_EQ(weeks().entriesOf(weeks().uidOf("Week 1")).size(), 1u);
}

// ---- Media -----------------------------------------------------------------------------------

TEST_F(PlanWindowTest, MediaAreAddedRemovedAndSavedWithTheMenu) {
  const long menu = makeMenu("Week 1", {});
  programDir.write("bell.wav", "RIFF");
  programDir.write("clip.mpg", "MPEG");
  WeekWindow* week = openMenus();
  EXPECT_FALSE(week->Get("PLAY_VIDEO")->isVisible());
  user.answerFileDialog(programDir.str() + "bell.wav");
  click(week, "ADD_SOUND");
  user.answerFileDialog(programDir.str() + "clip.mpg");
  click(week, "ADD_VIDEO");
  EXPECT_TRUE(week->hasUnsavedChanges());
  EXPECT_EQ(week->Get("SOUND_NAME")->text(), "bell.wav");
  click(week, "SAVE_BUTTON");
  const std::string file = weeks().mediaOf(menu);
  ASSERT_FALSE(file.empty());
  EXPECT_EQ(weeks().mediaReferencesOf(menu)[1], programDir.str() + "bell.wav");

  user.expectMessage("Wait!", "There is no photo to remove.");
  click(week, "REMOVE_PHOTO");
  click(week, "REMOVE_SOUND");
  click(week, "REMOVE_VIDEO");
  click(week, "SAVE_BUTTON");
  EXPECT_EQ(weeks().mediaOf(menu), "");
  EXPECT_FALSE(platform::fileExists(programDir.str() + "cmm/" + file));
}

TEST_F(PlanWindowTest, ScreenshotsOfTheFilledWindows) {
  auto save = [](QWidget* widget, const char* name) {
    const QImage shot = widget->grab().toImage();
    ASSERT_FALSE(shot.isNull());
    int dark = 0;
    for (int y = 0; y < shot.height(); y += 4) {
      for (int x = 0; x < shot.width(); x += 4) dark += qGray(shot.pixel(x, y)) < 128;
    }
    EXPECT_GT(dark, 20) << name << " looks blank";
    savora::testing::keepScreenshot(shot, name);
  };
  const long week1 = makeMenu(
      "Week 1", {{0, tomato}, {1, bread}, {1, onion}, {3, tomato}, {5, onion}, {6, bread}});
  const long summer = makeMenu("Summer Menu", {{2, onion}});
  const long plan = years().create("Year 1");
  years().replaceEntries(plan, {{0, week1}, {2, week1}, {2, summer}, {6, summer}});
  settings.lastMenuWeek = week1;
  WeekWindow* week = openMenus();
  week->widget()->parentWidget()->resize(1080, 640);
  settle();
  save(week->widget(), "WEEK_WINDOW.png");
  YearWindow* year = openPlans();
  year->widget()->parentWidget()->resize(1040, 600);
  settle();
  save(year->widget(), "YEAR_WINDOW.png");
}

}  // namespace
}  // namespace savora::planning
