// The recipe window driven through its fields and buttons, offscreen, on the tables of the edit
// buffer's fixture.
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPixmap>
#include <filesystem>

#include "codes/program_codes.h"
#include "fake_media_player.h"
#include "platform/file_ops.h"
#include "platform/program_dirs.h"
#include "recipe/recipe_window.h"
#include "recipe_edit_fixture.h"
#include "screenshots.h"
#include "toolkit/event_codes.h"
#include "toolkit/event_manager.h"
#include "toolkit/object_store.h"
#include "toolkit/window_manager.h"
#include "window_objects.h"

namespace savora::recipe {
namespace {

using namespace savora::toolkit;
using savora::testing::FakeMediaPlayer;

class RecipeWindowTest : public RecipeEditTest {
 protected:
  void SetUp() override {
    RecipeEditTest::SetUp();
    ASSERT_TRUE(savora::testing::openWindowObjects());
  }
  void TearDown() override {
    savora::testing::closeWindowObjects();
    RecipeEditTest::TearDown();
  }

  RecipeWindow* open(long uid, long inChapter, std::vector<media::MediaTitle> titles = {}) {
    RecipeWindowServices services{
        tables, user, media::MediaLookup({folder() + "/", 0, false}, std::move(titles))};
    services.playVideo = [this](const std::string& file) { videos.push_back(file); };
    services.openRecipe = [this](long recipe) { opened.push_back(recipe); };
    services.specifyBrand = [this](long ingredient, std::function<void(long)> chosen,
                                   std::function<void(long)> listChanged) {
      brandAskedFor.push_back(ingredient);
      if (mergeInto != 0) {
        ingredients.replace(ingredient, mergeInto, recipes);
        listChanged(mergeInto);
      }
      chosen(brandToChoose);
    };
    services.exitState = &exitState;
    if (offerPrint) services.print = [this](const store::Recipe& r) { printed.push_back(r); };
    auto fake = std::make_unique<FakeMediaPlayer>();
    player = fake.get();
    window = UI_WINDOW_MANAGER::instance().add(
        std::make_unique<RecipeWindow>(std::move(services), inChapter, uid, std::move(fake)));
    return window;
  }
  std::string folder() const { return platform::programDirectory(); }
  static void settle() { UI_EVENT_MANAGER::instance().processAll(); }
  void click(const char* button) {
    window->Get<UIW_BUTTON>(button)->click();
    settle();
  }
  void setText(const char* field, const std::string& text) { window->Get(field)->setText(text); }
  std::string text(const char* field) { return window->Get(field)->text(); }
  // Types a line into the line editor and presses Enter in the last field.
  void typeLine(const char* quantity, const char* unit, const char* ingredient,
                const char* info1 = "", const char* info2 = "") {
    setText("QUANTITY", quantity);
    setText("UNIT", unit);
    setText("INGREDIENT", ingredient);
    setText("IN_INFO", info1);
    setText("IN_TYPE", info2);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(window->Get("IN_TYPE")->widget(), &enter);
    settle();
  }
  // Presses the keys of `keys` in the field, as typing there does.
  void typeKeys(const char* field, const std::string& keys) {
    for (char c : keys) {
      QKeyEvent key(QEvent::KeyPress, Qt::Key(c), Qt::NoModifier, QString(QChar(c)));
      QApplication::sendEvent(window->Get(field)->widget(), &key);
    }
  }
  std::string listRow(int index) {
    std::string row = window->Get<UIW_VT_LIST>("IN_LIST")->entry(index).text;
    row.erase(row.find_last_not_of(' ') + 1);
    return row;
  }
  bool isOpen() const { return UI_WINDOW_MANAGER::instance().contains(window); }

  RecipeWindow* window = nullptr;
  FakeMediaPlayer* player = nullptr;
  std::vector<std::string> videos;
  std::vector<long> opened;
  std::vector<long> brandAskedFor;
  long brandToChoose = 0;
  long mergeInto = 0;  // the ingredient window merges the ingredient into this one
  int exitState = 0;
  bool offerPrint = true;
  std::vector<store::Recipe> printed;
};

TEST_F(RecipeWindowTest, ANewRecipeIsWrittenLineByLineAndSavedInItsChapter) {
  open(0, chapter);
  EXPECT_EQ(window->Get<UIW_NOTEBOOK>("TABS")->currentPage(), 1);  // a new recipe opens to edit
  window->widget()->show();
  QApplication::setActiveWindow(window->widget());
  setText("NAME", "  Pancakes ");
  // Enter in the name goes on to the ingredients without passing over the first line.
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(window->Get("NAME")->widget(), &enter);
  settle();
  EXPECT_EQ(window->edit().currentLine(), 0);
  EXPECT_TRUE(window->Get("QUANTITY")->hasFocus());
  typeLine("2", "cup", "flour", "", ", sifted");
  EXPECT_EQ(listRow(0), "2 cups flour, sifted");
  EXPECT_EQ(window->edit().currentLine(), 1);
  EXPECT_EQ(text("QUANTITY"), "");

  // Units and ingredients not on the lists are offered for adding.
  user.expectMessage("New Unit?",
                     "pinch is not found on the unit list.  Would you like to add it to the list?",
                     Button::Yes);
  user.expectMessage(
      "New Ingredient?",
      "saffron is not found on the ingredient list.  Would you like to add it to the list?",
      Button::Yes);
  typeLine("1", "pinch", "saffron");
  EXPECT_EQ(listRow(1), "1 pinch saffron");
  EXPECT_TRUE(units.findText("pinch", false));
  EXPECT_NE(ingredients.uidOfText("saffron"), 0);
  // The new names are offered in the combo boxes from now on.
  EXPECT_GE(window->Get<UIW_COMBO_BOX>("UNIT")->findText("pinch"), 0);
  EXPECT_GE(window->Get<UIW_COMBO_BOX>("INGREDIENT")->findText("saffron"), 0);

  EXPECT_EQ(text("SERVINGS"), "Makes 0 servings");
  user.expectMessage("Servings?", kNoServingsQuestion, Button::Yes);
  click("BUTTON_OK");
  EXPECT_EQ(text("SERVINGS"), "Makes 1 serving");
  EXPECT_EQ(window->title(), "Pancakes");
  EXPECT_EQ(text("NAME"), "Pancakes");
  const long uid = recipes.find("Pancakes", chapter);
  ASSERT_NE(uid, 0);
  store::Recipe saved;
  ASSERT_EQ(recipes.load(uid, saved), chapter);
  EXPECT_EQ(saved.lines[0].quantity, "2");
  EXPECT_EQ(saved.lines[0].unit, kCup);
  EXPECT_EQ(saved.lines[0].info2, ", sifted");
  EXPECT_EQ(saved.lines[1].ingredient, ingredients.uidOfText("saffron"));
  EXPECT_NE(text("TEXT_VIEW").find("\n    2 cups flour, sifted "), std::string::npos);
  EXPECT_EQ(text("RECIPE_NAME"), "Pancakes");
  EXPECT_FALSE(window->hasUnsavedChanges());
}

TEST_F(RecipeWindowTest, ASavedRecipeOpensOnTheViewTabAndLoadsItsLines) {
  const long uid = addRecipe("Omelette", chapter);
  open(uid, chapter);
  EXPECT_EQ(window->Get<UIW_NOTEBOOK>("TABS")->currentPage(), 0);
  EXPECT_EQ(window->title(), "Omelette");
  EXPECT_EQ(listRow(0), "1 egg");
  EXPECT_EQ(text("QUANTITY"), "1");
  EXPECT_EQ(text("INGREDIENT"), "egg");
  EXPECT_EQ(text("SERVINGS"), "Makes 2 servings");
  EXPECT_NE(text("TEXT_VIEW").find("Book: Family\nChapter: Breads\n"), std::string::npos);
  EXPECT_FALSE(window->hasUnsavedChanges());

  // Selecting a row commits the editor into the current line first.
  setText("QUANTITY", "3");
  window->Get<UIW_VT_LIST>("IN_LIST")->setCurrent(-1);
  QListWidget* list = static_cast<QListWidget*>(window->Get("IN_LIST")->widget());
  list->setCurrentRow(4);
  settle();
  EXPECT_EQ(window->edit().currentLine(), 4);
  EXPECT_EQ(listRow(0), "3 eggs");
  EXPECT_TRUE(window->hasUnsavedChanges());
}

TEST_F(RecipeWindowTest, PrintTakesTheRecipeAsTheWindowShowsIt) {
  const long uid = addRecipe("Omelette", chapter);
  open(uid, chapter);
  setText("NAME", "Big Omelette");
  setText("QUANTITY", "3");
  click("PRINT_BUTTON");
  ASSERT_EQ(printed.size(), 1u);
  EXPECT_EQ(printed[0].name, "Big Omelette");
  EXPECT_EQ(printed[0].lines[0].quantity, "3");
  EXPECT_EQ(printed[0].chapter, chapter);
  user.answerNextMessage(toolkit::Button::No);
  click("CLOSE_BUTTON");

  offerPrint = false;
  open(uid, chapter);
  EXPECT_FALSE(window->Get("PRINT_BUTTON")->isSelectable());
}

TEST_F(RecipeWindowTest, PickingAnotherUnitConvertsTheQuantityAndOffersThePlural) {
  open(0, chapter);
  setText("QUANTITY", "3");
  auto* unit = window->Get<UIW_COMBO_BOX>("UNIT");
  setText("UNIT", "teaspoon");
  window->post(UI_EVENT(5312, 0, kTeaspoon));  // as if picked: the box showed no unit before
  settle();
  EXPECT_EQ(text("QUANTITY"), "3");  // nothing to convert from
  const int tablespoon = unit->findId(kTablespoon);
  ASSERT_GE(tablespoon, 0);
  unit->setCurrent(tablespoon);
  window->post(UI_EVENT(5312, tablespoon, kTablespoon));
  settle();
  EXPECT_EQ(text("QUANTITY"), "1");

  // 2 cups: the plural "cups" joins the choices.
  setText("QUANTITY", "32");
  const int cup = unit->findId(kCup);
  unit->setCurrent(cup);
  window->post(UI_EVENT(5312, cup, kCup));
  settle();
  EXPECT_EQ(text("QUANTITY"), "2");
  EXPECT_GE(unit->findText("cups"), 0);
}

TEST_F(RecipeWindowTest, LineButtonsMoveInsertAndDeleteLines) {
  open(0, chapter);
  typeLine("1", "cup", "flour");
  typeLine("2", "", "egg");
  click("MOVE_UP");  // line 3 (empty) changes place with line 2
  EXPECT_EQ(window->edit().currentLine(), 1);
  EXPECT_EQ(listRow(1), "");
  EXPECT_EQ(listRow(2), "2 eggs");

  window->Get<UIW_VT_LIST>("IN_LIST")->setCurrent(-1);
  static_cast<QListWidget*>(window->Get("IN_LIST")->widget())->setCurrentRow(0);
  settle();
  user.expectMessage("Wait!", "This ingredient is at the top of the list.");
  click("MOVE_UP");
  click("INSERT_LINE");
  EXPECT_EQ(listRow(0), "");
  EXPECT_EQ(listRow(1), "1 cup flour");
  click("DELETE_LINE");
  EXPECT_EQ(listRow(0), "1 cup flour");
  EXPECT_EQ(text("INGREDIENT"), "flour");
}

TEST_F(RecipeWindowTest, TypingOnALineInUseReplacesItsQuantity) {
  open(0, chapter);
  typeLine("1", "cup", "flour");
  typeLine("2", "", "egg");
  click("MOVE_UP");
  click("DELETE_LINE");  // line 2 now holds the eggs, shown in the line editor
  EXPECT_EQ(text("QUANTITY"), "2");
  typeKeys("QUANTITY", "3");
  EXPECT_EQ(text("QUANTITY"), "3");
}

TEST_F(RecipeWindowTest, WholeLinesTypedOrPastedIntoTheQuantityFieldFillTheLines) {
  open(0, chapter);
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  // Typed as a cook writes it, with the kitchen's own abbreviation and a new ingredient.
  user.expectMessage("New Ingredient?",
                     "butter is not found on the ingredient list.  Would you like to add it to "
                     "the list?",
                     Button::Yes);
  setText("QUANTITY", "2 T butter, melted");
  QApplication::sendEvent(window->Get("QUANTITY")->widget(), &enter);
  settle();
  EXPECT_EQ(listRow(0), "2 tablespoons butter, melted");
  const store::RecipeLine& typed = window->edit().recipe().lines[0];
  EXPECT_EQ(typed.unit, kTablespoon);
  EXPECT_EQ(typed.ingredient, ingredients.uidOfText("butter"));
  typeLine("1", "cup", "flour");  // a line below the pasted ones, which move down for them

  // Pasted on the flour's line: the flour stays, the pasted lines go below it and the butter's
  // line keeps its place above.
  window->Get<UIW_VT_LIST>("IN_LIST")->setCurrent(-1);
  static_cast<QListWidget*>(window->Get("IN_LIST")->widget())->setCurrentRow(1);
  settle();
  ASSERT_EQ(window->edit().currentLine(), 1);
  QApplication::clipboard()->setText("3 large eggs\n\n8 oz tomato sauce\n");
  static_cast<QLineEdit*>(window->Get("QUANTITY")->widget())->paste();
  settle();
  user.verifyAllAnswered();
  EXPECT_EQ(listRow(0), "2 tablespoons butter, melted");
  EXPECT_EQ(listRow(1), "1 cup flour");
  EXPECT_EQ(listRow(2), "3 large eggs");
  EXPECT_EQ(listRow(3), "8 ounces tomato sauce");
  EXPECT_EQ(window->edit().currentLine(), 3);
  // An amount alone, or words that are no line, stay the quantity of the line in use.
  setText("QUANTITY", "a few");
  QApplication::sendEvent(window->Get("QUANTITY")->widget(), &enter);
  settle();
  EXPECT_EQ(listRow(3), "A few ounce tomato sauce");
}

TEST_F(RecipeWindowTest, TwentyFiveLinesTypedIntoANewRecipeLoseNothing) {
  open(0, chapter);
  for (int i = 1; i <= 25; ++i) {
    // From line 23 on there is no line to go on to, and the window says so.
    if (i >= 23)
      user.expectMessage("Recipe Full!", "You cannot add any more items to this recipe.");
    typeKeys("QUANTITY", std::to_string(i));
    setText("UNIT", "cups");
    setText("INGREDIENT", "flour");
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(window->Get("IN_TYPE")->widget(), &enter);
    settle();
  }
  user.verifyAllAnswered();
  EXPECT_EQ(listRow(0), "1 cup flour");
  for (int i = 2; i <= 22; ++i) EXPECT_EQ(listRow(i - 1), std::to_string(i) + " cups flour");
  // The last line shows what was typed over it, never text joined to it.
  EXPECT_EQ(listRow(22), "25 cups flour");
  EXPECT_EQ(window->edit().currentLine(), 22);
}

TEST_F(RecipeWindowTest, ClosingAChangedRecipeAsksToSaveIt) {
  open(0, chapter);
  click("CLOSE_BUTTON");  // nothing written: closes without a question
  EXPECT_FALSE(isOpen());

  open(0, chapter);
  setText("NAME", "Toast");
  user.expectMessage("Save Recipe?", "\r\nWould you like to save Toast?", Button::Cancel);
  click("CLOSE_BUTTON");
  EXPECT_TRUE(isOpen());
  user.expectMessage("Save Recipe?", "\r\nWould you like to save Toast?", Button::Yes);
  user.expectMessage("Servings?", kNoServingsQuestion, Button::Yes);
  click("CLOSE_BUTTON");
  EXPECT_FALSE(isOpen());
  EXPECT_NE(recipes.find("Toast", chapter), 0);
}

TEST_F(RecipeWindowTest, SavingWithoutANameRefusesAndShowsTheNameField) {
  open(0, chapter);
  typeLine("1", "", "egg");
  window->Get<UIW_NOTEBOOK>("TABS")->setCurrentPage(0);
  user.expectMessage("Wait!", "You must give this recipe a name.");
  click("BUTTON_OK");
  EXPECT_EQ(window->Get<UIW_NOTEBOOK>("TABS")->currentPage(), 1);
  EXPECT_EQ(window->edit().recipe().uid, 0);
}

TEST_F(RecipeWindowTest, ServingsScaleTheSavedRecipesQuantities) {
  store::Recipe r;
  r.name = "Biscuits";
  r.servings = 4;
  r.lines[0].quantity = "1 1/2";
  r.lines[0].unit = kCup;
  r.lines[0].ingredient = flour;
  r.lines[1].quantity = "";
  r.lines[1].ingredient = egg;
  r.lines[1].info2 = "to taste";
  const long uid = recipes.save(0, chapter, r, true);
  open(uid, chapter);
  click("SERVINGS_BUTTON");
  UIW_WINDOW* dialog = nullptr;
  for (UIW_WINDOW* open : UI_WINDOW_MANAGER::instance().windows()) {
    if (open->resourceName() == "SERVING_SIZE_WINDOW") dialog = open;
  }
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(dialog->Get<UIW_BUTTON>("ADJUST_SERVINGS")->isChecked());  // a saved recipe
  dialog->Get("SERVE")->setText("6");
  dialog->Get<UIW_BUTTON>("OK_BUTTON")->click();
  settle();
  EXPECT_EQ(listRow(0), "2 1/4 cups flour");
  EXPECT_EQ(listRow(1), "Egg to taste");
  EXPECT_EQ(text("QUANTITY"), "2 1/4");
  EXPECT_EQ(text("SERVINGS"), "Makes 6 servings");
  EXPECT_NE(text("TEXT_VIEW").find("Makes 6 servings\n"), std::string::npos);
  click("BUTTON_OK");
  store::Recipe saved;
  recipes.load(uid, saved);
  EXPECT_EQ(saved.servings, 6);
  EXPECT_EQ(saved.lines[0].quantity, "2 1/4");
}

TEST_F(RecipeWindowTest, APhotoIsAddedShownZoomedAndRemoved) {
  const std::string bitmap = folder() + "/pancakes.BMP";
  QImage image(40, 30, QImage::Format_RGB32);
  image.fill(Qt::darkYellow);
  ASSERT_TRUE(image.save(QString::fromStdString(bitmap), "BMP"));
  open(0, chapter);
  user.answerFileDialog(bitmap);
  click("ADD_PHOTO");
  EXPECT_EQ(window->edit().recipe().media[0], folder() + "/pancakes");
  auto* picture = window->Get<UIW_PICTURE>("PICTURE");
  EXPECT_TRUE(picture->hasImage());
  EXPECT_EQ(text("PHOTO_NAME"), "pancakes");
  EXPECT_EQ(static_cast<QLabel*>(picture->widget())->pixmap().width(), 40);  // its own size
  window->Get<UIW_NOTEBOOK>("TABS")->setCurrentPage(2);
  window->widget()->resize(820, 640);
  click("ZOOM_BUTTON");
  EXPECT_GT(static_cast<QLabel*>(picture->widget())->pixmap().width(), 40);  // the tab's width
  click("REMOVE_PHOTO");
  EXPECT_FALSE(picture->hasImage());
  user.expectMessage("Wait!", "There is no photo to remove.");
  click("REMOVE_PHOTO");
}

TEST_F(RecipeWindowTest, SoundPlaysWhenChosenAndVideoGoesToTheVideoWindow) {
  const std::string wave = folder() + "/sizzle.wav";
  const std::string video = folder() + "/flip.mpg";
  for (const std::string& file : {wave, video}) EXPECT_TRUE(platform::writeWholeFile(file, "data"));
  open(0, chapter);
  EXPECT_FALSE(window->Get("PLAY_VIDEO_VIEW")->isVisible());
  user.answerFileDialog(wave);
  click("ADD_SOUND");
  EXPECT_EQ(player->fileName(), wave);
  EXPECT_EQ(player->state(), MediaPlayer::State::Playing);
  user.answerFileDialog(video);
  click("ADD_VIDEO");
  for (const char* button : {"PLAY_VIDEO_VIEW", "PLAY_VIDEO_EDIT", "PLAY_VIDEO_PICTURE"})
    EXPECT_FALSE(window->Get(button)->widget()->isHidden()) << button;
  click("PLAY_VIDEO_EDIT");
  EXPECT_EQ(videos, std::vector<std::string>{video});
  user.expectMessage("Wait!", "There is no sound to remove.");
  click("REMOVE_SOUND");
  click("REMOVE_SOUND");
}

TEST_F(RecipeWindowTest, ARecipeLineOpensItsRecipeAndRecipesAreTakenFromTheBookshelf) {
  const long omelette = addRecipe("Omelette", chapter);
  user.expectMessage("Choose Recipe", "Choose a recipe from the Bookshelf");
  open(0, chapter);
  click("ADD_RECIPE");
  EXPECT_TRUE(window->choosingRecipe());
  // The bookshelf opens a recipe: the main window hands it over with 10504 and 10405.
  window->post(UI_EVENT(codes::kShowRecipe, chapter, omelette, 0));
  window->post(UI_EVENT(codes::kLoadRecipe, chapter, omelette, 0));
  settle();
  EXPECT_FALSE(window->choosingRecipe());
  EXPECT_EQ(window->edit().recipe().uid, 0);  // still the new recipe
  EXPECT_EQ(listRow(0), "Omelette");
  EXPECT_EQ(window->edit().recipe().lines[0].ingredient, omelette + 30000);

  static_cast<QListWidget*>(window->Get("IN_LIST")->widget())->setCurrentRow(3);
  settle();
  static_cast<QListWidget*>(window->Get("IN_LIST")->widget())->setCurrentRow(0);
  settle();
  EXPECT_EQ(opened, std::vector<long>{omelette});
}

TEST_F(RecipeWindowTest, TheBrandChosenForTheIngredientGoesOnTheLine) {
  open(0, chapter);
  user.expectMessage("Wait!", "You must enter an ingredient before you can specify a brand.");
  click("SPECIFY_BRAND");
  EXPECT_TRUE(brandAskedFor.empty());

  brandToChoose = millFlour;
  setText("QUANTITY", "1");
  setText("UNIT", "cup");
  setText("INGREDIENT", "Flour");
  click("SPECIFY_BRAND");
  EXPECT_EQ(brandAskedFor, std::vector<long>{flour});
  click("NEXT_LINE");
  EXPECT_EQ(window->edit().recipe().lines[0].ingredient, millFlour + 60000);
  EXPECT_EQ(listRow(0), "1 cup Mill Flour");
}

TEST_F(RecipeWindowTest, AnIngredientMergedInItsWindowIsFollowedByTheLines) {
  const long wheat = ingredients.addByName("wheat flour");
  store::Recipe r;
  r.name = "Bread";
  r.lines[0].quantity = "2";
  r.lines[0].unit = kCup;
  r.lines[0].ingredient = wheat;
  r.lines[1].quantity = "1";
  r.lines[1].ingredient = wheat;
  const long uid = recipes.save(0, chapter, r, true);
  open(uid, chapter);
  mergeInto = flour;
  click("SPECIFY_BRAND");
  EXPECT_EQ(text("INGREDIENT"), "flour");
  EXPECT_EQ(window->edit().recipe().lines[1].ingredient, flour);
  EXPECT_EQ(listRow(1), "1 flour");
  click("NEXT_LINE");  // no "not found on the ingredient list" question
  EXPECT_EQ(window->edit().recipe().lines[0].ingredient, flour);
  EXPECT_FALSE(window->hasUnsavedChanges());
}

TEST_F(RecipeWindowTest, TheExitSaveNotDoneKeepsTheProgramRunning) {
  addRecipe("Omelette", chapter);
  open(0, chapter);
  setText("NAME", "Omelette");
  exitState = L_EXIT;  // the exit check asked this window to save
  user.expectMessage("Servings?", kNoServingsQuestion, Button::Yes);
  user.expectMessage("Overwrite Recipe?",
                     "The recipe, Omelette, already exists.\r\nDo you want to replace it?",
                     Button::No);
  window->post(UI_EVENT(6102));
  settle();
  EXPECT_TRUE(isOpen());
  EXPECT_EQ(exitState, 0);
}

TEST_F(RecipeWindowTest, MemoLineEndsAndSpecialCharactersSurviveOpening) {
  store::Recipe r;
  r.name = "Tart";
  r.servings = 6;
  r.description = "Serve\xA0hot.";  // a non-breaking space
  r.instructions = "Mix.\rBake.\r\nCool.";
  const long uid = recipes.save(0, chapter, r, true);
  open(uid, chapter);
  EXPECT_EQ(text("INSTRUCTIONS"), "Mix.\nBake.\nCool.");
  EXPECT_FALSE(window->hasUnsavedChanges());
  setText("INSTRUCTIONS", "Mix.\nBake.\nCool.\nEat.");
  click("BUTTON_OK");
  store::Recipe saved;
  recipes.load(uid, saved);
  EXPECT_EQ(saved.instructions, "Mix.\r\nBake.\r\nCool.\r\nEat.");
  EXPECT_EQ(saved.description, "Serve\xA0hot.");
}

TEST_F(RecipeWindowTest, ACharacterTheTablesCannotKeepIsShownOnItsTabAndNothingIsSaved) {
  const long uid = addRecipe("Tart", chapter);
  open(uid, chapter);
  auto* instructions = static_cast<QPlainTextEdit*>(window->Get("INSTRUCTIONS")->widget());
  instructions->setPlainText(QString::fromUtf8("Bake \xF0\x9F\x94\xA5 hot."));
  ASSERT_EQ(window->Get<UIW_NOTEBOOK>("TABS")->currentPage(), 0);  // the view tab
  user.expectMessage("Wait!",
                     "Character 6 of this text (U+1F525) cannot be stored. Please remove it or type "
                     "another in its place.");
  click("BUTTON_OK");
  EXPECT_EQ(window->Get<UIW_NOTEBOOK>("TABS")->currentPage(), 1);  // where INSTRUCTIONS is
  EXPECT_EQ(instructions->toPlainText(), QString::fromUtf8("Bake \xF0\x9F\x94\xA5 hot."));
  store::Recipe stored;
  recipes.load(uid, stored);
  EXPECT_EQ(stored.instructions, "");
}

TEST_F(RecipeWindowTest, WaitingForARecipeEndsWithANewRecipeAndNeverTakesItself) {
  const long omelette = addRecipe("Omelette", chapter);
  user.expectMessage("Choose Recipe", "Choose a recipe from the Bookshelf");
  open(omelette, chapter);
  click("ADD_RECIPE");
  user.expectMessage("Wait!", "A recipe cannot be an ingredient of itself.");
  window->post(UI_EVENT(codes::kShowRecipe, chapter, omelette, 0));
  window->post(UI_EVENT(codes::kLoadRecipe, chapter, omelette, 0));
  settle();
  EXPECT_EQ(window->edit().recipe().lines[1].ingredient, 0);

  user.expectMessage("Choose Recipe", "Choose a recipe from the Bookshelf");
  click("ADD_RECIPE");
  window->post(UI_EVENT(codes::kShowRecipe, chapter, 0, 0));  // New on the bookshelf instead
  window->post(UI_EVENT(codes::kLoadRecipe, chapter, 0, 0));
  settle();
  EXPECT_FALSE(window->choosingRecipe());
  EXPECT_EQ(window->edit().recipe().uid, 0);
  EXPECT_EQ(window->title(), "New Recipe");
}

TEST_F(RecipeWindowTest, ALongMediaNameIsRefusedAndRemovingTheSoundStopsIt) {
  open(0, chapter);
  user.answerFileDialog("/" + std::string(262, 'p') + ".bmp");
  user.expectMessage("Wait!",
                     "The name of that file is too long: it may have at most 259 characters "
                     "with its folders.");
  click("ADD_PHOTO");
  EXPECT_EQ(window->edit().recipe().media[0], "");

  const std::string wave = folder() + "/sizzle.wav";
  EXPECT_TRUE(platform::writeWholeFile(wave, "data"));
  user.answerFileDialog(wave);
  click("ADD_SOUND");
  EXPECT_EQ(player->state(), MediaPlayer::State::Playing);
  click("REMOVE_SOUND");
  EXPECT_EQ(player->state(), MediaPlayer::State::Closed);
}

TEST_F(RecipeWindowTest, MediaOfATitleNotInstalledAskForItsCd) {
  store::Recipe r;
  r.name = "Rye Bread";
  r.media[0] = "C:\\BREAD\\photos\\rye";
  r.media[2] = "C:\\BREAD\\video\\knead.mpg";
  const long uid = recipes.save(0, chapter, r, true);
  open(uid, chapter, {{"C:\\BREAD\\", "Bread Magic", false, {}}});
  EXPECT_EQ(text("MISSING_PHOTO_MSG"), "Insert the Bread Magic CD to view this picture.");
  EXPECT_FALSE(window->Get<UIW_PICTURE>("PICTURE")->hasImage());
  user.expectMessage("Wait!", "Insert the Bread Magic CD to view this video clip");
  click("PLAY_VIDEO_VIEW");
  EXPECT_EQ(user.messages().back().icon, "HAND");
  EXPECT_TRUE(videos.empty());
}

TEST_F(RecipeWindowTest, EditCommandsActOnTheFocusedField) {
  open(0, chapter);
  window->widget()->show();
  setText("NAME", "Pancakes");
  auto* name = static_cast<QLineEdit*>(window->Get("NAME")->widget());
  QApplication::setActiveWindow(window->widget());
  name->setFocus();
  window->post(UI_EVENT(5320));   // select all
  window->post(UI_EVENT(10573));  // cut
  settle();
  EXPECT_EQ(name->text().toStdString(), "");
  window->post(UI_EVENT(5321));  // undo
  settle();
  EXPECT_EQ(name->text().toStdString(), "Pancakes");
}

TEST_F(RecipeWindowTest, ScreenshotsOfTheThreeTabs) {
  const std::string bitmap = folder() + "/stew.bmp";
  QImage image(300, 200, QImage::Format_RGB32);
  image.fill(QColor(150, 80, 30));
  ASSERT_TRUE(image.save(QString::fromStdString(bitmap), "BMP"));
  store::Recipe r;
  r.name = "Hearty Beef Stew";
  r.servings = 6;
  r.description = "A slow Sunday stew.\r\nBetter the next day.";
  r.instructions = "Brown the beef in batches.\r\nAdd the rest and simmer for two hours.";
  r.media[0] = folder() + "/stew";
  const char* quantities[] = {"2", "1 1/2", "3", "1"};
  const long units[] = {kPound, kCup, kTablespoon, kCan16};
  const long foods[] = {ingredients.addByName("beef chuck"), ingredients.addByName("beef broth"),
                        flour, sauce};
  const char* notes[] = {", cut in 1-inch cubes", "", "", ", with its juice"};
  for (int i = 0; i < 4; ++i) {
    r.lines[size_t(i)].quantity = quantities[i];
    r.lines[size_t(i)].unit = units[i];
    r.lines[size_t(i)].ingredient = foods[i];
    r.lines[size_t(i)].info2 = notes[i];
  }
  const long uid = recipes.save(0, chapter, r, true);
  open(uid, chapter);
  window->widget()->resize(820, 640);
  window->widget()->show();
  const char* tabs[] = {"VIEW", "EDIT", "PICTURE"};
  for (int tab = 0; tab < 3; ++tab) {
    window->Get<UIW_NOTEBOOK>("TABS")->setCurrentPage(tab);
    if (tab == 2) click("ZOOM_BUTTON");
    QApplication::processEvents();
    const QImage shot = window->widget()->grab().toImage();
    ASSERT_FALSE(shot.isNull());
    savora::testing::keepScreenshot(shot, "RECIPE_WINDOW_" + std::string(tabs[tab]) + ".png");
  }
  EXPECT_TRUE(window->Get<UIW_PICTURE>("PICTURE")->hasImage());
}

}  // namespace
}  // namespace savora::recipe
