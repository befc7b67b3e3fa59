#include "food/unit_table.h"

#include <gtest/gtest.h>

#include <vector>

#include "food/quantity.h"
#include "food/unit_names.h"
#include "kitchen.h"
#include "program_folders.h"
#include "scripted_user.h"
#include "store/recipe_table.h"

namespace savora::food {
namespace {

using savora::testing::ProgramFoldersTest;
using savora::testing::ScriptedUser;

using savora::testing::unitRecord;

class UnitTableTest : public ProgramFoldersTest {
 protected:
  void SetUp() override {
    ProgramFoldersTest::SetUp();
    units.open();
  }
  // teaspoon 1, tablespoon 2 (= 3 tsp), cup 3 (= 16 tbsp), ounce 4, pound 5 (= 16 oz),
  // dozen 6 (counts 12), box 7, egg 8, fl-oz 9 (= 2 tbsp).
  void addKitchenUnits() {
    ASSERT_EQ(units.saveRecord(unitRecord("teaspoon", "tsp", "", 0, 1, 8), 0), 1);
    ASSERT_EQ(units.saveRecord(unitRecord("tablespoon", "T", "3", 1, 1), 0), 2);
    ASSERT_EQ(units.saveRecord(unitRecord("cup", "c", "16", 2, 1, 4), 0), 3);
    ASSERT_EQ(units.saveRecord(unitRecord("ounce", "oz", "", 0, 1, 4, kWeightUnit), 0), 4);
    ASSERT_EQ(units.saveRecord(unitRecord("pound", "lb", "16", 4, 1, 4, kWeightUnit), 0), 5);
    ASSERT_EQ(units.saveRecord(unitRecord("dozen", "doz", "12"), 0), 6);
    ASSERT_EQ(units.addByName("box", 0), 7);
    ASSERT_EQ(units.addByName("egg", 0), 8);
    ASSERT_EQ(units.saveRecord(unitRecord("fl-oz", "fl oz", "2", 2), 0), 9);
  }

  ScriptedUser user;
  store::TableStore store{user};
  UnitTable units{store};
};

TEST_F(UnitTableTest, SavedRecordsReadBackAndWalkInNameOrder) {
  addKitchenUnits();
  UnitRecord cup = unitRecord("cup", "c", "16", 2, 1, 4);
  EXPECT_FALSE(unitRecordsDiffer(units.readRecord(3), cup));
  cup.frequency = 7;
  EXPECT_FALSE(unitRecordsDiffer(units.readRecord(3), cup));  // usage count is not compared
  cup.conversion = "8";
  EXPECT_TRUE(unitRecordsDiffer(units.readRecord(3), cup));
  // Rewriting keeps the UID; a blank record comes back for a unit that does not exist.
  EXPECT_EQ(units.saveRecord(cup, 3), 3);
  EXPECT_EQ(units.readRecord(3).conversion, "8");
  EXPECT_EQ(units.readRecord(42).smallestMeasure, 2);
  EXPECT_EQ(units.readRecord(42).name, "");

  std::vector<std::string> names;
  for (auto name = units.firstName(true, {}); name; name = units.nextName()) names.push_back(*name);
  EXPECT_EQ(names, (std::vector<std::string>{"box", "cup", "dozen", "egg", "fl-oz", "ounce",
                                             "pound", "tablespoon", "teaspoon"}));
  // Abbreviation order only when not asked for names and the switch is on.
  auto first = units.firstName(false, UnitSettings{true});
  ASSERT_TRUE(first);
  EXPECT_EQ(*first, "T");
  EXPECT_EQ(*units.firstName(false, UnitSettings{false}), "box");
}

TEST_F(UnitTableTest, FieldLookups) {
  addKitchenUnits();
  struct Case {
    const char* what;
    long uid;
    long type;
    long measure;
    long adjust;
    double countFactor;
    bool plain;
  };
  const Case cases[] = {
      {"cup", 3, 0, 4, 1, 0, true},
      {"pound", 5, 1, 4, 1, 0, true},
      {"dozen counts items", 6, 0, 2, 0, 12, true},
      {"fl-oz is a compound unit", 9, 0, 2, 0, 0, false},
      {"no unit", 0, -1, -1, -1, 0, true},
      {"missing unit", 77, -1, -1, -1, 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(units.type(c.uid), c.type);
    EXPECT_EQ(units.smallestMeasure(c.uid), c.measure);
    EXPECT_EQ(units.adjustFlag(c.uid), c.adjust);
    EXPECT_EQ(units.countFactor(c.uid), c.countFactor);
    EXPECT_EQ(units.plainUnit(c.uid), c.plain);
  }
  ASSERT_TRUE(units.table().selectTag(kUnitNameTag));
  EXPECT_EQ(units.firstPlainUnitOfType(kWeightUnit), 4);  // ounce before pound by name
  EXPECT_EQ(units.firstPlainUnitOfType(kVolumeUnit), 7);  // box
  EXPECT_EQ(units.firstPlainUnitOfType(5), 0);

  units.countUse(3);
  units.countUse(3);
  EXPECT_EQ(units.readRecord(3).frequency, 2);
}

TEST_F(UnitTableTest, NamesUnitsForQuantities) {
  addKitchenUnits();
  struct Case {
    const char* quantity;
    long uid;
    bool abbreviated;
    const char* expected;
  };
  const Case cases[] = {
      {"1", 3, false, "cup"},   {"2", 3, false, "cups"},  {"1 to 2", 3, false, "cups"},
      {"1/2", 3, false, "cup"}, {"2", 6, false, "dozen"}, {"2", 7, false, "boxes"},
      {"2", 3, true, "c"},      {"1", 3, true, "c"},      {"2", 77, false, ""},
      {"2", 0, false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.quantity << " of unit " << c.uid);
    EXPECT_EQ(unitNameForQuantity(units, c.quantity, c.uid, UnitSettings{c.abbreviated}),
              c.expected);
  }
  EXPECT_EQ(unitNameForPlural(units, true, 3, UnitSettings{true}), "c");
  EXPECT_EQ(unitFullNameForPlural(units, true, 3), "cups");
  EXPECT_EQ(unitFullNameForPlural(units, false, 3), "cup");
}

TEST(UnitWordsTest, PluralizesAndSingularizes) {
  struct Case {
    const char* singular;
    const char* plural;
  };
  const Case cases[] = {
      {"dozen", "dozen"},   {"Dozen", "Dozen"},   {"box", "boxes"}, {"pouch", "pouches"},
      {"dash", "dashes"},   {"glass", "glasses"}, {"cup", "cups"},  {"small box", "small boxes"},
      {"pinch", "pinches"}, {"Bunch", "Bunches"}, {"pkg.", "pkg."}, {"case", "cases"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.singular);
    EXPECT_EQ(pluralize(c.singular), c.plural);
    EXPECT_EQ(singularize(c.plural), c.singular);
  }
  EXPECT_EQ(singularize(""), "");
}

TEST_F(UnitTableTest, FindsUnitsByTypedText) {
  addKitchenUnits();
  struct Case {
    const char* text;
    bool byAbbreviation;
    bool abbreviated;
    long expected;
  };
  const Case cases[] = {
      {"cup", false, false, 3},   {"CUP", false, false, 3},   {"  cup ", false, false, 3},
      {"Eggs", false, false, 8},  {"cups", false, false, 3},  {"boxes", false, false, 7},
      {"dozen", false, false, 6}, {"Eggs", false, true, 0},   {"oz", true, false, 4},
      {"OZ", true, false, 4},     {"ounce", true, false, 0},  {"", false, false, 0},
      {"s", false, false, 0},     {"spoon", false, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(unitUidOfText(units, c.text, c.byAbbreviation, UnitSettings{c.abbreviated}),
              c.expected);
  }
}

void setLine(store::RecipeLine& line, const char* quantity, long unit, long ingredient) {
  line.quantity = quantity;
  line.unit = unit;
  line.ingredient = ingredient;
}

// Three recipes, each with lines in cups, tablespoons, no unit, and cups or teaspoons.
class UnitCascadeTest : public UnitTableTest {
 protected:
  void SetUp() override {
    UnitTableTest::SetUp();
    addKitchenUnits();
    recipes.open();
    for (int r = 0; r < 3; ++r) {
      store::Recipe recipe;
      recipe.name = "recipe " + std::to_string(r);
      setLine(recipe.lines[0], "1", 3, 10);
      setLine(recipe.lines[1], "2", 2, 11);
      setLine(recipe.lines[22], "1/2", r == 0 ? 3L : 1L, 12);
      setLine(recipe.lines[5], "3", 0, 13);
      uids.push_back(recipes.save(0, 1, recipe, false));
    }
  }
  std::vector<long> unitsOfLine(int line) {
    std::vector<long> found;
    for (long uid : uids) {
      store::Recipe recipe;
      recipes.load(uid, recipe);
      found.push_back(recipe.lines[size_t(line)].unit);
    }
    return found;
  }

  store::RecipeTable recipes{store, "rc65"};
  std::vector<long> uids;
  std::vector<std::pair<long, long>> brandCalls;
};

TEST_F(UnitCascadeTest, DeletedUnitLeavesLinesWithoutUnit) {
  units.replaceInBrands = [&](long oldUid, long newUid) {
    brandCalls.emplace_back(oldUid, newUid);
  };
  units.remove(2, recipes);
  EXPECT_EQ(unitsOfLine(1), (std::vector<long>{0, 0, 0}));
  EXPECT_EQ(unitsOfLine(0), (std::vector<long>{3, 3, 3}));
  EXPECT_EQ(unitsOfLine(5), (std::vector<long>{0, 0, 0}));
  EXPECT_EQ(brandCalls, (std::vector<std::pair<long, long>>{{2, 0}}));
  EXPECT_FALSE(units.findUid(2));
  EXPECT_EQ(units.readRecord(3).conversionUnit, 0);  // cup was defined in tablespoons
  EXPECT_EQ(units.readRecord(9).conversionUnit, 0);
  EXPECT_EQ(units.deletionsSinceOpen(), 1);
}

TEST_F(UnitCascadeTest, ReplacedUnitIsReplacedEverywhere) {
  units.replace(3, 1, recipes);  // cup by teaspoon
  EXPECT_EQ(unitsOfLine(0), (std::vector<long>{1, 1, 1}));
  EXPECT_EQ(unitsOfLine(22), (std::vector<long>{1, 1, 1}));
  EXPECT_EQ(unitsOfLine(1), (std::vector<long>{2, 2, 2}));
  EXPECT_FALSE(units.findUid(3));

  // Neither a unit by itself nor "no unit" is replaced: both would corrupt references.
  units.replace(2, 2, recipes);
  units.replace(0, 2, recipes);
  EXPECT_TRUE(units.findUid(2));
  EXPECT_EQ(unitsOfLine(1), (std::vector<long>{2, 2, 2}));
  EXPECT_EQ(unitsOfLine(5), (std::vector<long>{0, 0, 0}));
}

TEST_F(UnitTableTest, ClosePacksAfterMoreThanTenDeletions) {
  store::RecipeTable recipes{store, "rc65"};
  recipes.open();
  for (int i = 0; i < 12; ++i) units.addByName("unit " + std::to_string(i), 0);
  for (long uid = 1; uid <= 10; ++uid) units.remove(uid, recipes);
  units.close();
  EXPECT_TRUE(user.statusHistory().empty());
  units.open();
  for (long uid = 11; uid <= 12; ++uid) units.remove(uid, recipes);
  units.addByName("kept", 0);  // saving reopens the table: the count starts again
  EXPECT_EQ(units.deletionsSinceOpen(), 0);

  std::vector<long> more;
  for (int i = 0; i < 11; ++i) more.push_back(units.addByName("more " + std::to_string(i), 0));
  for (long uid : more) units.remove(uid, recipes);
  EXPECT_EQ(units.deletionsSinceOpen(), 11);
  units.close();
  ASSERT_EQ(user.statusHistory().size(), 1u);
  EXPECT_EQ(user.statusHistory()[0].title, "Packing Data File");
  EXPECT_EQ(user.statusHistory()[0].text, "Compressing Unit List Data...Please Wait.");
  units.open();
  EXPECT_EQ(units.table().recordCount(), 1u);
}

class UnitCopyTest : public UnitTableTest {
 protected:
  void SetUp() override {
    UnitTableTest::SetUp();
    source.open();
  }
  UnitTable source{store, "xunit"};
};

TEST_F(UnitCopyTest, CopyWithNewUidLinksToUnitsOfThisTable) {
  ASSERT_EQ(units.addByName("pinch", 0), 1);
  ASSERT_EQ(units.addByName("Teaspoon", 0), 2);
  ASSERT_EQ(source.saveRecord(unitRecord("teaspoon", "tsp"), 0), 1);
  ASSERT_EQ(source.saveRecord(unitRecord("tablespoon", "T", "3", 1), 0), 2);
  ASSERT_EQ(source.saveRecord(unitRecord("cup", "c", "16", 2), 0), 3);

  const long cup = units.copyWithNewUid(source.readRecord(3), source);
  // The tablespoon is copied first (UID 3) and refers to this table's teaspoon.
  EXPECT_EQ(cup, 4);
  EXPECT_EQ(units.readRecord(4).name, "cup");
  EXPECT_EQ(units.readRecord(4).conversionUnit, 3);
  EXPECT_EQ(units.readRecord(3).name, "tablespoon");
  EXPECT_EQ(units.readRecord(3).conversionUnit, 2);
  ConversionList list = units.conversionList();
  EXPECT_FLOAT_EQ(list.convert(1, 4, 2), 48);
}

TEST_F(UnitCopyTest, CopyWithNewUidEndsOnCircularDefinitions) {
  ASSERT_EQ(units.addByName("pinch", 0), 1);
  ASSERT_EQ(source.saveRecord(unitRecord("big", "b", "2", 2), 0), 1);
  ASSERT_EQ(source.saveRecord(unitRecord("small", "s", "1/2", 1), 0), 2);
  ASSERT_EQ(source.saveRecord(unitRecord("self", "x", "2", 3), 0), 3);

  // big refers to small, which refers back to big: small is copied first and completed once
  // big exists.
  const long big = units.copyWithNewUid(source.readRecord(1), source);
  EXPECT_EQ(big, 3);
  EXPECT_EQ(units.readRecord(2).name, "small");
  EXPECT_EQ(units.readRecord(2).conversionUnit, big);
  EXPECT_EQ(units.readRecord(big).conversionUnit, 2);
  EXPECT_FLOAT_EQ(units.conversionList().convert(3, big, 2), 6);
  const long self = units.copyWithNewUid(source.readRecord(3), source);
  EXPECT_EQ(units.readRecord(self).conversionUnit, self);
  EXPECT_EQ(units.table().recordCount(), 4u);
}

TEST_F(UnitCopyTest, CopyIntoKeepsIdentifiersAndBringsDependencies) {
  ASSERT_EQ(source.saveRecord(unitRecord("teaspoon", "tsp"), 0), 1);
  ASSERT_EQ(source.saveRecord(unitRecord("tablespoon", "T", "3", 1), 0), 2);
  ASSERT_EQ(source.saveRecord(unitRecord("cup", "c", "16", 2), 0), 3);
  ASSERT_EQ(source.saveRecord(unitRecord("loop", "l", "2", 4), 0), 4);

  units.copyInto(source.readRecord(3), 3, source);
  EXPECT_EQ(units.readRecord(3).name, "cup");
  EXPECT_EQ(units.readRecord(2).name, "tablespoon");
  EXPECT_EQ(units.readRecord(1).name, "teaspoon");
  units.copyInto(source.readRecord(4), 4, source);  // refers to itself
  units.copyInto(source.readRecord(3), 3, source);  // already there: written over, not doubled
  EXPECT_EQ(units.table().recordCount(), 4u);
}

TEST_F(UnitTableTest, PresentsQuantitiesThroughTheTablesGraph) {
  addKitchenUnits();
  ConversionList list = units.conversionList();
  double amount = 48;
  long unitUid = 1;
  EXPECT_EQ(presentQuantity(list, amount, unitUid), "1");
  EXPECT_EQ(unitUid, 3);
  EXPECT_EQ(unitNameForQuantity(units, "1", unitUid, {}), "cup");
  EXPECT_FLOAT_EQ(list.convert(2, 5, 4), 32);
  EXPECT_EQ(list.convert(1, 3, 4), -1);
}

}  // namespace
}  // namespace savora::food
