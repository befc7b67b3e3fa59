// Cost of the recipe window's texts, which menus and shopping lists build for every line they
// show: one ingredient line's display text, and a whole recipe's view-tab text (23 lines, of
// which 12 are used, with description and instructions). Each looks its unit, ingredient and
// brand names up in the tables on disk.
// Baseline: the same lines written from names already in memory (snprintf into a buffer), so
// the ratio is what the table lookups and the rules of the line text cost.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "bookshelf/book_table.h"
#include "bookshelf/chapter_table.h"
#include "food/brand_table.h"
#include "food/ingredient_table.h"
#include "food/unit_table.h"
#include "platform/program_dirs.h"
#include "recipe/recipe_line_text.h"
#include "bench_kitchen.h"
#include "store/recipe_table.h"

namespace {

namespace fs = std::filesystem;
using namespace savora;

constexpr int kUsedLines = 12;
constexpr int kIngredients = 300;

struct Kitchen : bench::BenchKitchen {
  Kitchen() : BenchKitchen("recipe-text-bench") {
    const char* names[] = {"teaspoon", "tablespoon", "cup", "ounce", "pound", "pinch"};
    for (const char* name : names) unitUids.push_back(units.addByName(name, 0));
    for (int i = 0; i < kIngredients; ++i) {
      const std::string name = "ingredient " + std::to_string(i);
      ingredientUids.push_back(ingredients.save({name, name + "s", false, 0, 0}, 0));
    }
    const long book = books.add("Family", "", "");
    const long chapter = chapters.add("Dinners", book, "", "");
    recipe.name = "Hearty Beef Stew";
    recipe.chapter = chapter;
    recipe.servings = 6;
    recipe.description = "A slow Sunday stew.\r\nBetter the next day.";
    recipe.instructions = std::string(40, 'x') + "\r\n" + std::string(600, 'y');
    for (int i = 0; i < kUsedLines; ++i) {
      store::RecipeLine& line = recipe.lines[size_t(i)];
      line.quantity = i % 3 == 0 ? "1 1/2" : "2";
      line.unit = unitUids[size_t(i) % unitUids.size()];
      line.ingredient = ingredientUids[size_t(i * 23) % ingredientUids.size()];
      line.info2 = i % 2 ? ", chopped" : "";
    }
  }

  std::vector<long> unitUids, ingredientUids;
  store::Recipe recipe;
};

Kitchen& kitchen() {
  static Kitchen k;
  return k;
}

void BM_LineFromMemoryBaseline(benchmark::State& state) {
  char buffer[128];
  for (auto _ : state) {
    std::snprintf(buffer, sizeof buffer, "%-64s", "1 1/2 cups ingredient 23s, chopped");
    benchmark::DoNotOptimize(buffer);
  }
}
BENCHMARK(BM_LineFromMemoryBaseline);

void BM_LineText(benchmark::State& state) {
  Kitchen& k = kitchen();
  // The lines in turn, so each call looks up another unit and ingredient as a list fill does.
  size_t next = 0;
  for (auto _ : state) {
    store::RecipeLine line = k.recipe.lines[next++ % kUsedLines];
    benchmark::DoNotOptimize(recipe::lineText(k.tables, line, false, 64));
  }
}
BENCHMARK(BM_LineText);

void BM_TextFormFromMemoryBaseline(benchmark::State& state) {
  const Kitchen& k = kitchen();
  for (auto _ : state) {
    std::string text = "Book: Family\r\nChapter: Dinners\r\n\r\nMakes 6 servings\r\n";
    text += k.recipe.description + "\r\n\r\n";
    char buffer[128];
    for (int i = 0; i < kUsedLines; ++i) {
      std::snprintf(buffer, sizeof buffer, "    %-64s\r\n", "1 1/2 cups ingredient 23s, chopped");
      text += buffer;
    }
    text += "\r\n" + k.recipe.instructions;
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(BM_TextFormFromMemoryBaseline);

void BM_TextForm(benchmark::State& state) {
  Kitchen& k = kitchen();
  for (auto _ : state) benchmark::DoNotOptimize(recipe::recipeTextForm(k.tables, k.recipe));
}
BENCHMARK(BM_TextForm);

}  // namespace

BENCHMARK_MAIN();
