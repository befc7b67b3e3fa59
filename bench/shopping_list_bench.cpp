// Cost of a shopping list of a whole plan: 12 menus of 7 days of 3 recipes (252 recipes of 8
// lines over 40 foods in 6 food groups), merged, priced and turned into rows.
// Baseline: the same 252 recipe loads alone, so the ratio is what the list adds to reading them.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

#include "bookshelf/book_table.h"
#include "bookshelf/chapter_table.h"
#include "food/brand_table.h"
#include "food/food_group_table.h"
#include "food/ingredient_table.h"
#include "food/unit_table.h"
#include "planning/shopping_list.h"
#include "planning/week_table.h"
#include "platform/program_dirs.h"
#include "bench_kitchen.h"
#include "store/recipe_table.h"

namespace {

namespace fs = std::filesystem;
using namespace savora;

constexpr int kFoods = 40;
constexpr int kRecipes = 30;
constexpr int kMenus = 12;

struct Kitchen : bench::BenchKitchen {
  Kitchen() : BenchKitchen("shopping-bench") {
    const long cup = units.addByName("cup", 0);
    std::vector<long> groupUids;
    for (int g = 0; g < 6; ++g) groupUids.push_back(groups.add("aisle " + std::to_string(g), g % 2));
    std::vector<long> foods;
    for (int i = 0; i < kFoods; ++i) {
      const std::string name = "food " + std::to_string(i);
      food::BrandRecord r = testing::brandRecord(name, 0, "2", cup, "1", cup, 2);
      r.price = 1.5;
      r.group = groupUids[size_t(i) % groupUids.size()];
      r.nutrients[food::kCalories] = 120;
      const long ingredient = addPreferred(name, r, name + "s");
      foods.push_back(ingredient);
    }
    const long chapter = chapters.add("Dinners", books.add("Family", "", ""), "", "");
    for (int i = 0; i < kRecipes; ++i) {
      store::Recipe recipe;
      recipe.name = "recipe " + std::to_string(i);
      recipe.servings = 4;
      for (int l = 0; l < 8; ++l) {
        recipe.lines[size_t(l)].quantity = "1 1/2";
        recipe.lines[size_t(l)].unit = cup;
        recipe.lines[size_t(l)].ingredient = foods[size_t(i * 7 + l) % foods.size()];
      }
      recipeUids.push_back(recipes.save(0, chapter, recipe, true));
    }
    for (int m = 0; m < kMenus; ++m) {
      const long menu = weeks.create("menu " + std::to_string(m));
      std::vector<planning::ListItem> items;
      for (int d = 0; d < 7; ++d)
        for (int r = 0; r < 3; ++r)
          items.push_back({d, recipeUids[size_t(m * 21 + d * 3 + r) % recipeUids.size()]});
      weeks.replaceEntries(menu, items);
      source.months[size_t(m)] = {menu};
      for (const auto& item : items) planned.push_back(item.reference);
    }
    source.kind = planning::ShoppingSourceKind::Plan;
  }

  std::vector<long> recipeUids, planned;
  planning::ShoppingSource source;
};

Kitchen& kitchen() {
  static Kitchen k;
  return k;
}

void BM_RecipeLoadsOfAPlan(benchmark::State& state) {
  Kitchen& k = kitchen();
  for (auto _ : state) {
    for (long uid : k.planned) {
      store::Recipe recipe;
      benchmark::DoNotOptimize(k.recipes.load(uid, recipe));
    }
  }
}
BENCHMARK(BM_RecipeLoadsOfAPlan)->Unit(benchmark::kMillisecond);

void BM_ShoppingListOfAPlan(benchmark::State& state) {
  Kitchen& k = kitchen();
  for (auto _ : state) {
    planning::ShoppingList list({k.tables, k.groups, &k.weeks}, k.user, {});
    list.build(k.source);
    benchmark::DoNotOptimize(list.rows().size());
  }
}
BENCHMARK(BM_ShoppingListOfAPlan)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
