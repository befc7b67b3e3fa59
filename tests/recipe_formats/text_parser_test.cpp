// The Meal-Master and MasterCook readers on small files written for each layout quirk of real
// collections: one table of fixtures, each with the recipes and lines it must give.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recipe_formats/master_cook_parser.h"
#include "recipe_formats/meal_master_parser.h"
#include "recipe_formats/text_lines.h"

namespace savora::recipe_formats {
namespace {

// A Meal-Master ingredient row: the left entry padded to its 40 columns, then the right one.
std::string row(std::string left, const std::string& right = "") {
  if (!right.empty()) left.resize(40, ' ');
  return left + right + "\n";
}

constexpr const char* kMmHeader = "MMMMM----- Recipe via Meal-Master (tm) v8.05\n \n";

std::string mealMaster(const std::string& title, const std::string& categories,
                       const std::string& yield, const std::string& ingredients,
                       const std::string& directions, const std::string& end = "MMMMM\n") {
  return kMmHeader + std::string("      Title: ") + title + "\n Categories: " + categories +
         "\n" + yield + "\n \n" + ingredients + "\n" + directions + end + "\n";
}

constexpr const char* kMcMark = "                     * Exported from  MasterCook  *\n\n";

std::string masterCook(const std::string& title, const std::string& servings,
                       const std::string& categories, const std::string& ingredients,
                       const std::string& directions) {
  return kMcMark + ("                                " + title) +
         "\n\nRecipe By     : Aunt May\nServing Size  : " + servings +
         "    Preparation Time :0:00\nCategories    : " + categories +
         "\n\n  Amount  Measure       Ingredient -- Preparation Method\n"
         "--------  ------------  --------------------------------\n" +
         ingredients + "\n" + directions + "\n";
}

// A MasterCook ingredient row: amount right-aligned in 9 columns, measure from column 11,
// ingredient from column 25.
std::string mcRow(const std::string& amount, const std::string& measure,
                  const std::string& ingredient) {
  std::string line(9 - std::min<size_t>(9, amount.size()), ' ');
  line += amount + " " + measure;
  line.resize(24, ' ');
  return line + ingredient + "\n";
}

struct ExpectedRecipe {
  std::string name;
  long servings;
  std::string chapter;
  std::vector<std::string> lines;  // "quantity|unit|info1 ingredient|info2"
  std::string instructions;
  std::vector<std::string> categories = {};  // checked when given
};

struct QuirkCase {
  const char* quirk;
  std::string file;
  std::vector<ExpectedRecipe> recipes;
};

std::string lineSummary(const TextRecipeLine& l) {
  return l.quantity + "|" + l.unit + "|" + (l.info1.empty() ? "" : l.info1 + " ") + l.ingredient +
         "|" + l.info2;
}

std::vector<QuirkCase> quirkCases() {
  const std::string longLine(2500, 'x');
  return {
      {"column cutting and lower case",
       mealMaster("Pie", "Desserts, Pies", "      Yield: 6 servings",
                  row("      2 c  Flour, all-purpose; sifted") + row("      1 T  Butter"),
                  "  Mix well.\n"),
       {{"Pie", 6, "Desserts", {"2|cup|flour, all-purpose|; sifted", "1|tablespoon|butter|"},
         "Mix well."}}},
      {"two columns: left first, then right",
       mealMaster("Cake", "Cakes", "      Yield: 8 servings",
                  row("      1 c  Sugar", "      2    Eggs") +
                      row("      3 c  Flour", "      1 ts Salt") + row("      1 c  Milk"),
                  "  Bake.\n"),
       {{"Cake", 8, "Cakes",
         {"1|cup|sugar|", "3|cup|flour|", "1|cup|milk|", "2||eggs|", "1|teaspoon|salt|"},
         "Bake."}}},
      {"continuation lines in either column",
       mealMaster("Stew", "Mains", "      Yield: 4 servings",
                  row("      1 lb Beef, cut into", "      2    Carrots, peeled and") +
                      row("           -cubes", "           -sliced"),
                  "  Simmer.\n"),
       {{"Stew", 4, "Mains", {"1|pound|beef, cut into cubes|", "2||carrots, peeled and sliced|"},
         "Simmer."}}},
      {"section headings with and without MMMMM, also after a blank line",
       mealMaster("Tart", "Pies", "      Yield: 2 servings",
                  row("      1 c  Flour") + "\nMMMMM---------------FILLING---------------\n" +
                      row("      2    Apples") + row("-----TOPPING-----") + row("      1 c  Oats"),
                  "  Layer.\n"),
       {{"Tart", 2, "Pies",
         {"1|cup|flour|", "|||---------------FILLING---------------", "2||apples|",
          "|||-----TOPPING-----", "1|cup|oats|"},
         "Layer."}}},
      {"hard line breaks and forced line breaks",
       mealMaster("Soup", "Soups", "      Yield: 3 servings", row("      1 qt Water"),
                  "  Boil the water\x14\n  then add salt.\n:Serve hot.\n  Enjoy.\n"),
       {{"Soup", 3, "Soups", {"1|quart|water|"},
         "Boil the water\r\nthen add salt.\r\nServe hot.\r\nEnjoy."}}},
      {"Yield: and Servings: lines, free text after the number",
       mealMaster("Bread", "Breads", "      Yield: 1 loaf", row("      3 c  Flour"), "  Knead.\n") +
           mealMaster("Rolls", "Breads", "   Servings:  12 (small rolls)", row("      1 c  Milk"),
                      "  Shape.\n") +
           mealMaster("Buns", "Breads", "      Yield: 6 servings (about 2 dozen)",
                      row("      1 ts Yeast"), "  Rise.\n"),
       {{"Bread", 1, "Breads", {"3|cup|flour|"}, "Yield: 1 loaf\r\nKnead."},
        {"Rolls", 12, "Breads", {"1|cup|milk|"}, "Shape."},
        {"Buns", 6, "Breads", {"1|teaspoon|yeast|"}, "Rise."}}},
      {"overlong amounts push into the unit column",
       mealMaster("Mash", "Sides", "      Yield: 10 servings",
                  row("  12 1/2 lb Potatoes; peeled") + row("  1 1/2-2 c  Cream"), "  Mash.\n"),
       {{"Mash", 10, "Sides", {"12 1/2|pound|potatoes|; peeled", "1 1/2-2|cup|cream|"},
         "Mash."}}},
      {"trailing blanks and long one-column lines stay one line",
       mealMaster("Salad", "Salads", "      Yield: 2 servings",
                  "      1 c  Lettuce" + std::string(60, ' ') + "\n" +
                      row("      1 ts Dressing of oil, vinegar and mustard seeds"),
                  "  Toss.\n"),
       {{"Salad", 2, "Salads",
         {"1|cup|lettuce|", "1|teaspoon|dressing of oil, vinegar and mustard seeds|"},
         "Toss."}}},
      {"lines longer than 2,000 characters are read whole; old end line",
       mealMaster("Long", "Misc", "      Yield: 1 servings", row("      1    Egg"),
                  "  " + longLine + "\n", "-----\n"),
       {{"Long", 1, "Misc", {"1||egg|"}, longLine}}},
      {"blank lines after the last recipe; paragraph at the end dropped",
       mealMaster("Tea", "Drinks", "      Yield: 1 servings", row("      1 c  Water"),
                  "  Steep.\n\n") + "\n\n   \n\n",
       {{"Tea", 1, "Drinks", {"1|cup|water|"}, "Steep."}}},
      {"MasterCook: measures lose their plural, right-aligned columns, sub-headings",
       masterCook("Scones", "8", "Breads                           Baking",
                  mcRow("2", "tablespoons", "butter -- softened") +
                      mcRow("", "", "TOPPING:") + mcRow("1 1/2", "         cups", "Flour") +
                      mcRow("", "pinch", "salt"),
                  "Rub in the butter.\n\nBake.\n"),
       {{"Scones", 8, "Breads",
         {"2|tablespoon|butter|-- softened", "|||TOPPING:", "1 1/2|cup|Flour|", "|pinch|salt|"},
         "Rub in the butter.\r\n\r\nBake."}}},
      {"MasterCook: TAB characters and NOTES blocks",
       masterCook("Chili", " 6", "Mains", "   2\t  cups\t\tbeans\n",
                  "Cook slowly.\nNOTES : Freezes well\n  for a month.\n"),
       {{"Chili", 6, "Mains", {"2|cup|beans|"},
         "Cook slowly.\r\n\r\nNOTES : Freezes well for a month."}}},
      {"a block's two columns come before the heading after it, blank line or not",
       mealMaster("Roast", "Mains", "      Yield: 6 servings",
                  row("      1 c  Flour", "      2    Eggs") + "MMMMM-----GRAVY-----\n" +
                      row("      1 c  Stock", "      1 ts Salt") + "\n-----SAUCE-----\n" +
                      row("      1 c  Cream"),
                  "  Roast.\n"),
       {{"Roast", 6, "Mains",
         {"1|cup|flour|", "2||eggs|", "|||-----GRAVY-----", "1|cup|stock|", "1|teaspoon|salt|",
          "|||-----SAUCE-----", "1|cup|cream|"},
         "Roast."}}},
      {"\"--\" continues a line as \"-\" does, each column its own",
       mealMaster("Stir-fry", "Mains", "      Yield: 2 servings",
                  row("      2    Celery stalks", "      1 lb Beef") +
                      row("           -- cut into julienne", "           -cubed") +
                      row("           -- strips"),
                  "  Fry.\n"),
       {{"Stir-fry", 2, "Mains",
         {"2||celery stalks cut into julienne strips|", "1|pound|beef cubed|"}, "Fry."}}},
      {"MasterCook: text with neither amount nor measure starting with \"-\" continues a line",
       masterCook("Pilaf", "4", "Sides",
                  mcRow("2", "", "Celery stalks") + mcRow("", "", "-- cut into strips") +
                      mcRow("1", "cup", "rice -- rinsed") + mcRow("", "", "- well drained"),
                  "Cook.\n"),
       {{"Pilaf", 4, "Sides",
         {"2||Celery stalks|-- cut into strips", "1|cup|rice|-- rinsed well drained"},
         "Cook."}}},
      {"every MasterCook category kept, TAB-separated too; other yields open the directions; "
       "the separator and Nutr. Assoc. line dropped",
       masterCook("Crackers", "1", "Snacks\tBaking\n                Party\nYield: 65 crackers",
                  mcRow("2", "cups", "flour"),
                  "Roll thin.\n\n - - - - - - - - - - - -\n\nNOTES : Keeps a week.\n\n"
                  "Nutr. Assoc. : 0 0 0\n"),
       {{"Crackers", 1, "Snacks", {"2|cup|flour|"},
         "Yield: 65 crackers\r\nRoll thin.\r\n\r\nNOTES : Keeps a week.",
         {"Snacks", "Baking", "Party"}}}},
      {"a Meal-Master yield that is not servings opens the directions",
       mealMaster("Pesto", "Sauces", "      Yield: 3 Cups", row("      2 c  Basil"),
                  "  Blend.\n"),
       {{"Pesto", 1, "Sauces", {"2|cup|basil|"}, "Yield: 3 Cups\r\nBlend."}}},
      {"text as written: \"-es\" measures fold right; the preparation is not folded",
       masterCook("Punch", "8", "Drinks",
                  mcRow("2", "Dashes", "bitters") + mcRow("2", "Bunches", "Mint -- leaves only"),
                  "Mix.\n"),
       {{"Punch", 8, "Drinks", {"2|dash|bitters|", "2|bunch|Mint|-- leaves only"}, "Mix."}}},
      {"text as written: the note after \";\" keeps it and its case",
       mealMaster("Soup", "Soups", "      Yield: 4 servings",
                  row("  1 1/2 ts Salt; Or More To Taste"), "  Season.\n"),
       {{"Soup", 4, "Soups", {"1 1/2|teaspoon|salt|; Or More To Taste"}, "Season."}}},
      {"Meal-Master's markers: \":\" and a hard break start the directions; a hard break in a "
       "heading; a \"-\" line after a heading",
       mealMaster("Rice", "Sides", "      Yield: 2 servings",
                  row("      1 c  Rice") + "MMMMM-----TO SERVE-----\x14\n" +
                      "           -optional garnish\n" + row("      1 ts Salt") +
                      ":Boil the water.\nAdd rice and cook\x14\n  Serve.",
                  ""),
       {{"Rice", 2, "Sides",
         {"1|cup|rice|", "|||-----TO SERVE-----", "|||-optional garnish", "1|teaspoon|salt|"},
         "Boil the water.\r\nAdd rice and cook\r\nServe."}}},
      {"Meal-Master's unit codes become the kitchen's names, sizes words; unknown codes stay",
       mealMaster("Custard", "Desserts", "      Yield: 4 servings",
                  row("      3 lg Eggs", "      1 pn Salt") +
                      row("     10 c  Milk", "      2 zz Mystery") + row("      1 T  Sugar"),
                  "  Bake.\n"),
       {{"Custard", 4, "Desserts",
         {"3||large eggs|", "10|cup|milk|", "1|tablespoon|sugar|", "1|pinch|salt|",
          "2|zz|mystery|"},
         "Bake."}}},
      {"MasterCook's common measures become the kitchen's names, sizes words",
       masterCook("Bread", "1", "Breads",
                  mcRow("1", "c.", "water") + mcRow("2", "tsp.", "salt") +
                      mcRow("1", "tbsp", "oil") + mcRow("1", "lb", "flour") +
                      mcRow("8", "oz", "cheese") + mcRow("1", "pkg", "yeast") +
                      mcRow("2", "large", "eggs"),
                  "Bake.\n"),
       {{"Bread", 1, "Breads",
         {"1|cup|water|", "2|teaspoon|salt|", "1|tablespoon|oil|", "1|pound|flour|",
          "8|ounce|cheese|", "1|package|yeast|", "2||large eggs|"},
         "Bake."}}},
  };
}

std::vector<TextRecipe> parse(const std::string& text, std::optional<TextParseError>* error = nullptr) {
  const TextFile file = splitTextFile(text);
  std::vector<TextRecipe> recipes;
  const TextRecipeSink sink = [&recipes](TextRecipe& r) { recipes.push_back(r); };
  size_t first = 0;
  while (trimBlanks(file.lines[first]).empty()) ++first;
  auto stopped = isMasterCookMark(file.lines[first]) ? parseMasterCook(file.lines, first, sink)
                                                     : parseMealMaster(file.lines, first, sink);
  if (error) *error = stopped;
  else EXPECT_FALSE(stopped) << "stopped at line " << stopped->line;
  return recipes;
}

TEST(TextParserTest, EveryLayoutQuirkGivesItsRecipesAndLines) {
  for (const QuirkCase& c : quirkCases()) {
    SCOPED_TRACE(c.quirk);
    const std::vector<TextRecipe> recipes = parse(c.file);
    ASSERT_EQ(recipes.size(), c.recipes.size());
    for (size_t i = 0; i < recipes.size(); ++i) {
      const ExpectedRecipe& want = c.recipes[i];
      EXPECT_EQ(recipes[i].name, want.name);
      EXPECT_EQ(recipes[i].servings, want.servings);
      EXPECT_EQ(recipes[i].chapter, want.chapter);
      std::vector<std::string> lines;
      for (const TextRecipeLine& l : recipes[i].lines) lines.push_back(lineSummary(l));
      EXPECT_EQ(lines, want.lines);
      EXPECT_EQ(recipes[i].instructions, want.instructions);
      if (!want.categories.empty()) EXPECT_EQ(recipes[i].categories, want.categories);
    }
  }
}

TEST(TextParserTest, MealMasterCategoriesAreTrimmedAndAllKept) {
  const auto recipes = parse(mealMaster("Pie", "Desserts,  Pies , Fruit", "      Yield: 1 servings",
                                        row("      1    Apple"), "  Bake.\n"));
  ASSERT_EQ(recipes.size(), 1u);
  EXPECT_EQ(recipes[0].categories, (std::vector<std::string>{"Desserts", "Pies", "Fruit"}));
}

TEST(TextParserTest, AMalformedRecipeNamesItsNumberTitleAndLine) {
  // The second recipe has no categories line: reading stops at the file's line 15.
  std::string file = mealMaster("Good", "Mains", "      Yield: 1 servings", row("      1    Egg"),
                                "  Fry.\n");
  file += kMmHeader + std::string("      Title: Broken\n      Yield: 2 servings\n");
  std::optional<TextParseError> error;
  const auto recipes = parse(file, &error);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->recipe, 2);
  EXPECT_EQ(error->title, "Broken");
  EXPECT_EQ(error->line, 15u);
  EXPECT_EQ(recipes.size(), 1u);

  const std::string mc = kMcMark + std::string("   Hash\n\nRecipe By     : Me\nCategories    : X\n");
  parse(mc, &error);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->recipe, 1);
  EXPECT_EQ(error->title, "Hash");
  EXPECT_EQ(error->line, 6u);
}

TEST(TextParserTest, SkippingBadRecipesListsThemAndReadsTheRest) {
  const std::string good = mealMaster("Good", "Mains", "      Yield: 1 servings",
                                      row("      1    Egg"), "  Fry.\n");
  const std::string bad = kMmHeader + std::string("      Title: Broken\n      Yield: 2 servings\n");
  const std::string mcGood = masterCook("Hash", "2", "Mains", mcRow("1", "cup", "rice"), "Fry.\n");
  const std::string mcBad = kMcMark + std::string("   Broken\n\nRecipe By     : Me\n");
  struct Case {
    std::string file;
    bool masterCook;
  };
  for (const Case& c : {Case{good + bad + good, false}, Case{mcGood + mcBad + mcGood, true}}) {
    SCOPED_TRACE(c.masterCook ? "MasterCook" : "Meal-Master");
    const TextFile file = splitTextFile(c.file);
    std::vector<std::string> names;
    const TextRecipeSink sink = [&names](TextRecipe& r) { names.push_back(r.name); };
    std::vector<TextParseError> skipped;
    const auto stopped = c.masterCook ? parseMasterCook(file.lines, 0, sink, &skipped)
                                      : parseMealMaster(file.lines, 0, sink, &skipped);
    EXPECT_FALSE(stopped);
    EXPECT_EQ(names.size(), 2u);
    ASSERT_EQ(skipped.size(), 1u);
    EXPECT_EQ(skipped[0].recipe, 2);
    EXPECT_EQ(skipped[0].title, "Broken");
  }
}

TEST(TextParserTest, YieldNamingServingsWithoutAYieldFieldIsMalformed) {
  std::optional<TextParseError> error;
  parse(mealMaster("Odd", "Misc", " Makes 4 servings", row("      1    Egg"), "  Fry.\n"), &error);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->line, 5u);
}

}  // namespace
}  // namespace savora::recipe_formats
