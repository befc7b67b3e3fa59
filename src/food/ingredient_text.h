// An ingredient line as a cook writes it ("2 tbsp butter, melted", "1 1/2 cups milk",
// "3 large eggs", "1 (14.5 oz) can tomatoes", "salt to taste"), cut into the parts of a recipe
// line: quantity, unit, the words before the ingredient, the ingredient and its preparation.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace savora::food {

struct IngredientText {
  std::string quantity;     // "1 1/2"; empty when the line starts with no amount
  std::string unit;         // the unit as the measure reader named it; empty for none
  std::string words;        // before the ingredient: a size ("large") or a package size "(16 oz)"
  std::string ingredient;   // "butter"
  std::string preparation;  // from the first comma on, comma included: ", melted"
  bool operator==(const IngredientText&) const = default;
};

// What a word of the line stands for: the unit it names ("tbsp" names "tablespoon"), or words
// that go before the ingredient ("lg" means "large"); both empty when it is neither.
struct MeasureWord {
  std::string unit;
  std::string words;
};
using MeasureReader = std::function<MeasureWord(std::string_view word)>;

// Cuts one line. A unit is taken only right after the amount (or after a package size in
// parentheses), one or two words long, when the reader knows it; a following "of" is dropped.
// An amount joined to its unit ("250g", "2tbsp") is taken apart. List marks in front of the line
// ("-", "*", a bullet) are dropped.
IngredientText splitIngredientText(std::string_view line, const MeasureReader& measure);

// Fractions web pages and mail write as single UTF-8 characters, typed out so amounts read
// them: "1½" becomes "1 1/2", "⅓" becomes "1/3".
std::string withFractionsTypedOut(std::string_view utf8);

// True when the text reads as nothing but an amount ("2", "1 1/2", "2-3", "1 to 2").
bool isAmountOnly(std::string_view text);

}  // namespace savora::food
