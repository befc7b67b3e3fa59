// Conversion of amounts between units through the graph of unit definitions (1 unit = c other
// units), and the ladder of adjustable units on which scaled amounts move up and down.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

namespace savora::food {

// One unit as the conversions see it. The conversion factor is single precision, as every
// step of the graph search is.
struct ConversionEntry {
  long uid = 0;
  float factor = 0;          // 1 uid = factor conversionUnit; 0 none, -1 unreadable text
  long conversionUnit = 0;   // 0 none
  long adjust = 0;           // non-zero: the unit is a rung of the adjustment ladder
  long smallestMeasure = 0;  // largest fraction denominator used to write amounts of the unit
  long type = 0;             // 0 volume (and counting units such as "dozen"), 1 weight
  bool bulk = false;         // a quart or gallon: a measure of liquids, never of dry goods
  bool metric = false;       // grams, liters ...: amounts are written in decimals
  bool visited = false;      // graph search mark
};

// A snapshot of the unit table in name order, built for one operation (serving adjustment,
// shopping list, recipe window) and dropped afterwards: changes to the table meanwhile are not
// seen.
class ConversionList {
 public:
  ConversionList() = default;
  explicit ConversionList(std::vector<ConversionEntry> entries) : entries_(std::move(entries)) {}

  const std::vector<ConversionEntry>& entries() const { return entries_; }
  // The first entry of the unit; null when the list does not hold it.
  const ConversionEntry* entry(long uid) const;

  // The unit's type (0 volume, 1 weight); -1 for no unit or a unit the list does not hold.
  long typeOf(long uid) const;
  // Items one unit counts ("dozen": 12): its factor when it has no conversion unit, else 0.
  float countFactor(long uid) const;

  // The amount of `from` expressed in `to`; the amount itself when they are the same unit, -1
  // when no chain of definitions links them. Callers treat 0 or less as "cannot convert".
  float convert(float amount, long from, long to);

  // Moves the amount to the adjustable unit just smaller than `unit` (the smallest factor above
  // 1 and below 10000) or just larger (the largest factor below 1 and above 0); `unit` becomes
  // that unit. Ties go to the first in list order. -1, with `unit` unchanged, when there is none.
  float nextSmaller(float amount, long& unit);
  float nextLarger(float amount, long& unit);

 private:
  enum class Direction { Smaller, Larger };
  float step(float amount, long& unit, Direction direction);
  float search(float amount, long unit);
  ConversionEntry* find(long uid);

  std::vector<ConversionEntry> entries_;
  long target_ = 0;
};

}  // namespace savora::food
