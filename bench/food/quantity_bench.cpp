// Per-call cost of presenting a quantity (ladder + fraction), of converting between units on a
// usual kitchen unit graph, and of converting a food from volume to weight through its brand:
// they run for every line of every list. Baseline: looking the
// conversion factor up in a precomputed table (one hash lookup and a multiply).
#include <benchmark/benchmark.h>

#include <unordered_map>

#include "../../tests/food/kitchen_units.h"
#include "food/brand.h"
#include "food/food_conversion.h"
#include "food/quantity.h"
#include "food/unit_conversion.h"

namespace {

using namespace savora::food;
using namespace savora::food::testing;

void BM_TableLookupBaseline(benchmark::State& state) {
  const std::unordered_map<long, float> toTeaspoons = {{kTeaspoon, 1.f}, {kTablespoon, 3.f},
                                                       {kCup, 48.f},     {kQuart, 192.f},
                                                       {kGallon, 768.f}, {kPint, 96.f}};
  float amount = 2.5f;
  for (auto _ : state) {
    benchmark::DoNotOptimize(amount * toTeaspoons.at(kGallon) / toTeaspoons.at(kCup));
  }
}
BENCHMARK(BM_TableLookupBaseline);

void BM_ConvertGallonToCup(benchmark::State& state) {
  ConversionList list(kitchenUnits());
  for (auto _ : state) benchmark::DoNotOptimize(list.convert(2.5f, kGallon, kCup));
}
BENCHMARK(BM_ConvertGallonToCup);

void BM_ConvertOunceToTeaspoonNoPath(benchmark::State& state) {
  ConversionList list(kitchenUnits());
  for (auto _ : state) benchmark::DoNotOptimize(list.convert(3.f, kOunce, kTeaspoon));
}
BENCHMARK(BM_ConvertOunceToTeaspoonNoPath);

void BM_Present48Teaspoons(benchmark::State& state) {
  ConversionList list(kitchenUnits());
  for (auto _ : state) {
    double amount = 48;
    long unit = kTeaspoon;
    benchmark::DoNotOptimize(presentQuantity(list, amount, unit));
  }
}
BENCHMARK(BM_Present48Teaspoons);

// Crossing from volume to weight through a brand's package (16 ounces holding 2 servings of
// 1 cup): what the analysis does for most lines of a recipe.
void BM_ConvertFoodCupToPound(benchmark::State& state) {
  ConversionList list(kitchenUnits());
  BrandRecord flour;
  flour.name = "Flour";
  flour.packageSize = "16";
  flour.packageUnit = kOunce;
  flour.serving = "1";
  flour.servingUnit = kCup;
  flour.servingsInPackage = 2;
  const BrandInfo info = brandInformation(flour, [&](long uid) { return list.typeOf(uid); });
  for (auto _ : state) benchmark::DoNotOptimize(convertFood(list, 3.f, kTablespoon, kPound, info));
}
BENCHMARK(BM_ConvertFoodCupToPound);

void BM_ParseMixedNumber(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(parseQuantity("1 1/2"));
}
BENCHMARK(BM_ParseMixedNumber);

}  // namespace

BENCHMARK_MAIN();
