#include "exchange/item_matching.h"
#include "exchange_fixture.h"
#include "platform/text.h"

namespace savora::exchange {
namespace {

store::RecipeLine line(long unit, long ingredient, const std::string& info1 = "") {
  store::RecipeLine l;
  l.quantity = "1";
  l.unit = unit;
  l.ingredient = ingredient;
  l.info1 = info1;
  return l;
}

class ItemMatchingTest : public ExchangeTest {
 protected:
  void SetUp() override {
    ExchangeTest::SetUp();
    cup = units.saveRecord({"cup", "c", food::kVolumeUnit}, 0);
    tablespoon = units.saveRecord({"tablespoon", "tbsp", food::kVolumeUnit}, 0);
    archive.book("bookx", 1, "Herbs");
    archive.chapter("chapterx", 1, 1, "Green");
    archive.unit(1, "cup");
    archive.unit(2, "cupful");
    archive.unit(3, "dash");
    archive.unit(4, "handful");
    archive.food(5, "salt");
    archive.food(6, "herb");
    archive.recipe("recip65x", 1, 1, "Pesto",
                   {line(2, 6, "chopped"), line(3, 5), line(4, 0, "big")});
  }
  std::unique_ptr<ExchangeImport> startAndExtract(const std::string& path,
                                                  NewItems newItems = NewItems::Ask) {
    auto run = ExchangeImport::start(store, targets(), path, {newItems});
    EXPECT_EQ(run->run(ImportStep::Extract), ImportStep::Units);
    EXPECT_EQ(run->run(ImportStep::Units), ImportStep::Ingredients);
    return run;
  }
  void finish(ExchangeImport& run, ImportStep step) {
    expectFinished();
    while (step != ImportStep::Done) step = run.run(step);
  }
  store::Recipe pesto() {
    store::Recipe recipe;
    recipes.load(recipes.find("Pesto", chapters.uidOf("Green", books.uidOf("Herbs"))), recipe);
    return recipe;
  }

  long cup = 0, tablespoon = 0;
};

TEST_F(ItemMatchingTest, DecisionsAreAppliedToTheLinesAndRememberedForTheNextImport) {
  archive.pack(archivePath("herbs.zel"));
  {
    auto run = startAndExtract(archivePath("herbs.zel"));
    ItemMatching& unitsMatch = *run->matching();
    EXPECT_EQ(unitsMatch.itemName(), "cupful");
    EXPECT_FALSE(unitsMatch.memorized());
    user.expectMessage("Wait!", kNotOnListText);
    EXPECT_FALSE(unitsMatch.replace("spoon"));
    EXPECT_EQ(unitsMatch.itemName(), "cupful");
    EXPECT_TRUE(unitsMatch.replace("cup"));
    EXPECT_EQ(unitsMatch.itemName(), "dash");
    unitsMatch.makeText();
    EXPECT_EQ(unitsMatch.itemName(), "handful");
    EXPECT_TRUE(unitsMatch.replace(""));
    EXPECT_TRUE(unitsMatch.finished());

    EXPECT_EQ(run->run(ImportStep::Ingredients), ImportStep::RecipePass);
    ItemMatching& foods = *run->matching();
    EXPECT_EQ(foods.itemName(), "herb");
    user.expectMessage("Wait!", kNotOnListText);
    EXPECT_FALSE(foods.replace("", "", ""));
    EXPECT_TRUE(foods.replace("", "fresh", "washed"));
    EXPECT_EQ(foods.itemName(), "salt");
    foods.addToList();
    EXPECT_TRUE(foods.finished());
    finish(*run, ImportStep::RecipePass);
  }
  const store::Recipe first = pesto();
  EXPECT_EQ(first.lines[0].unit, cup);
  EXPECT_EQ(first.lines[0].ingredient, 0);
  EXPECT_EQ(first.lines[0].info1, "chopped fresh");
  EXPECT_EQ(first.lines[0].info2, "washed");
  EXPECT_EQ(first.lines[1].unit, 0);
  EXPECT_EQ(first.lines[1].info1, "dash");
  EXPECT_EQ(first.lines[1].ingredient, ingredients.uidOfText("salt"));
  EXPECT_EQ(first.lines[2].unit, 0);
  EXPECT_EQ(first.lines[2].info1, "big");
  EXPECT_FALSE(units.findText("cupful", false));

  // The next import of the same archive takes every remembered decision at once.
  recipes.remove(recipes.find("Pesto", chapters.uidOf("Green", books.uidOf("Herbs"))));
  user.expectMessage("Add to Existing Book?",
                     platform::formatText(kExistingBookText, "Herbs"), toolkit::Button::Yes);
  auto run = startAndExtract(archivePath("herbs.zel"));
  ASSERT_TRUE(run->matching()->memorized());
  EXPECT_EQ(run->matching()->memorized()->replacement, "cup");
  run->matching()->setAlwaysMemorize(true);
  EXPECT_TRUE(run->matching()->finished());
  // The check box carries over to the ingredients: herb is decided as remembered, unasked.
  run->run(ImportStep::Ingredients);
  EXPECT_TRUE(run->matching()->finished());
  finish(*run, ImportStep::RecipePass);
  const store::Recipe second = pesto();
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(second.lines[i].unit, first.lines[i].unit) << i;
    EXPECT_EQ(second.lines[i].ingredient, first.lines[i].ingredient) << i;
    EXPECT_EQ(second.lines[i].info1, first.lines[i].info1) << i;
    EXPECT_EQ(second.lines[i].info2, first.lines[i].info2) << i;
  }
}

TEST_F(ItemMatchingTest, ClosingAtOnceAddsEveryMissingItem) {
  archive.pack(archivePath("herbs.zel"));
  auto run = startAndExtract(archivePath("herbs.zel"));
  EXPECT_TRUE(run->waitingMatching());
  finish(*run, ImportStep::Ingredients);
  for (const char* name : {"cupful", "dash", "handful"}) {
    EXPECT_TRUE(units.findText(name, false)) << name;
  }
  EXPECT_GT(ingredients.uidOfText("herb"), 0);
  EXPECT_EQ(units.readRecord(pesto().lines[0].unit).name, "cupful");
  EXPECT_FALSE(run->matching());
}

// Without a person to ask (the default) every missing item is added as its step runs.
TEST_F(ItemMatchingTest, AnImportThatDoesNotAskAddsEveryMissingItemAtOnce) {
  archive.pack(archivePath("herbs.zel"));
  auto run = startAndExtract(archivePath("herbs.zel"), NewItems::AddAll);
  EXPECT_FALSE(run->matching());
  EXPECT_TRUE(units.findText("cupful", false));
  EXPECT_EQ(run->run(ImportStep::Ingredients), ImportStep::RecipePass);
  EXPECT_FALSE(run->waitingMatching());
  EXPECT_GT(ingredients.uidOfText("herb"), 0);
  finish(*run, ImportStep::RecipePass);
}

TEST_F(ItemMatchingTest, TheMakersUnitTableIsUsedAndThenDeleted) {
  auto& maker = archive.table("unitzel", memorizedTableDefinition("unitzel"));
  maker.appendStart(tablespoon);
  maker.setText("NAME", "dash");
  maker.append();
  archive.pack(archivePath("herbs.zel"));

  auto run = startAndExtract(archivePath("herbs.zel"));
  ItemMatching& unitsMatch = *run->matching();
  EXPECT_TRUE(unitsMatch.usesMakerTable());
  unitsMatch.addToList();  // cupful
  EXPECT_EQ(unitsMatch.itemName(), "dash");
  EXPECT_EQ(unitsMatch.memorized()->replacement, "tablespoon");
  unitsMatch.useMemorized();
  unitsMatch.close();
  EXPECT_FALSE(platform::fileExists("unitzel.dbf"));
  finish(*run, ImportStep::Ingredients);
  EXPECT_EQ(pesto().lines[1].unit, tablespoon);
}

}  // namespace
}  // namespace savora::exchange
