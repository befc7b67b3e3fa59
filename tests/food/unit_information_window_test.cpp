#include "food/unit_information_window.h"

#include <QLineEdit>

#include "food_window_fixture.h"

namespace savora::food {
namespace {

using toolkit::Button;
using toolkit::UIW_BUTTON;
using toolkit::UIW_COMBO_BOX;

const char* const kInvalidNumber =
    "The conversion number is negative or\r\notherwise invalid. This will cause an\r\nerror when "
    "the shopping list is generated.\r\nPlease check the numbers entered. Press\r\nF1 for more "
    "help.\r\n";

class UnitInformationTest : public FoodWindowTest {
 protected:
  void SetUp() override {
    FoodWindowTest::SetUp();
    addUnits();
  }
  UnitInformationWindow* open(long uid, UnitSettings settings = {}) {
    auto* window =
        toolkit::UI_WINDOW_MANAGER::instance().add(std::make_unique<UnitInformationWindow>(
            units, recipes, user, settings, uid,
            [this](long select) { changes.push_back(select); }));
    return window;
  }
  UIW_COMBO_BOX* unitCombo(UnitInformationWindow* window) {
    return window->Get<UIW_COMBO_BOX>("UNIT");
  }

  std::vector<long> changes;
};

TEST_F(UnitInformationTest, ANewUnitIsSavedSingularWithItsDefinition) {
  auto* window = open(0);
  EXPECT_EQ(window->Get<toolkit::UIW_STRING>("SMALLEST_MEASURE")->text(), "2");
  EXPECT_TRUE(window->Get<UIW_BUTTON>("VOLUME")->isChecked());
  UIW_COMBO_BOX* combo = unitCombo(window);
  EXPECT_EQ(texts(combo), (std::vector<std::string>{"<None>", " tablespoon", " teaspoon"}));
  EXPECT_EQ(combo->current(), 0);

  // Typing picks the first unit starting with the typed letters; a key that leads nowhere is
  // dropped, so "tax" still finds tablespoon.
  typeInto(combo, "tax");
  EXPECT_EQ(combo->currentId(), 2);
  // The other type lists its own units and typing starts afresh.
  click(window, "WEIGHT");
  EXPECT_EQ(texts(combo), (std::vector<std::string>{"<None>", " ounce"}));
  typeInto(combo, "o");
  EXPECT_EQ(combo->currentId(), 3);
  click(window, "VOLUME");
  typeInto(combo, "te");
  EXPECT_EQ(combo->currentId(), 1);
  typeInto(combo, "\ba");
  EXPECT_EQ(combo->currentId(), 2);

  setText(window, "NAME", "  Cups ");
  setText(window, "ABBREVIATION", " c ");
  setText(window, "NUMBER", "16");
  setText(window, "SMALLEST_MEASURE", "4");
  window->Get<UIW_BUTTON>("ADJUST")->setChecked(true);
  click(window, "OK_BUTTON");
  EXPECT_FALSE(onScreen(window));
  EXPECT_EQ(changes, std::vector<long>{4});
  EXPECT_FALSE(unitRecordsDiffer(units.readRecord(4),
                                 UnitRecord{"Cup", "c", kVolumeUnit, "16", 2, 4, 1, 0}));
  EXPECT_TRUE(user.messages().empty());
}

TEST_F(UnitInformationTest, EveryEntryIsCheckedBeforeAnythingIsWritten) {
  auto* window = open(0);
  // A spoon the tables cannot keep.
  static_cast<QLineEdit*>(window->Get("ABBREVIATION")->widget())
      ->setText(QString::fromUtf8("sp\xF0\x9F\xA5\x84"));
  user.expectMessage("Wait!",
                     "Character 3 of this text (U+1F944) cannot be stored. Please remove it or type "
                     "another in its place.");
  click(window, "OK_BUTTON");
  setText(window, "ABBREVIATION", "");
  setText(window, "NAME", " s ");  // nothing left once the plural "s" is gone
  user.expectMessage("Error!", "You must enter a name!");
  click(window, "OK_BUTTON");
  setText(window, "NAME", "pinch");
  user.expectMessage("Error!", "You must enter an abbreviation!");
  click(window, "OK_BUTTON");
  setText(window, "ABBREVIATION", "pn");
  for (const char* number : {"a little", "-1", "1/0", "1.2.3"}) {
    setText(window, "NUMBER", number);
    user.expectMessage("Wait!", kInvalidNumber);
    click(window, "OK_BUTTON");
  }
  setText(window, "NUMBER", "1/16");
  for (const char* measure : {"0", "x", "", "65", "4.5"}) {
    setText(window, "SMALLEST_MEASURE", measure);
    user.expectMessage("Wait!", kInvalidNumber);
    click(window, "OK_BUTTON");
  }
  setText(window, "SMALLEST_MEASURE", "16");
  // A new unit may not take a name or an abbreviation that is already on the list.
  setText(window, "NAME", "TEASPOONS");
  user.expectMessage("Error!", "That name is already on the list!");
  click(window, "OK_BUTTON");
  setText(window, "NAME", "pinch");
  setText(window, "ABBREVIATION", "OZ");
  user.expectMessage("Error!", "That name is already on the list!");
  click(window, "OK_BUTTON");
  EXPECT_TRUE(onScreen(window));
  EXPECT_FALSE(units.findText("pinch", false));

  setText(window, "ABBREVIATION", "pn");
  click(window, "OK_BUTTON");
  EXPECT_FALSE(onScreen(window));
  EXPECT_EQ(units.readRecord(4).name, "pinch");
  EXPECT_EQ(units.readRecord(4).conversion, "1/16");

  // The messages carry their icons.
  std::vector<std::string> icons;
  for (const auto& m : user.messages()) icons.push_back(m.icon);
  EXPECT_EQ(icons, (std::vector<std::string>{"HAND", "EXCLAMATION", "EXCLAMATION", "HAND", "HAND", "HAND",
                                             "HAND", "HAND", "HAND", "HAND", "HAND", "HAND",
                                             "EXCLAMATION", "EXCLAMATION"}));
}

TEST_F(UnitInformationTest, AnExistingUnitIsRewrittenOnlyWhenItChanged) {
  auto* window = open(2);
  EXPECT_EQ(window->Get<toolkit::UIW_STRING>("NAME")->text(), "tablespoon");
  EXPECT_EQ(unitCombo(window)->currentId(), 1);
  click(window, "OK_BUTTON");
  EXPECT_FALSE(onScreen(window));
  EXPECT_TRUE(changes.empty());

  // Its own name in another case, and a new abbreviation, are no clash.
  window = open(2);
  setText(window, "NAME", "Tablespoons");
  setText(window, "ABBREVIATION", "Tbsp");
  click(window, "CANCEL_BUTTON");
  EXPECT_FALSE(onScreen(window));
  EXPECT_EQ(units.readRecord(2).abbreviation, "T");
  window = open(2);
  setText(window, "NAME", "Tablespoons");
  setText(window, "ABBREVIATION", "Tbsp");
  click(window, "OK_BUTTON");
  EXPECT_FALSE(onScreen(window));
  EXPECT_EQ(changes, std::vector<long>{2});
  EXPECT_FALSE(unitRecordsDiffer(units.readRecord(2),
                                 UnitRecord{"Tablespoon", "Tbsp", kVolumeUnit, "3", 1, 2, 1, 0}));
  EXPECT_TRUE(units.findUid(2));
}

TEST_F(UnitInformationTest, TakingAnotherUnitsNameOffersToReplaceTheUnitEverywhere) {
  const long pancakes = addRecipe({{2, 0}, {1, 0}, {2, 0}});
  auto* window = open(2);
  setText(window, "NAME", "teaspoon");
  user.expectMessage("Replace Unit?", "That unit already exists!\r\nDo you want to replace it?",
                     Button::No);
  click(window, "OK_BUTTON");
  EXPECT_FALSE(onScreen(window));
  EXPECT_TRUE(units.findUid(2));
  EXPECT_EQ(recipe(pancakes).lines[0].unit, 2);
  EXPECT_TRUE(changes.empty());

  // The abbreviation alone is enough to ask.
  window = open(2);
  setText(window, "ABBREVIATION", "TSP");
  user.expectMessage("Replace Unit?", "That unit already exists!\r\nDo you want to replace it?",
                     Button::Yes);
  click(window, "OK_BUTTON");
  EXPECT_FALSE(onScreen(window));
  EXPECT_FALSE(units.findUid(2));
  const store::Recipe after = recipe(pancakes);
  EXPECT_EQ(after.lines[0].unit, 1);
  EXPECT_EQ(after.lines[1].unit, 1);
  EXPECT_EQ(after.lines[2].unit, 1);
  EXPECT_EQ(units.readRecord(1).name, "teaspoon");  // the other unit stays as it was
  EXPECT_EQ(changes, std::vector<long>{1});
}

TEST_F(UnitInformationTest, ADefinitionInAUnitOfTheOtherTypeIsKeptAsItIs) {
  // An imported "stick" of butter defined by weight although it measures volume.
  const long stick =
      units.saveRecord(UnitRecord{"stick", "stick", kVolumeUnit, "4", 3, 2, 0, 0}, 0);
  auto* window = open(stick, UnitSettings{true});
  EXPECT_EQ(texts(unitCombo(window)),
            (std::vector<std::string>{"<None>", " T", " stick", " tsp", " oz"}));
  EXPECT_EQ(unitCombo(window)->currentId(), 3);
  click(window, "OK_BUTTON");
  EXPECT_TRUE(changes.empty());
  EXPECT_EQ(units.readRecord(stick).conversionUnit, 3);
}

}  // namespace
}  // namespace savora::food
