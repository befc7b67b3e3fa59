// Quantity text as cooks type it: reading it into a number (whole numbers, decimals, fractions,
// mixed numbers, ranges), telling whether it calls for a plural unit, and writing amounts back.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace savora::food {

class ConversionList;

// The number a quantity text stands for: 0 for empty text, -1 for text that is not a quantity.
// Ranges give their lower bound ("2-3" and "2 to 3" give 2); a dash whose right side is smaller
// makes a mixed number ("1-1/2" is 1.5). A tab within the text makes it unreadable.
// Only the first 31 characters are read.
double parseQuantity(std::string_view text);

// Windows-1252 holds the fractions 1/4, 1/2 and 3/4 as single characters; they read as typed
// out ("1\xBD" is "1 1/2").
std::string spellFractions(std::string_view text);

// True when a unit counted by this quantity text takes its plural form: the value is above 1,
// or the first range word or dash ("1 to 2", "1/2-2") reaches above 1.
bool isPluralQuantity(std::string_view text);

// The two ends of a range and the text between them ("-", " to ", " or ").
struct QuantityRange {
  double low = 0;
  double high = 0;
  std::string separator;
};
// The ends of a range text ("2-3", "2 to 3"); nullopt for one amount, for a mixed number
// ("1-1/2") and for ends that are not quantities.
std::optional<QuantityRange> parseRange(std::string_view text);

struct Fraction {
  long numerator = 1;
  long denominator = 1;
};

// The kitchen fraction nearest to f (0 <= f < 1) whose denominator is at most `limit`.
// Denominators 5, 6, 7 and 9 to 15 are only tried when they are the limit itself; ties keep
// the smaller denominator, and the result is reduced. A limit below 2 tries nothing and gives 1/1
// (no fraction). A result with numerator equal to its denominator (other than 1/1) means "round up
// to the next whole number".
Fraction nearestFraction(double f, long limit);

// The amount as a whole number and a kitchen fraction with denominators up to `limit`
// ("1 1/2", "3/4", "2"); empty when the amount rounds to 0.
std::string writeQuantity(double amount, long limit);

// An amount of the unit as a cook writes it without moving it to another unit: a metric unit in
// decimals to three significant digits ("1.5", "375", "62.5"), any other by writeNear.
std::string writeAmount(const ConversionList& list, double amount, long unit);

// The amount written with fractions up to `limit` when they come within 5% of it; otherwise with
// the finer kitchen fractions (up to sixteenths) when they come closer. Never empty for an
// amount above 0: below the smallest fraction it is that fraction.
std::string writeNear(double amount, long limit);

// Presents an amount of a unit the way a cook measures it: an adjustable unit moves along the
// ladder of adjustable units to the unit that reads best (48 teaspoons become 1 cup) and whose
// written amount is nearly exact (5 tablespoons at a quarter read "3 3/4 teaspoons", not "1
// tablespoon"); any other unit (grams, liters, a pinch) stays. Replaces `amount` and `unit`
// with the result and writes it with writeAmount.
std::string presentQuantity(ConversionList& list, double& amount, long& unit);

}  // namespace savora::food
