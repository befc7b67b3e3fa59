// A brand: one purchasable product of an ingredient (package, price, serving with nutrients,
// volume-to-weight equivalences, food group). The record is what the brand table stores; the
// brand information is what conversions, the shopping list and the analysis read from it.
#pragma once

#include <array>
#include <functional>
#include <string>

namespace savora::food {

inline constexpr int kNutrientCount = 14;
inline constexpr size_t kBrandNameLength = 120;

// Nutrients of one serving, in stored order.
enum Nutrient : int {
  kCalories,
  kCaloriesFromFat,
  kTotalFat,
  kSaturatedFat,
  kCholesterol,
  kSodium,
  kTotalCarbohydrate,
  kDietaryFiber,
  kSugars,
  kProtein,
  kVitaminA,
  kVitaminC,
  kCalcium,
  kIron,
};

// One side pair "volume in unit weighs weight in unit"; a unit of 0 counts items.
struct Equivalence {
  std::string volume;
  long volumeUnit = 0;
  std::string weight;
  long weightUnit = 0;

  // Both amounts and both units given: the pair links a volume to a weight.
  bool complete() const;
  bool operator==(const Equivalence&) const = default;
};

struct BrandRecord {
  long uid = 0;
  long ingredient = 0;  // 0: unassigned
  long group = 0;       // food group, 0: none
  std::string name;
  double price = 0;              // of one package; kept to 2 decimals
  std::string packageSize;       // quantity text
  long packageUnit = 0;          // 0: counted items
  bool divisible = false;        // the package may be bought in part
  std::string serving;           // quantity text
  long servingUnit = 0;          // 0: counted items
  double servingsInPackage = 0;  // kept to 1 decimal
  std::string upc;
  Equivalence equivalence1;
  Equivalence equivalence2;
  std::string media;
  std::array<double, kNutrientCount> nutrients{};  // kept to 2 decimals
};

// True when the brands differ in a stored value other than the ingredient and the media.
bool brandRecordsDiffer(const BrandRecord& a, const BrandRecord& b);

// A measure derived for one counted item ("1 egg weighs 50 grams"); unit 0 means none.
struct PerItem {
  double amount = 0;
  long unit = 0;
  bool known() const { return amount > 0 && unit != 0; }
};

struct BrandInfo {
  long uid = 0;
  std::string name;  // empty: no brand
  // The package turned into a volume-to-weight pair when the package is measured one way and
  // the serving the other ("16 ounces" holding 2 servings of "1 cup").
  Equivalence packagePair;
  Equivalence equivalence1;
  Equivalence equivalence2;
  PerItem volumePerItem;
  PerItem weightPerItem;
  float price = 0;
  std::string packageSize;
  long packageUnit = 0;
  bool divisible = false;
  long group = 0;
  std::string serving;
  long servingUnit = 0;
  std::array<double, kNutrientCount> nutrients{};

  bool empty() const { return name.empty(); }
  // The package pair and the two equivalences, in the order conversions try them.
  std::array<const Equivalence*, 3> pairs() const {
    return {&packagePair, &equivalence1, &equivalence2};
  }
};

// The type of a unit (0 volume, 1 weight, -1 no unit or unknown).
using UnitTypeOf = std::function<long(long uid)>;

// Derives the information of a brand: the package pair and the per-item measures.
BrandInfo brandInformation(const BrandRecord& record, const UnitTypeOf& unitType);

// The price of an amount given in the package unit: amount / package size × price of one
// package (a package size of 0 or less counts as 1).
double priceOfAmount(const BrandInfo& brand, double amount);

}  // namespace savora::food
