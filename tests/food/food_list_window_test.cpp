#include <memory>

#include "food/ingredient_list_window.h"
#include "food/unit_information_window.h"
#include "food/unit_list_window.h"
#include "food_window_fixture.h"
#include "platform/text.h"

namespace savora::food {
namespace {

using toolkit::Button;
using toolkit::UIW_VT_LIST;

const char* const kRemovedQuestion =
    "%s will be removed\r\nfrom every recipe that calls for it.\r\n\r\nAre you sure you want to "
    "delete %s?";

std::string removedQuestion(const std::string& name) {
  return platform::formatText(kRemovedQuestion, name.c_str(), name.c_str());
}

class UnitListTest : public FoodWindowTest {
 protected:
  void SetUp() override {
    FoodWindowTest::SetUp();
    addUnits();
    window = std::make_unique<UnitListWindow>(units, recipes, user,
                                              [this] { return UnitSettings{abbreviated}; });
    list = window->Get<UIW_VT_LIST>("LIST");
  }
  void TearDown() override {
    window.reset();
    FoodWindowTest::TearDown();
  }

  bool abbreviated = false;
  std::unique_ptr<UnitListWindow> window;
  UIW_VT_LIST* list = nullptr;
};

TEST_F(UnitListTest, ListsUnitsByNameOrByAbbreviation) {
  EXPECT_EQ(window->title(), "Unit List");
  EXPECT_EQ(window->kind(), 700);
  EXPECT_EQ(texts(list), (std::vector<std::string>{" ounce", " tablespoon", " teaspoon"}));
  abbreviated = true;
  window->refresh(0);
  EXPECT_EQ(texts(list), (std::vector<std::string>{" T", " oz", " tsp"}));
  // Typing narrows the list as in the ingredient list.
  typeInto(list, "s");
  EXPECT_EQ(texts(list), (std::vector<std::string>{" tsp"}));
}

TEST_F(UnitListTest, DeleteAsksTwiceThenTakesTheUnitOutOfEveryRecipe) {
  const long pancakes = addRecipe({{2, 0}, {1, 0}});
  user.expectMessage("Nothing to Open", "Select a unit first, then click Open.");
  click(window.get(), "OPEN_BUTTON");
  user.expectMessage("Nothing to Delete", "Select a unit first, then click Delete.");
  click(window.get(), "DELETE_BUTTON");
  EXPECT_EQ(user.messages()[0].icon, "HAND");
  EXPECT_EQ(user.messages()[1].icon, "HAND");

  // Under the switch the list shows "T"; the questions name the unit.
  abbreviated = true;
  window->refresh(2);
  ASSERT_EQ(list->text(), " T");
  user.expectMessage("Delete Unit?", "Are you sure you want to delete tablespoon?", Button::No);
  click(window.get(), "DELETE_BUTTON");
  user.expectMessage("Delete Unit?", "Are you sure you want to delete tablespoon?", Button::Yes);
  user.expectMessage("Delete Unit?", removedQuestion("tablespoon"), Button::No);
  click(window.get(), "DELETE_BUTTON");
  EXPECT_TRUE(units.findUid(2));
  EXPECT_EQ(recipe(pancakes).lines[0].unit, 2);

  user.expectMessage("Delete Unit?", "Are you sure you want to delete tablespoon?", Button::Yes);
  user.expectMessage("Delete Unit?", removedQuestion("tablespoon"), Button::Yes);
  click(window.get(), "DELETE_BUTTON");
  EXPECT_FALSE(units.findUid(2));
  EXPECT_EQ(texts(list), (std::vector<std::string>{" oz", " tsp"}));
  EXPECT_EQ(recipe(pancakes).lines[0].unit, 0);
  EXPECT_EQ(recipe(pancakes).lines[1].unit, 1);
  EXPECT_EQ(user.messages().back().icon, "QUESTION");
}

TEST_F(UnitListTest, NewAndOpenShowTheUnitWindowWhichUpdatesTheList) {
  click(window.get(), "NEW_BUTTON");
  auto* info = dynamic_cast<UnitInformationWindow*>(shown("UNIT_INFORMATION"));
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->uid(), 0);
  setText(info, "NAME", "cup");
  setText(info, "ABBREVIATION", "c");
  click(info, "OK_BUTTON");
  EXPECT_EQ(shown("UNIT_INFORMATION"), nullptr);
  EXPECT_EQ(texts(list), (std::vector<std::string>{" cup", " ounce", " tablespoon", " teaspoon"}));
  EXPECT_EQ(list->text(), " cup");

  // Open edits the selected unit; names sort by their bytes, capitals first.
  list->setCurrent(list->findId(3));
  click(window.get(), "OPEN_BUTTON");
  info = dynamic_cast<UnitInformationWindow*>(shown("UNIT_INFORMATION"));
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->uid(), 3);
  setText(info, "NAME", "Ounces");
  click(info, "OK_BUTTON");
  EXPECT_EQ(texts(list), (std::vector<std::string>{" Ounce", " cup", " tablespoon", " teaspoon"}));
  EXPECT_EQ(list->currentId(), 3);
}

TEST_F(UnitListTest, AUnitWindowLeftBehindByItsListStillCloses) {
  click(window.get(), "NEW_BUTTON");
  auto* info = shown("UNIT_INFORMATION");
  ASSERT_NE(info, nullptr);
  window.reset();
  setText(info, "NAME", "cup");
  setText(info, "ABBREVIATION", "c");
  click(info, "OK_BUTTON");
  EXPECT_EQ(shown("UNIT_INFORMATION"), nullptr);
  EXPECT_TRUE(units.findText("cup", false));
}

class IngredientListTest : public FoodWindowTest {
 protected:
  void SetUp() override {
    FoodWindowTest::SetUp();
    for (const char* name :
         {"rye flour", "egg", "cauliflower", "all-purpose flour", "Flour Tortilla"}) {
      ingredients.addByName(name);
    }
    open([this](long uid, auto) { opened.push_back(uid); });
  }
  void TearDown() override {
    window.reset();
    FoodWindowTest::TearDown();
  }
  void open(IngredientListWindow::OpenIngredient openIngredient) {
    window.reset();
    window = std::make_unique<IngredientListWindow>(ingredients, recipes, user,
                                                    std::move(openIngredient));
    list = window->Get<UIW_VT_LIST>("LIST");
  }
  std::string search() { return window->Get<toolkit::UIW_STRING>("SEARCH_STRING")->text(); }

  std::vector<long> opened;
  std::unique_ptr<IngredientListWindow> window;
  UIW_VT_LIST* list = nullptr;
};

TEST_F(IngredientListTest, TypingNarrowsTheListToNamesHoldingEveryWord) {
  EXPECT_EQ(window->title(), "Ingredient List");
  EXPECT_EQ(window->kind(), 800);
  EXPECT_EQ(texts(list), (std::vector<std::string>{" all-purpose flour", " cauliflower", " egg",
                                                   " flour tortilla", " rye flour"}));
  typeInto(list, "FL");
  EXPECT_EQ(search(), " FL");
  EXPECT_EQ(texts(list), (std::vector<std::string>{" all-purpose flour", " cauliflower",
                                                   " flour tortilla", " rye flour"}));
  EXPECT_EQ(list->text(), " flour tortilla");  // the first name that starts with the words
  typeInto(list, " ry");
  EXPECT_EQ(texts(list), std::vector<std::string>{" rye flour"});
  EXPECT_EQ(list->current(), -1);
  // A key that would leave nothing to choose from is not taken.
  typeInto(list, "z");
  EXPECT_EQ(search(), " FL ry");
  EXPECT_EQ(texts(list), std::vector<std::string>{" rye flour"});
  typeInto(list, "\b\b\b");
  EXPECT_EQ(search(), " FL");
  EXPECT_EQ(list->count(), 4);
  typeInto(list, "\b\b\b");
  EXPECT_EQ(search(), " ");
  EXPECT_EQ(list->count(), 5);
  EXPECT_EQ(list->text(), " all-purpose flour");

  // A new ingredient the search would hide clears the search, so that it shows, selected.
  typeInto(list, "egg");
  user.answerPrompt("  Sugar ");
  click(window.get(), "NEW_BUTTON");
  EXPECT_EQ(search(), " ");
  EXPECT_EQ(list->count(), 6);
  EXPECT_EQ(list->text(), " sugar");
  EXPECT_EQ(user.dialogs(), std::vector<std::string>{"New Ingredient Name"});
}

TEST_F(IngredientListTest, NewRefusesANameAlreadyOnTheList) {
  user.answerPrompt("EGG");
  user.expectMessage("Wait!",
                     "An ingredient with that name already exists.\r\nTry a different name.");
  click(window.get(), "NEW_BUTTON");
  EXPECT_EQ(user.messages().back().icon, "HAND");
  user.answerPrompt(std::nullopt);
  click(window.get(), "NEW_BUTTON");
  user.answerPrompt("   ");
  click(window.get(), "NEW_BUTTON");
  EXPECT_EQ(list->count(), 5);
  EXPECT_EQ(user.messages().size(), 1u);
}

TEST_F(IngredientListTest, OpenAndDeleteNeedASelection) {
  user.expectMessage("Nothing to Open", "Select an ingredient first, then click Open.");
  click(window.get(), "OPEN_BUTTON");
  user.expectMessage("Nothing to Delete", "Select an ingredient first, then click Delete.");
  click(window.get(), "DELETE_BUTTON");
  EXPECT_EQ(user.messages()[0].icon, "INFORMATION");
  EXPECT_EQ(user.messages()[1].icon, "INFORMATION");
  EXPECT_TRUE(opened.empty());

  const long egg = ingredients.uidOfText("egg");
  list->setCurrent(list->findId(egg));
  click(window.get(), "OPEN_BUTTON");
  EXPECT_EQ(opened, std::vector<long>{egg});
  // Without an information window Open does nothing more.
  open({});
  list->setCurrent(list->findId(egg));
  click(window.get(), "OPEN_BUTTON");
  EXPECT_EQ(user.messages().size(), 2u);
}

TEST_F(IngredientListTest, DeleteWithBothYesTakesTheIngredientOutOfEveryRecipe) {
  const long egg = ingredients.uidOfText("egg");
  const long rye = ingredients.uidOfText("rye flour");
  const long bread = addRecipe({{0, rye}, {0, egg}, {0, egg}});
  list->setCurrent(list->findId(egg));
  user.expectMessage("Delete Ingredient?", "Are you sure you want to delete egg?", Button::Yes);
  user.expectMessage("Delete Ingredient?", removedQuestion("egg"), Button::No);
  click(window.get(), "DELETE_BUTTON");
  EXPECT_TRUE(ingredients.findUid(egg));

  user.expectMessage("Delete Ingredient?", "Are you sure you want to delete egg?", Button::Yes);
  user.expectMessage("Delete Ingredient?", removedQuestion("egg"), Button::Yes);
  click(window.get(), "DELETE_BUTTON");
  EXPECT_FALSE(ingredients.findUid(egg));
  EXPECT_EQ(list->findId(egg), -1);
  EXPECT_EQ(list->count(), 4);
  const store::Recipe after = recipe(bread);
  EXPECT_EQ(after.lines[0].ingredient, rye);
  EXPECT_EQ(after.lines[1].ingredient, 0);
  EXPECT_EQ(after.lines[2].ingredient, 0);
}

}  // namespace
}  // namespace savora::food
