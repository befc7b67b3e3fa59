#include "usda/usda_source.h"

#include <cstdlib>
#include <limits>
#include <map>

#include "platform/file_ops.h"

namespace savora::usda {
namespace {

// Where each kept value sits in an ABBREV record (0-based field numbers).
constexpr std::array<int, kValueCount> kAbbrevColumns = {
    3,   // Energ_Kcal
    5,   // Lipid_Tot
    42,  // FA_Sat
    45,  // Cholestrl
    15,  // Sodium
    7,   // Carbohydrt
    8,   // Fiber_TD
    9,   // Sugar_Tot
    4,   // Protein
    32,  // Vit_A_IU
    20,  // Vit_C
    10,  // Calcium
    11,  // Iron
};
constexpr size_t kAbbrevFields = 51;

float number(const std::string& field) {
  if (field.empty()) return std::numeric_limits<float>::quiet_NaN();
  return std::strtof(field.c_str(), nullptr);
}

// Calls `record` with the fields of every non-empty line.
template <typename F>
void forEachRecord(std::string_view text, F record) {
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty()) record(sourceFields(line));
    start = end + 1;
  }
}

}  // namespace

std::vector<std::string> sourceFields(std::string_view line) {
  std::vector<std::string> fields;
  size_t start = 0;
  while (true) {
    const size_t end = line.find('^', start);
    std::string_view field = line.substr(start, end == std::string_view::npos ? end : end - start);
    if (field.size() >= 2 && field.front() == '~' && field.back() == '~')
      field = field.substr(1, field.size() - 2);
    else if (field == "~")
      field = {};
    fields.emplace_back(field);
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return fields;
}

std::vector<Food> foodsFromSource(std::string_view abbrev, std::string_view descriptions,
                                  std::string_view weights) {
  std::map<long, Food> foods;
  forEachRecord(abbrev, [&](const std::vector<std::string>& f) {
    if (f.size() < kAbbrevFields) return;
    Food food;
    food.number = std::atol(f[0].c_str());
    food.description = f[1];  // replaced by the long description below
    for (int v = 0; v < kValueCount; ++v)
      food.values[size_t(v)] = number(f[size_t(kAbbrevColumns[size_t(v)])]);
    foods[food.number] = std::move(food);
  });
  forEachRecord(descriptions, [&](const std::vector<std::string>& f) {
    if (f.size() < 7) return;
    const auto found = foods.find(std::atol(f[0].c_str()));
    if (found == foods.end()) return;
    found->second.group = std::atoi(f[1].c_str());
    found->second.description = f[2];
    found->second.survey = f[6] == "Y";
  });
  forEachRecord(weights, [&](const std::vector<std::string>& f) {
    if (f.size() < 5) return;
    const auto found = foods.find(std::atol(f[0].c_str()));
    if (found == foods.end()) return;
    const Measure m{std::strtof(f[2].c_str(), nullptr), f[3], std::strtof(f[4].c_str(), nullptr)};
    if (m.amount > 0 && m.grams > 0) found->second.measures.push_back(m);
  });
  std::vector<Food> list;
  list.reserve(foods.size());
  for (auto& [number, food] : foods) list.push_back(std::move(food));
  return list;
}

std::optional<std::vector<Food>> readSourceFolder(const std::string& folder) {
  const auto abbrev = platform::readWholeFile(folder + "ABBREV.txt");
  const auto descriptions = platform::readWholeFile(folder + "FOOD_DES.txt");
  const auto weights = platform::readWholeFile(folder + "WEIGHT.txt");
  if (!abbrev || !descriptions || !weights) return std::nullopt;
  return foodsFromSource(*abbrev, *descriptions, *weights);
}

}  // namespace savora::usda
