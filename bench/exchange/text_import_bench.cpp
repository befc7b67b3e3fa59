// Importing a generated Meal-Master file headless, with every new unit and ingredient added:
// 1,000, 10,000 and 99,999 recipes (the most a 5-digit UID holds), each with 10 ingredient
// lines in two columns, a continuation line, three categories and three lines of directions.
// The vocabulary grows with the collection as in real ones: 3,000 distinct ingredient texts at
// 1,000 recipes, about 7,700 at 10,000 and 20,000 at 99,999 (a power of the recipe count), every
// one of them new to the user's tables.
// Rows: the whole import (reading into the exchange tables, then the merge into the user's
// tables), the reading into the exchange tables alone, and the baseline: reading the same file
// and splitting it into lines, in the same run. Counter "recipes/s" on every row.
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "bench_kitchen.h"
#include "bookshelf/category_table.h"
#include "exchange/exchange_import.h"
#include "exchange/text_recipe_format.h"
#include "recipe_formats/text_lines.h"

namespace {

namespace fs = std::filesystem;
using namespace savora;

constexpr const char* kUnits[] = {"c", "ts", "tb", "lb", "oz", "pn", "qt", "g"};
constexpr int kLinesPerRecipe = 10;

// Distinct ingredient texts in a file of `recipes` recipes.
int vocabulary(int recipes) {
  return int(std::lround(
      3000.0 * std::pow(recipes / 1000.0, std::log(20000.0 / 3000.0) / std::log(99.999))));
}

// The ingredient lines step through the vocabulary by a prime stride, so every food is used.
std::string entry(int recipe, int line, int foods) {
  const long food = (long(recipe) * kLinesPerRecipe + line) * 7919 % foods;
  char text[64];
  std::snprintf(text, sizeof text, "%7d %-2s %s %ld", 1 + line % 4, kUnits[(recipe + line) % 8],
                "Food", food);
  return text;
}

// The generated files of the run, deleted when it ends.
struct GeneratedFiles : std::map<int, std::string> {
  ~GeneratedFiles() {
    for (const auto& [count, path] : *this) fs::remove(path);
  }
};

// The file of `count` recipes, written once per run.
const std::string& mealMasterFile(int count) {
  static GeneratedFiles files;
  auto& path = files[count];
  if (!path.empty()) return path;
  path = (fs::temp_directory_path() /
          ("savora-mm-bench-" + std::to_string(::getpid()) + "-" + std::to_string(count) + ".mmf"))
             .string();
  std::ofstream out(path, std::ios::binary);
  const int foods = vocabulary(count);
  for (int r = 0; r < count; ++r) {
    out << "MMMMM----- Recipe via Meal-Master (tm) v8.05\n \n      Title: Recipe " << r
        << "\n Categories: Group " << r % 40 << ", Kind " << r % 7
        << ", All\n      Yield: " << 2 + r % 6 << " servings\n \n";
    for (int l = 0; l < 5; ++l) {
      std::string left = entry(r, l, foods);
      left.resize(40, ' ');
      out << left << entry(r, l + 5, foods) << "\n";
    }
    out << "           -finely chopped\n \n"
        << "  Mix everything in a bowl and leave it to rest for an hour, then shape\n"
        << "  and bake in a hot oven until golden.\n  Serve warm.\nMMMMM\n\n";
  }
  return path;
}

struct ImportKitchen : bench::BenchKitchen {
  ImportKitchen() : BenchKitchen("text-import-bench") { categories.open(); }
  bookshelf::CategoryTable categories{store};
};

void perRecipe(benchmark::State& state, int count) {
  state.counters["recipes/s"] =
      benchmark::Counter(double(count) * double(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["foods"] = vocabulary(count);
}

void BM_SplitIntoLines(benchmark::State& state) {
  const int count = int(state.range(0));
  const std::string& path = mealMasterFile(count);
  for (auto _ : state) {
    const recipe_formats::TextFile file = recipe_formats::readTextFile(path);
    benchmark::DoNotOptimize(file.lines.size());
  }
  perRecipe(state, count);
}

void BM_ReadIntoExchangeTables(benchmark::State& state) {
  const int count = int(state.range(0));
  const std::string& path = mealMasterFile(count);
  for (auto _ : state) {
    state.PauseTiming();
    {
      ImportKitchen kitchen;
      state.ResumeTiming();
      const auto result = exchange::readRecipeFile(kitchen.store, path);
      if (result.recipes != count) state.SkipWithError("recipes missing");
      state.PauseTiming();
    }
    state.ResumeTiming();
  }
  perRecipe(state, count);
}

void BM_ImportHeadless(benchmark::State& state) {
  const int count = int(state.range(0));
  const std::string& path = mealMasterFile(count);
  for (auto _ : state) {
    state.PauseTiming();
    {
      ImportKitchen k;
      state.ResumeTiming();
      auto import = exchange::ExchangeImport::start(k.store,
                                                    {{k.units, k.ingredients, k.brands},
                                                     {k.books, k.chapters, k.categories, k.recipes},
                                                     k.weeks},
                                                    path);
      import->runAll();
      if (!import->succeeded() || k.store.recipesAdded() != count)
        state.SkipWithError("import failed");
      state.PauseTiming();
    }
    state.ResumeTiming();
  }
  perRecipe(state, count);
}

void sizes(benchmark::internal::Benchmark* b) {
  b->Arg(1000)->Arg(10000)->Arg(99999)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
}

BENCHMARK(BM_SplitIntoLines)->Apply(sizes);
BENCHMARK(BM_ReadIntoExchangeTables)->Apply(sizes);
BENCHMARK(BM_ImportHeadless)->Apply(sizes);

}  // namespace

BENCHMARK_MAIN();
