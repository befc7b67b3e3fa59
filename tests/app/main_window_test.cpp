#include <QAction>
#include <QImage>
#include <QMdiArea>
#include <QMenu>
#include <QSet>

#include "app/about_window.h"
#include "app/cd_drive_window.h"
#include "app/program.h"
#include "app/wallpaper.h"
#include "app_fixture.h"
#include "backup/backup_schedule.h"
#include "codes/program_codes.h"
#include "platform/file_ops.h"
#include "platform/paths.h"
#include "screenshots.h"
#include "toolkit/event_codes.h"

namespace savora::app {
namespace {

using namespace savora::toolkit;

const char* const kExitQuestion = "\r\nExit Savora?";

// A child window that may hold unsaved changes and records what it is told.
class EditorWindow : public UIW_WINDOW {
 public:
  explicit EditorWindow(std::string title) : UIW_WINDOW("STATUS_WINDOW") { setTitle(title); }
  bool hasUnsavedChanges() const override { return unsaved; }
  int Event(const UI_EVENT& event) override {
    received.push_back(event.type);
    return UIW_WINDOW::Event(event);
  }
  bool unsaved = false;
  std::vector<int> received;
};

bool selectable(MainWindow& main, const char* name) {
  return main.Get(name)->isSelectable();
}

TEST(WallpaperTest, ThePictureFollowsTheClientSize) {
  struct Case {
    int w, h;
    const char* name;
  } cases[] = {{1000, 700, "WALL124"}, {700, 550, "WALL640"}, {701, 100, "WALL800"},
               {100, 551, "WALL800"},  {851, 0, "WALL124"},   {1051, 0, "WALL128"},
               {0, 801, "WALL128"},    {640, 480, "WALL640"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h));
    EXPECT_EQ(wallpaperFor(c.w, c.h).name, c.name);
  }
  EXPECT_EQ(wallpaperFor(1000, 700).width, 1024);
}

TEST_F(MainWindowTest, ScreenshotOfTheFrameShowsMenusAndToolbar) {
  MainWindow& main = window();
  main.widget()->resize(1024, 720);
  settle();
  const QImage shot = main.widget()->grab().toImage();
  ASSERT_FALSE(shot.isNull());
  EXPECT_EQ(shot.size(), QSize(1024, 720));
  // Not blank: many distinct colours (menu text, toolbar icons, the client area).
  QSet<QRgb> colours;
  for (int y = 0; y < shot.height(); y += 3) {
    for (int x = 0; x < shot.width(); x += 3) colours.insert(shot.pixel(x, y));
  }
  EXPECT_GT(colours.size(), 20);
  savora::testing::keepScreenshot(shot, "MAIN.png");
}

TEST_F(MainWindowTest, SavePrintAndListWithoutAWindowExplainThemselves) {
  MainWindow& main = window();
  user.expectMessage("Nothing to Save",
                     "Click the Save button to save changes made to a recipe or menu.");
  user.expectMessage("Nothing to Print",
                     "Open a recipe, menu, or shopping\r\nlist window and then click print.");
  user.expectMessage(
      "Unable to Generate List",
      "Open a recipe, or menu and then\r\nclick List to generate a shopping\r\nlist and get "
      "a nutritional analysis.");
  user.expectMessage(
      "Cannot Add Multimedia",
      "You can only add multimedia elements to\r\nRecipes, Books, Chapters, and Categories.");
  user.expectMessage("Nothing to Remove", "There are no multimedia elements to remove.");
  user.expectMessage("Nothing to Export",
                     "Click Recipes and select the cookbook that you want to export.");
  for (int code : {10002, 10414, 10439, 10523, 10528, 10582}) main.post(UI_EVENT(code));
  settle();
  for (const auto& m : user.messages()) EXPECT_EQ(m.icon, "ASTERISK");

  // With a recipe window in front, Save goes to it instead.
  main.registerWindow(codes::kKindRecipe,
                      [](const UI_EVENT&) { return std::make_unique<EditorWindow>("Apple Pie"); });
  auto* recipe = static_cast<EditorWindow*>(main.openWindow(codes::kKindRecipe, UI_EVENT(10433)));
  ASSERT_NE(recipe, nullptr);
  EXPECT_EQ(recipe->kind(), codes::kKindRecipe);
  main.post(UI_EVENT(10002));
  settle();
  EXPECT_EQ(std::count(recipe->received.begin(), recipe->received.end(), 10002), 1);
}

TEST_F(MainWindowTest, ACommandForAnOpenKindFrontsItWithoutASecondWindow) {
  MainWindow& main = window();
  EXPECT_FALSE(selectable(main, "RECIPES"));  // no bookshelf yet: not selectable
  int built = 0;
  main.registerWindow(codes::kKindBookshelf, [&](const UI_EVENT&) {
    ++built;
    return std::make_unique<EditorWindow>("Recipe Bookshelf");
  });
  EXPECT_TRUE(selectable(main, "RECIPES"));
  main.registerWindow(codes::kKindUnitList,
                      [](const UI_EVENT&) { return std::make_unique<EditorWindow>("Unit List"); });
  main.post(UI_EVENT(10038));
  main.post(UI_EVENT(10486));
  main.post(UI_EVENT(10038));
  settle();
  EXPECT_EQ(built, 1);
  auto& manager = UI_WINDOW_MANAGER::instance();
  EXPECT_EQ(manager.windows().size(), 2u);
  EXPECT_EQ(manager.front()->kind(), codes::kKindBookshelf);
  EXPECT_EQ(manager.findKind(codes::kKindUnitList)->numberID() % 100, 2);  // the shared counter
  EXPECT_EQ(main.Get<UIW_POP_UP_MENU>("WINDOW")->count(), 2);
}

TEST_F(MainWindowTest, TheFoodCommandsOpenTheirLists) {
  MainWindow& main = window();
  registerWindows(main, tables, user);
  struct Expected {
    int command;
    int kind;
    const char* resource;
    const char* title;
  };
  for (const Expected& e :
       {Expected{10452, codes::kKindFoodGroups, "CATEGORY_LIST", "Food Groups"},
        Expected{10485, codes::kKindIngredientList, "INGREDIENT_LIST", "Ingredient List"},
        Expected{10486, codes::kKindUnitList, "INGREDIENT_LIST", "Unit List"}}) {
    SCOPED_TRACE(e.command);
    main.post(UI_EVENT(e.command));
    settle();
    UIW_WINDOW* list = UI_WINDOW_MANAGER::instance().findKind(e.kind);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->resourceName(), e.resource);
    EXPECT_EQ(list->title(), e.title);
  }
  // Open on the ingredient list shows the ingredient's information.
  const long egg = tables.ingredients().addByName("egg");
  UIW_WINDOW* ingredients = UI_WINDOW_MANAGER::instance().findKind(codes::kKindIngredientList);
  ingredients->post(UI_EVENT(10437));
  settle();
  main.post(UI_EVENT(10485));
  settle();
  ingredients = UI_WINDOW_MANAGER::instance().findKind(codes::kKindIngredientList);
  auto* list = ingredients->Get<UIW_VT_LIST>("LIST");
  list->setCurrent(list->findId(egg));
  ingredients->Get<UIW_BUTTON>("OPEN_BUTTON")->click();
  settle();
  EXPECT_EQ(UI_WINDOW_MANAGER::instance().windows().back()->resourceName(),
            "INGREDIENT_INFORMATION");
}

TEST_F(MainWindowTest, EscapeClosesTheFrontWindowOrAsksToLeave) {
  MainWindow& main = window();
  auto* child = UI_WINDOW_MANAGER::instance().add(std::make_unique<EditorWindow>("Apple Pie"));
  main.post(UI_EVENT(10, 27));
  settle();
  EXPECT_TRUE(UI_WINDOW_MANAGER::instance().windows().empty());
  user.expectMessage("Exit Savora?", kExitQuestion, Button::No);
  main.post(UI_EVENT(10030, 27));
  settle();
  EXPECT_FALSE(UI_EVENT_MANAGER::instance().exitReached());
}

TEST_F(MainWindowTest, TheExitCheckOffersToSaveThenAsksThenBacksUpWhenDue) {
  MainWindow& main = window();
  main.registerWindow(codes::kKindRecipe,
                      [](const UI_EVENT&) { return std::make_unique<EditorWindow>("Apple Pie"); });
  auto* editor = static_cast<EditorWindow*>(main.openWindow(codes::kKindRecipe, UI_EVENT(10433)));
  editor->unsaved = true;
  const std::string question =
      "Would you like to save the changes you made to \"Apple Pie\" before leaving Savora?";

  user.expectMessage("Save Changes?", question, Button::Cancel);
  EXPECT_FALSE(main.exitCheck());
  EXPECT_EQ(user.beeps(), 1);

  user.expectMessage("Save Changes?", question, Button::Yes);
  EXPECT_FALSE(main.exitCheck());
  settle();
  EXPECT_EQ(std::count(editor->received.begin(), editor->received.end(), 6102), 1);
  EXPECT_EQ(state.exitState, L_EXIT);  // the current document's save finishes the exit
  EXPECT_TRUE(main.exitCheck());
  state.exitState = 0;

  editor->unsaved = false;
  user.expectMessage("Exit Savora?", kExitQuestion, Button::No);
  EXPECT_FALSE(main.exitCheck());

  // No automatic backup yet: leaving backs up first, then ends the run.
  user.expectMessage("Exit Savora?", kExitQuestion, Button::Yes);
  user.expectMessage("Backup Complete",
                     "Your data was backed up to\r\n" + backup::automaticBackupPath());
  main.post(UI_EVENT(L_EXIT_FUNCTION));
  settle();
  EXPECT_TRUE(platform::fileExists(backup::automaticBackupPath()));
  EXPECT_TRUE(state.exitConfirmed);
  EXPECT_TRUE(UI_EVENT_MANAGER::instance().exitReached());
}

TEST_F(MainWindowTest, CdInfoSetsTheCaptionAndTheAuthorSiteItem) {
  {
    MainWindow& main = window();
    EXPECT_EQ(main.title(), "Savora 99");
    EXPECT_FALSE(selectable(main, "AUTHOR_SITE"));  // no "cdinfo.ini" at all
    EXPECT_FALSE(selectable(main, "SHOW_BLOOPERS"));
  }
  main.reset();
  state.title = "Bread Machine Magic";
  folders.program.write("Bread Machine Magic/cdinfo.ini",
                        "[General]\r\nApp Name=Bread Machine Magic\r\nWeb Site=\r\nWeb Pull Down "
                        "Menu=Visit the Bakers\r\n");
  MainWindow& withEmptySite = window();
  EXPECT_EQ(withEmptySite.title(), "Bread Machine Magic");
  EXPECT_FALSE(selectable(withEmptySite, "AUTHOR_SITE"));
  main.reset();
  folders.program.write(
      "Bread Machine Magic/cdinfo.ini",
      "[General]\r\nApp Name=Bread Machine Magic\r\nWeb Site=https://bakers.example/\r\n"
      "Web Pull Down Menu=Visit the Bakers\r\n");
  MainWindow& withSite = window();
  EXPECT_TRUE(selectable(withSite, "AUTHOR_SITE"));
  EXPECT_EQ(withSite.Get("AUTHOR_SITE")->text(), "Visit the Bakers");
}

TEST_F(MainWindowTest, TheCatalogButtonOnlyWithACatalogAndAbbreviatedUnitsFromSettings) {
  settings.abbreviatedUnits = true;
  MainWindow& main = window();
  EXPECT_FALSE(main.Get<UIW_TOOL_BAR>("MAIN_TOOLBAR")->contains(*main.Get("CATALOG_BUTTON")));
  EXPECT_TRUE(main.Get<UIW_BUTTON>("ABBREVIATED_UNITS")->isChecked());
}

TEST_F(MainWindowTest, TheCdDriveChooserStoresTheChosenLetter) {
  savora::testing::TempFolder cd;
  platform::drives().clear();
  platform::drives().set('d', cd.path().string());
  platform::drives().set('a', cd.path().string());
  folders.program.write("drive", "xyz");
  MainWindow& main = window();
  user.expectMessage("Error!", "CD not found.\r\n\r\nWould you like to choose a new CD drive?",
                     Button::Yes);
  main.post(UI_EVENT(10507));
  settle();
  ASSERT_EQ(UI_WINDOW_MANAGER::instance().windows().size(), 1u);
  auto* chooser = UI_WINDOW_MANAGER::instance().windows()[0];
  auto* list = chooser->Get<UIW_VT_LIST>("DRIVE_LIST");
  ASSERT_EQ(list->count(), 2);
  EXPECT_EQ(list->entry(0).text, "a:");
  EXPECT_EQ(list->entry(1).text, "d:");
  EXPECT_STREQ(driveIcon('a'), "softDrive");
  EXPECT_STREQ(driveIcon('d'), "hardDrive");
  EXPECT_STREQ(driveIcon('k'), "networkDrive");
  chooser->post(UI_EVENT(list->entry(1).event, 1, list->entry(1).id));
  settle();
  EXPECT_EQ(state.cdDrive, 'd');
  EXPECT_EQ(savora::testing::readFileBytes(folders.program.path() / "drive"),
            "dyz");  // not truncated
  EXPECT_TRUE(UI_WINDOW_MANAGER::instance().windows().empty());

  user.expectMessage("Error!", "CD not found.\r\n\r\nWould you like to choose a new CD drive?",
                     Button::No);
  main.post(UI_EVENT(10507));
  settle();
  EXPECT_TRUE(UI_EVENT_MANAGER::instance().exitReached());
  platform::drives().clear();
}

TEST_F(MainWindowTest, AboutShowsTitleAndVersion) {
  MainWindow& main = window();
  main.post(UI_EVENT(10441));
  main.post(UI_EVENT(10441));
  settle();
  ASSERT_EQ(UI_WINDOW_MANAGER::instance().windows().size(), 1u);
  auto* about = UI_WINDOW_MANAGER::instance().windows()[0];
  EXPECT_EQ(about->Get("ABOUT_TEXT")->text().substr(0, 37),
            "Savora 99, Version 6.998\nSavora keeps");
  EXPECT_EQ(aboutPicture(state), state.programDirectory + "Savora 99\\PICTURES\\ABOUT");
}

TEST_F(MainWindowTest, AboutWithoutItsPictureIsNoEmptyBlock) {
  MainWindow& main = window();
  main.post(UI_EVENT(10441));
  settle();
  ASSERT_EQ(UI_WINDOW_MANAGER::instance().windows().size(), 1u);
  QWidget* about = UI_WINDOW_MANAGER::instance().windows()[0]->widget();
  const QWidget* picture = about->findChild<QWidget*>("ABOUT_PICTURE");
  const QWidget* text = about->findChild<QWidget*>("ABOUT_TEXT");
  ASSERT_TRUE(picture && text);
  EXPECT_FALSE(picture->isVisible());
  EXPECT_LT(text->y(), 40);  // the notice starts at the top
}

TEST_F(MainWindowTest, TheWindowMenuListsTheOpenWindowsAndFrontsTheChosenOne) {
  MainWindow& main = window();
  auto& manager = UI_WINDOW_MANAGER::instance();
  // Windows that other windows open (a recipe from the bookshelf) come without a command of
  // the main window.
  auto* shelf = manager.add(std::make_unique<EditorWindow>("Recipe Bookshelf"));
  shelf->setNumberID(1701);
  auto* recipe = manager.add(std::make_unique<EditorWindow>("Apple Pie"));
  recipe->setNumberID(401);
  settle();
  auto* menu = qobject_cast<QMenu*>(main.Get("WINDOW")->widget());
  ASSERT_NE(menu, nullptr);
  emit menu->aboutToShow();
  QStringList titles;
  QAction* shelfItem = nullptr;
  for (QAction* item : menu->actions()) {
    titles << item->text();
    if (item->text() == "Recipe Bookshelf") shelfItem = item;
  }
  EXPECT_EQ(titles, QStringList({"Recipe Bookshelf", "Apple Pie"}));
  ASSERT_NE(shelfItem, nullptr);
  shelfItem->trigger();
  settle();
  EXPECT_EQ(manager.front(), shelf);
}

TEST_F(MainWindowTest, IntroAndTipsItemsFollowTheVideosTheTipsWindowPlays) {
  // The digital edition keeps its videos in the program directory, here in their ".wmv" form.
  state.digital = true;
  folders.program.write("INTRO.wmv", "video");
  MainWindow& main = window();
  main.registerCommand(10540, [](const UI_EVENT&) {});
  main.registerCommand(10530, [](const UI_EVENT&) {});
  EXPECT_TRUE(selectable(main, "SHOW_INTRO"));
  EXPECT_FALSE(selectable(main, "SHOW_TIPS"));
  folders.program.write("TIPS/TIP1.wmv", "video");
  main.registerCommand(10557, [](const UI_EVENT&) {});  // any change of commands looks again
  EXPECT_TRUE(selectable(main, "SHOW_TIPS"));
}

TEST_F(MainWindowTest, TheTimerFindsANewCdAndDownloadedRecipes) {
  MainWindow& main = window();
  folders.program.write("newcd");
  folders.program.write("import.zel", "archive");
  folders.program.write("download/manager", "kept");
  folders.program.write("download/soups.zel", "recipes");
  settings.tipCounter = 0;
  user.expectMessage("Import Data?",
                     "Would you like to add the Savora 99 recipes\r\nto your recipe database now?",
                     Button::No);
  user.expectMessage("New Recipes!",
                     "New recipes were found in the DOWNLOAD folder.\r\nSavora will move them to " +
                         state.programDirectory + "\r\nand import them now.");
  main.post(UI_EVENT(70));
  settle();
  EXPECT_FALSE(platform::fileExists("newcd"));
  EXPECT_FALSE(platform::fileExists("import.zel"));
  EXPECT_TRUE(platform::fileExists("soups.zel"));
  EXPECT_TRUE(platform::fileExists("download\\manager"));
  EXPECT_EQ(main.newContent().fileToImport(), state.programDirectory + "soups.zel");
  EXPECT_EQ(settings.tipCounter, 1);
  EXPECT_TRUE(settings.showIntro);
  // The download folder is looked at once per run.
  folders.program.write("download/more.zel", "recipes");
  main.post(UI_EVENT(70));
  settle();
  EXPECT_TRUE(platform::fileExists("download\\more.zel"));
}

}  // namespace
}  // namespace savora::app
