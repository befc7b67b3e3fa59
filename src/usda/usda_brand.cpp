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

// How the measures name volume units, and the names and abbreviations a unit list may give the
// same unit.
struct VolumeWord {
  const char* measure;
  std::vector<const char*> names;
};
const VolumeWord kVolumeWords[] = {
    {"cup", {"cup", "c"}},        {"tbsp", {"tablespoon", "tbsp", "tbs"}},
    {"tsp", {"teaspoon", "tsp"}}, {"fl oz", {"fluid ounce", "fl oz", "fl-oz", "floz"}},
    {"pint", {"pint", "pt"}},     {"quart", {"quart", "qt"}},
};

// Graded sizes, smallest first.
const char* const kSizes[] = {"extra small", "small", "medium", "large", "extra large", "jumbo"};
const char* const kWholeItems[] = {"whole", "each", "item", "fruit"};

// True when the measure's description is the word alone or the word followed by a space, comma
// or parenthesis ("cup", "cup, chopped", "cup (4.86 large eggs)").
bool namedBy(const Measure& m, std::string_view word) {
  const std::string& d = m.description;
  if (!platform::startsWithIgnoreCase(d, word)) return false;
  return d.size() == word.size() || d[word.size()] == ' ' || d[word.size()] == ',' ||
         d[word.size()] == '(';
}

int sizeRank(const Measure& m) {
  // Longest names first so that "extra large" is not read as "large".
  int found = -1;
  size_t longest = 0;
  for (int i = 0; i < int(std::size(kSizes)); ++i) {
    const std::string_view size = kSizes[i];
    if (size.size() > longest && namedBy(m, size)) {
      found = i;
      longest = size.size();
    }
  }
  return found;
}

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

const Measure* volumeMeasure(const Food& food) {
  for (const VolumeWord& word : kVolumeWords) {
    for (const Measure& m : food.measures) {
      if (namedBy(m, word.measure)) return &m;
    }
  }
  return nullptr;
}

const Measure* itemMeasure(const Food& food) {
  std::vector<const Measure*> sizes;
  for (const Measure& m : food.measures) {
    if (sizeRank(m) >= 0) sizes.push_back(&m);
  }
  if (!sizes.empty()) {
    std::stable_sort(sizes.begin(), sizes.end(), [](const Measure* a, const Measure* b) {
      return sizeRank(*a) < sizeRank(*b);
    });
    return sizes[sizes.size() / 2];
  }
  for (const char* word : kWholeItems) {
    for (const Measure& m : food.measures) {
      if (namedBy(m, word)) return &m;
    }
  }
  return nullptr;
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
  if (const Measure* m = volumeMeasure(f)) {
    for (const VolumeWord& word : kVolumeWords) {
      if (!namedBy(*m, word.measure)) continue;
      const long unit = findUnit(units, word.names, food::kVolumeUnit);
      if (unit != 0) b.equivalence1 = {amountText(m->amount), unit, amountText(m->grams), gram};
      break;
    }
  }
  if (const Measure* m = itemMeasure(f))
    b.equivalence2 = {amountText(m->amount), 0, amountText(m->grams), gram};
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
