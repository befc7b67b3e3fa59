// The USDA food search window, the USDA buttons of the ingredient and brand windows, and the
// walk over a recipe's foods without nutrients (offscreen).
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include "food/brand_information_window.h"
#include "food/ingredient_information_window.h"
#include "kitchen_fixture.h"
#include "toolkit/uiw_lists.h"
#include "usda/nutrient_walk_window.h"
#include "usda/starter_kitchen.h"
#include "usda/usda_foods_window.h"
#include "window_objects.h"

namespace savora::usda {
namespace {

using namespace savora::toolkit;

class UsdaWindowTest : public KitchenTest {
 protected:
  void SetUp() override {
    KitchenTest::SetUp();
    ASSERT_TRUE(savora::testing::openWindowObjects());
    setInstalledFoodsFile(SAVORA_PROGRAM_DIR "/FOODS.DAT");
    food::connectBrands(brands, units, ingredients, groups);
    fillStarterKitchen(units, groups);
  }
  void TearDown() override {
    savora::testing::closeWindowObjects();
    KitchenTest::TearDown();
  }

  static void settle() { UI_EVENT_MANAGER::instance().processAll(); }
  static void click(UIW_WINDOW* w, const char* button) {
    w->Get<UIW_BUTTON>(button)->click();
    settle();
  }
  // Keys typed into the list as the keyboard delivers them ('\b': Backspace).
  static void typeInto(UIW_WINDOW* w, const std::string& keys) {
    QWidget* list = w->Get<UIW_VT_LIST>("LIST")->widget();
    for (char c : keys) {
      const bool backspace = c == '\b';
      QKeyEvent press(QEvent::KeyPress, backspace ? int(Qt::Key_Backspace) : int(Qt::Key_A),
                      Qt::NoModifier, backspace ? QString() : QString(QChar(c)));
      QApplication::sendEvent(list, &press);
    }
    settle();
  }
  static UIW_WINDOW* searchWindow() {
    for (UIW_WINDOW* w : UI_WINDOW_MANAGER::instance().windows())
      if (w->resourceName() == "USDA_FOODS") return w;
    return nullptr;
  }
  static std::string chosen(UIW_WINDOW* w) { return w->Get<UIW_VT_LIST>("LIST")->text(); }
};

TEST_F(UsdaWindowTest, TheSearchShowsTheBestMatchesAsTheUserTypes) {
  long used = 0;
  ASSERT_TRUE(openUsdaFoods(user, {"", "butter", [&](const Food& f) { used = f.number; }, {}}));
  UIW_WINDOW* w = searchWindow();
  ASSERT_TRUE(w);
  EXPECT_EQ(chosen(w), " Butter, salted");
  EXPECT_EQ(w->Get("DETAIL")->text(), "717 calories in 100 g; 1 cup weighs 227 g");
  EXPECT_FALSE(w->Get("SKIP_BUTTON")->widget()->isVisibleTo(w->widget()));

  typeInto(w, std::string(6, '\b') + "eggs");
  EXPECT_EQ(w->Get("SEARCH_STRING")->text(), " eggs");
  EXPECT_EQ(chosen(w), " Egg, whole, raw, fresh");
  typeInto(w, "q");  // finds nothing: not taken
  EXPECT_EQ(w->Get("SEARCH_STRING")->text(), " eggs");
  click(w, "USE_BUTTON");
  EXPECT_EQ(used, 1123);
  EXPECT_FALSE(searchWindow());

  // A name that finds nothing is shortened until it does.
  ASSERT_TRUE(openUsdaFoods(user, {"", "onionzz", {}, {}}));
  EXPECT_EQ(chosen(searchWindow()), " Onions, raw");
  UI_WINDOW_MANAGER::instance().subtract(searchWindow());
  settle();

  setInstalledFoodsFile(programDir.str() + "/missing.dat");
  user.answerNextMessage(Button::Ok);
  EXPECT_FALSE(openUsdaFoods(user, {"", "butter", {}, {}}));
  EXPECT_EQ(user.messages().back().title, "Error!");
}

TEST_F(UsdaWindowTest, TheIngredientWindowAddsAUsdaBrandAndPrefersIt) {
  const long butter = ingredients.addByName("butter");
  auto* w = UI_WINDOW_MANAGER::instance().add(std::make_unique<food::IngredientInformationWindow>(
      food::FoodTables{ingredients, brands, units, groups, recipes}, user, food::UnitSettings{},
      butter, 0, nullptr, usdaLookup(user, units, groups)));
  click(w, "USDA_NUTRIENTS");
  ASSERT_TRUE(searchWindow());
  EXPECT_EQ(chosen(searchWindow()), " Butter, salted");
  click(searchWindow(), "USE_BUTTON");
  EXPECT_EQ(w->Get("DEFAULT_BRAND")->text(), "USDA SR21 01001: Butter, salted");
  click(w, "OK_BUTTON");

  const long brand = ingredients.read(butter)->preferredBrand;
  const food::BrandRecord r = brands.read(brand);
  EXPECT_EQ(r.ingredient, butter);
  EXPECT_DOUBLE_EQ(r.nutrients[food::kCalories], 717);
  EXPECT_DOUBLE_EQ(r.nutrients[food::kTotalFat], 81.11);
  EXPECT_EQ(r.equivalence1, (food::Equivalence{"1", unit("cup"), "227", unit("gram")}));
  EXPECT_EQ(r.group, groups.uidOf("Dairy & Eggs"));
}

TEST_F(UsdaWindowTest, TheBrandWindowTakesUsdaValuesAndKeepsItsPackage) {
  const long butter = ingredients.addByName("butter");
  food::BrandRecord mine;
  mine.name = "Creamery Butter";
  mine.ingredient = butter;
  mine.price = 4.99;
  mine.packageSize = "1";
  mine.packageUnit = unit("pound");
  mine.servingsInPackage = 32;
  const long uid = brands.save(mine, 0);
  auto* w = UI_WINDOW_MANAGER::instance().add(std::make_unique<food::BrandInformationWindow>(
      food::BrandTables{brands, units, groups}, user, food::UnitSettings{}, uid, butter, nullptr,
      usdaLookup(user, units, groups)));
  click(w, "USDA_NUTRIENTS");
  ASSERT_TRUE(searchWindow());
  EXPECT_EQ(chosen(searchWindow()), " Butter, salted");  // the name's words that find a food
  click(searchWindow(), "USE_BUTTON");
  EXPECT_EQ(w->Get("SERVE")->text(), "100");
  EXPECT_EQ(w->Get("NUTRIENT0")->text(), "717");
  EXPECT_EQ(w->Get("SERVINGS_IN_CONTAINER")->text(), "4.5");  // 453.6 g in 100 g servings
  click(w, "OK_BUTTON");

  const food::BrandRecord r = brands.read(uid);
  EXPECT_EQ(r.name, "USDA SR21 01001: Butter, salted");
  EXPECT_DOUBLE_EQ(r.price, 4.99);
  EXPECT_EQ(r.packageUnit, unit("pound"));
  EXPECT_DOUBLE_EQ(r.nutrients[food::kCholesterol], 215);
}

TEST_F(UsdaWindowTest, TheWalkAsksForEachFoodWithoutNutrients) {
  const long flour = ingredients.addByName("flour");
  const long milk = ingredients.addByName("milk");
  const long cumin = ingredients.addByName("cumin");
  store::Recipe r;
  r.lines[0] = {"2", unit("cup"), flour};
  r.lines[1] = {"1", unit("cup"), milk};
  r.lines[2] = {"1", unit("teaspoon"), cumin};
  int changes = 0;
  walkNutrientGaps(user, kitchen, r, [&] { ++changes; });

  UIW_WINDOW* w = searchWindow();
  ASSERT_TRUE(w);
  EXPECT_EQ(w->Get("QUESTION")->text(),
            "Line 1: flour has no nutrients yet (1 of 3). Use the food chosen below, choose "
            "another, or skip it.");
  EXPECT_TRUE(chosen(w).starts_with(" Wheat flour, white, all-purpose"));
  click(w, "USE_BUTTON");  // accepted

  w = searchWindow();
  ASSERT_TRUE(w);
  typeInto(w, " goat");  // changed
  EXPECT_EQ(chosen(w), " Milk, goat, fluid");
  click(w, "USE_BUTTON");

  user.answerNextMessage(Button::Ok);
  click(searchWindow(), "SKIP_BUTTON");  // cumin skipped
  EXPECT_FALSE(searchWindow());
  EXPECT_EQ(user.messages().back().text, "2 of 3 foods took nutrients from USDA.");
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(brands.nameOf(ingredients.read(milk)->preferredBrand),
            "USDA SR21 01106: Milk, goat, fluid");
  EXPECT_EQ(ingredients.read(cumin)->preferredBrand, 0);
  EXPECT_TRUE(ingredientHasNutrients(flour, brands));

  // Nothing left to ask about but the skipped food.
  const auto left = nutrientGaps(r, kitchen);
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(left[0].ingredient, cumin);
}

}  // namespace
}  // namespace savora::usda
