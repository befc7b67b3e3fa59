// One food of the USDA nutrient database as the program keeps it: its number, food group,
// description, the values per 100 g that brands and labels use, and its household measures.
#pragma once

#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace savora::usda {

// The values kept per 100 g of edible portion, in the database's units.
enum Value : int {
  kEnergy,        // kcal
  kFat,           // g
  kSaturatedFat,  // g
  kCholesterol,   // mg
  kSodium,        // mg
  kCarbohydrate,  // g
  kFiber,         // g
  kSugars,        // g
  kProtein,       // g
  kVitaminA,      // IU
  kVitaminC,      // mg
  kCalcium,       // mg
  kIron,          // mg
  kValueCount
};

// A household measure: `amount` of `description` ("1", "cup") weighs `grams`.
struct Measure {
  float amount = 0;
  std::string description;
  float grams = 0;
  bool operator==(const Measure&) const = default;
};

struct Food {
  long number = 0;          // NDB_No
  int group = 0;            // FdGrp_Cd, e.g. 100 for "0100"
  bool survey = false;      // eaten commonly enough to be in the national food survey
  std::string description;  // Long_Desc, e.g. "Butter, salted"
  std::array<float, kValueCount> values{};  // NaN: the database gives no value
  std::vector<Measure> measures;

  bool hasValue(Value v) const { return !std::isnan(values[size_t(v)]); }
  // The value, 0 when the database gives none.
  float value(Value v) const { return hasValue(v) ? values[size_t(v)] : 0.0f; }
};

}  // namespace savora::usda
