// Recipes from saved web pages: the ingredient line reader, durations and entities, and pages
// written for the test through the whole import.
#include <algorithm>

#include "exchange/text_recipe_format.h"
#include "exchange_fixture.h"
#include "platform/text.h"
#include "recipe_formats/html_text.h"
#include "recipe_formats/ingredient_line_reader.h"
#include "recipe_formats/recipe_times.h"
#include "recipe_formats/web_recipe_page.h"

namespace savora::exchange {

using namespace savora::recipe_formats;

namespace {

TEST(IngredientLineReaderTest, CutsALineIntoAmountMeasureIngredientAndNotes) {
  struct Case {
    const char* text;
    TextRecipeLine expected;  // quantity, unit, ingredient, info1, info2
  };
  const Case cases[] = {
      {"1 1/2 cups All-Purpose Flour, sifted",
       {"1 1/2", "cup", "all-purpose flour", "", ", sifted"}},
      {"\xBD tsp. salt", {"1/2", "teaspoon", "salt", "", ""}},
      {"1\xBD Tbsp butter (softened)", {"1 1/2", "tablespoon", "butter", "", "(softened)"}},
      {"2 to 3 large eggs", {"2 to 3", "", "eggs", "large", ""}},
      {"1 (14 oz) can diced tomatoes", {"1", "can", "diced tomatoes", "(14 oz)", ""}},
      {"200g dark chocolate", {"200", "gram", "dark chocolate", "", ""}},
      {"2 fl. oz. cream", {"2", "fluid ounce", "cream", "", ""}},
      {"3 cloves garlic, minced", {"3", "clove", "garlic", "", ", minced"}},
      {"a pinch of nutmeg", {"1", "pinch", "nutmeg", "", ""}},
      {"1-2 lemons", {"1-2", "", "lemons", "", ""}},
      {"Salt and pepper to taste", {"", "", "salt and pepper to taste", "", ""}},
  };
  for (const Case& c : cases) EXPECT_EQ(readIngredientLine(c.text), c.expected) << c.text;
}

TEST(RecipeTimesTest, ReadsIso8601DurationsAndWritesThemForCooks) {
  const std::pair<const char*, std::optional<long>> durations[] = {
      {"PT1H30M", 90},         {"PT45M", 45},        {"P1DT2H", 26 * 60},
      {"PT0.5H", 30},          {"PT90S", 2},         {"pt20m", 20},
      {"1H30M", std::nullopt}, {"PT", std::nullopt}, {"PTxM", std::nullopt}};
  for (const auto& [text, minutes] : durations) EXPECT_EQ(iso8601Minutes(text), minutes) << text;
  EXPECT_EQ(durationText(90), "1 hour 30 minutes");
  EXPECT_EQ(durationText(120), "2 hours");
  EXPECT_EQ(durationText(1), "1 minute");
  EXPECT_EQ(timeLine("Cooking time", 0), "");
}

TEST(HtmlTextTest, DecodesEntitiesAndMarkup) {
  EXPECT_EQ(unescapeHtml("Mac &amp; Cheese &#8211; Grandma&#39;s &amp;#39;best&amp;#39; &bogus;"),
            "Mac & Cheese \xE2\x80\x93 Grandma's 'best' &bogus;");
  EXPECT_EQ(plainTextOfHtml("<p>Heat  the <b>oven</b>.</p><p>Bake&nbsp;it.<br/>Cool.</p>"),
            "Heat the oven.\nBake\xC2\xA0it.\nCool.");
}

constexpr const char* kGraphPage = R"(<!DOCTYPE html>
<html><head><title>Pie</title>
<script type="application/ld+json">
{"@context": "https://schema.org",
 "@graph": [
  {"@type": "WebSite", "name": "Cooking &amp; More"},
  {"@type": ["Recipe", "NewsArticle"],
   "name": "Grandma&#39;s Apple Pie",
   "description": "A pie &amp; a story.",
   "recipeYield": ["8", "8 servings"],
   "prepTime": "PT30M", "cookTime": "PT1H15M",
   "url": "https://example.org/pie",
   "image": {"@type": "ImageObject", "url": "https://example.org/pie.jpg"},
   "recipeCategory": "Dessert",
   "keywords": "pie, apples, Dessert",
   "recipeIngredient": ["2 1/2 cups flour", "6 large apples, peeled", "1 tsp cinnamon"],
   "recipeInstructions": [
     {"@type": "HowToSection", "name": "For the crust",
      "itemListElement": [{"@type": "HowToStep", "text": "Rub the butter into the flour."},
                          {"@type": "HowToStep", "text": "Chill &frac12; hour."}]},
     {"@type": "HowToSection", "name": "For the filling",
      "itemListElement": [{"@type": "HowToStep", "text": "Slice the apples."}]}]}
 ]}
</script></head><body>Pie</body></html>)";

constexpr const char* kTwoRecipePage = R"(<html><body>
<script type='application/ld+json'>[
 {"@type": "Recipe", "name": "Lemonade", "recipeYield": 4,
  "recipeIngredient": ["4 lemons"], "recipeInstructions": "Squeeze.\nStir."},
 {"@type": "Recipe", "name": "Iced Tea", "recipeYield": "1 jug",
  "recipeIngredient": ["2 tea bags"], "recipeInstructions": ["Brew.", "Chill."]}]
</script></body></html>)";

class WebPageImportTest : public ExchangeTest {
 protected:
  std::string write(const std::string& name, const std::string& text) {
    const std::string path = archivePath(name);
    EXPECT_TRUE(platform::writeWholeFile(path, text));
    return path;
  }
  void importWith(const std::string& path, PhotoFetcher fetch) {
    auto run = ExchangeImport::start(store, targets(), path, {NewItems::AddAll, false, fetch});
    ASSERT_TRUE(run);
    run->runAll();
  }
  long chapterOf(const std::string& name) {
    return chapters.uidOf(name, books.uidOf(kWebRecipesBook));
  }
  std::vector<std::string> categoriesOf(long recipe) {
    std::vector<std::string> names;
    for (const bookshelf::ShelfEntry& category : categories.entriesByName()) {
      const std::vector<long> members = categories.membersOf(category.uid);
      if (std::find(members.begin(), members.end(), recipe) != members.end())
        names.push_back(category.name);
    }
    return names;
  }
};

TEST_F(WebPageImportTest, ARecipeInAGraphImportsWithEveryField) {
  std::vector<std::string> fetched;
  expectFinished();
  importWith(write("pie.html", kGraphPage), [&fetched](const std::string& address) {
    fetched.push_back(address);
    return std::string("/photos/pie.jpg");
  });
  const long uid = recipeUid("Grandma's Apple Pie", chapterOf("Dessert"));
  ASSERT_GT(uid, 0);
  const store::Recipe pie = load(uid);
  EXPECT_EQ(pie.servings, 8);
  EXPECT_EQ(pie.description,
            "A pie & a story.\r\n\r\nPreparation time: 30 minutes\r\nCooking time: 1 hour 15 "
            "minutes\r\nSource: https://example.org/pie");
  EXPECT_EQ(pie.instructions,
            "For the crust\r\n\r\nRub the butter into the flour.\r\n\r\nChill \xBD hour.\r\n\r\n"
            "For the filling\r\n\r\nSlice the apples.");
  EXPECT_EQ(pie.lines[0].quantity, "2 1/2");
  EXPECT_EQ(units.readRecord(pie.lines[0].unit).name, "cup");
  EXPECT_EQ(ingredients.read(pie.lines[1].ingredient)->name, "apples");
  EXPECT_EQ(pie.lines[1].info1, "large");
  EXPECT_EQ(pie.lines[1].info2, ", peeled");
  EXPECT_EQ(units.readRecord(pie.lines[2].unit).name, "teaspoon");
  EXPECT_EQ(pie.media[0], "/photos/pie.jpg");
  EXPECT_EQ(fetched, (std::vector<std::string>{"https://example.org/pie.jpg"}));
  EXPECT_EQ(categoriesOf(uid), (std::vector<std::string>{"Dessert", "apples", "pie"}));
}

TEST_F(WebPageImportTest, TwoRecipesOfAnArrayImportWithTheirYieldsAndSteps) {
  expectFinished();
  importWith(write("drinks.htm", kTwoRecipePage), {});
  const store::Recipe lemonade = load(recipeUid("Lemonade", chapterOf("Miscellaneous")));
  EXPECT_EQ(lemonade.servings, 4);
  EXPECT_EQ(lemonade.instructions, "Squeeze.\r\nStir.");
  EXPECT_EQ(lemonade.media[0], "");
  const store::Recipe tea = load(recipeUid("Iced Tea", chapterOf("Miscellaneous")));
  EXPECT_EQ(tea.servings, 1);
  EXPECT_EQ(tea.description, "Yield: 1 jug");
  EXPECT_EQ(tea.instructions, "Brew.\r\n\r\nChill.");
  EXPECT_EQ(tea.lines[0].quantity, "2");
}

TEST_F(WebPageImportTest, APageWithoutRecipesAndAFileOfNoFormatAreToldApart) {
  const std::string page = write("news.html", "<html><body><p>No recipe here.</p></body></html>");
  user.expectMessage(kNothingFoundTitle, platform::formatText(kNoRecipeInPageText, page.c_str()));
  importArchive(page);
  const std::string notes = write("notes.mx9", "\n\nShopping: milk\n");
  user.expectMessage(kUnableToDownloadTitle,
                     platform::formatText(kUnknownFormatText, notes.c_str()));
  importArchive(notes);
  EXPECT_LT(books.uidOf(kWebRecipesBook), 0);
}

}  // namespace
}  // namespace savora::exchange
