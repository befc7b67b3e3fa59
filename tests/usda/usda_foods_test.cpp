// The USDA files read into foods, packed and unpacked, and the search over them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "kitchen_fixture.h"
#include "platform/file_ops.h"
#include "usda/food_pack.h"
#include "usda/usda_brand.h"

namespace savora::usda {
namespace {

TEST(UsdaSourceTest, ColumnsMapToTheirValuesAndBlankMeansNoValue) {
  ASSERT_EQ(sourceFoods().foods().size(), 7413u);
  const Food& butter = sourceFood(1001);
  EXPECT_EQ(butter.description, "Butter, salted");
  EXPECT_EQ(butter.group, 100);
  EXPECT_FLOAT_EQ(butter.value(kEnergy), 717);
  EXPECT_FLOAT_EQ(butter.value(kFat), 81.11f);
  EXPECT_FLOAT_EQ(butter.value(kSaturatedFat), 51.368f);
  EXPECT_FLOAT_EQ(butter.value(kCholesterol), 215);
  EXPECT_FLOAT_EQ(butter.value(kVitaminA), 2499);
  EXPECT_FLOAT_EQ(butter.value(kSodium), 576);
  EXPECT_EQ(butter.measures.at(0), (Measure{1, "cup", 227}));
  EXPECT_EQ(butter.measures.at(2).description, "pat (1\" sq, 1/3\" high)");

  const Food& apple = sourceFood(9003);
  EXPECT_FLOAT_EQ(apple.value(kEnergy), 52);
  EXPECT_FLOAT_EQ(apple.value(kVitaminC), 4.6f);
  const auto nutrients = nutrientsPer100g(apple);
  EXPECT_NEAR(nutrients[food::kVitaminC], 7.67, 1e-9);  // 4.6 mg of 60 mg
  EXPECT_EQ(std::lround(nutrients[food::kVitaminC]), 8);
  EXPECT_NEAR(nutrientsPer100g(butter)[food::kCaloriesFromFat], 729.99, 1e-9);
  EXPECT_NEAR(nutrientsPer100g(butter)[food::kVitaminA], 49.98, 1e-9);

  // A field left empty is no value, not zero.
  const auto fields = sourceFields("~01001~^~A~^^1.5^~~");
  EXPECT_EQ(fields, (std::vector<std::string>{"01001", "A", "", "1.5", ""}));
  const auto foods = foodsFromSource("~00001~^~X~" + std::string(49, '^') + "\r\n",
                                     "~00001~^~0100~^~Thing, raw~^^^^~~\r\n", "");
  ASSERT_EQ(foods.size(), 1u);
  EXPECT_EQ(foods[0].description, "Thing, raw");
  EXPECT_FALSE(foods[0].hasValue(kEnergy));
  EXPECT_EQ(foods[0].value(kEnergy), 0);
}

TEST(UsdaPackTest, TheBuiltFileHoldsTheSourceFoodsAndDamageIsRefused) {
  const auto built = readFoodPack(SAVORA_PROGRAM_DIR "/FOODS.DAT");
  ASSERT_TRUE(built);
  const auto& source = sourceFoods().foods();
  ASSERT_EQ(built->size(), source.size());
  for (size_t i = 0; i < source.size(); ++i) {
    const Food& a = source[i];
    const Food& b = (*built)[i];
    ASSERT_EQ(a.number, b.number);
    ASSERT_EQ(a.description, b.description);
    ASSERT_EQ(a.group, b.group);
    ASSERT_EQ(a.survey, b.survey);
    ASSERT_EQ(a.measures, b.measures);
    for (int v = 0; v < kValueCount; ++v)
      ASSERT_TRUE(a.values[size_t(v)] == b.values[size_t(v)] ||
                  (!a.hasValue(Value(v)) && !b.hasValue(Value(v))));
  }
  const std::string bytes = packFoods({sourceFood(1001), sourceFood(9003)});
  EXPECT_TRUE(unpackFoods(bytes));
  EXPECT_FALSE(unpackFoods(bytes.substr(0, bytes.size() - 1)));
  EXPECT_FALSE(unpackFoods(bytes + "x"));
  EXPECT_FALSE(unpackFoods("SVFOODS1\xff\xff\xff\x7f"));
  EXPECT_FALSE(unpackFoods(""));
}

std::string firstFound(const char* query) {
  const auto found = sourceFoods().search(query, 5);
  return found.empty() ? std::string("(nothing)") : found[0]->description;
}

TEST(UsdaSearchTest, EverydayWordsFindTheFoodACookMeans) {
  struct Case {
    const char* query;
    const char* first;
  };
  for (const Case& c :
       {Case{"butter", "Butter, salted"}, Case{"egg", "Egg, whole, raw, fresh"},
        Case{"eggs", "Egg, whole, raw, fresh"}, Case{"milk", "Milk, whole, 3.25% milkfat"},
        Case{"sugar", "Sugars, granulated"}, Case{"onion", "Onions, raw"},
        Case{"Onions", "Onions, raw"}, Case{"brown sugar", "Sugars, brown"},
        Case{"butter, without salt", "Butter, without salt"}, Case{"butt", "Butter, salted"}}) {
    SCOPED_TRACE(c.query);
    EXPECT_EQ(firstFound(c.query), c.first);
  }
  EXPECT_TRUE(firstFound("flour").starts_with("Wheat flour, white, all-purpose"));
}

// Plain, regular foods before qualified ones; a food that lacks a word ("no broth") does not
// hold it; a line of two foods is searched by its first.
TEST(UsdaSearchTest, RegularFoodsComeBeforeQualifiedOnes) {
  struct Case {
    const char* query;
    const char* holds;
    const char* lacks;
  };
  for (const Case& c : {Case{"chicken broth", "broth", "no broth"},
                        Case{"baking powder", "baking powder", "low-sodium"},
                        Case{"vanilla", "Vanilla extract", "imitation"}}) {
    SCOPED_TRACE(c.query);
    const std::string first = firstFound(c.query);
    EXPECT_NE(first.find(c.holds), std::string::npos) << first;
    EXPECT_EQ(first.find(c.lacks), std::string::npos) << first;
  }
  EXPECT_EQ(firstFoodOf("salt and pepper to taste"), "salt");
  EXPECT_EQ(firstFoodOf("Chicken Broth, low salt"), "chicken broth");
  // Asked for, the qualified food is found.
  EXPECT_EQ(firstFound("chicken, canned, no broth"), "Chicken, canned, no broth");
}

TEST(UsdaSearchTest, NamingWordsRankAboveDescribingOnesAndEveryWordMustMatch) {
  const auto found = sourceFoods().search("butter", 1000);
  auto place = [&](const char* description) {
    for (size_t i = 0; i < found.size(); ++i)
      if (found[i]->description.starts_with(description)) return long(i);
    return -1L;
  };
  ASSERT_GE(place("Cookies, butter"), 0);
  EXPECT_LT(place("Butter, salted"), place("Cookies, butter"));
  EXPECT_LT(place("Butter, without salt"), place("Cookies, butter"));

  const auto rawOnions = sourceFoods().search("raw onion", 100);
  EXPECT_FALSE(rawOnions.empty());
  for (const Food* f : rawOnions) {
    const auto words = searchWords(f->description);
    EXPECT_TRUE(std::count(words.begin(), words.end(), "raw") &&
                std::count(words.begin(), words.end(), "onion"))
        << f->description;
  }
  EXPECT_TRUE(sourceFoods().search("").empty());
  EXPECT_TRUE(sourceFoods().search(" , ").empty());
  EXPECT_TRUE(sourceFoods().search("xyzzy").empty());
  EXPECT_EQ(sourceFoods().search("cheese", 7).size(), 7u);
  EXPECT_EQ(normalisedWord("Tomatoes"), "tomato");
  EXPECT_EQ(normalisedWord("berries"), "berry");
}

}  // namespace
}  // namespace savora::usda
