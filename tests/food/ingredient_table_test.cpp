#include <gtest/gtest.h>

#include "food/ingredient_table.h"
#include "food/unsaved_ingredient.h"
#include "program_folders.h"
#include "scripted_user.h"

namespace savora::food {
namespace {

class IngredientTableTest : public savora::testing::ProgramFoldersTest {
 protected:
  void SetUp() override {
    ProgramFoldersTest::SetUp();
    ingredients.open();
    recipes.open();
  }
  savora::testing::ScriptedUser user;
  store::TableStore store{user};
  IngredientTable ingredients{store};
  store::RecipeTable recipes{store, "rc65"};
};

TEST(IngredientPluralTest, AnyRangeWordOrRisingDashIsPlural) {
  struct Case {
    const char* quantity;
    bool plural;
  } cases[] = {{"1", false},   {"1 or 1", true},   {"1-2", true},    {"2", true},
               {"1/2", false}, {"1/2 to 1", true}, {"1/2-1", false}, {"2-1", false},
               {"", false},    {"1 1/2", true},    {"a few", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.quantity);
    EXPECT_EQ(ingredientQuantityIsPlural(c.quantity), c.plural);
  }
}

TEST_F(IngredientTableTest, NamesAreFoundBySingularPluralAndVariants) {
  const long egg = ingredients.save({"egg", "eggs", false, 0, 0}, 0);
  const long flour = ingredients.addByName("  All-Purpose FLOUR ");
  EXPECT_EQ(ingredients.read(flour)->name, "all-purpose flour");
  EXPECT_EQ(ingredients.uidOfText("Eggs"), egg);  // through the plural
  EXPECT_EQ(ingredients.uidOfText("EGG"), egg);
  EXPECT_EQ(ingredients.uidOfText("all-purpose flour"), flour);
  EXPECT_EQ(ingredients.uidOfText("sugar"), 0);
  EXPECT_FALSE(ingredients.findByNameWithPluralVariants("eggss"));
  EXPECT_TRUE(ingredients.findByNameWithPluralVariants("all-purpose flours"));
  EXPECT_EQ(ingredients.nameForQuantity(egg, "1 or 1"), "eggs");
  EXPECT_EQ(ingredients.nameForQuantity(egg, "1"), "egg");
  EXPECT_EQ(ingredients.nameForQuantity(flour, "2"), "all-purpose flour");  // no plural stored
  EXPECT_EQ(ingredients.nameForQuantity(99, "2"), "");
  EXPECT_EQ(ingredients.firstByName(), "all-purpose flour");
  EXPECT_EQ(ingredients.nextName(), "egg");
  EXPECT_EQ(ingredients.nextName(), std::nullopt);
}

TEST_F(IngredientTableTest, SavingRewritesAndCountsUse) {
  const long butter = ingredients.save({"butter", "", true, 7, 0}, 0);
  Ingredient edited = *ingredients.read(butter);
  EXPECT_TRUE(edited.interchangeable);
  EXPECT_EQ(edited.preferredBrand, 7);
  EXPECT_FALSE(ingredientsDiffer(edited, {"butter", "", true, 7, 99}));  // the count is no edit
  edited.plural = "butters";
  EXPECT_EQ(ingredients.save(edited, butter), butter);
  ingredients.countUse(butter);
  ingredients.countUse(butter);
  EXPECT_EQ(ingredients.read(butter)->plural, "butters");
  EXPECT_EQ(ingredients.read(butter)->frequency, 2);
  EXPECT_EQ(ingredients.nextUid(), butter + 1);
}

TEST_F(IngredientTableTest, DeletingLeavesBrandsUnassignedAndLinesWithoutIngredient) {
  const long salt = ingredients.addByName("salt");
  const long pepper = ingredients.addByName("pepper");
  store::Recipe soup;
  soup.name = "Soup";
  soup.lines[0].ingredient = salt;
  soup.lines[1].ingredient = pepper;
  soup.lines[2].ingredient = salt + store::kBrandCodeBase;  // a brand, not the ingredient
  const long uid = recipes.save(0, 1, soup, false);
  std::vector<std::pair<long, long>> brandMoves;
  ingredients.replaceInBrands = [&](long from, long to) { brandMoves.emplace_back(from, to); };

  ingredients.remove(salt, recipes);
  EXPECT_EQ(brandMoves, (std::vector<std::pair<long, long>>{{salt, 0}}));
  EXPECT_FALSE(ingredients.read(salt).has_value());
  store::Recipe after;
  recipes.load(uid, after);
  EXPECT_EQ(after.lines[0].ingredient, 0);
  EXPECT_EQ(after.lines[1].ingredient, pepper);
  EXPECT_EQ(after.lines[2].ingredient, salt + store::kBrandCodeBase);

  // Replacing merges: lines follow the other ingredient.
  const long ground = ingredients.addByName("ground pepper");
  ingredients.replace(pepper, ground, recipes);
  recipes.load(uid, after);
  EXPECT_EQ(after.lines[1].ingredient, ground);
  // The add reopened the table, so only the last deletion counts toward packing.
  EXPECT_EQ(ingredients.deletionsSinceOpen(), 1);
}

TEST(UnsavedIngredientTest, BrandsWaitUntilANewIngredientIsSaved) {
  const std::string first = "You must first create the new ingredient\r\nbefore you ";
  struct Case {
    long uid;
    BrandStep step;
    std::string message;  // empty: allowed
  };
  for (const Case& c : {Case{0, BrandStep::Create, first + "create a new brand!"},
                        Case{0, BrandStep::Assign, first + "assign a brand to it!"},
                        Case{7, BrandStep::Create, ""}, Case{7, BrandStep::Assign, ""}}) {
    savora::testing::ScriptedUser user;
    if (!c.message.empty()) user.expectMessage("Wait!", c.message);
    EXPECT_EQ(ingredientSavedFor(user, c.uid, c.step), c.message.empty());
    if (!c.message.empty()) EXPECT_EQ(user.messages().back().icon, "ASTERISK");
    user.verifyAllAnswered();
    EXPECT_EQ(user.messages().size(), c.message.empty() ? 0u : 1u);
  }
}

}  // namespace
}  // namespace savora::food
