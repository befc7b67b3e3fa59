// The measures recipe text files write, as the kitchen names them: Meal-Master's fixed
// two-letter codes and MasterCook's common abbreviations become the full unit names ("c" and
// "c." a cup, "T" a tablespoon), so the import finds the kitchen's own units by name and asks
// nothing about them. Sizes ("lg", "large") are no unit: they become words in front of the
// ingredient. Anything else is kept as written and goes through the matching dialog.
#pragma once

#include <string>
#include <string_view>

namespace savora::recipe_formats {

struct TextMeasure {
  std::string unit;   // the unit's name; empty for none
  std::string words;  // text that goes in front of the ingredient instead ("large")
};

// A Meal-Master unit column ("T" is a tablespoon, "t" a teaspoon; other codes in any case).
TextMeasure mealMasterMeasure(std::string_view code);
// A MasterCook measure column: lower case, a final "." and the plural ending taken off
// ("Bunches" a bunch, "cups" a cup), then the abbreviations as for Meal-Master.
TextMeasure masterCookMeasure(std::string_view measure);
// A measure word of a line as a cook writes it ("2 tbsp butter"): a code or abbreviation of
// either format, a size, or a unit written out ("cups", "cloves"); empty for any other word.
TextMeasure knownMeasure(std::string_view word);
// The Meal-Master code of a unit or size word ("cup" "c", "teaspoon" "ts", "large" "lg"), read
// from its name or abbreviation as the kitchen writes it; empty when the format has none.
std::string mealMasterCode(std::string_view unit);

// The singular of a measure word: "dashes" → "dash", "boxes" → "box", "cups" → "cup";
// "glass" stays.
std::string singularMeasure(std::string_view word);

}  // namespace savora::recipe_formats
