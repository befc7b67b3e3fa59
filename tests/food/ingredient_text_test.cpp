// Ingredient lines as cooks write them, cut into the parts of a recipe line.
#include <gtest/gtest.h>

#include "food/ingredient_text.h"
#include "recipe_formats/text_measures.h"

namespace savora::food {
namespace {

IngredientText split(std::string_view line) {
  return splitIngredientText(line, [](std::string_view word) {
    recipe_formats::TextMeasure found = recipe_formats::knownMeasure(word);
    return MeasureWord{std::move(found.unit), std::move(found.words)};
  });
}

TEST(IngredientTextTest, LinesAreCutIntoQuantityUnitWordsIngredientAndPreparation) {
  struct Case {
    const char* line;
    IngredientText parts;
  };
  const Case cases[] = {
      {"2 tbsp butter, melted", {"2", "tablespoon", "", "butter", ", melted"}},
      {"1 1/2 cups milk", {"1 1/2", "cup", "", "milk", ""}},
      {"1\xC2\xBD cups milk", {"1 1/2", "cup", "", "milk", ""}},       // UTF-8 fraction
      {"\xE2\x85\x93 cup sugar", {"1/3", "cup", "", "sugar", ""}},     // UTF-8 one third
      {"\xBD tsp salt", {"1/2", "teaspoon", "", "salt", ""}},           // Windows-1252 one half
      {"3 large eggs", {"3", "", "large", "eggs", ""}},
      {"1 (14.5 oz) can diced tomatoes", {"1", "can", "(14.5 oz)", "diced tomatoes", ""}},
      {"250g flour", {"250", "gram", "", "flour", ""}},
      {"2-3 cloves garlic, minced", {"2-3", "clove", "", "garlic", ", minced"}},
      {"1 to 2 cups of stock", {"1 to 2", "cup", "", "stock", ""}},
      {"4 fl oz cream", {"4", "fluid ounce", "", "cream", ""}},
      {"pinch of salt", {"", "pinch", "", "salt", ""}},
      {"- 2 onions, chopped fine", {"2", "", "", "onions", ", chopped fine"}},
      {"salt and pepper to taste", {"", "", "", "salt and pepper to taste", ""}},
      // A word that only looks like a unit after no amount stays the ingredient's.
      {"can opener", {"", "", "", "can opener", ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const IngredientText got = split(c.line);
    EXPECT_EQ(got.quantity, c.parts.quantity);
    EXPECT_EQ(got.unit, c.parts.unit);
    EXPECT_EQ(got.words, c.parts.words);
    EXPECT_EQ(got.ingredient, c.parts.ingredient);
    EXPECT_EQ(got.preparation, c.parts.preparation);
  }
}

TEST(IngredientTextTest, OnlyAmountsReadAsAmountOnly) {
  for (const char* amount : {"", "2", "1 1/2", "2-3", "1 to 2", "\xBD"}) {
    EXPECT_TRUE(isAmountOnly(amount)) << amount;
  }
  for (const char* line : {"2 tbsp butter", "a few", "1 cup milk"}) {
    EXPECT_FALSE(isAmountOnly(line)) << line;
  }
}

}  // namespace
}  // namespace savora::food
