#include "food/unit_information_window.h"

#include <QLineEdit>

#include "food_window_fixture.h"

namespace savora::food {
namespace {

using toolkit::Button;
using toolkit::UIW_BUTTON;
using toolkit::UIW_COMBO_BOX;

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
