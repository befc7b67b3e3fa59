// IMPORT_ITEM driven through IMPORT_WINDOW as the program runs an import that asks about new
// units and ingredients: the buttons and check boxes, and how the chain waits and goes on.
#include "codes/program_codes.h"
#include "exchange/import_item_window.h"
#include "exchange/import_window.h"
#include "exchange_fixture.h"
#include "platform/text.h"
#include "screenshots.h"
#include "toolkit/event_codes.h"
#include "toolkit/event_manager.h"
#include "toolkit/uiw_controls.h"
#include "toolkit/window_manager.h"
#include "window_objects.h"

namespace savora::exchange {
namespace {

using namespace savora::toolkit;

store::RecipeLine line(long unit, long ingredient) {
  store::RecipeLine l;
  l.quantity = "1";
  l.unit = unit;
  l.ingredient = ingredient;
  return l;
}

class ImportItemWindowTest : public ExchangeTest {
 protected:
  void SetUp() override {
    ExchangeTest::SetUp();
    ASSERT_TRUE(savora::testing::openWindowObjects());
    cup = units.saveRecord({"cup", "c", food::kVolumeUnit}, 0);
    archive.book("bookx", 1, "Herbs");
    archive.chapter("chapterx", 1, 1, "Green");
    archive.unit(1, "cup");
    archive.unit(2, "cupful");
    archive.unit(3, "dash");
    archive.unit(4, "handful");
    archive.unit(5, "pinch");
    archive.food(6, "salt");
    archive.food(7, "herb");
    archive.recipe("recip65x", 1, 1, "Pesto",
                   {line(2, 7), line(3, 6), line(4, 0), line(5, 0), line(1, 0)});
  }
  void TearDown() override {
    UI_EVENT_MANAGER::instance().clear();
    savora::testing::closeWindowObjects();
    ExchangeTest::TearDown();
  }
  // Starts the import the way the program does and runs it until it waits for the person.
  void startImport() {
    importWindow = UI_WINDOW_MANAGER::instance().add(std::make_unique<ImportWindow>(
        ExchangeImport::start(store, targets(), archivePath("herbs.zel"), {NewItems::Ask}),
        [this](long, long) { ++finishedCount; }));
    settle();
  }
  static void settle() { UI_EVENT_MANAGER::instance().processAll(); }
  static ImportItemWindow* dialog() {
    for (UIW_WINDOW* open : UI_WINDOW_MANAGER::instance().windows()) {
      if (auto* item = dynamic_cast<ImportItemWindow*>(open)) return item;
    }
    return nullptr;
  }
  static std::string shownItem() { return dialog() ? dialog()->Get("NEW_ITEM")->text() : ""; }
  static void click(const char* button) {
    dialog()->Get<UIW_BUTTON>(button)->click();
    settle();
  }
  static void answer(const char* button, const std::string& replacement) {
    dialog()->Get<UIW_COMBO_BOX>("REPLACEMENT")->setText(replacement);
    click(button);
  }
  bool importOpen() const { return UI_WINDOW_MANAGER::instance().contains(importWindow); }
  store::Recipe pesto() {
    store::Recipe recipe;
    recipes.load(recipes.find("Pesto", chapters.uidOf("Green", books.uidOf("Herbs"))), recipe);
    return recipe;
  }

  ImportWindow* importWindow = nullptr;
  int finishedCount = 0;
  long cup = 0;
};

TEST_F(ImportItemWindowTest, EachAnswerDecidesItsItemAndTheImportWaitsForTheLast) {
  archive.pack(archivePath("herbs.zel"));
  startImport();
  ASSERT_NE(dialog(), nullptr);
  EXPECT_EQ(dialog()->title(), kNewUnitTitle);
  EXPECT_EQ(dialog()->Get("ITEM_PROMPT")->text(), "New Unit:");
  std::string explanation = unitExplanation("Automatically Add to List", "Add to List", "Skip");
  std::erase(explanation, '\r');  // shown with plain line breaks
  EXPECT_EQ(dialog()->Get("TEXT")->text(), explanation);
  EXPECT_FALSE(dialog()->Get("INFO1")->isVisible());
  EXPECT_TRUE(dialog()->Get("ALWAYS_MEMORIZE")->isVisible());
  EXPECT_FALSE(dialog()->Get("MEMORIZED_BUTTON")->isSelectable());
  EXPECT_TRUE(importWindow->Get<UIW_BUTTON>("FIELD_2")->isChecked());
  EXPECT_FALSE(importWindow->Get<UIW_BUTTON>("FIELD_3")->isChecked());  // waiting

  savora::testing::keepScreenshot(dialog()->widget()->grab().toImage(), "IMPORT_ITEM_UNIT.png");

  // A replacement the user does not have is refused and the item is asked again.
  user.expectMessage("Wait!", kNotOnListText);
  answer("REPLACE_BUTTON", "spoon");
  EXPECT_EQ(shownItem(), "cupful");

  struct Row {
    const char* item;
    const char* button;
    const char* replacement;
  };
  for (const Row& row : {Row{"cupful", "REPLACE_BUTTON", "cup"}, Row{"dash", "TEXT_BUTTON", ""},
                         Row{"handful", "REPLACE_BUTTON", ""}, Row{"pinch", "ADD_BUTTON", ""}}) {
    SCOPED_TRACE(row.item);
    ASSERT_EQ(shownItem(), row.item);
    answer(row.button, row.replacement);
  }
  ASSERT_NE(dialog(), nullptr);
  EXPECT_EQ(dialog()->title(), kNewIngredientTitle);
  EXPECT_TRUE(dialog()->Get("INFO1")->isVisible());
  EXPECT_FALSE(dialog()->Get("MEMORIZED2")->isVisible());
  EXPECT_EQ(shownItem(), "herb");
  savora::testing::keepScreenshot(dialog()->widget()->grab().toImage(),
                                  "IMPORT_ITEM_INGREDIENT.png");
  dialog()->Get("INFO1")->setText("fresh");
  answer("REPLACE_BUTTON", "");
  EXPECT_EQ(shownItem(), "salt");
  expectFinished();
  click("TEXT_BUTTON");

  EXPECT_EQ(dialog(), nullptr);
  EXPECT_FALSE(importOpen());
  EXPECT_EQ(finishedCount, 1);
  const store::Recipe recipe = pesto();
  EXPECT_EQ(recipe.lines[0].unit, cup);
  EXPECT_EQ(recipe.lines[0].ingredient, 0);
  EXPECT_EQ(recipe.lines[0].info1, "fresh");
  EXPECT_EQ(recipe.lines[1].unit, 0);
  EXPECT_EQ(recipe.lines[1].info1, "dash");
  EXPECT_EQ(recipe.lines[1].info2, "salt");
  EXPECT_EQ(recipe.lines[2].unit, 0);
  EXPECT_EQ(recipe.lines[2].info1, "");
  EXPECT_EQ(units.readRecord(recipe.lines[3].unit).name, "pinch");
  EXPECT_EQ(recipe.lines[4].unit, cup);
  EXPECT_FALSE(units.findText("cupful", false));
  EXPECT_EQ(ingredients.uidOfText("herb"), 0);
}

TEST_F(ImportItemWindowTest, ClosingTheDialogAddsWhatIsLeftAndTheImportGoesOnOnce) {
  archive.pack(archivePath("herbs.zel"));
  startImport();
  answer("REPLACE_BUTTON", "cup");
  dialog()->post(UI_EVENT(S_CLOSE));
  settle();
  ASSERT_NE(dialog(), nullptr);
  EXPECT_EQ(dialog()->title(), kNewIngredientTitle);
  expectFinished();
  dialog()->post(UI_EVENT(S_CLOSE));
  settle();
  EXPECT_EQ(finishedCount, 1);
  EXPECT_FALSE(importOpen());
  for (const char* name : {"dash", "handful", "pinch"}) {
    EXPECT_TRUE(units.findText(name, false)) << name;
  }
  EXPECT_FALSE(units.findText("cupful", false));
  EXPECT_GT(ingredients.uidOfText("herb"), 0);
  EXPECT_GT(ingredients.uidOfText("salt"), 0);
  EXPECT_EQ(pesto().lines[0].unit, cup);
  EXPECT_GT(recipes.find("Pesto", chapters.uidOf("Green", books.uidOf("Herbs"))), 0);
}

TEST_F(ImportItemWindowTest, AutomaticallyAddToListAddsEverythingWithoutAskingFurther) {
  archive.pack(archivePath("herbs.zel"));
  startImport();
  expectFinished();
  click("ALWAYS_ADD");  // the ingredients are not asked about either
  EXPECT_EQ(dialog(), nullptr);
  EXPECT_EQ(finishedCount, 1);
  for (const char* name : {"cupful", "dash", "handful", "pinch"}) {
    EXPECT_TRUE(units.findText(name, false)) << name;
  }
  EXPECT_GT(ingredients.uidOfText("herb"), 0);
}

TEST_F(ImportItemWindowTest, AutomaticallyUseMemorizedDecidesRememberedItemsWithoutShowingThem) {
  archive.pack(archivePath("herbs.zel"));
  startImport();
  answer("REPLACE_BUTTON", "cup");
  click("TEXT_BUTTON");
  answer("REPLACE_BUTTON", "");
  click("TEXT_BUTTON");  // pinch; "<info>" memorized too
  dialog()->Get("INFO2")->setText("chopped");
  answer("REPLACE_BUTTON", "");
  expectFinished();
  click("TEXT_BUTTON");
  recipes.remove(recipes.find("Pesto", chapters.uidOf("Green", books.uidOf("Herbs"))));

  user.expectMessage("Add to Existing Book?",
                     platform::formatText(kExistingBookText, "Herbs"), Button::Yes);
  startImport();
  ASSERT_NE(dialog(), nullptr);
  EXPECT_EQ(shownItem(), "cupful");
  EXPECT_EQ(dialog()->Get("MEMORIZED2")->text(), "cup");
  EXPECT_TRUE(dialog()->Get("MEMORIZED_BUTTON")->isSelectable());
  expectFinished();
  click("ALWAYS_MEMORIZE");
  EXPECT_EQ(dialog(), nullptr);  // every unit and ingredient was remembered
  EXPECT_EQ(finishedCount, 2);
  const store::Recipe recipe = pesto();
  EXPECT_EQ(recipe.lines[0].unit, cup);
  EXPECT_EQ(recipe.lines[0].info2, "chopped");
  EXPECT_EQ(recipe.lines[1].info1, "dash");
  EXPECT_EQ(recipe.lines[1].info2, "salt");
  EXPECT_EQ(recipe.lines[3].info1, "pinch");
}

TEST_F(ImportItemWindowTest, ClosingTheImportWindowWhileAskingEndsEverything) {
  archive.pack(archivePath("herbs.zel"));
  startImport();
  ASSERT_NE(dialog(), nullptr);
  importWindow->post(UI_EVENT(S_CLOSE));
  settle();
  EXPECT_EQ(dialog(), nullptr);
  EXPECT_FALSE(importOpen());
  EXPECT_EQ(finishedCount, 0);
  EXPECT_FALSE(ExchangeScratch::running());
  EXPECT_FALSE(platform::fileExists("unitx.dbf"));
  EXPECT_FALSE(units.findText("cupful", false));
  EXPECT_EQ(books.uidOf("Herbs"), -1);
}

TEST_F(ImportItemWindowTest, TheMakersUnitTableHidesRememberingAndIsDeletedAfterwards) {
  auto& maker = archive.table("unitzel", memorizedTableDefinition("unitzel"));
  maker.appendStart(cup);
  maker.setText("NAME", "cupful");
  maker.append();
  archive.pack(archivePath("herbs.zel"));
  startImport();
  ASSERT_NE(dialog(), nullptr);
  EXPECT_FALSE(dialog()->Get("ALWAYS_MEMORIZE")->isVisible());
  EXPECT_EQ(dialog()->Get("MEMORIZED2")->text(), "cup");
  click("MEMORIZED_BUTTON");
  EXPECT_EQ(shownItem(), "dash");
  dialog()->post(UI_EVENT(S_CLOSE));
  settle();
  EXPECT_FALSE(platform::fileExists("unitzel.dbf"));
  EXPECT_TRUE(dialog()->Get("ALWAYS_MEMORIZE")->isVisible());  // the ingredients' dialog
  expectFinished();
  dialog()->post(UI_EVENT(S_CLOSE));
  settle();
  EXPECT_EQ(pesto().lines[0].unit, cup);
}

}  // namespace
}  // namespace savora::exchange
