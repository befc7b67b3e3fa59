// The ingredient and brand information windows driven as a user would: fields typed, buttons
// clicked, keys typed into the unit combos, every question answered by the scripted user.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <filesystem>

#include "screenshots.h"
#include "food/brand_information_window.h"
#include "food/ingredient_information_window.h"
#include "kitchen.h"
#include "program_folders.h"
#include "scripted_user.h"
#include "toolkit/event_manager.h"
#include "toolkit/object_store.h"
#include "toolkit/window_manager.h"
#include "window_objects.h"

namespace savora::food {
namespace {

using savora::testing::ScriptedUser;
using toolkit::Button;
using toolkit::UI_EVENT_MANAGER;
using toolkit::UI_WINDOW_MANAGER;
using toolkit::UIW_BUTTON;
using toolkit::UIW_COMBO_BOX;
using toolkit::UIW_STRING;
using toolkit::UIW_VT_LIST;
using toolkit::UIW_WINDOW;

class FoodInformationTest : public savora::testing::ProgramFoldersTest,
                            public savora::testing::Kitchen<ScriptedUser> {
 protected:
  void SetUp() override {
    ProgramFoldersTest::SetUp();
    ASSERT_TRUE(savora::testing::openWindowObjects());
    openKitchen();
    cup = units.saveRecord({"cup", "c", kVolumeUnit, "", 0, 4}, 0);
    ounce = units.saveRecord({"ounce", "oz", kWeightUnit, "", 0, 4}, 0);
    pound = units.saveRecord({"pound", "lb", kWeightUnit, "16", ounce, 4}, 0);
    dairy = groups.add("Dairy", true);
    cheese = ingredients.addByName("cheese");
  }
  void TearDown() override { savora::testing::closeWindowObjects(); }

  long addBrand(const char* name, long ingredient, const char* size = "8") {
    return brands.save(savora::testing::brandRecord(name, ingredient, size, ounce), 0);
  }
  FoodTables tables() { return {ingredients, brands, units, groups, recipes}; }
  IngredientInformationWindow* openIngredient(long uid, long selectBrand = 0) {
    auto* w = UI_WINDOW_MANAGER::instance().add(std::make_unique<IngredientInformationWindow>(
        tables(), user, UnitSettings{}, uid, selectBrand,
        [this](long select) { listChanges.push_back(select); }));
    return w;
  }
  static void click(UIW_WINDOW* w, const char* button) {
    w->Get<UIW_BUTTON>(button)->click();
    UI_EVENT_MANAGER::instance().processAll();
  }
  static void type(UIW_WINDOW* w, const char* field, const std::string& text) {
    w->Get<UIW_STRING>(field)->setText(text);
  }
  // Keys typed into a combo box, through the widget as the keyboard delivers them.
  static void typeKeys(UIW_WINDOW* w, const char* combo, const std::string& keys) {
    QWidget* widget = w->Get<UIW_COMBO_BOX>(combo)->widget();
    for (char c : keys) {
      QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(c)));
      QApplication::sendEvent(widget, &press);
    }
    UI_EVENT_MANAGER::instance().processAll();
  }
  static void screenshot(UIW_WINDOW* w, const char* name) {
    const QImage shot = w->widget()->grab().toImage();
    ASSERT_FALSE(shot.isNull());
    savora::testing::keepScreenshot(shot, name);
  }
  static bool isOpen(UIW_WINDOW* w) { return UI_WINDOW_MANAGER::instance().contains(w); }
  std::vector<std::string> brandList(UIW_WINDOW* w) {
    std::vector<std::string> texts;
    for (const auto& e : w->Get<UIW_VT_LIST>("LIST")->entries()) texts.push_back(e.text);
    return texts;
  }
  static void select(UIW_WINDOW* w, const std::string& entry) {
    auto* list = w->Get<UIW_VT_LIST>("LIST");
    list->setCurrent(list->findText(entry));
  }

  long cup = 0, ounce = 0, pound = 0, dairy = 0, cheese = 0;
  std::vector<long> listChanges;
};

TEST_F(FoodInformationTest, ANewBrandIsCheckedSavedAndMadePreferred) {
  IngredientInformationWindow* food = openIngredient(cheese);
  select(food, "<new brand>");
  click(food, "OPEN_BRAND");
  auto* brand =
      dynamic_cast<BrandInformationWindow*>(UI_WINDOW_MANAGER::instance().windows().back());
  ASSERT_NE(brand, nullptr);

  // The unit combos list " <None>" and the units each with one leading blank; volume and
  // weight combos only their own type.
  auto* priceUnit = brand->Get<UIW_COMBO_BOX>("PRICE_UNIT");
  EXPECT_EQ(priceUnit->count(), 4);
  EXPECT_EQ(priceUnit->entry(0).text, " <None>");
  EXPECT_EQ(brand->Get<UIW_COMBO_BOX>("WEIGHT_UNIT")->count(), 3);
  EXPECT_EQ(brand->Get<UIW_COMBO_BOX>("VOLUME_UNIT")->entry(1).text, " cup");

  user.expectMessage("Error!", "You must enter a name!");
  click(brand, "OK_BUTTON");
  type(brand, "NAME", "  Dairy Farm Cheddar ");
  type(brand, "DOLLAR", "3.499");
  type(brand, "PRICE", "1");
  typeKeys(brand, "PRICE_UNIT", "po");
  EXPECT_EQ(priceUnit->text(), " pound");
  typeKeys(brand, "PRICE_UNIT", "x");  // leads nowhere: taken back, the choice stays
  EXPECT_EQ(priceUnit->text(), " pound");
  type(brand, "SERVE", "1/4");
  typeKeys(brand, "SERVE_UNIT", "c");
  type(brand, "SERVINGS_IN_CONTAINER", "8");
  typeKeys(brand, "CATEGORY", "d");
  type(brand, "NUTRIENT0", "lots");
  user.expectMessage("Wait!", "Please enter a number of 0 or more for Calories.");
  click(brand, "OK_BUTTON");
  EXPECT_TRUE(isOpen(brand));
  type(brand, "NUTRIENT0", "110");
  // Amounts must read as quantities, and the price must fit its field.
  type(brand, "PRICE", "1 lb");
  user.expectMessage("Wait!",
                     "Please enter an amount such as 2, 1 1/2 or 0.5 for the package size.");
  click(brand, "OK_BUTTON");
  type(brand, "PRICE", "1");
  type(brand, "DOLLAR", "1250");
  user.expectMessage("Wait!", "The price can be at most 999.99.");
  click(brand, "OK_BUTTON");
  EXPECT_TRUE(isOpen(brand));
  type(brand, "DOLLAR", "3.499");
  screenshot(brand, "BRAND_INFORMATION.png");
  user.expectMessage("Preferred Brand?", "Would you like to make this the preferred brand?",
                     Button::Yes);
  click(brand, "OK_BUTTON");
  EXPECT_FALSE(isOpen(brand));

  const long uid = brands.uidOf("Dairy Farm Cheddar");
  const BrandRecord stored = brands.read(uid);
  EXPECT_EQ(stored.ingredient, cheese);
  EXPECT_DOUBLE_EQ(stored.price, 3.5);
  EXPECT_EQ(stored.packageUnit, pound);
  EXPECT_EQ(stored.servingUnit, cup);
  EXPECT_EQ(stored.group, dairy);
  EXPECT_DOUBLE_EQ(stored.nutrients[kCalories], 110);
  // The package pair: 1 pound holding 8 servings of 1/4 cup.
  EXPECT_EQ(brands.information(uid).packagePair.volume, "    2.0");
  EXPECT_EQ(food->Get<UIW_STRING>("DEFAULT_BRAND")->text(), "Dairy Farm Cheddar");
  EXPECT_EQ(food->Get<UIW_VT_LIST>("LIST")->text(), "Dairy Farm Cheddar");

  // The ingredient keeps the preference when its window is closed with OK.
  click(food, "OK_BUTTON");
  EXPECT_EQ(ingredients.read(cheese)->preferredBrand, uid);
  EXPECT_EQ(listChanges, std::vector<long>{cheese});
}

TEST_F(FoodInformationTest, ABrandSavedWithoutChangeIsNotWritten) {
  const long uid = addBrand("Cheddar", cheese);
  BrandRecord r = brands.read(uid);
  r.price = 2.5;
  r.servingsInPackage = 2.5;
  r.nutrients[kSodium] = 180.25;
  r.equivalence2 = {"1", cup, "4", ounce};
  brands.save(r, uid);
  int saves = 0;
  auto* w = UI_WINDOW_MANAGER::instance().add(std::make_unique<BrandInformationWindow>(
      BrandTables{brands, units, groups}, user, UnitSettings{}, uid, cheese,
      [&](long, const std::string&, bool) { ++saves; }));
  EXPECT_EQ(w->Get<UIW_STRING>("DOLLAR")->text(), "2.50");
  EXPECT_EQ(w->Get<UIW_STRING>("NUTRIENT5")->text(), "180.25");
  click(w, "OK_BUTTON");
  EXPECT_FALSE(isOpen(w));
  EXPECT_EQ(saves, 0);

  // A change is written, and an existing brand asks nothing about preference.
  w = UI_WINDOW_MANAGER::instance().add(std::make_unique<BrandInformationWindow>(
      BrandTables{brands, units, groups}, user, UnitSettings{}, uid, cheese,
      [&](long, const std::string&, bool) { ++saves; }));
  type(w, "UPC", "012345678905");
  click(w, "OK_BUTTON");
  EXPECT_EQ(saves, 1);
  EXPECT_EQ(brands.read(uid).upc, "012345678905");
}

TEST_F(FoodInformationTest, TheBrandListAndItsActions) {
  const long milk = ingredients.addByName("milk");
  addBrand("Cheddar", cheese, "8");
  addBrand("cheddar", cheese, "16");
  const long swiss = addBrand("Swiss", cheese);
  addBrand("Dairy Milk", milk);
  const long loose = addBrand("Loose Curds", 0);
  ingredients.remove(milk, recipes);  // its brand becomes unassigned

  IngredientInformationWindow* food = openIngredient(cheese, swiss);
  EXPECT_EQ(brandList(food), (std::vector<std::string>{"Cheddar", "Swiss", "* Dairy Milk",
                                                       "* Loose Curds", "<new brand>"}));
  EXPECT_EQ(food->Get<UIW_VT_LIST>("LIST")->text(), "Swiss");
  click(food, "LIST_ALL");
  EXPECT_EQ(brandList(food).size(), 6u);
  screenshot(food, "INGREDIENT_INFORMATION.png");

  // Making an unassigned brand preferred assigns it.
  select(food, "* Loose Curds");
  click(food, "MAKE_PREFERRED");
  EXPECT_EQ(brands.ingredientOf(loose), cheese);
  EXPECT_EQ(food->Get<UIW_STRING>("DEFAULT_BRAND")->text(), "Loose Curds");

  // Reassigning the preferred brand clears the preference, in the table too.
  food->Get<UIW_VT_LIST>("LIST")->setCurrent(-1);
  user.expectMessage("Nothing to Reassign", "Choose the brand that you would like to reassign.");
  click(food, "REASSIGN");
  user.expectMessage("Nothing to Open", "Select a brand first, then click Open Brand.");
  click(food, "OPEN_BRAND");
  click(food, "OK_BUTTON");  // store the preference
  EXPECT_EQ(ingredients.read(cheese)->preferredBrand, loose);
  food = openIngredient(cheese);
  select(food, "Loose Curds");
  user.expectMessage("Re-Assign Brand?",
                     "Would you like to assign Loose Curds to another ingredient?", Button::Yes);
  user.expectMessage(
      "Notice!", "This was the preferred brand.\r\nYou should select another to be the preferred.");
  click(food, "REASSIGN");
  EXPECT_EQ(brands.ingredientOf(loose), 0);
  EXPECT_EQ(food->Get<UIW_STRING>("DEFAULT_BRAND")->text(), "");
  EXPECT_EQ(ingredients.read(cheese)->preferredBrand, 0);

  select(food, "* Dairy Milk");
  user.expectMessage("Assign Brand?", "Would you like to assign Dairy Milk to this ingredient?",
                     Button::Yes);
  click(food, "REASSIGN");
  EXPECT_EQ(brands.ingredientOf(brands.uidOf("Dairy Milk")), cheese);

  select(food, "Swiss");
  user.expectMessage("Delete this Brand?", "Are you sure you want to delete Swiss?", Button::No);
  click(food, "DELETE_BRAND");
  EXPECT_TRUE(brands.findUid(swiss));
  select(food, "Swiss");
  user.expectMessage("Delete this Brand?", "Are you sure you want to delete Swiss?", Button::Yes);
  click(food, "DELETE_BRAND");
  EXPECT_FALSE(brands.findUid(swiss));
  EXPECT_EQ(food->Get<UIW_VT_LIST>("LIST")->findText("Swiss"), -1);
}

TEST_F(FoodInformationTest, ADeletedBrandIsNeverLeftAsThePreferredOne) {
  addBrand("Cheddar", cheese, "8");
  const long swiss = addBrand("Swiss", cheese);
  Ingredient stored = *ingredients.read(cheese);
  stored.preferredBrand = swiss;
  ingredients.save(stored, cheese);
  IngredientInformationWindow* food = openIngredient(cheese);
  select(food, "Cheddar");
  click(food, "MAKE_PREFERRED");  // shown as preferred, not stored yet
  select(food, "Swiss");
  user.expectMessage("Delete this Brand?", "Are you sure you want to delete Swiss?", Button::Yes);
  click(food, "DELETE_BRAND");
  // Were the window cancelled now, the table must not name the deleted brand.
  EXPECT_EQ(ingredients.read(cheese)->preferredBrand, 0);
}

TEST_F(FoodInformationTest, SavingAnIngredientByItsNameRules) {
  // A new ingredient cannot have brands before it exists, nor a name already on the list.
  IngredientInformationWindow* food = openIngredient(0);
  select(food, "<new brand>");
  user.expectMessage("Wait!",
                     "You must first create the new ingredient\r\nbefore you create a new brand!");
  click(food, "OPEN_BRAND");
  type(food, "NAME", "Cheese");
  user.expectMessage("Error!", "That name is already on the list!");
  click(food, "OK_BUTTON");
  EXPECT_TRUE(isOpen(food));
  type(food, "NAME", " egg ");
  type(food, "PLURAL", "eggs");
  click(food, "OK_BUTTON");
  EXPECT_FALSE(isOpen(food));
  const long egg = ingredients.uidOfText("Eggs");
  EXPECT_NE(egg, 0);
  EXPECT_EQ(listChanges.back(), egg);

  // Unchanged: closes without a save.
  food = openIngredient(egg);
  click(food, "OK_BUTTON");
  EXPECT_FALSE(isOpen(food));
  EXPECT_EQ(listChanges.size(), 1u);

  // Another ingredient's name: replace it everywhere, or keep both.
  store::Recipe omelette;
  omelette.name = "Omelette";
  omelette.lines[0] = testing::recipeLine("2", 0, egg);
  const long recipe = recipes.save(0, 1, omelette, false);
  const long curds = addBrand("Curds", egg);
  food = openIngredient(egg);
  type(food, "NAME", "CHEESE");
  user.expectMessage("Replace Ingredient?",
                     "That ingredient already exists! Would you like to\r\nreplace this "
                     "ingredient with the other one on the list?",
                     Button::No);
  click(food, "OK_BUTTON");
  EXPECT_TRUE(ingredients.findUid(egg));
  food = openIngredient(egg);
  type(food, "NAME", "cheese");
  user.expectMessage("Replace Ingredient?",
                     "That ingredient already exists! Would you like to\r\nreplace this "
                     "ingredient with the other one on the list?",
                     Button::Yes);
  click(food, "OK_BUTTON");
  EXPECT_FALSE(ingredients.findUid(egg));
  store::Recipe loaded;
  recipes.load(recipe, loaded);
  EXPECT_EQ(loaded.lines[0].ingredient, cheese);
  EXPECT_EQ(brands.ingredientOf(curds), cheese);
  EXPECT_EQ(listChanges.back(), cheese);
}

}  // namespace
}  // namespace savora::food
