#include "recipe_formats/text_measures.h"

#include <array>
#include <span>
#include <utility>

#include "recipe_formats/text_lines.h"

namespace savora::recipe_formats {
namespace {

using Names = std::pair<std::string_view, std::string_view>;

// Meal-Master's codes (lower case; "T" is read before folding) with the kitchen's names.
constexpr std::array<Names, 28> kMealMasterUnits = {{
    {"t", "teaspoon"},    {"ts", "teaspoon"},  {"tb", "tablespoon"}, {"c", "cup"},
    {"pt", "pint"},       {"qt", "quart"},     {"ga", "gallon"},     {"fl", "fluid ounce"},
    {"oz", "ounce"},      {"lb", "pound"},     {"ml", "milliliter"}, {"cb", "cubic centimeter"},
    {"cl", "centiliter"}, {"dl", "deciliter"}, {"l", "liter"},       {"mg", "milligram"},
    {"cg", "centigram"},  {"dg", "decigram"},  {"g", "gram"},        {"kg", "kilogram"},
    {"cn", "can"},        {"pk", "package"},   {"pn", "pinch"},      {"dr", "drop"},
    {"ds", "dash"},       {"ct", "carton"},    {"bn", "bunch"},      {"sl", "slice"},
}};

// Codes that are words of the line rather than units.
constexpr std::array<Names, 5> kMealMasterWords = {
    {{"sm", "small"}, {"md", "medium"}, {"lg", "large"}, {"ea", "each"}, {"x", "per serving"}}};

// MasterCook's abbreviations beyond Meal-Master's codes.
constexpr std::array<Names, 9> kMasterCookUnits = {{{"tsp", "teaspoon"},
                                                    {"tbsp", "tablespoon"},
                                                    {"tbs", "tablespoon"},
                                                    {"tbl", "tablespoon"},
                                                    {"pkg", "package"},
                                                    {"gal", "gallon"},
                                                    {"lbs", "pound"},
                                                    {"ozs", "ounce"},
                                                    {"doz", "dozen"}}};

constexpr std::array<std::string_view, 3> kSizes = {"small", "medium", "large"};

// Units cooks write out in full that are not the name of a code above.
constexpr std::array<std::string_view, 17> kSpelledUnits = {
    "clove",    "stick",  "head",  "sprig", "piece", "jar",     "bottle",    "box",  "bag",
    "envelope", "packet", "sheet", "stalk", "cube",  "handful", "container", "dozen"};

template <size_t N>
std::string_view lookUp(const std::array<Names, N>& table, std::string_view key) {
  for (const auto& [code, name] : table) {
    if (code == key) return name;
  }
  return {};
}

// The measure for a lower-case abbreviation known to either format; empty when unknown.
TextMeasure known(std::string_view code) {
  if (const std::string_view words = lookUp(kMealMasterWords, code); !words.empty())
    return {"", std::string(words)};
  if (const std::string_view unit = lookUp(kMealMasterUnits, code); !unit.empty())
    return {std::string(unit), ""};
  return {};
}

}  // namespace

std::string singularMeasure(std::string_view word) {
  if (word.size() < 3 || !word.ends_with('s') || word.ends_with("ss")) return std::string(word);
  const std::string_view stem = word.substr(0, word.size() - 2);
  const bool takesEs =
      word.ends_with("es") && (stem.ends_with("sh") || stem.ends_with("ch") ||
                               stem.ends_with('x') || stem.ends_with('s') || stem.ends_with('z'));
  return std::string(word.substr(0, word.size() - (takesEs ? 2 : 1)));
}

std::string mealMasterCode(std::string_view unit) {
  const TextMeasure measure = masterCookMeasure(unit);
  // A unit takes a unit code, a size word a size code: "each" is no "ea", which reads as a word.
  const bool isUnit = !measure.unit.empty();
  const std::string_view wanted = isUnit ? measure.unit : measure.words;
  if (wanted.empty()) return {};
  // The longest code of a name: "ts" rather than "t", which some files use for a tablespoon.
  std::string_view code;
  for (const auto& [candidate, name] : isUnit ? std::span<const Names>(kMealMasterUnits)
                                              : std::span<const Names>(kMealMasterWords)) {
    if (name == wanted && candidate.size() > code.size()) code = candidate;
  }
  return std::string(code);
}

TextMeasure mealMasterMeasure(std::string_view code) {
  if (code.empty()) return {};
  if (code == "T") return {"tablespoon", ""};
  const std::string lower = lowerCp1252(code);
  TextMeasure measure = known(lower);
  if (measure.unit.empty() && measure.words.empty()) measure.unit = lower;
  return measure;
}

TextMeasure masterCookMeasure(std::string_view text) {
  std::string lower = lowerCp1252(trimBlanks(text));
  while (lower.ends_with('.')) lower.pop_back();
  if (lower.empty()) return {};
  for (const std::string& word : {lower, singularMeasure(lower)}) {
    if (std::string_view unit = lookUp(kMasterCookUnits, word); !unit.empty())
      return {std::string(unit), ""};
    for (std::string_view size : kSizes) {
      if (word == size) return {"", word};
    }
    if (TextMeasure measure = known(word); !measure.unit.empty() || !measure.words.empty())
      return measure;
  }
  return {singularMeasure(lower), ""};
}

TextMeasure knownMeasure(std::string_view word) {
  if (word == "T") return {"tablespoon", ""};
  std::string lower = lowerCp1252(trimBlanks(word));
  while (lower.ends_with('.')) lower.pop_back();
  if (lower.empty()) return {};
  if (lower == "fl oz" || lower == "fl. oz") return {"fluid ounce", ""};
  if (lower == "litre" || lower == "litres") return {"liter", ""};
  if (lower == "millilitre" || lower == "millilitres") return {"milliliter", ""};
  for (const std::string& form : {lower, singularMeasure(lower)}) {
    if (std::string_view unit = lookUp(kMasterCookUnits, form); !unit.empty())
      return {std::string(unit), ""};
    for (std::string_view size : kSizes) {
      if (form == size) return {"", form};
    }
    if (TextMeasure measure = known(form); !measure.unit.empty() || !measure.words.empty())
      return measure;
    for (const auto& [code, name] : kMealMasterUnits) {
      if (form == name) return {form, ""};
    }
    for (std::string_view name : kSpelledUnits) {
      if (form == name) return {form, ""};
    }
  }
  return {};
}

}  // namespace savora::recipe_formats
