// The bookshelf driven as a user would, through the main window: choosing in the lists and the
// browse modes, every command with its questions, drag and drop between the lists and onto the
// waste bin, and what the window keeps in the settings between openings.
#include <QClipboard>
#include <QGuiApplication>
#include <array>

#include "bookshelf/shelf_edits.h"
#include "codes/program_codes.h"
#include "platform/text.h"
#include "search/recipe_search_window.h"
#include "shelf_window_fixture.h"
#include "toolkit/event_codes.h"

namespace savora::bookshelf {
using namespace savora::store;
namespace {

// A small bookshelf: two books, three chapters, two categories, five recipes.
class BookShelfTest : public ShelfWindowTest {
 protected:
  void SetUp() override {
    ShelfWindowTest::SetUp();
    desserts = books().add("Desserts", "", "");
    mains = books().add("Main Dishes", "", "");
    cakes = chapters().add("Cakes", desserts, "", "");
    pies = chapters().add("Pies", desserts, "", "");
    stews = chapters().add("Stews", mains, "", "");
    sponge = addRecipe(cakes, "Sponge Cake");
    torte = addRecipe(cakes, "Chocolate Torte");
    apple = addRecipe(pies, "Apple Pie", "pictures\\apple");
    goulash = addRecipe(stews, "Goulash");
    favourites = categories().add("Favourites", "", "");
    quick = categories().add("Quick", "", "");
    categories().addRecipe(favourites, apple);
    categories().addRecipe(favourites, goulash);
  }

  long desserts = 0, mains = 0, cakes = 0, pies = 0, stews = 0;
  long sponge = 0, torte = 0, apple = 0, goulash = 0, favourites = 0, quick = 0;
};

using Names = std::vector<std::string>;

TEST_F(BookShelfTest, ChoosingBooksChaptersAndCategoriesSwitchesTheModeAndTheRecipes) {
  BookShelfWindow* shelf = openShelf();
  ASSERT_NE(shelf, nullptr);
  EXPECT_EQ(shelf->title(), "Recipe Bookshelf");
  auto* browser = shelf->Get<UIW_COMBO_BOX>("RECIPE_BROWSER");
  ASSERT_EQ(browser->count(), 5);
  EXPECT_EQ(browser->entry(0).text, "Cookbook");
  EXPECT_EQ(browser->entry(1).text, "Cookbook and Chapter");
  EXPECT_EQ(browser->entry(2).text, "Photo");
  EXPECT_EQ(browser->entry(3).text, "Category");
  EXPECT_EQ(browser->entry(4).text, "Ingredient");
  // Nothing saved yet: no book is selected, so no chapters and no recipes.
  EXPECT_EQ(mode(shelf), "Cookbook");
  EXPECT_EQ(texts(shelf, "BOOK_LIST"), (Names{"Desserts", "Main Dishes"}));
  EXPECT_TRUE(texts(shelf, "CHAPTER_LIST").empty());
  EXPECT_EQ(texts(shelf, "CATEGORY_LIST"), (Names{"Favourites", "Quick"}));
  EXPECT_TRUE(texts(shelf, "RECIPE_LIST").empty());

  choose(shelf, "BOOK_LIST", "Desserts");
  EXPECT_EQ(texts(shelf, "CHAPTER_LIST"), (Names{"Cakes", "Pies"}));
  EXPECT_EQ(texts(shelf, "RECIPE_LIST"), (Names{"Sponge Cake", "Chocolate Torte", "Apple Pie"}));
  EXPECT_EQ(current(shelf, "RECIPE_LIST"), "Sponge Cake");  // the first entry is selected

  choose(shelf, "CHAPTER_LIST", "Pies");
  EXPECT_EQ(mode(shelf), "Cookbook and Chapter");
  EXPECT_EQ(texts(shelf, "RECIPE_LIST"), (Names{"Apple Pie"}));

  choose(shelf, "CATEGORY_LIST", "Favourites");
  EXPECT_EQ(mode(shelf), "Category");
  EXPECT_EQ(texts(shelf, "RECIPE_LIST"), (Names{"Apple Pie", "Goulash"}));

  // A book chosen in mode "Category" goes back to "Cookbook".
  choose(shelf, "BOOK_LIST", "Main Dishes");
  EXPECT_EQ(mode(shelf), "Cookbook");
  EXPECT_EQ(texts(shelf, "CHAPTER_LIST"), (Names{"Stews"}));
  EXPECT_EQ(texts(shelf, "RECIPE_LIST"), (Names{"Goulash"}));
  // Picking the modes themselves.
  chooseMode(shelf, "Category");
  EXPECT_EQ(texts(shelf, "RECIPE_LIST"), (Names{"Apple Pie", "Goulash"}));
  chooseMode(shelf, "Cookbook and Chapter");  // no chapter chosen in this book: the whole book
  EXPECT_EQ(texts(shelf, "RECIPE_LIST"), (Names{"Goulash"}));

  // Asking for the bookshelf again brings this one to the front.
  EXPECT_EQ(openShelf(), shelf);
  EXPECT_EQ(UI_WINDOW_MANAGER::instance().windows().size(), 1u);
}

TEST_F(BookShelfTest, TwoCategoriesOfOneNameAreListedOnce) {
  const long second = categories().add("Favourites", "", "");
  categories().addRecipe(second, sponge);
  BookShelfWindow* shelf = openShelf();
  EXPECT_EQ(texts(shelf, "CATEGORY_LIST"), (Names{"Favourites", "Quick"}));
  EXPECT_EQ(list(shelf, "CATEGORY_LIST")->entry(0).id, favourites);
}

TEST_F(BookShelfTest, TheModeAndSelectionRoundTripThroughTheSettingsFile) {
  settings.browse = {false, true, false};
  settings.recipeShelf = {desserts, pies, quick};
  BookShelfWindow* shelf = openShelf();
  EXPECT_EQ(mode(shelf), "Cookbook and Chapter");
  EXPECT_EQ(current(shelf, "BOOK_LIST"), "Desserts");
  EXPECT_EQ(current(shelf, "CHAPTER_LIST"), "Pies");
  EXPECT_EQ(current(shelf, "CATEGORY_LIST"), "Quick");
  EXPECT_EQ(texts(shelf, "RECIPE_LIST"), (Names{"Apple Pie"}));

  choose(shelf, "CATEGORY_LIST", "Favourites");
  shelf->post(UI_EVENT(toolkit::S_CLOSE));
  settle();
  EXPECT_FALSE(isOpen(shelf));
  EXPECT_EQ(settings.browse, (app::BrowseModes{false, false, true}));
  EXPECT_EQ(settings.recipeShelf, (app::BookshelfSelection{desserts, pies, favourites}));
  EXPECT_EQ(settings.catalogShelf, app::BookshelfSelection{});  // the other bookshelf's kept

  // Written at exit and read at the next start.
  app::Settings next;
  ASSERT_TRUE(next.parse(settings.format("Savora 99")));
  EXPECT_EQ(next.browse, settings.browse);
  EXPECT_EQ(next.recipeShelf, settings.recipeShelf);
  settings = next;
  shelf = openShelf();
  EXPECT_EQ(mode(shelf), "Category");
  EXPECT_EQ(texts(shelf, "RECIPE_LIST"), (Names{"Apple Pie", "Goulash"}));

  // A chapter deleted elsewhere while the bookshelf was open is stored as -1; the book stays.
  tables->chapters().remove(pies, recipes());
  main.reset();  // leaving the program closes the bookshelf too
  EXPECT_EQ(settings.recipeShelf, (app::BookshelfSelection{desserts, -1, favourites}));
}

TEST_F(BookShelfTest, ASavedBookWithoutAChapterIsNotReselected) {
  settings.recipeShelf = {desserts, -1, -1};
  BookShelfWindow* shelf = openShelf();
  EXPECT_EQ(list(shelf, "BOOK_LIST")->current(), -1);
  EXPECT_TRUE(texts(shelf, "CHAPTER_LIST").empty());
}

TEST_F(BookShelfTest, CommandsWithNothingSelectedSayWhatTheyNeed) {
  BookShelfWindow* shelf = openShelf();
  user.expectMessage("Nothing to Delete", "Select a book and then click Delete.");
  user.expectMessage("Nothing to Delete", "Select a chapter and then click Delete.");
  user.expectMessage("Nothing to Delete", "Select a category and then click Delete.");
  user.expectMessage("Nothing to Delete", "Select a recipe and then click Delete.");
  user.expectMessage("Nothing to open", "Select a cookbook and then click Open.");
  user.expectMessage("Nothing to open", "Select a chapter and then click Open.");
  user.expectMessage("Nothing to open", "Select a category and then click Open.");
  user.expectMessage("Wait!", "No recipe has been selected.");
  user.expectMessage("Create a Chapter",
                     "You must create a chapter for\r\nthis recipe to go into first.");
  for (const char* button :
       {"DELETE_BOOK_BUTTON", "DELETE_CHAPTER_BUTTON", "DELETE_CATEGORY_BUTTON",
        "DELETE_RECIPE_BUTTON", "OPEN_BOOK_BUTTON", "OPEN_CHAPTER_BUTTON", "OPEN_CATEGORY_BUTTON",
        "OPEN_RECIPE_BUTTON", "NEW_RECIPE_BUTTON"}) {
    click(shelf, button);
  }
  EXPECT_TRUE(recipeRequests.empty());
  EXPECT_EQ(infoWindow(), nullptr);
}

TEST_F(BookShelfTest, PrintAndExportTextHandOverTheListedRecipes) {
  BookShelfWindow* shelf = openShelf();
  std::vector<std::pair<std::vector<long>, bool>> asked;
  shelf->printRecipes = [&asked](const std::vector<long>& recipes, bool asText) {
    asked.emplace_back(recipes, asText);
  };
  choose(shelf, "BOOK_LIST", "Desserts");
  ASSERT_FALSE(shelf->listedRecipes().empty());
  // Printing every listed recipe is asked about first.
  const char* question = "Are you sure you want to print all the recipes that are listed?";
  user.expectMessage("Print Recipes?", question, Button::No);
  click(shelf, "PRINT_BUTTON");
  EXPECT_TRUE(asked.empty());
  user.expectMessage("Print Recipes?", question, Button::Yes);
  click(shelf, "PRINT_BUTTON");
  click(shelf, "EXPORT_TEXT_BUTTON");
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[0].first, shelf->listedRecipes());
  EXPECT_FALSE(asked[0].second);
  EXPECT_TRUE(asked[1].second);
}

TEST_F(BookShelfTest, ExportHandsOverTheSelectedBookChapterAndRecipe) {
  BookShelfWindow* shelf = openShelf();
  std::vector<std::array<long, 3>> exported;
  shelf->setBookExport([&exported](const BookShelfWindow::ExportChoice& choice) {
    exported.push_back({choice.book, choice.chapter, choice.recipe});
  });
  ASSERT_TRUE(shelf->Get("EXPORT_BUTTON")->isSelectable());
  user.expectMessage("Wait!", "Please select the cookbook to export.");
  click(shelf, "EXPORT_BUTTON");
  choose(shelf, "BOOK_LIST", "Desserts");
  click(shelf, "EXPORT_BUTTON");
  choose(shelf, "CHAPTER_LIST", "Pies");
  click(shelf, "EXPORT_BUTTON");
  EXPECT_EQ(exported, (std::vector<std::array<long, 3>>{{desserts, 0, sponge}, {desserts, pies, apple}}));
}

TEST_F(BookShelfTest, OpeningAndMakingRecipesHandsTheMainWindowChapterRecipeAndMode) {
  BookShelfWindow* shelf = openShelf();
  choose(shelf, "BOOK_LIST", "Desserts");
  click(shelf, "OPEN_RECIPE_BUTTON");  // mode "Cookbook": no chapter handed over
  choose(shelf, "CHAPTER_LIST", "Pies");
  click(shelf, "OPEN_RECIPE_BUTTON");
  click(shelf, "NEW_RECIPE_BUTTON");
  // Double-clicking an entry opens it too.
  auto* recipeList = static_cast<QListWidget*>(list(shelf, "RECIPE_LIST")->widget());
  emit recipeList->itemActivated(recipeList->item(0));
  settle();
  ASSERT_EQ(recipeRequests.size(), 4u);
  EXPECT_EQ(recipeRequests[0].values, (std::array<long, 4>{-1, sponge, 0, 0}));
  EXPECT_EQ(recipeRequests[1].values, (std::array<long, 4>{pies, apple, 0, 0}));
  EXPECT_EQ(recipeRequests[2].values, (std::array<long, 4>{pies, 0, 0, 0}));
  EXPECT_EQ(recipeRequests[3].values, (std::array<long, 4>{pies, apple, 0, 0}));
}

TEST_F(BookShelfTest, DeletingAsksFirstAndTakesEverythingBelowAlong) {
  BookShelfWindow* shelf = openShelf();
  choose(shelf, "BOOK_LIST", "Desserts");
  user.expectMessage("Delete Book?", "Are you sure you want to delete Desserts?", Button::No);
  click(shelf, "DELETE_BOOK_BUTTON");
  EXPECT_EQ(books().uidOf("Desserts"), desserts);

  user.expectMessage("Delete Book?", "Are you sure you want to delete Desserts?", Button::Yes);
  click(shelf, "DELETE_BOOK_BUTTON");
  EXPECT_EQ(texts(shelf, "BOOK_LIST"), (Names{"Main Dishes"}));
  EXPECT_TRUE(texts(shelf, "CHAPTER_LIST").empty());
  EXPECT_TRUE(texts(shelf, "RECIPE_LIST").empty());
  EXPECT_EQ(chapters().uidOf("Cakes"), -1);
  EXPECT_FALSE(recipes().seek(apple));
  EXPECT_FALSE(categories().isMember(favourites, apple));  // its membership went with it
  EXPECT_TRUE(categories().isMember(favourites, goulash));

  choose(shelf, "BOOK_LIST", "Main Dishes");
  choose(shelf, "CHAPTER_LIST", "Stews");
  user.expectMessage("Delete Chapter?", "Are you sure you want to delete Stews?", Button::Yes);
  click(shelf, "DELETE_CHAPTER_BUTTON");
  EXPECT_TRUE(texts(shelf, "CHAPTER_LIST").empty());
  EXPECT_FALSE(recipes().seek(goulash));

  choose(shelf, "CATEGORY_LIST", "Favourites");
  user.expectMessage("Delete Category?", "Are you sure you want to delete Favourites?",
                     Button::Yes);
  click(shelf, "DELETE_CATEGORY_BUTTON");
  EXPECT_EQ(texts(shelf, "CATEGORY_LIST"), (Names{"Quick"}));
  EXPECT_EQ(list(shelf, "CATEGORY_LIST")->current(), -1);
}

TEST_F(BookShelfTest, DeletingARecipeInModeCategoryOnlyTakesItOutOfTheCategory) {
  BookShelfWindow* shelf = openShelf();
  choose(shelf, "CATEGORY_LIST", "Favourites");
  choose(shelf, "RECIPE_LIST", "Goulash");
  user.expectMessage("Remove Recipe?", "Are you sure you want to remove Goulash from Favourites?",
                     Button::Yes);
  click(shelf, "DELETE_RECIPE_BUTTON");
  EXPECT_EQ(texts(shelf, "RECIPE_LIST"), (Names{"Apple Pie"}));
  EXPECT_FALSE(categories().isMember(favourites, goulash));
  EXPECT_TRUE(recipes().seek(goulash));

  choose(shelf, "BOOK_LIST", "Desserts");
  choose(shelf, "RECIPE_LIST", "Chocolate Torte");
  user.expectMessage("Delete Recipe?", "Are you sure you want to delete Chocolate Torte?",
                     Button::Yes);
  click(shelf, "DELETE_RECIPE_BUTTON");
  EXPECT_FALSE(recipes().seek(torte));
  EXPECT_EQ(texts(shelf, "RECIPE_LIST"), (Names{"Sponge Cake", "Apple Pie"}));
  EXPECT_EQ(current(shelf, "RECIPE_LIST"), "Apple Pie");
}

TEST_F(BookShelfTest, DroppingWhatCannotGoThereExplainsAndChangesNothing) {
  BookShelfWindow* shelf = openShelf();
  choose(shelf, "BOOK_LIST", "Desserts");
  const uint32_t categoryRecords = categories().table().recordCount();
  const uint32_t recipeRecords = recipes().table().recordCount();
  const uint32_t chapterRecords = chapters().table().recordCount();
  struct Case {
    const char* from;
    const char* entry;
    const char* to;
    const char* onto;
    const char* text;
  } cases[] = {
      {"CHAPTER_LIST", "Cakes", "CATEGORY_LIST", "Quick",
       "You cannot copy a chapter into a category.\r\nYou can only copy recipes into categories."},
      {"BOOK_LIST", "Desserts", "CATEGORY_LIST", "Quick",
       "You cannot copy a book into a category.\r\nYou can only copy recipes into categories."},
      {"CATEGORY_LIST", "Favourites", "CATEGORY_LIST", "Quick",
       "You cannot copy a category into another category.\r\nYou can only copy recipes into "
       "categories."},
      {"BOOK_LIST", "Desserts", "BOOK_LIST", "Main Dishes",
       "You cannot copy a book into another book.\r\nYou can only copy chapters into books."},
      {"CATEGORY_LIST", "Quick", "BOOK_LIST", "Main Dishes",
       "You cannot copy a category into a book.\r\nYou can only copy chapters into books."},
      {"RECIPE_LIST", "Apple Pie", "BOOK_LIST", "Main Dishes",
       "You cannot copy a recipe into a book.\r\nYou can only copy chapters into books."},
      {"BOOK_LIST", "Main Dishes", "CHAPTER_LIST", "Pies",
       "You cannot copy a book into a chapter.\r\nYou can only copy recipes into chapters."},
      {"CHAPTER_LIST", "Cakes", "CHAPTER_LIST", "Pies",
       "You cannot copy a chapter into another chapter.\r\nYou can only copy recipes into "
       "chapters."},
      {"CATEGORY_LIST", "Quick", "CHAPTER_LIST", "Pies",
       "You cannot copy a category into a chapter.\r\nYou can only copy recipes into chapters."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.from) + " onto " + c.to);
    choose(shelf, "BOOK_LIST", "Desserts");
    user.expectMessage("Error!", c.text);
    drag(shelf, c.from, c.entry, c.to, c.onto);
    EXPECT_EQ(user.messages().back().icon, "EXCLAMATION");
  }
  // A recipe dropped on the recipe list, or a recipe dropped below the last category: nothing.
  drag(shelf, "RECIPE_LIST", "Apple Pie", "RECIPE_LIST", "Sponge Cake");
  drag(shelf, "RECIPE_LIST", "Apple Pie", "CATEGORY_LIST");
  EXPECT_EQ(categories().table().recordCount(), categoryRecords);
  EXPECT_EQ(recipes().table().recordCount(), recipeRecords);
  EXPECT_EQ(chapters().table().recordCount(), chapterRecords);
}

TEST_F(BookShelfTest, DroppedRecipesAreFiledAndCopiedAfterTheQuestion) {
  BookShelfWindow* shelf = openShelf();
  choose(shelf, "BOOK_LIST", "Desserts");
  user.expectMessage("Add Recipe to Category?", "Add Sponge Cake to Quick?", Button::Yes);
  drag(shelf, "RECIPE_LIST", "Sponge Cake", "CATEGORY_LIST", "Quick");
  EXPECT_TRUE(categories().isMember(quick, sponge));
  user.expectMessage("Add Recipe to Category?", "Add Sponge Cake to Quick?", Button::Yes);
  user.expectMessage("Wait!", "That recipe is already in this category.");
  drag(shelf, "RECIPE_LIST", "Sponge Cake", "CATEGORY_LIST", "Quick");
  EXPECT_EQ(categories().membersOf(quick), std::vector<long>{sponge});

  user.expectMessage("Copy Recipe?", "Copy Sponge Cake to Pies?", Button::No);
  drag(shelf, "RECIPE_LIST", "Sponge Cake", "CHAPTER_LIST", "Pies");
  EXPECT_EQ(recipes().find("Sponge Cake", pies), 0);
  user.expectMessage("Copy Recipe?", "Copy Sponge Cake to Pies?", Button::Yes);
  drag(shelf, "RECIPE_LIST", "Sponge Cake", "CHAPTER_LIST", "Pies");
  const long copy = recipes().find("Sponge Cake", pies);
  ASSERT_NE(copy, 0);
  EXPECT_NE(copy, sponge);
  EXPECT_EQ(texts(shelf, "RECIPE_LIST"),
            (Names{"Sponge Cake", "Chocolate Torte", "Apple Pie", "Sponge Cake"}));
  // Once more: the chapter has a recipe of that name now (in any letter case).
  user.expectMessage("Copy Recipe?", "Copy Sponge Cake to Pies?", Button::Yes);
  user.expectMessage("Error!", "A recipe with that name already exists.");
  drag(shelf, "RECIPE_LIST", "Sponge Cake", "CHAPTER_LIST", "Pies");
}

TEST_F(BookShelfTest, ADroppedChapterJoinsTheTargetBooksChapterOfThatName) {
  const long mainPies = chapters().add("PIES", mains, "", "");
  addRecipe(mainPies, "Shepherd's Pie");
  BookShelfWindow* shelf = openShelf();
  choose(shelf, "BOOK_LIST", "Desserts");
  user.expectMessage("Copy Chapter?", "Copy the recipes in Pies to Main Dishes?", Button::Yes);
  drag(shelf, "CHAPTER_LIST", "Pies", "BOOK_LIST", "Main Dishes");
  EXPECT_EQ(chapters().chaptersOf(mains).size(), 2u);  // no second chapter of that name
  const long copied = recipes().find("Apple Pie", mainPies);
  ASSERT_NE(copied, 0);
  Recipe original, copy;
  recipes().load(apple, original);
  recipes().load(copied, copy);
  EXPECT_EQ(copy.media, original.media);
  EXPECT_EQ(recipes().find("Apple Pie", pies), apple);  // the source keeps its recipe

  // Into its own book the chapter would only double: refused before anything is asked.
  user.expectMessage("Wait!", "Pies is already in Desserts.");
  drag(shelf, "CHAPTER_LIST", "Pies", "BOOK_LIST", "Desserts");
  EXPECT_EQ(recipes().table().recordCount(), 6u);
}

TEST_F(BookShelfTest, TheWasteBinDeletesWhatIsDroppedOnIt) {
  BookShelfWindow* shelf = openShelf();
  choose(shelf, "BOOK_LIST", "Desserts");
  user.expectMessage("Delete Recipe?", "Are you sure you want to delete Chocolate Torte?",
                     Button::Yes);
  drag(shelf, "RECIPE_LIST", "Chocolate Torte", "DELETE_BUTTON");
  EXPECT_FALSE(recipes().seek(torte));
  user.expectMessage("Delete Chapter?", "Are you sure you want to delete Cakes?", Button::Yes);
  drag(shelf, "CHAPTER_LIST", "Cakes", "DELETE_BUTTON");
  EXPECT_EQ(texts(shelf, "CHAPTER_LIST"), (Names{"Pies"}));
  user.expectMessage("Delete Category?", "Are you sure you want to delete Quick?", Button::No);
  drag(shelf, "CATEGORY_LIST", "Quick", "DELETE_BUTTON");
  user.expectMessage("Delete Book?", "Are you sure you want to delete Main Dishes?", Button::Yes);
  drag(shelf, "BOOK_LIST", "Main Dishes", "DELETE_BUTTON");
  EXPECT_EQ(texts(shelf, "BOOK_LIST"), (Names{"Desserts"}));
  EXPECT_EQ(current(shelf, "BOOK_LIST"), "Desserts");  // another book's deletion keeps it
  EXPECT_EQ(texts(shelf, "CATEGORY_LIST"), (Names{"Favourites", "Quick"}));
}

TEST_F(BookShelfTest, ANewRecipeFromTheRecipeWindowJoinsTheListOnce) {
  BookShelfWindow* shelf = openShelf();
  choose(shelf, "BOOK_LIST", "Desserts");
  const long tart = addRecipe(cakes, "Lemon Tart");
  UI_EVENT added(codes::kRecipeAdded, tart);
  added.text = "Lemon Tart";
  shelf->post(added);
  added.text = "LEMON TART";
  shelf->post(added);
  settle();
  EXPECT_EQ(texts(shelf, "RECIPE_LIST"),
            (Names{"Sponge Cake", "Chocolate Torte", "Apple Pie", "Lemon Tart"}));
  EXPECT_EQ(list(shelf, "RECIPE_LIST")->entry(3).id, tart);
}

TEST_F(BookShelfTest, MenuPickingShowsItsLineUntilTheBookshelfCloses) {
  BookShelfWindow* shelf = openShelf();
  EXPECT_EQ(shelf->Get("USER_INSTRUCTIONS")->text(), "");
  int ended = 0;
  shelf->menuPickingEnded = [&ended] { ++ended; };
  shelf->setMenuPicking(true);
  EXPECT_EQ(shelf->Get("USER_INSTRUCTIONS")->text(), "Choose a recipe to add to your menu.");
  shelf->setMenuPicking(false);
  EXPECT_EQ(shelf->Get("USER_INSTRUCTIONS")->text(), "");
  shelf->setMenuPicking(true);
  click(shelf, "CLOSE_BUTTON");
  EXPECT_EQ(ended, 1);
}

TEST_F(BookShelfTest, SearchModesRunTheRecipeSearchIntoTheRecipeList) {
  BookShelfWindow* shelf = openShelf();
  user.expectMessage("Wait!", "Nothing to search for!");
  chooseMode(shelf, "Ingredient");
  EXPECT_EQ(mode(shelf), "Ingredient");

  chooseMode(shelf, "Photo");
  EXPECT_EQ(shelf->Get("SEARCH_STRING")->text(), search::kPhotoSearchText);
  EXPECT_EQ(texts(shelf, "RECIPE_LIST"), (Names{"Apple Pie"}));
  EXPECT_EQ(usage.recipeSearch, 1);

  shelf->Get("SEARCH_STRING")->setText("goulash");
  click(shelf, "SEARCH_BUTTON");
  EXPECT_EQ(texts(shelf, "RECIPE_LIST"), (Names{"Goulash"}));
  // The search results stay when a recipe is filed from them.
  user.expectMessage("Add Recipe to Category?", "Add Goulash to Quick?", Button::Yes);
  drag(shelf, "RECIPE_LIST", "Goulash", "CATEGORY_LIST", "Quick");
  EXPECT_EQ(texts(shelf, "RECIPE_LIST"), (Names{"Goulash"}));
}

TEST_F(BookShelfTest, ClipboardCommandsGoToTheFieldWithTheFocus) {
  BookShelfWindow* shelf = openShelf();
  auto* field = shelf->Get<UIW_STRING>("SEARCH_STRING");
  field->setText("pumpkin soup");
  QApplication::setActiveWindow(main->widget());
  field->setFocus();
  QApplication::processEvents();
  ASSERT_TRUE(field->hasFocus());
  field->selectAll();
  shelf->post(UI_EVENT(10574));  // copy
  shelf->post(UI_EVENT(10576));  // clear
  settle();
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "pumpkin soup");
  EXPECT_EQ(field->text(), "");
  shelf->post(UI_EVENT(10575));  // paste
  settle();
  EXPECT_EQ(field->text(), "pumpkin soup");
}

// A chapter copy collects every recipe, however many: none may be left behind silently.
TEST_F(BookShelfTest, CopyingAChapterOfMoreThan600RecipesCopiesThemAll) {
  const long big = chapters().add("Big Chapter", desserts, "many recipes", "");
  constexpr int kRecipes = 650;
  for (int i = 0; i < kRecipes; ++i) {
    Recipe recipe;
    recipe.name = platform::formatText("Recipe %03d", i);
    recipes().save(0, big, recipe, false);
  }
  recipes().reopen();
  const ChapterCopy copied = copyChapter(big, mains, chapters(), recipes());
  EXPECT_TRUE(copied.createdChapter);
  EXPECT_EQ(copied.recipesCopied, size_t(kRecipes));
  EXPECT_EQ(chapters().nameOf(copied.targetChapter), "Big Chapter");
  EXPECT_EQ(chapters().get(copied.targetChapter)->info, "many recipes");
  int inTarget = 0;
  for (auto name = recipes().first(copied.targetChapter);
       name && recipes().chapterOfCurrent() == copied.targetChapter; name = recipes().next()) {
    ++inTarget;
  }
  EXPECT_EQ(inTarget, kRecipes);
  // Into the chapter itself nothing is copied.
  EXPECT_EQ(copyChapter(big, desserts, chapters(), recipes()).recipesCopied, 0u);
}

TEST_F(BookShelfTest, ACopiedChapterGetsAMediaListOfItsOwn) {
  const auto list = writeMediaList("", {"pictures\\pies", "", "pies.mpg"});
  ASSERT_TRUE(list);
  ASSERT_TRUE(chapters().update("Pies", desserts, "Pies", "", *list));
  const ChapterCopy copied = copyChapter(pies, mains, chapters(), recipes());
  const std::string bitmap = chapters().get(copied.targetChapter)->bitmap;
  EXPECT_FALSE(bitmap.empty());
  EXPECT_NE(bitmap, *list);
  EXPECT_EQ(readMediaList(bitmap), (MediaReferences{"pictures\\pies", "", "pies.mpg"}));
}

class CatalogShelfTest : public BookShelfTest {
 protected:
  CatalogShelfTest() { withCatalog = true; }
};

TEST_F(BookShelfTest, WithoutACatalogTheCatalogCommandCannotBeChosen) {
  EXPECT_FALSE(main->Get("CATALOG")->isSelectable());
  EXPECT_TRUE(main->Get("RECIPES")->isSelectable());
}

TEST_F(CatalogShelfTest, TheCatalogShowsItsOwnTablesAndKeepsItsOwnSelection) {
  ASSERT_NE(tables->catalogBooks(), nullptr);
  EXPECT_TRUE(main->Get("CATALOG")->isSelectable());
  const long breads = tables->catalogBooks()->add("Breads", "", "");
  const long rolls = tables->catalogChapters()->add("Rolls", breads, "", "");
  Recipe roll;
  roll.name = "Dinner Rolls";
  const long dinnerRolls = tables->catalogRecipes()->save(0, rolls, roll, true);
  settings.catalogShelf = {breads, rolls, -1};

  BookShelfWindow* catalog = openShelf(10521);
  ASSERT_NE(catalog, nullptr);
  EXPECT_EQ(catalog->kind(), codes::kKindCatalog);
  EXPECT_EQ(catalog->title(), "Recipe Catalog");
  EXPECT_EQ(texts(catalog, "BOOK_LIST"), (Names{"Breads"}));
  EXPECT_EQ(texts(catalog, "RECIPE_LIST"), (Names{"Dinner Rolls"}));
  click(catalog, "OPEN_RECIPE_BUTTON");
  ASSERT_EQ(recipeRequests.size(), 1u);
  EXPECT_EQ(recipeRequests[0].values, (std::array<long, 4>{-1, dinnerRolls, 1, 0}));

  BookShelfWindow* shelf = openShelf();
  EXPECT_NE(shelf, catalog);
  EXPECT_EQ(texts(shelf, "BOOK_LIST"), (Names{"Desserts", "Main Dishes"}));
  main.reset();
  EXPECT_EQ(settings.catalogShelf, (app::BookshelfSelection{breads, rolls, -1}));
  EXPECT_EQ(settings.recipeShelf, (app::BookshelfSelection{}));
}

}  // namespace
}  // namespace savora::bookshelf
