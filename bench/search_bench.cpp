// Recipe search over a table of 50,000 generated recipes (names built from dish words, 5 to 12
// lines each drawn from a few hundred foods, notes, instructions and some descriptions):
//   search/<text>/<0|1>  one whole search to the end of the table, without and with the notes,
//                        instructions and descriptions, for two words, an "and" text and an
//                        "or" text (all found well under the 500 limit, so the walk is complete)
//   grep/<text>          the baseline: `grep -i` over a text export of the same recipes, one
//                        line per recipe holding every text the search can look at; the two
//                        words (and the "or") as a pipe of two greps, the last one counting
// The counters report what each found, so the two can be checked against each other: with
// instructions the search and grep answer the same question.
//
// The tables and the export are generated once into a folder of the temporary directory and
// reused by later runs (delete it to build them again).
#include <benchmark/benchmark.h>
#include <stdio.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "food/ingredient_table.h"
#include "platform/program_dirs.h"
#include "search/recipe_search.h"
#include "silent_user.h"
#include "store/recipe_table.h"

namespace {

namespace fs = std::filesystem;
using namespace savora;

constexpr int kRecipes = 50000;
constexpr const char* kCacheName = "savora-search-bench-v2";

using bench::SilentUser;

struct Food {
  std::string name, plural;
};

// Base foods as "name/plural" (no plural: the name serves for both), separated by "|".
constexpr const char* kBaseFoods =
    "chicken breast/chicken breasts|chicken thigh/chicken thighs|chicken broth|"
    "ground beef|beef chuck|pork loin|bacon|ham|sausage/sausages|salmon fillet/salmon fillets|"
    "shrimp|tuna|cod|tofu|egg/eggs|milk|butter|heavy cream|sour cream|yogurt|cheddar cheese|"
    "parmesan cheese|mozzarella|feta|all-purpose flour|whole wheat flour|sugar|brown sugar|"
    "honey|maple syrup|baking soda|baking powder|salt|black pepper|olive oil|vegetable oil|"
    "long grain rice|brown rice|rice vinegar|spaghetti|penne|lentil/lentils|chickpea/chickpeas|"
    "black bean/black beans|onion/onions|red onion/red onions|garlic clove/garlic cloves|"
    "shallot/shallots|carrot/carrots|celery stalk/celery stalks|potato/potatoes|"
    "sweet potato/sweet potatoes|tomato/tomatoes|cherry tomato/cherry tomatoes|"
    "bell pepper/bell peppers|jalapeno/jalapenos|zucchini/zucchinis|eggplant/eggplants|"
    "mushroom/mushrooms|spinach|kale|broccoli|cauliflower|cabbage|lettuce|cucumber/cucumbers|"
    "avocado/avocados|corn|green pea/green peas|green bean/green beans|pumpkin|"
    "butternut squash|apple/apples|pear/pears|banana/bananas|lemon/lemons|lime/limes|"
    "orange/oranges|strawberry/strawberries|blueberry/blueberries|raspberry/raspberries|"
    "cherry/cherries|peach/peaches|raisin/raisins|walnut/walnuts|pecan/pecans|almond/almonds|"
    "peanut butter|oat/oats|cocoa powder|chocolate chip/chocolate chips|vanilla extract|"
    "cinnamon|nutmeg|ginger|cumin|paprika|chili powder|oregano|basil|thyme|rosemary|parsley|"
    "cilantro|dill|bay leaf/bay leaves|soy sauce|worcestershire sauce|dijon mustard|mayonnaise|"
    "ketchup|tomato paste|coconut milk|white wine|red wine|beer|bread crumb/bread crumbs|"
    "tortilla/tortillas|pie crust/pie crusts|yeast|cornmeal|quinoa|couscous|scallion/scallions|"
    "leek/leeks|fennel|beet/beets|radish/radishes|turkey|lamb shoulder|crab meat|"
    "scallop/scallops|cream cheese|ricotta|buttermilk|molasses|coconut|pineapple|mango/mangoes|"
    "cranberry/cranberries|date/dates|fig/figs|pistachio/pistachios|sesame seed/sesame seeds|"
    "poppy seed/poppy seeds|capers|olive/olives|anchovy/anchovies|horseradish|saffron";

// About three hundred foods: the base foods, and each again in a prepared form.
std::vector<Food> makeFoods() {
  const std::array<const char*, 4> prepared = {"fresh ", "dried ", "frozen ", "canned "};
  std::vector<Food> base;
  const std::string all = kBaseFoods;
  for (size_t start = 0; start < all.size();) {
    const size_t end = std::min(all.find('|', start), all.size());
    const std::string entry = all.substr(start, end - start);
    const size_t slash = entry.find('/');
    base.push_back({entry.substr(0, slash),
                    slash == std::string::npos ? std::string() : entry.substr(slash + 1)});
    start = end + 1;
  }
  std::vector<Food> foods = base;
  for (size_t i = 0; i < base.size(); ++i) {
    const std::string prefix = prepared[i % prepared.size()];
    foods.push_back(
        {prefix + base[i].name, base[i].plural.empty() ? std::string() : prefix + base[i].plural});
  }
  return foods;
}

const std::vector<std::string> kStyles = {
    "Spicy",  "Creamy",  "Classic", "Easy",      "Grilled",       "Roasted", "Slow-Cooker",
    "Summer", "Holiday", "Quick",   "Rustic",    "Baked",         "Country", "Lemony",
    "Smoky",  "Garden",  "Sunday",  "Weeknight", "Old-Fashioned", "Hearty"};
const std::vector<std::string> kMains = {
    "Chicken",     "Beef",    "Pork",   "Salmon",     "Shrimp",       "Tofu",      "Lentil",
    "Mushroom",    "Spinach", "Potato", "Apple",      "Lemon",        "Chocolate", "Pumpkin",
    "Turkey",      "Lamb",    "Tuna",   "Black Bean", "Sweet Potato", "Zucchini",  "Broccoli",
    "Cauliflower", "Corn",    "Tomato", "Eggplant",   "Banana",       "Blueberry", "Strawberry",
    "Peach",       "Cherry",  "Carrot", "Cabbage",    "Chickpea",     "Sausage",   "Ham",
    "Crab",        "Cod",     "Pear",   "Coconut",    "Oatmeal"};
const std::vector<std::string> kDishes = {
    "Soup",     "Stew",    "Casserole",  "Salad",   "Pie",      "Curry",  "Stir-Fry", "Tacos",
    "Bake",     "Risotto", "Pasta",      "Muffins", "Bread",    "Cake",   "Cookies",  "Chili",
    "Burgers",  "Skillet", "Sandwiches", "Quiche",  "Frittata", "Gratin", "Crumble",  "Pancakes",
    "Fritters", "Kabobs",  "Chowder",    "Tart",    "Bars",     "Pilaf"};
const std::vector<std::string> kCooks = {"Grandma's", "Aunt Ruth's", "Mom's", "Uncle Joe's",
                                         "Nana's"};
const std::vector<std::string> kNotes = {"finely chopped",  "diced",   "at room temperature",
                                         "melted",          "divided", "or to taste",
                                         "thinly sliced",   "drained", "softened",
                                         "peeled and cubed"};
const std::vector<std::string> kSteps = {"Preheat the oven to 350 degrees.",
                                         "Grease a 9x13 inch baking dish.",
                                         "Bring a large pot of water to a boil.",
                                         "Heat the pan over medium-high heat.",
                                         "Stir well and reduce the heat to low.",
                                         "Cover and simmer for 20 minutes.",
                                         "Bake until golden brown, about 30 minutes.",
                                         "Let stand 10 minutes before serving.",
                                         "Season with salt and pepper to taste.",
                                         "Whisk together in a small bowl.",
                                         "Serve warm.",
                                         "Chill for at least 2 hours."};
// Each closes about one recipe in fifty: words that only the instructions hold.
const std::vector<std::string> kRareSteps = {
    "Garnish with fresh dill.", "Drizzle with warm maple glaze.", "Top with toasted walnuts."};

template <class T>
const T& pick(std::mt19937& random, const std::vector<T>& from) {
  return from[random() % from.size()];
}

std::string recipeName(std::mt19937& random) {
  switch (random() % 4) {
    case 0:
      return pick(random, kStyles) + " " + pick(random, kMains) + " " + pick(random, kDishes);
    case 1:
      return pick(random, kCooks) + " " + pick(random, kMains) + " " + pick(random, kDishes);
    case 2:
      return pick(random, kMains) + " and " + pick(random, kMains) + " " + pick(random, kDishes);
    default:
      return pick(random, kMains) + " " + pick(random, kDishes);
  }
}

struct Cache {
  Cache() {
    dir = fs::temp_directory_path() / kCacheName;
    exportFile = dir / "export.txt";
    const bool complete = fs::exists(dir / "complete");
    if (!complete) {
      fs::remove_all(dir);
      fs::create_directories(dir);
    }
    platform::setProgramDirectory(dir.string());
    recipes.open();
    foods.open();
    if (!complete) generate();
  }

  void generate() {
    const std::vector<Food> foodList = makeFoods();
    for (const Food& food : foodList) {
      foods.appendStart(foods.nextUid());
      foods.setText("NAME", food.name);
      foods.setText("PLURAL", food.plural);
      foods.append();
    }
    std::mt19937 random(1999);
    std::ofstream out(exportFile);
    for (int i = 0; i < kRecipes; ++i) {
      store::Recipe recipe;
      recipe.name = recipeName(random);
      recipe.servings = 2 + int(random() % 7);
      std::string text = recipe.name;
      const int lines = 5 + int(random() % 8);
      std::string steps;
      for (int line = 0; line < lines; ++line) {
        const size_t food = random() % foodList.size();
        store::RecipeLine& l = recipe.lines[size_t(line)];
        l.quantity = std::to_string(1 + random() % 3);
        l.ingredient = long(food) + 1;
        if (random() % 4 == 0) l.info2 = pick(random, kNotes);
        text += "\t" + foodList[food].name + "\t" + foodList[food].plural + "\t" + l.info2;
        if (line < 3) steps += "Add the " + foodList[food].name + ". ";
      }
      for (int step = 0, n = 3 + int(random() % 4); step < n; ++step) {
        steps += pick(random, kSteps) + " ";
      }
      for (const std::string& rare : kRareSteps) {
        if (random() % 50 == 0) steps += rare + " ";
      }
      recipe.instructions = steps;
      if (random() % 3 == 0) recipe.description = "A family favourite for busy evenings.";
      text += "\t" + recipe.instructions + "\t" + recipe.description;
      recipes.save(0, 1 + i % 60, recipe, false);
      out << text << '\n';
    }
    out.close();
    recipes.reopen();
    foods.reopen();
    std::ofstream(dir / "complete") << kRecipes << '\n';
  }

  fs::path dir, exportFile;
  SilentUser user;
  store::TableStore store{user};
  store::RecipeTable recipes{store, "rc65"};
  food::IngredientTable foods{store};
};

Cache& cache() {
  static Cache c;
  return c;
}

const std::array<const char*, 3> kTexts = {"salmon dill", "walnut and maple",
                                           "salmon or shrimp capers"};
// The same questions for grep: every word must be on the line; "|" separates alternatives.
const std::array<std::array<const char*, 2>, 3> kGrepWords = {
    {{"salmon", "dill"}, {"walnut", "maple"}, {"salmon|shrimp", "capers"}}};

void BM_Search(benchmark::State& state) {
  Cache& c = cache();
  const char* text = kTexts[size_t(state.range(0))];
  const bool withInstructions = state.range(1) != 0;
  long found = 0, examined = 0;
  for (auto _ : state) {
    search::RecipeSearch search(c.recipes, c.foods, text, false);
    while (!search.done()) search.runBatch(withInstructions, {});
    found = search.found();
    examined = search.examined();
  }
  state.SetLabel(std::string("\"") + text + (withInstructions ? "\" with instructions" : "\""));
  state.counters["found"] = double(found);
  state.counters["recipes_per_s"] =
      benchmark::Counter(double(examined), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_Search)
    ->ArgsProduct({{0, 1, 2}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_GrepBaseline(benchmark::State& state) {
  Cache& c = cache();
  const auto& words = kGrepWords[size_t(state.range(0))];
  const std::string file = c.exportFile.string();
  const std::string command = std::string("grep -i -E -- '") + words[0] + "' '" + file +
                              "' | grep -i -c -E -- '" + words[1] + "'";
  long count = -1;
  for (auto _ : state) {
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe || std::fscanf(pipe, "%ld", &count) != 1) state.SkipWithError("grep failed");
    if (pipe) ::pclose(pipe);
  }
  state.SetLabel(std::string("\"") + kTexts[size_t(state.range(0))] + "\"");
  state.counters["found"] = double(count);
}
BENCHMARK(BM_GrepBaseline)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
