#include "food/brand.h"

#include <cstdlib>
#include <optional>

#include "food/quantity.h"
#include "platform/text.h"

namespace savora::food {
namespace {

constexpr long kVolume = 0;
constexpr long kWeight = 1;

// The package size read as a plain decimal number: the digits up to the first character that
// cannot belong to one ("16 oz" reads 16).
double leadingNumber(const std::string& text) {
  return std::strtod(text.c_str(), nullptr);
}

// "a / b" of two quantity texts when both are readable amounts above 0. An unreadable side
// makes its equivalence useless instead of giving a nonsense measure.
std::optional<double> ratio(const std::string& numerator, const std::string& denominator) {
  const double n = parseQuantity(numerator);
  const double d = parseQuantity(denominator);
  if (n <= 0 || d <= 0) return std::nullopt;
  return n / d;
}

// The weight of one item from an equivalence "N items weigh W": the volume side counts items.
std::optional<PerItem> weightPerItem(const Equivalence& e) {
  if (e.volume.empty() || e.volumeUnit != 0 || e.weight.empty() || e.weightUnit == 0) return {};
  const auto r = ratio(e.weight, e.volume);
  if (!r) return {};
  return PerItem{*r, e.weightUnit};
}

// The volume of one item from an equivalence "V makes N items": the weight side counts items.
std::optional<PerItem> volumePerItem(const Equivalence& e) {
  if (e.weight.empty() || e.weightUnit != 0 || e.volume.empty() || e.volumeUnit == 0) return {};
  const auto r = ratio(e.volume, e.weight);
  if (!r) return {};
  return PerItem{*r, e.volumeUnit};
}

Equivalence packagePair(const BrandRecord& r, const UnitTypeOf& unitType) {
  const long packageType = r.packageUnit == 0 ? -1 : unitType(r.packageUnit);
  const long servingType = r.servingUnit == 0 ? -1 : unitType(r.servingUnit);
  const std::string packageSide = platform::formatText("%6.2f", leadingNumber(r.packageSize));
  const std::string servingsSide =
      platform::formatText("%7.1f", parseQuantity(r.serving) * r.servingsInPackage);
  if (packageType == kVolume && servingType == kWeight)
    return {packageSide, r.packageUnit, servingsSide, r.servingUnit};
  if (packageType == kWeight && servingType == kVolume)
    return {servingsSide, r.servingUnit, packageSide, r.packageUnit};
  return {};
}

}  // namespace

bool Equivalence::complete() const {
  return !volume.empty() && volumeUnit != 0 && !weight.empty() && weightUnit != 0;
}

bool brandRecordsDiffer(const BrandRecord& a, const BrandRecord& b) {
  return a.uid != b.uid || a.group != b.group || a.name != b.name || a.price != b.price ||
         a.packageSize != b.packageSize || a.packageUnit != b.packageUnit ||
         a.divisible != b.divisible || a.serving != b.serving || a.servingUnit != b.servingUnit ||
         a.servingsInPackage != b.servingsInPackage || a.upc != b.upc ||
         a.equivalence1 != b.equivalence1 || a.equivalence2 != b.equivalence2 ||
         a.nutrients != b.nutrients;
}

BrandInfo brandInformation(const BrandRecord& r, const UnitTypeOf& unitType) {
  BrandInfo info;
  info.uid = r.uid;
  info.name = r.name;
  info.packagePair = packagePair(r, unitType);
  info.equivalence1 = r.equivalence1;
  info.equivalence2 = r.equivalence2;
  info.price = float(r.price);
  info.packageSize = r.packageSize;
  info.packageUnit = r.packageUnit;
  info.divisible = r.divisible;
  info.group = r.group;
  info.serving = r.serving;
  info.servingUnit = r.servingUnit;
  info.nutrients = r.nutrients;

  // A package of counted servings ("12 eggs in 24 ounces") gives the measure of one item.
  if (!r.packageSize.empty() && r.packageUnit != 0 && !r.serving.empty() && r.servingUnit == 0 &&
      r.servingsInPackage != 0) {
    const double items = parseQuantity(r.serving) * r.servingsInPackage;
    const double package = parseQuantity(r.packageSize);
    if (items > 0 && package > 0) {
      const PerItem perItem{package / items, r.packageUnit};
      (unitType(r.packageUnit) == kWeight ? info.weightPerItem : info.volumePerItem) = perItem;
    }
  }
  // The equivalences say it more directly and win over the package.
  if (auto w = weightPerItem(r.equivalence1)) {
    info.weightPerItem = *w;
  } else if (auto w2 = weightPerItem(r.equivalence2)) {
    info.weightPerItem = *w2;
  }
  if (auto v = volumePerItem(r.equivalence1)) {
    info.volumePerItem = *v;
  } else if (auto v2 = volumePerItem(r.equivalence2)) {
    info.volumePerItem = *v2;
  }
  return info;
}

double priceOfAmount(const BrandInfo& brand, double amount) {
  double size = parseQuantity(brand.packageSize);
  if (size <= 0) size = 1;
  return amount / size * brand.price;
}

}  // namespace savora::food
