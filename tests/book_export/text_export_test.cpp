// Meal-Master and MasterCook export: a book written out and imported into a fresh folder comes
// back as it was; a small reader of the test's own checks the layout the other programs expect;
// the character sets; the bookshelf's questions.
#include <algorithm>
#include <regex>
#include <sstream>

#include "../exchange/exchange_fixture.h"
#include "book_export/shelf_text_export.h"
#include "book_export/text_export.h"
#include "book_export/text_export_recipes.h"
#include "recipe_formats/master_cook_writer.h"
#include "recipe_formats/meal_master_writer.h"
#include "recipe_formats/text_recipe_layout.h"

namespace savora::book_export {

using namespace savora::recipe_formats;
using savora::exchange::ExchangeTest;

namespace {

// A recipe by names, independent of the folder's UIDs. Notes are compared without the
// separator each format writes in front of them ("; sifted", "-- sifted").
struct RecipeByName {
  std::string chapter, name, description, instructions;
  long servings;
  std::vector<std::string> categories;  // sorted, the chapter's name left out
  std::vector<std::string> lines;       // quantity|unit|first note|ingredient|second note
  bool operator==(const RecipeByName&) const = default;
};

std::ostream& operator<<(std::ostream& out, const RecipeByName& r) {
  out << r.chapter << "/" << r.name << " (" << r.servings << ") [" << r.description << "] {"
      << r.instructions << "}";
  for (const std::string& c : r.categories) out << " #" << c;
  for (const std::string& l : r.lines) out << "\n  " << l;
  return out;
}

constexpr const char* kRyeInstructions =
    "Mix the flours and the salt. Knead for ten minutes, until the dough is smooth and elastic, "
    "then leave it to rise in a warm place for two hours.\r\n\r\nBake at 200 degrees.\r\nCool on "
    "a rack.";

class TextExportTest : public ExchangeTest {
 protected:
  BookExportSources sources() {
    return {books, chapters, categories, recipes, units, ingredients, brands};
  }
  store::RecipeLine line(const std::string& quantity, long unit, const std::string& info1,
                         long ingredient, const std::string& info2) {
    return {quantity, unit, ingredient, info1, info2, "", 0};
  }

  // Baking: Breads holds Rye Bread (two categories, a section line, a size, a long note, three
  // paragraphs of directions); Cakes holds Sponge Cake (a description, no categories).
  long buildBaking() {
    const long cup = units.saveRecord({"cup", "c", food::kVolumeUnit}, 0);
    const long teaspoon = units.saveRecord({"teaspoon", "tsp", food::kVolumeUnit}, 0);
    const long ounce = units.saveRecord({"ounce", "oz", food::kWeightUnit}, 0);
    auto food = [this](const char* name) { return ingredients.save({name, "", false, 0, 0}, 0); };
    const long book = books.add("Baking", "", "");
    const long breads = chapters.add("Breads", book, "", "");
    const long cakes = chapters.add("Cakes", book, "", "");
    store::Recipe rye;
    rye.name = "Rye Bread";
    rye.servings = 12;
    rye.instructions = kRyeInstructions;
    rye.lines[0] = line("1 1/2", cup, "", food("rye flour"), "sifted");
    rye.lines[1] = line("2", teaspoon, "", food("salt"), "");
    rye.lines[2] = line("", 0, "", 0, "-FOR THE TOPPING");
    rye.lines[3] = line("1", 0, "large", food("egg"), "");
    rye.lines[4] = line("12", ounce, "", food("butter"),
                        "cut into pieces the size of a walnut and chilled well");
    const long ryeUid = recipes.save(0, breads, rye, false);
    store::Recipe sponge;
    sponge.name = "Sponge Cake";
    sponge.servings = 8;
    sponge.description = "Light as a feather";
    sponge.instructions = "Whisk and bake.";
    sponge.lines[0] = line("4", 0, "", ingredients.uidOfText("egg"), "");
    recipes.save(0, cakes, sponge, false);
    categories.addRecipe(categories.add("Winter", "", ""), ryeUid);
    categories.addRecipe(categories.add("Baking Day", "", ""), ryeUid);
    return book;
  }

  std::vector<RecipeByName> recipesIn(const std::string& bookName) {
    std::vector<RecipeByName> all;
    const long book = books.uidOf(bookName);
    std::map<long, std::vector<std::string>> categoriesOf;
    for (const bookshelf::ShelfEntry& category : categories.entriesByName()) {
      for (long member : categories.membersOf(category.uid))
        categoriesOf[member].push_back(category.name);
    }
    for (const bookshelf::ShelfEntry& chapter : chapters.chaptersOf(book)) {
      std::vector<long> uids;
      for (auto n = recipes.first(chapter.uid); n && recipes.chapterOfCurrent() == chapter.uid;
           n = recipes.next()) {
        uids.push_back(recipes.uidOfCurrent());
      }
      for (long uid : uids) {
        const store::Recipe r = load(uid);
        RecipeByName byName{chapter.name, r.name, r.description, r.instructions, r.servings,
                            {},           {}};
        for (const std::string& category : categoriesOf[uid]) {
          if (category != chapter.name) byName.categories.push_back(category);
        }
        std::sort(byName.categories.begin(), byName.categories.end());
        for (const store::RecipeLine& l : r.lines) {
          if (l == store::RecipeLine{}) continue;
          byName.lines.push_back(l.quantity + "|" + units.readRecord(l.unit).name + "|" + l.info1 +
                                 "|" +
                                 ingredients.read(l.ingredient).value_or(food::Ingredient{}).name +
                                 "|" + std::string(preparationText(l.info2)));
        }
        all.push_back(byName);
      }
    }
    return all;
  }

  void moveToFreshFolder() {
    const std::initializer_list<store::TableModule*> tables = {
        &books, &chapters, &categories, &recipes, &units, &ingredients, &brands, &menus};
    for (store::TableModule* t : tables) t->close();
    ASSERT_TRUE(platform::setProgramDirectory(fresh.str()));
    for (store::TableModule* t : tables) t->open();
  }

  std::string exportBaking(TextFormat format, TextEncoding encoding, const char* name) {
    const long book = buildBaking();
    user.expectMessage("Finished!", kExportedText);
    const std::string path = archivePath(name);
    EXPECT_TRUE(
        exportRecipesText(user, textRecipesOf(sources(), {book, 0, {}}), format, encoding, path));
    return path;
  }

  savora::testing::TempFolder fresh;
};

struct RoundTrip {
  TextFormat format;
  const char* file;
  const char* book;  // the book the import files the recipes in
};

class TextExportRoundTripTest : public TextExportTest,
                                public ::testing::WithParamInterface<RoundTrip> {};

TEST_P(TextExportRoundTripTest, AnExportedBookImportsBackAsItWas) {
  const RoundTrip trip = GetParam();
  const std::string path = exportBaking(trip.format, nativeEncoding(trip.format), trip.file);
  std::vector<RecipeByName> expected = recipesIn("Baking");
  ASSERT_EQ(expected.size(), 2u);
  if (trip.format == TextFormat::MealMaster) {
    // Meal-Master has no description: it opens the directions.
    expected[1].instructions = expected[1].description + "\r\n\r\n" + expected[1].instructions;
    expected[1].description.clear();
  }
  moveToFreshFolder();
  expectFinished();
  importArchive(path);
  EXPECT_EQ(recipesIn(trip.book), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, TextExportRoundTripTest,
    ::testing::Values(RoundTrip{TextFormat::MealMaster, "baking.mmf", "Downloaded Recipes"},
                      RoundTrip{TextFormat::MasterCook, "baking.mxp", "MasterCook Recipes"}));

// A reader written for this test with regular expressions: it knows the columns the formats'
// own programs read, not the importer's tolerances.
struct ReadBack {
  std::string title;
  long servings = 0;
  std::vector<std::string> categories;
  std::vector<std::array<std::string, 3>> ingredients;  // amount, measure, text
  std::string directions;
};

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (char c : text) {
    if (c == '\n') {
      EXPECT_TRUE(line.ends_with('\r')) << line;
      if (line.ends_with('\r')) line.pop_back();
      EXPECT_LE(line.size(), 80u) << line;
      lines.push_back(line);
      line.clear();
    } else {
      line += c;
    }
  }
  return lines;
}

std::string trimmed(const std::string& s) {
  const size_t first = s.find_first_not_of(' ');
  return first == std::string::npos ? "" : s.substr(first, s.find_last_not_of(' ') - first + 1);
}

std::vector<ReadBack> readMealMaster(const std::string& text) {
  static const std::regex header(R"(^MMMMM----- Recipe via Meal-Master.*$)");
  static const std::regex title(R"(^      Title: (.+)$)");
  static const std::regex categories(R"(^ Categories: (.*)$)");
  static const std::regex yield(R"(^      Yield: (\d+) Servings$)");
  static const std::regex ingredient(R"(^([ 0-9/.-]{7}) (..) (.*)$)");
  static const std::regex continuation(R"(^ {11}-([^-].*)$)");
  std::vector<ReadBack> recipes;
  enum { Between, Head, Ingredients, Directions } at = Between;
  std::smatch m;
  for (const std::string& line : linesOf(text)) {
    if (std::regex_match(line, header)) {
      recipes.emplace_back();
      at = Head;
    } else if (at == Head && std::regex_match(line, m, title)) {
      recipes.back().title = m[1];
    } else if (at == Head && std::regex_match(line, m, categories)) {
      std::string list = m[1];
      for (size_t start = 0; start < list.size();) {
        const size_t comma = std::min(list.find(", ", start), list.size());
        recipes.back().categories.push_back(list.substr(start, comma - start));
        start = comma + 2;
      }
    } else if (at == Head && std::regex_match(line, m, yield)) {
      recipes.back().servings = std::stol(m[1]);
      at = Ingredients;
    } else if (at == Ingredients && line.empty()) {
      if (!recipes.back().ingredients.empty()) at = Directions;
    } else if (at == Ingredients && std::regex_match(line, m, continuation)) {
      EXPECT_LE(line.size(), 40u) << line;
      recipes.back().ingredients.back()[2] += " " + std::string(m[1]);
    } else if (at == Ingredients) {
      EXPECT_LE(line.size(), 40u) << line;
      if (std::regex_match(line, m, ingredient)) {
        recipes.back().ingredients.push_back({trimmed(m[1]), trimmed(m[2]), m[3]});
      } else {
        recipes.back().ingredients.push_back({"", "", line});  // a section line
      }
    } else if (at == Directions && line == "MMMMM") {
      while (recipes.back().directions.ends_with("\n\n")) recipes.back().directions.pop_back();
      at = Between;
    } else if (at == Directions) {
      recipes.back().directions += trimmed(line) + "\n";
    }
  }
  return recipes;
}

std::vector<ReadBack> readMasterCook(const std::string& text) {
  static const std::regex field(R"(^(Recipe By|Serving Size|Categories) +: ?(.*)$)");
  static const std::regex row(R"(^([ 0-9/.-]{8})  (.{12})  (.*)$)");
  std::vector<ReadBack> recipes;
  enum { Between, Title, Head, Table, Directions } at = Between;
  std::smatch m;
  for (const std::string& line : linesOf(text)) {
    if (line.find("*  Exported from  MasterCook  *") != std::string::npos) {
      recipes.emplace_back();
      at = Title;
    } else if (at == Title && !line.empty()) {
      recipes.back().title = trimmed(line);
      at = Head;
    } else if (at == Head && std::regex_match(line, m, field)) {
      if (m[1] == "Serving Size") recipes.back().servings = std::stol(m[2]);
      if (m[1] == "Categories") {
        std::istringstream names(std::regex_replace(std::string(m[2]), std::regex("  +"), "\n"));
        for (std::string name; std::getline(names, name);)
          recipes.back().categories.push_back(name);
      }
    } else if (at == Head && line.starts_with(std::string(16, ' '))) {
      recipes.back().categories.push_back(trimmed(line));  // more categories
    } else if (at == Head && line.starts_with("--------  ------------  ")) {
      at = Table;
    } else if (at == Table && line.empty()) {
      at = Directions;
    } else if (at == Table) {
      const std::string padded = line + std::string(24, ' ');
      EXPECT_TRUE(std::regex_match(padded, m, row)) << line;
      const std::string text = trimmed(m[3]);
      if (trimmed(m[1]).empty() && trimmed(m[2]).empty() && text.starts_with("-- ")) {
        recipes.back().ingredients.back()[2] += text.substr(2);  // a long preparation goes on
      } else {
        recipes.back().ingredients.push_back({trimmed(m[1]), trimmed(m[2]), text});
      }
    } else if (at == Directions && line.find("- - - -") != std::string::npos) {
      at = Between;
    } else if (at == Directions && !line.empty()) {
      recipes.back().directions += line + "\n";
    }
  }
  return recipes;
}

TEST_F(TextExportTest, AnotherReaderFindsTheFormatsColumns) {
  const long book = buildBaking();
  const std::vector<TextRecipe> baking = textRecipesOf(sources(), {book, 0, {}});

  const std::vector<ReadBack> mealMaster =
      readMealMaster(recipesText(baking, TextFormat::MealMaster));
  ASSERT_EQ(mealMaster.size(), 2u);
  EXPECT_EQ(mealMaster[0].title, "Rye Bread");
  EXPECT_EQ(mealMaster[0].servings, 12);
  EXPECT_EQ(mealMaster[0].categories, (std::vector<std::string>{"Breads", "Winter", "Baking Day"}));
  using Row = std::array<std::string, 3>;
  EXPECT_EQ(mealMaster[0].ingredients,
            (std::vector<Row>{
                {"1 1/2", "c", "rye flour; sifted"},
                {"2", "ts", "salt"},
                {"", "", "-FOR THE TOPPING"},
                {"1", "lg", "egg"},
                {"12", "oz", "butter; cut into pieces the size of a walnut and chilled well"}}));
  EXPECT_NE(mealMaster[0].directions.find("Bake at 200 degrees.\x14\nCool on a rack."),
            std::string::npos);
  EXPECT_EQ(mealMaster[1].directions, "Light as a feather\n\nWhisk and bake.\n");

  const std::vector<ReadBack> masterCook =
      readMasterCook(recipesText(baking, TextFormat::MasterCook));
  ASSERT_EQ(masterCook.size(), 2u);
  EXPECT_EQ(masterCook[1].title, "Sponge Cake");
  EXPECT_EQ(masterCook[1].servings, 8);
  EXPECT_EQ(masterCook[0].categories, (std::vector<std::string>{"Breads", "Winter", "Baking Day"}));
  EXPECT_EQ(masterCook[0].ingredients[0], (Row{"1 1/2", "cup", "rye flour -- sifted"}));
  EXPECT_EQ(masterCook[0].ingredients[3], (Row{"1", "large", "egg"}));
  EXPECT_EQ(masterCook[0].ingredients[4][2],
            "butter -- cut into pieces the size of a walnut and chilled well");
  EXPECT_EQ(masterCook[1].directions, "Whisk and bake.\n");
}

TEST(TextExportLineTest, AmountsAndTextThatDoNotFitTheColumnsStillReadAsOneIngredient) {
  const std::vector<std::pair<TextRecipeLine, std::vector<std::string>>> mealMaster = {
      {{"1 1/2", "fluid ounce", "", "cream", ""}, {"  1 1/2 fl cream"}},
      {{"2", "clove", "", "garlic", ""}, {"      2    clove garlic"}},
      {{"1 1/2-2 1/4", "cup", "", "milk", ""}, {"1 1/2-2 1/4 c milk"}},
      {{"", "", "", "parsley", "chopped fine, then dried on a towel and -- kept"},
       {"           parsley; chopped fine, then", "           -dried on a towel and -- kept"}},
  };
  for (const auto& [line, expected] : mealMaster)
    EXPECT_EQ(mealMasterIngredientLines(line), expected) << line.ingredient;
  EXPECT_EQ(masterCookIngredientLines({"about 2", "tablespoon", "", "oil", ""}),
            (std::vector<std::string>{"          tablespoon    about 2 oil"}));
}

TEST_F(TextExportTest, EachFormatWritesItsOwnCharacterSetOrUtf8WhenAsked) {
  struct Case {
    TextFormat format;
    TextEncoding encoding;
    std::string eAcute, quote;  // "é" and "’" as written
  };
  for (const Case& c :
       {Case{TextFormat::MealMaster, TextEncoding::Cp437, "\x82", "'"},
        Case{TextFormat::MasterCook, TextEncoding::Cp1252, "\xE9", "\x92"},
        Case{TextFormat::MealMaster, TextEncoding::Utf8, "\xC3\xA9", "\xE2\x80\x99"}}) {
    TextRecipe recipe;
    recipe.name = "Caf\xE9 Cake";
    recipe.instructions = "Don\x92t burn it.";
    const std::string written = fromCp1252(recipesText({recipe}, c.format), c.encoding);
    EXPECT_NE(written.find("Caf" + c.eAcute + " Cake"), std::string::npos) << int(c.encoding);
    EXPECT_NE(written.find("Don" + c.quote + "t"), std::string::npos) << int(c.encoding);
    EXPECT_EQ(holdsAll(recipesText({recipe}, c.format), c.encoding),
              c.encoding != TextEncoding::Cp437);
  }
}

TEST_F(TextExportTest, TheBookshelfAsksWhetherToExportTheSelectedRecipeAloneAndInUtf8) {
  const long book = buildBaking();
  const long cakes = chapters.uidOf("Cakes", book);
  store::Recipe sponge = load(recipeUid("Sponge Cake", cakes));
  sponge.instructions = "Don\x92t burn it.";
  recipes.save(recipeUid("Sponge Cake", cakes), cakes, sponge, false);
  const std::string path = archivePath("one.mmf");

  user.expectTitle(kExportWhatTitle, toolkit::Button::Yes);  // only the selected recipe
  user.expectTitle(kUtf8Title, toolkit::Button::Yes);        // in UTF-8
  user.expectMessage("Finished!", kExportedText);
  ASSERT_TRUE(exportShelfAsText(user, sources(), {book, 0, {recipeUid("Sponge Cake", cakes)}},
                                TextFormat::MealMaster, path));
  const std::string written = platform::readWholeFile(path).value_or("");
  EXPECT_EQ(readMealMaster(written).size(), 1u);
  EXPECT_NE(written.find("Don\xE2\x80\x99t"), std::string::npos);

  user.expectTitle(kExportWhatTitle, toolkit::Button::No);  // the whole chapter
  user.expectMessage("Finished!", kExportedText);
  ASSERT_TRUE(exportShelfAsText(user, sources(), {book, cakes, {recipeUid("Sponge Cake", cakes)}},
                                TextFormat::MasterCook, path));
  EXPECT_EQ(readMasterCook(platform::readWholeFile(path).value_or("")).size(), 1u);

  user.expectMessage("Wait!", kNothingToExportText);
  EXPECT_FALSE(exportShelfAsText(user, sources(), {books.add("Empty", "", ""), 0, {}},
                                 TextFormat::MasterCook, path));
}

}  // namespace
}  // namespace savora::book_export
