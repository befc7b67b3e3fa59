// Loading the USDA foods and searching them, beside reading the same file's bytes:
//   read_bytes       the baseline: FOODS.DAT read whole into memory
//   unpack           the bytes turned into foods (no search words yet)
//   load             what the program does on first use: read, unpack, cut every description
//                    into search words
//   search/<words>   one search over all foods, best 100 first (a word as the user finishes it,
//                    two words, and the start of a word still being typed)
// FOODS.DAT is the built one (SAVORA_FOODS_FILE names another).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "platform/file_ops.h"
#include "usda/food_catalog.h"
#include "usda/food_pack.h"

namespace {

using namespace savora;

std::string foodsFile() {
  const char* named = std::getenv("SAVORA_FOODS_FILE");
  return named ? named : SAVORA_PROGRAM_DIR "/FOODS.DAT";
}

void readBytes(benchmark::State& state) {
  size_t bytes = 0;
  for (auto _ : state) {
    auto data = platform::readWholeFile(foodsFile());
    if (!data) state.SkipWithError("FOODS.DAT cannot be read");
    bytes = data ? data->size() : 0;
    benchmark::DoNotOptimize(data);
  }
  state.counters["bytes"] = double(bytes);
}
BENCHMARK(readBytes)->Name("read_bytes")->Unit(benchmark::kMillisecond);

void unpack(benchmark::State& state) {
  const auto data = platform::readWholeFile(foodsFile());
  if (!data) {
    state.SkipWithError("FOODS.DAT cannot be read");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(usda::unpackFoods(*data));
}
BENCHMARK(unpack)->Unit(benchmark::kMillisecond);

void load(benchmark::State& state) {
  size_t foods = 0;
  for (auto _ : state) {
    auto unpacked = usda::readFoodPack(foodsFile());
    if (!unpacked) {
      state.SkipWithError("FOODS.DAT cannot be read");
      return;
    }
    usda::FoodCatalog catalog(std::move(*unpacked));
    foods = catalog.foods().size();
    benchmark::DoNotOptimize(catalog);
  }
  state.counters["foods"] = double(foods);
}
BENCHMARK(load)->Unit(benchmark::kMillisecond);

void search(benchmark::State& state, const char* words) {
  auto unpacked = usda::readFoodPack(foodsFile());
  if (!unpacked) {
    state.SkipWithError("FOODS.DAT cannot be read");
    return;
  }
  const usda::FoodCatalog catalog(std::move(*unpacked));
  size_t found = 0;
  for (auto _ : state) {
    const auto result = catalog.search(words, 100);
    found = result.size();
    benchmark::DoNotOptimize(result);
  }
  state.counters["found"] = double(found);
}
BENCHMARK_CAPTURE(search, butter, "butter ")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(search, chicken_breast, "chicken breast ")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(search, typing_tom, "tom")->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
