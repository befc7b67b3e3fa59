#include "usda/usda_brand.h"

#include <algorithm>
#include <cmath>

#include "food/food_conversion.h"
#include "food/food_group_table.h"
#include "food/quantity.h"
#include "food/unit_table.h"
#include "platform/text.h"
#include "usda/starter_kitchen.h"

namespace savora::usda {
namespace {

// The names and abbreviations a unit list may give the volume units the measures name.
struct VolumeWord {
  std::string_view measure;
  std::vector<const char*> names;
};
const VolumeWord kVolumeWords[] = {
    {"cup", {"cup", "c"}},        {"tbsp", {"tablespoon", "tbsp", "tbs"}},
    {"tsp", {"teaspoon", "tsp"}}, {"fl oz", {"fluid ounce", "fl oz", "fl-oz", "floz"}},
    {"pint", {"pint", "pt"}},     {"quart", {"quart", "qt"}},
};

long findUnit(food::UnitTable& units, const std::vector<const char*>& names, long type) {
  for (const char* name : names) {
    for (bool byAbbreviation : {false, true}) {
      if (units.findText(name, byAbbreviation) && units.number("TYPE") == type)
        return units.number("UID");
    }
  }
  return 0;
}

std::string amountText(double value) {
  std::string text = platform::formatText("%.2f", value);
  text.erase(text.find_last_not_of('0') + 1);
  if (text.back() == '.') text.pop_back();
  return text;
}

double rounded(double value) {
  return std::round(value * 100) / 100;
}

}  // namespace

std::string usdaBrandName(const Food& food) {
  std::string name =
      platform::formatText("USDA SR21 %05ld: %s", food.number, food.description.c_str());
  if (name.size() > food::kBrandNameLength) name.resize(food::kBrandNameLength);
  return name;
}

std::array<double, food::kNutrientCount> nutrientsPer100g(const Food& f) {
  std::array<double, food::kNutrientCount> n{};
  n[food::kCalories] = f.value(kEnergy);
  n[food::kCaloriesFromFat] = f.value(kFat) * 9;
  n[food::kTotalFat] = f.value(kFat);
  n[food::kSaturatedFat] = f.value(kSaturatedFat);
  n[food::kCholesterol] = f.value(kCholesterol);
  n[food::kSodium] = f.value(kSodium);
  n[food::kTotalCarbohydrate] = f.value(kCarbohydrate);
  n[food::kDietaryFiber] = f.value(kFiber);
  n[food::kSugars] = f.value(kSugars);
  n[food::kProtein] = f.value(kProtein);
  n[food::kVitaminA] = f.value(kVitaminA) / kVitaminADailyIu * 100;
  n[food::kVitaminC] = f.value(kVitaminC) / kVitaminCDailyMg * 100;
  n[food::kCalcium] = f.value(kCalcium) / kCalciumDailyMg * 100;
  n[food::kIron] = f.value(kIron) / kIronDailyMg * 100;
  for (double& value : n) value = rounded(value);
  return n;
}

food::BrandRecord usdaBrand(const Food& f, long ingredient, food::UnitTable& units,
                            food::FoodGroupTable& groups) {
  long gram = findUnit(units, {"gram", "g", "grams"}, food::kWeightUnit);
  if (gram == 0) {
    food::UnitRecord r;
    r.name = "gram";
    r.abbreviation = "g";
    r.type = food::kWeightUnit;
    gram = units.saveRecord(r, 0);
  }
  food::BrandRecord b;
  b.ingredient = ingredient;
  b.name = usdaBrandName(f);
  b.packageSize = "100";
  b.packageUnit = gram;
  b.divisible = true;
  b.serving = "100";
  b.servingUnit = gram;
  b.servingsInPackage = 1;
  b.nutrients = nutrientsPer100g(f);
  const Measure* volume = volumeMeasure(f);
  const auto volumePair = [&](const Measure* m) -> food::Equivalence {
    if (m == nullptr) return {};
    for (const VolumeWord& word : kVolumeWords) {
      if (word.measure != volumeWordOf(*m)) continue;
      const long unit = findUnit(units, word.names, food::kVolumeUnit);
      if (unit != 0) return {amountText(m->amount), unit, amountText(m->grams), gram};
    }
    return {};
  };
  b.equivalence1 = volumePair(volume);
  if (const Measure* m = itemMeasure(f)) {
    b.equivalence2 = {amountText(m->amount), 0, amountText(m->grams), gram};
  } else {
    // No item to weigh: the second pair gives the spoon's own weight, which the conversion
    // prefers for a line measured in that spoon.
    b.equivalence2 = volumePair(spoonMeasure(f, volume));
  }
  b.group = groups.uidOf(kitchenGroupForUsdaGroup(f.group));
  return b;
}

food::BrandRecord withUsdaValues(const food::BrandRecord& brand, const Food& f,
                                 food::UnitTable& units, food::FoodGroupTable& groups) {
  food::BrandRecord r = usdaBrand(f, brand.ingredient, units, groups);
  r.uid = brand.uid;
  r.upc = brand.upc;
  r.media = brand.media;
  r.price = brand.price;
  if (brand.group != 0) r.group = brand.group;
  const double package = food::parseQuantity(brand.packageSize);
  if (brand.packageSize.empty() || package <= 0) return r;
  r.packageSize = brand.packageSize;
  r.packageUnit = brand.packageUnit;
  r.divisible = brand.divisible;
  r.servingsInPackage = brand.servingsInPackage;
  // The package in grams through the new equivalences (a package counted in items or measured
  // by volume needs them); the package itself is left out so it does not answer for itself.
  food::BrandRecord measures = r;
  measures.packageSize.clear();
  measures.packageUnit = 0;
  const food::BrandInfo info =
      food::brandInformation(measures, [&units](long uid) { return units.type(uid); });
  food::ConversionList list = units.conversionList();
  const float grams =
      food::convertFood(list, float(package), brand.packageUnit, r.servingUnit, info);
  if (grams > 0) r.servingsInPackage = std::round(double(grams) / 100 * 10) / 10;
  return r;
}

}  // namespace savora::usda
