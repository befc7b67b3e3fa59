// OK of the unit window: which entries are refused and why, and what is saved, left alone or
// merged into another unit.
#include "food/unit_merge.h"

#include <gtest/gtest.h>

#include <optional>

#include "kitchen.h"
#include "program_folders.h"
#include "scripted_user.h"

namespace savora::food {
namespace {

using toolkit::Button;

const char* const kInvalidNumber =
    "The conversion number is negative or\r\notherwise invalid. This will cause an\r\nerror when "
    "the shopping list is generated.\r\nPlease check the numbers entered. Press\r\nF1 for more "
    "help.\r\n";

// The entries tablespoon (unit 2) loads with.
UnitEntries tablespoon() { return {"tablespoon", "T", kVolumeUnit, "3", 1, "2", true}; }

class UnitMergeTest : public savora::testing::ProgramFoldersTest,
                      public savora::testing::Kitchen<savora::testing::ScriptedUser> {
 protected:
  void SetUp() override {
    ProgramFoldersTest::SetUp();
    openKitchen();
    ASSERT_TRUE(addSpoonsAndOunce());
  }
  UnitSaved save(long uid, const UnitEntries& entries) {
    return saveUnit(units, recipes, user, uid, units.readRecord(uid), entries);
  }
};

TEST_F(UnitMergeTest, EntriesAreCheckedAndTakenNamesRefusedBeforeAnythingIsWritten) {
  struct Case {
    UnitEntries entries;
    const char* title;
    const char* text;
    const char* icon;
  };
  const char* const kTaken = "That name is already on the list!";
  auto pinch = [](const char* number, const char* measure) {
    return UnitEntries{"pinch", "pn", kVolumeUnit, number, 0, measure};
  };
  const Case cases[] = {
      {{" s ", "pn", kVolumeUnit, "1", 0, "2"}, "Error!", "You must enter a name!", "EXCLAMATION"},
      {{"pinch", " ", kVolumeUnit, "1", 0, "2"}, "Error!", "You must enter an abbreviation!",
       "EXCLAMATION"},
      {pinch("a little", "2"), "Wait!", kInvalidNumber, "HAND"},
      {pinch("-1", "2"), "Wait!", kInvalidNumber, "HAND"},
      {pinch("1/0", "2"), "Wait!", kInvalidNumber, "HAND"},
      {pinch("1.2.3", "2"), "Wait!", kInvalidNumber, "HAND"},
      {pinch("1/16", "0"), "Wait!", kInvalidNumber, "HAND"},
      {pinch("1/16", "x"), "Wait!", kInvalidNumber, "HAND"},
      {pinch("1/16", ""), "Wait!", kInvalidNumber, "HAND"},
      {pinch("1/16", "65"), "Wait!", kInvalidNumber, "HAND"},
      {pinch("1/16", "4.5"), "Wait!", kInvalidNumber, "HAND"},
      // A new unit may take neither a name nor an abbreviation that another unit has.
      {{"TEASPOONS", "pn", kVolumeUnit, "1/16", 0, "16"}, "Error!", kTaken, "EXCLAMATION"},
      {{"pinch", "OZ", kVolumeUnit, "1/16", 0, "16"}, "Error!", kTaken, "EXCLAMATION"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.entries.name + "/" + c.entries.abbreviation + "/" + c.entries.conversion +
                 "/" + c.entries.smallestMeasure);
    user.expectMessage(c.title, c.text);
    EXPECT_FALSE(save(0, c.entries).done);
    EXPECT_EQ(user.messages().back().icon, c.icon);
    EXPECT_FALSE(units.findUid(4));
  }
}

TEST_F(UnitMergeTest, AUnitIsSavedLeftAloneOrMergedIntoTheUnitWhoseNameItTakes) {
  store::Recipe pancakes;
  pancakes.name = "Pancakes";
  for (size_t i = 0; i < 3; ++i) {
    pancakes.lines[i].quantity = "1";
    pancakes.lines[i].unit = i == 1 ? 1 : 2;
  }
  const long recipe = recipes.save(0, 1, pancakes, false);
  struct Case {
    const char* what;
    long uid;
    UnitEntries entries;
    std::optional<Button> replaceAnswer;  // "Replace Unit?" is asked
    UnitSaved expected;
    long recipeUnit;  // of the recipe's first line afterwards
  };
  UnitEntries renamed = tablespoon();
  renamed.name = "Tablespoons";
  renamed.abbreviation = "Tbsp";
  UnitEntries toTeaspoon = renamed, toTsp = renamed;
  toTeaspoon.name = "teaspoon";
  toTsp.abbreviation = "TSP";
  // The cases run in order on one kitchen.
  const Case cases[] = {
      {"new, singular", 0, {"  Cups ", " c ", kVolumeUnit, "16", 2, "4", true}, {}, {true, 4}, 2},
      {"unchanged", 2, tablespoon(), {}, {true, 0}, 2},
      {"own name in other case", 2, renamed, {}, {true, 2}, 2},
      {"another's name, No", 2, toTeaspoon, Button::No, {true, 0}, 2},
      {"another's abbreviation, Yes", 2, toTsp, Button::Yes, {true, 1}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.replaceAnswer)
      user.expectMessage("Replace Unit?", "That unit already exists!\r\nDo you want to replace it?",
                         *c.replaceAnswer);
    const UnitSaved saved = save(c.uid, c.entries);
    EXPECT_EQ(saved.done, c.expected.done);
    EXPECT_EQ(saved.changed, c.expected.changed);
    store::Recipe after;
    recipes.load(recipe, after);
    EXPECT_EQ(after.lines[0].unit, c.recipeUnit);
    if (c.uid == 0)
      EXPECT_FALSE(unitRecordsDiffer(units.readRecord(4),
                                     UnitRecord{"Cup", "c", kVolumeUnit, "16", 2, 4, 1, 0}));
  }
  EXPECT_FALSE(units.findUid(2));  // merged into teaspoon, which stays as it was
  EXPECT_EQ(units.readRecord(1).name, "teaspoon");
  user.verifyAllAnswered();
}

}  // namespace
}  // namespace savora::food
