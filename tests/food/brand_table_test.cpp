#include "food/brand_table.h"

#include <gtest/gtest.h>

#include <vector>

#include "food/food_conversion.h"
#include "food/package_choice.h"
#include "kitchen.h"
#include "program_folders.h"
#include "scripted_user.h"

namespace savora::food {
namespace {

using savora::testing::ProgramFoldersTest;
using savora::testing::ScriptedUser;

class BrandTableTest : public ProgramFoldersTest,
                       public savora::testing::Kitchen<ScriptedUser> {
 protected:
  void SetUp() override {
    ProgramFoldersTest::SetUp();
    openKitchen();
    cup = units.saveRecord({"cup", "c", kVolumeUnit, "", 0, 4}, 0);
    ounce = units.saveRecord({"ounce", "oz", kWeightUnit, "", 0, 4}, 0);
    pound = units.saveRecord({"pound", "lb", kWeightUnit, "16", ounce, 4}, 0);
    cheese = ingredients.addByName("cheese");
  }

  BrandRecord package(const char* name, const char* size, long unit = 0) {
    return savora::testing::brandRecord(name, cheese, size, unit == 0 ? ounce : unit);
  }

  long cup = 0, ounce = 0, pound = 0, cheese = 0;
};

TEST_F(BrandTableTest, RecordsSurviveTheTableAndUnchangedOnesCompareEqual) {
  BrandRecord r = package("Dairy Farm Cheddar", "16");
  r.price = 4.99;
  r.divisible = true;
  r.serving = "1/4";
  r.servingUnit = cup;
  r.servingsInPackage = 8.5;
  r.upc = "012345678905";
  r.equivalence1 = {"1", cup, "4", ounce};
  r.media = "cheddar.bmp";
  r.nutrients[kCalories] = 110;
  r.nutrients[kSodium] = 180.25;
  const long uid = brands.save(r, 0);
  EXPECT_EQ(uid, 1);
  r.uid = uid;
  EXPECT_FALSE(brandRecordsDiffer(brands.read(uid), r));
  EXPECT_EQ(brands.read(uid).media, "cheddar.bmp");
  EXPECT_EQ(brands.nameOf(uid), "Dairy Farm Cheddar");
  EXPECT_EQ(brands.uidOf("dairy farm CHEDDAR"), uid);
  EXPECT_EQ(brands.ingredientOfName("Dairy Farm Cheddar"), cheese);
  EXPECT_EQ(brands.uidAtRecord(brands.recordNumberOf(uid)), uid);

  // Numbers are kept as the fields hold them: a price to the cent, servings to a tenth, and
  // values too large for a field at the field's largest.
  r.price = 1234.567;
  r.servingsInPackage = 2.46;
  r.nutrients[kCalories] = 1e9;
  brands.save(r, uid);
  const BrandRecord stored = brands.read(uid);
  EXPECT_DOUBLE_EQ(stored.price, 999.99);
  EXPECT_DOUBLE_EQ(stored.servingsInPackage, 2.5);
  EXPECT_DOUBLE_EQ(stored.nutrients[kCalories], 999999.99);

  // Missing brands read as nothing.
  EXPECT_EQ(brands.read(99).uid, 0);
  EXPECT_TRUE(brands.information(99).empty());
  EXPECT_EQ(brands.nameOf(0), "");
  EXPECT_EQ(brands.uidOf("nothing"), 0);
}

TEST_F(BrandTableTest, BrandsOfAnIngredientAndTheFirstDivisibleOne) {
  const long a = brands.save(package("Cheddar", "8"), 0);
  const long other = ingredients.addByName("milk");
  BrandRecord milk = package("Milk", "1");
  milk.ingredient = other;
  brands.save(milk, 0);
  BrandRecord grated = package("Grated", "4");
  grated.divisible = true;
  const long g = brands.save(grated, 0);
  EXPECT_EQ(brands.brandsOf(cheese), (std::vector<long>{a, g}));
  const auto divisible = brands.firstDivisible(a);
  ASSERT_TRUE(divisible);
  EXPECT_EQ(divisible->uid, g);
  EXPECT_FALSE(brands.firstOfIngredient(12345));
}

TEST_F(BrandTableTest, PackageChoiceWeighsThePackagesOfOneProduct) {
  const long small = brands.save(package("Cheddar", "8"), 0);
  const long medium = brands.save(package("Cheddar", "16"), 0);
  const long large = brands.save(package("cheddar", "32"), 0);
  brands.save(package("Swiss", "40"), 0);  // another product: never weighed
  ConversionList list = units.conversionList();
  auto choose = [&](double ounces, long unit = 0, PackageSwitches switches = {}) {
    PackageNeed need{ounces, unit == 0 ? ounce : unit, medium};
    EXPECT_TRUE(choosePackage(list, brands, need, switches));
    return need;
  };
  // 40 ounces: 5, 2.5 or 1.25 packages; five 8-ounce packages divide it evenly.
  EXPECT_EQ(choose(40).brand, small);
  // 20 ounces: only the 32-ounce package holds it.
  EXPECT_EQ(choose(20).brand, large);
  // 6 ounces: the smallest package that holds it.
  EXPECT_EQ(choose(6).brand, small);
  // Exactly one package is taken at once; the amount is given in the package unit.
  const PackageNeed one = choose(1, pound);
  EXPECT_EQ(one.brand, medium);
  EXPECT_EQ(one.unit, ounce);
  EXPECT_DOUBLE_EQ(one.amount, 16);
  // Preferring one package: the count closest to one.
  EXPECT_EQ(choose(20, 0, {.preferOne = true}).brand, medium);
  // With any name and no name check, the other product competes too.
  EXPECT_EQ(choose(40, 0, {.preferOne = true, .takeAnyName = true, .ignoreName = true}).brand,
            brands.uidOf("Swiss"));

  // Nothing convertible: the given brand stays.
  PackageNeed cups{2, cup, medium};
  EXPECT_FALSE(choosePackage(list, brands, cups));
  EXPECT_EQ(cups.brand, medium);
  EXPECT_EQ(cups.unit, cup);
}

TEST_F(BrandTableTest, TheFirstDivisiblePackageIsTakenWhenAsked) {
  brands.save(package("Cheddar", "8"), 0);
  BrandRecord loose = package("Deli Cheddar", "1", pound);
  loose.divisible = true;
  const long deli = brands.save(loose, 0);
  ConversionList list = units.conversionList();
  PackageNeed need{4, ounce, brands.uidOf("Cheddar")};
  ASSERT_TRUE(choosePackage(list, brands, need, {.takeDivisible = true}));
  EXPECT_EQ(need.brand, deli);
  EXPECT_EQ(need.unit, pound);
  EXPECT_DOUBLE_EQ(need.amount, 0.25);
}

TEST_F(BrandTableTest, DeletionsElsewhereReachTheBrands) {
  const long dairy = groups.add("Dairy", true);
  BrandRecord r = package("Cheddar", "1", pound);
  r.group = dairy;
  r.servingUnit = cup;
  r.equivalence1 = {"1", cup, "4", ounce};
  const long uid = brands.save(r, 0);

  // A deleted unit leaves the brand's fields without a unit; a replaced one is renamed.
  units.replace(pound, ounce, recipes);
  units.remove(cup, recipes);
  BrandRecord stored = brands.read(uid);
  EXPECT_EQ(stored.packageUnit, ounce);
  EXPECT_EQ(stored.servingUnit, 0);
  EXPECT_EQ(stored.equivalence1.volumeUnit, 0);
  EXPECT_EQ(stored.equivalence1.weightUnit, ounce);

  // A deleted food group leaves the brand without a group, sorting after every group.
  groups.remove("Dairy", std::nullopt);
  EXPECT_EQ(brands.read(uid).group, 0);
  EXPECT_EQ(groups.orderOf(brands.read(uid).group), kMissingGroupOrder);

  // A deleted ingredient leaves its brands unassigned.
  ingredients.remove(cheese, recipes);
  EXPECT_EQ(brands.ingredientOf(uid), 0);
  EXPECT_TRUE(brands.firstOfIngredient(0));
}

TEST_F(BrandTableTest, RecipeLinesOfADeletedBrandCallForItsIngredient) {
  const long uid = brands.save(package("Cheddar", "8"), 0);
  BrandRecord unassigned = package("Loose", "8");
  unassigned.ingredient = 0;
  const long loose = brands.save(unassigned, 0);
  store::Recipe recipe;
  recipe.name = "Macaroni";
  recipe.lines[0] = testing::recipeLine("2", cup, uid + store::kBrandCodeBase);
  recipe.lines[1] = testing::recipeLine("1", cup, loose + store::kBrandCodeBase);
  recipe.lines[2] = testing::recipeLine("1", 0, cheese);
  const long macaroni = recipes.save(0, 1, recipe, false);
  brands.remove(uid, recipes);
  brands.remove(loose, recipes);
  EXPECT_FALSE(brands.findUid(uid));
  store::Recipe loaded;
  recipes.load(macaroni, loaded);
  EXPECT_EQ(loaded.lines[0].ingredient, cheese);
  EXPECT_EQ(loaded.lines[1].ingredient, 0);
  EXPECT_EQ(loaded.lines[2].ingredient, cheese);
  EXPECT_EQ(brands.deletionsSinceOpen(), 2);
}

TEST_F(BrandTableTest, CopyingFromAnotherTableTranslatesUnitsAndGroups) {
  BrandRecord source = package("Cheddar", "8");
  source.uid = 40;
  source.group = 7;
  source.servingUnit = 70;
  source.equivalence2 = {"1", 70, "4", 80};
  const long copy = brands.copyFrom(
      source, cheese, [](long u) { return u == 70 ? 1 : 2; }, [](long) { return 3L; });
  const BrandRecord stored = brands.read(copy);
  EXPECT_EQ(copy, 1);
  EXPECT_EQ(stored.ingredient, cheese);
  EXPECT_EQ(stored.group, 3);
  EXPECT_EQ(stored.servingUnit, 1);
  EXPECT_EQ(stored.packageUnit, 2);
  EXPECT_EQ(stored.equivalence2.volumeUnit, 1);
  EXPECT_EQ(stored.equivalence2.weightUnit, 2);
}

TEST_F(BrandTableTest, AnIngredientCopiesWithItsBrandsAndPreferredBrand) {
  const long first = brands.save(package("Cheddar", "8"), 0);
  const long preferred = brands.save(package("Cheddar", "16"), 0);
  ingredients.save({"cheese", "cheeses", true, preferred}, cheese);
  EXPECT_EQ(ingredients.defaultPackage(cheese, brands).uid, preferred);
  EXPECT_TRUE(ingredients.defaultPackage(ingredients.addByName("salt"), brands).empty());

  // Into a second pair of tables, as the exchange archives are written.
  IngredientTable otherFoods{store, "foodx"};
  UnitTable otherUnits{store, "unitx"};
  BrandTable otherBrands{store, otherUnits, "brandx"};
  otherFoods.open();
  otherUnits.open();
  otherBrands.open();
  otherFoods.addByName("pepper");
  const long copy =
      otherFoods.copyWithBrands(*ingredients.read(cheese), cheese, brands, otherBrands);
  EXPECT_EQ(copy, 2);
  const auto copied = otherBrands.brandsOf(copy);
  ASSERT_EQ(copied.size(), 2u);
  EXPECT_EQ(otherFoods.read(copy)->preferredBrand, copied[1]);
  EXPECT_EQ(otherBrands.read(copied[0]).packageSize, "8");
  EXPECT_EQ(otherBrands.read(copied[1]).packageSize, "16");
  EXPECT_NE(first, 0);
}

}  // namespace
}  // namespace savora::food
