#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "food/ingredient_table.h"
#include "program_folders.h"
#include "scripted_user.h"
#include "search/recipe_search.h"
#include "store/recipe_table.h"

namespace savora::search {
using namespace savora::store;
namespace {

using Words = std::vector<std::string>;

TEST(SearchWordsTest, BlanksAndQuotesMakeTheWords) {
  EXPECT_EQ(splitSearchWords("chicken  rice \t "), (Words{"chicken", "rice"}));
  EXPECT_EQ(splitSearchWords("\"olive oil\" garlic"), (Words{"olive oil", "garlic"}));
  // A quote ends the word before it; empty words (two quotes together) are dropped.
  EXPECT_EQ(splitSearchWords("salt\"sea\"\"\"pepper"), (Words{"salt", "sea", "pepper"}));
  // A quote left open runs to the end, blanks and tabs included.
  EXPECT_EQ(splitSearchWords("cake \"lemon\tpoppy seed"), (Words{"cake", "lemon\tpoppy seed"}));
  EXPECT_TRUE(splitSearchWords(" \t\"\" ").empty());
}

TEST(SearchWordsTest, OnlyTheFirst67WordsAreKeptAndLongWordsStayWhole) {
  std::string text;
  for (int i = 1; i <= 70; ++i) text += "w" + std::to_string(i) + " ";
  const Words words = splitSearchWords(text);
  ASSERT_EQ(words.size(), kMaxSearchWords);
  EXPECT_EQ(words.front(), "w1");
  EXPECT_EQ(words.back(), "w67");
  // A word longer than any recipe text is kept as typed: cutting it would find more than asked.
  const std::string longWord(300, 'x');
  EXPECT_EQ(splitSearchWords("a " + longWord), (Words{"a", longWord}));
}

// The and/or test against a recipe holding exactly the terms of `present`.
bool matches(const Words& words, const std::set<std::string>& present) {
  return wordsMatch(words, [&](const std::string& term) { return present.count(term) > 0; });
}

TEST(WordsMatchTest, BlanksAndAndNeedEveryTermOrOffersAlternatives) {
  const Words chickenRice{"chicken", "rice"};
  EXPECT_TRUE(matches(chickenRice, {"chicken", "rice"}));
  EXPECT_FALSE(matches(chickenRice, {"chicken"}));
  EXPECT_FALSE(matches(chickenRice, {"rice"}));
  EXPECT_TRUE(matches({"chicken", "AND", "rice"}, {"chicken", "rice"}));

  const Words eitherMeat{"chicken", "or", "beef", "rice"};
  EXPECT_TRUE(matches(eitherMeat, {"chicken", "rice"}));
  EXPECT_TRUE(matches(eitherMeat, {"beef", "rice"}));
  EXPECT_TRUE(matches(eitherMeat, {"chicken", "beef", "rice"}));
  EXPECT_FALSE(matches(eitherMeat, {"chicken", "beef"}));
  EXPECT_FALSE(matches(eitherMeat, {"pork", "rice"}));
  // Chains of alternatives, and an alternative after a term that already matched.
  EXPECT_TRUE(matches({"lamb", "or", "beef", "Or", "chicken"}, {"chicken"}));
  EXPECT_TRUE(matches({"rice", "chicken", "or", "beef"}, {"rice", "beef"}));
  EXPECT_FALSE(matches({"rice", "chicken", "or", "beef"}, {"chicken", "beef"}));
}

TEST(WordsMatchTest, JoiningWordsOutOfPlace) {
  // As the very first word a joining word finds nothing, whatever follows.
  EXPECT_FALSE(matches({"or", "chicken"}, {"or", "chicken"}));
  EXPECT_FALSE(matches({"and", "chicken"}, {"and", "chicken"}));
  // Doubled joining words are passed over.
  EXPECT_TRUE(matches({"chicken", "and", "and", "rice"}, {"chicken", "rice"}));
  EXPECT_TRUE(matches({"chicken", "or", "or", "beef"}, {"beef"}));
  EXPECT_FALSE(matches({"chicken", "or", "or", "beef", "rice"}, {"chicken", "beef"}));
  // A trailing "or" offers no alternative: the term before it decides, even after other terms
  // matched.
  EXPECT_TRUE(matches({"chicken", "or"}, {"chicken"}));
  EXPECT_FALSE(matches({"chicken", "or"}, {}));
  EXPECT_FALSE(matches({"rice", "chicken", "or"}, {"rice"}));
  EXPECT_FALSE(matches({}, {"chicken"}));
}

TEST(PictureReferenceTest, TrimmedMediaCutAtTheFirstBar) {
  EXPECT_EQ(pictureReference("  pie.jpg|pie.wav|pie.mpg "), "pie.jpg");
  EXPECT_EQ(pictureReference("|pie.wav|"), "");
  EXPECT_EQ(pictureReference("  |pie.wav|"), "");
  EXPECT_EQ(pictureReference("pie.jpg"), "pie.jpg");
  EXPECT_EQ(pictureReference(""), "");
}

class RecipeSearchTest : public savora::testing::ProgramFoldersTest {
 protected:
  void SetUp() override {
    ProgramFoldersTest::SetUp();
    recipes.open();
    foods.open();
  }

  long addFood(const std::string& name, const std::string& plural = {}, long uid = 0) {
    food::Ingredient ingredient;
    ingredient.name = name;
    ingredient.plural = plural;
    return foods.save(ingredient, uid);
  }
  // A recipe with one ingredient line per code.
  long addRecipe(const std::string& name, const std::vector<long>& codes = {}, long chapter = 1) {
    Recipe recipe;
    recipe.name = name;
    recipe.servings = 4;
    for (size_t i = 0; i < codes.size(); ++i) recipe.lines[i].ingredient = codes[i];
    return recipes.save(0, chapter, recipe, false);
  }
  long addRecipe(const Recipe& recipe, long chapter = 1) {
    return recipes.save(0, chapter, recipe, false);
  }

  // The names a search finds, running it to the end.
  std::vector<std::string> find(const std::string& text, bool includeInstructions = false) {
    RecipeSearch search(recipes, foods, text, false);
    std::vector<std::string> names;
    for (int guard = 0; !search.done() && guard < 10000; ++guard) {
      search.runBatch(includeInstructions,
                      [&](const RecipeSearchMatch& match) { names.push_back(match.name); });
    }
    return names;
  }

  savora::testing::ScriptedUser user;
  TableStore store{user};
  RecipeTable recipes{store, "rc65"};
  food::IngredientTable foods{store};
};

TEST_F(RecipeSearchTest, WordsAreFoundInNamesAndInTheFoodsOfTheLines) {
  const long chicken = addFood("chicken breast");
  const long rice = addFood("long grain rice");
  const long beef = addFood("ground beef");
  addRecipe("Chicken Rice Bowl");
  addRecipe("  Sunday Soup  ", {0, chicken, rice});
  addRecipe("Beef and Rice");
  addRecipe("Chicken Salad", {chicken});
  addRecipe("Pork Fried Rice", {rice});
  addRecipe("Chili", {beef});

  EXPECT_EQ(find("chicken rice"), (Words{"Chicken Rice Bowl", "Sunday Soup"}));
  EXPECT_EQ(find("CHICKEN or beef rice"),
            (Words{"Chicken Rice Bowl", "Sunday Soup", "Beef and Rice"}));
  EXPECT_EQ(find("beef"), (Words{"Beef and Rice", "Chili"}));
  EXPECT_TRUE(find("or chicken").empty());
}

TEST_F(RecipeSearchTest, FoodsAreFoundByTheirNameOrTheirPlural) {
  const long tomatoes = addFood("Tomatoes");
  const long cherry = addFood("cherry", "cherries");
  const long candy = addFood("candy");
  addRecipe("Summer Salad", {tomatoes});
  addRecipe("Summer Pie", {cherry});
  addRecipe("Fudge", {candy});

  EXPECT_EQ(find("tomato"), Words{"Summer Salad"});
  EXPECT_EQ(find("Cherries"), Words{"Summer Pie"});
  EXPECT_EQ(find("cherry"), Words{"Summer Pie"});

  // Joining words take no part in the food matches: "candy" holds "and".
  RecipeSearch search(recipes, foods, "tomato and cherries", false);
  ASSERT_EQ(search.foodMatches().matches().size(), 2u);
  EXPECT_EQ(search.foodMatches().matches()[0].uid, tomatoes);
  EXPECT_EQ(*search.foodMatches().find(cherry), "cherry\ncherries");  // both forms
  EXPECT_EQ(search.foodMatches().find(candy), nullptr);

  // Each word may be in either form: "wings" is only in the plural of "chicken wing".
  const long wing = addFood("chicken wing", "chicken wings");
  addRecipe("Buffalo Appetizer", {wing});
  EXPECT_EQ(find("chicken wings"), Words{"Buffalo Appetizer"});
}

TEST_F(RecipeSearchTest, OnlyFoodCodesLookUpFoods) {
  // A food whose UID lies in the range of recipe codes: a line using recipe 5 as an ingredient
  // (code 30005) is not that food.
  addFood("saffron", "", kRecipeCodeBase + 5);
  addRecipe("Paella", {kRecipeCodeBase + 5});
  EXPECT_TRUE(find("saffron").empty());
}

TEST_F(RecipeSearchTest, NotesInstructionsAndDescriptionsOnlyWithTheOption) {
  const long flour = addFood("flour");
  Recipe bread;
  bread.name = "Bread";
  bread.instructions = "Knead the dough with CARAWAY seeds.";
  addRecipe(bread);
  Recipe rolls;
  rolls.name = "Rolls";
  rolls.lines[3] = {"2", 0, flour, "", "with caraway", "", 0};
  addRecipe(rolls);
  Recipe buns;
  buns.name = "Buns";
  buns.lines[0].info1 = "caraway";  // a note on an empty line still counts
  addRecipe(buns);
  Recipe rye;
  rye.name = "Rye";
  rye.description = "A caraway loaf";
  addRecipe(rye);

  EXPECT_TRUE(find("caraway").empty());
  EXPECT_EQ(find("caraway", true), (Words{"Bread", "Rolls", "Buns", "Rye"}));
  // The food of a line is searched with the option off too; the note only with it on.
  EXPECT_EQ(find("flour caraway", true), Words{"Rolls"});
}

TEST_F(RecipeSearchTest, OnlyAsciiLettersAreFoldedInLongTexts) {
  // Texts longer than eight bytes are lowered eight bytes at a time; the bytes next to the
  // letters and those above 0x7F keep their case.
  const struct {
    const char* instructions;
    const char* word;
    bool found;
  } kCases[] = {
      {"Stir in the ZUCCHINI at the end.", "zucchini", true},
      {"Serve with @[ZEST]` of a lemon", "[zest]", true},
      {"Serve with @[ZEST]` of a lemon", "{zest}", false},
      {"Serve with @[ZEST]` of a lemon", "`zest", false},
      {"Use \xC1PPLES from the garden", "apples", false},
      {"Use \xC1PPLES from the garden", "\xC1pples", true},
      {"Use \xE1pples from the garden", "\xC1pples", false},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(std::string(c.instructions) + " / " + c.word);
    Recipe recipe;
    recipe.name = "Dish";
    recipe.instructions = c.instructions;
    const long uid = addRecipe(recipe);
    EXPECT_EQ(find(c.word, true), c.found ? Words{"Dish"} : Words{});
    recipes.remove(uid);
  }
}

TEST_F(RecipeSearchTest, TheOptionAppliesFromTheNextBatchOn) {
  for (int i = 0; i < 15; ++i) {
    Recipe recipe;
    recipe.name = "Stew " + std::to_string(i);
    recipe.instructions = "Simmer with bay leaves.";
    addRecipe(recipe);
  }
  RecipeSearch search(recipes, foods, "bay", false);
  long matches = 0;
  auto count = [&](const RecipeSearchMatch&) { ++matches; };
  search.runBatch(false, count);
  EXPECT_EQ(search.examined(), kSearchBatchSize);
  EXPECT_EQ(matches, 0);
  search.runBatch(true, count);
  EXPECT_TRUE(search.done());
  EXPECT_EQ(search.examined(), 15);
  EXPECT_EQ(search.found(), 5);
  EXPECT_EQ(matches, 5);
}

TEST_F(RecipeSearchTest, QuotedWordsMustAppearTogether) {
  addRecipe("Olive Oil Cake");
  addRecipe("Oil and Olive Tapenade");
  EXPECT_EQ(find("\"olive oil\""), Words{"Olive Oil Cake"});
  EXPECT_EQ(find("olive oil"), (Words{"Olive Oil Cake", "Oil and Olive Tapenade"}));
}

TEST_F(RecipeSearchTest, RecipesComeInChapterOrderAndTheWalkSurvivesOtherUsersOfTheTable) {
  std::vector<long> uids;
  for (int i = 0; i < 30; ++i) {
    // Chapters 3, 2, 1, 3, 2, 1, ... so chapter order differs from record order.
    uids.push_back(addRecipe("Pie " + std::to_string(i), {}, 3 - i % 3));
  }
  RecipeSearch search(recipes, foods, "pie", false);
  std::vector<long> found;
  auto collect = [&](const RecipeSearchMatch& match) { found.push_back(match.uid); };
  search.runBatch(false, collect);
  ASSERT_EQ(found.size(), 10u);

  // Between batches the bookshelf walks the table and the recipe window loads a recipe; the
  // recipe the search would examine next is deleted.
  recipes.first(3);
  Recipe loaded;
  recipes.load(uids[0], loaded);
  const long deleted = uids[1];  // the first of chapter 2; the first batch was all of chapter 1
  ASSERT_EQ(std::count(found.begin(), found.end(), deleted), 0);
  recipes.remove(deleted);

  while (!search.done()) search.runBatch(false, collect);
  EXPECT_EQ(search.examined(), 29);
  std::vector<long> expected;
  for (long chapter = 1; chapter <= 3; ++chapter) {
    for (int i = 0; i < 30; ++i) {
      if (3 - i % 3 == chapter && uids[size_t(i)] != deleted) expected.push_back(uids[size_t(i)]);
    }
  }
  EXPECT_EQ(found, expected);
}

TEST_F(RecipeSearchTest, APackBetweenBatchesKeepsThePlace) {
  std::vector<long> uids;
  for (int i = 0; i < 30; ++i) uids.push_back(addRecipe("Pie " + std::to_string(i), {}, 1 + i % 3));
  RecipeSearch search(recipes, foods, "pie", false);
  std::vector<long> found;
  auto collect = [&](const RecipeSearchMatch& match) { found.push_back(match.uid); };
  search.runBatch(false, collect);  // all of chapter 1: every third recipe from the first
  // 21 deletions, then a reopen: the table is packed and the records renumbered.
  std::vector<long> expected = found;
  for (int i = 0; i < 30; ++i) {
    if (i % 3 == 1 && i != 4) {
      expected.push_back(uids[size_t(i)]);  // chapter 2 stays, less one recipe
    } else {
      recipes.remove(uids[size_t(i)]);
    }
  }
  recipes.reopen();
  ASSERT_EQ(recipes.table().recordCount(), 9u);
  while (!search.done()) search.runBatch(false, collect);
  EXPECT_EQ(found, expected);
}

TEST_F(RecipeSearchTest, MoreThan500FoundStopsTheSearch) {
  for (int i = 0; i < 520; ++i) addRecipe("Muffins no. " + std::to_string(i));
  RecipeSearch search(recipes, foods, "muffins", false);
  long listed = 0;
  while (!search.done()) search.runBatch(false, [&](const RecipeSearchMatch&) { ++listed; });
  EXPECT_TRUE(search.overLimit());
  EXPECT_EQ(search.found(), 501);
  EXPECT_EQ(search.examined(), 501);
  EXPECT_EQ(listed, 501);
}

TEST_F(RecipeSearchTest, AnEmptyOrClosedTableEndsTheSearch) {
  RecipeSearch empty(recipes, foods, "anything", false);
  EXPECT_TRUE(empty.done());
  addRecipe("Toast");
  addRecipe("Jam");
  RecipeSearch search(recipes, foods, "toast", false);
  recipes.close();
  search.runBatch(false, [](const RecipeSearchMatch&) { ADD_FAILURE() << "read a closed table"; });
  EXPECT_TRUE(search.done());
  RecipeSearch never(recipes, foods, "toast", false);
  EXPECT_TRUE(never.done());
}

}  // namespace
}  // namespace savora::search
