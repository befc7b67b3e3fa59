#include "food/food_conversion.h"

#include <algorithm>
#include <vector>

#include "food/quantity.h"

namespace savora::food {
namespace {

constexpr long kVolume = 0;
constexpr long kWeight = 1;

// Volume amount / weight amount of a pair; a weight of 0 and a ratio of 0 count as 1.
float volumeToWeightRatio(const Equivalence& pair) {
  const float volume = float(parseQuantity(pair.volume));
  float weight = float(parseQuantity(pair.weight));
  if (weight == 0) weight = 1;
  const float r = volume / weight;
  return r == 0 ? 1 : r;
}

bool usable(const Equivalence& pair) {
  // A pair whose amounts cannot be read says nothing (its ratio would come out as 1).
  return pair.complete() && parseQuantity(pair.volume) >= 0 && parseQuantity(pair.weight) >= 0;
}

// Crosses between volume and weight through a complete pair measured in the amount's own unit
// (a teaspoon weighed as a teaspoon, not as a share of the cup), else through the first complete
// pair whose own unit the amount converts into.
float crossVolumeAndWeight(ConversionList& units, float amount, long from, long to,
                           const BrandInfo& brand, bool fromVolume) {
  std::vector<const Equivalence*> pairs;
  for (const Equivalence* pair : brand.pairs()) {
    if (usable(*pair)) pairs.push_back(pair);
  }
  std::stable_partition(pairs.begin(), pairs.end(), [&](const Equivalence* pair) {
    return (fromVolume ? pair->volumeUnit : pair->weightUnit) == from;
  });
  for (const Equivalence* pair : pairs) {
    const long ownFrom = fromVolume ? pair->volumeUnit : pair->weightUnit;
    const float x = units.convert(amount, from, ownFrom);
    if (x <= 0) continue;
    const float r = volumeToWeightRatio(*pair);
    return fromVolume ? units.convert(x / r, pair->weightUnit, to)
                      : units.convert(x * r, pair->volumeUnit, to);
  }
  return -1;
}

// Items in an amount of a measured unit, given the measure of one item.
float itemsIn(ConversionList& units, float amount, long from, const PerItem& perItem) {
  const float measured = units.convert(amount, from, perItem.unit);
  return measured < 0 ? -1 : measured / float(perItem.amount);
}

}  // namespace

float convertFood(ConversionList& units, float amount, long from, long to, const BrandInfo& brand) {
  const long fromType = units.typeOf(from);
  const long toType = units.typeOf(to);
  const PerItem& weight = brand.weightPerItem;
  const PerItem& volume = brand.volumePerItem;

  if (from == 0 && to == 0) return amount;
  if (from == 0) {
    if (toType == kWeight && weight.known())
      return units.convert(amount * float(weight.amount), weight.unit, to);
    if (toType == kVolume && volume.known())
      return units.convert(amount * float(volume.amount), volume.unit, to);
    const float perUnit = toType == kVolume ? units.countFactor(to) : 0;
    return perUnit != 0 ? amount / perUnit : -1;
  }
  if (to == 0) {
    if (fromType == kWeight && weight.known()) return itemsIn(units, amount, from, weight);
    if (fromType == kVolume && volume.known()) return itemsIn(units, amount, from, volume);
    const float perUnit = fromType == kVolume ? units.countFactor(from) : 0;
    return perUnit != 0 ? perUnit * amount : -1;
  }
  if (fromType == toType) return units.convert(amount, from, to);
  if (fromType == kVolume && toType == kWeight)
    return crossVolumeAndWeight(units, amount, from, to, brand, true);
  if (fromType == kWeight && toType == kVolume)
    return crossVolumeAndWeight(units, amount, from, to, brand, false);
  return -1;
}

}  // namespace savora::food
