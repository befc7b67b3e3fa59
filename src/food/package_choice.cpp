#include "food/package_choice.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "food/brand_table.h"
#include "food/food_conversion.h"
#include "food/quantity.h"
#include "platform/text.h"

namespace savora::food {
namespace {

constexpr size_t kMaxCandidates = 200;

struct Candidate {
  BrandInfo brand;
  double count = 0;  // packages needed for the amount
};

double packageSize(const BrandInfo& brand) {
  const double size = parseQuantity(brand.packageSize);
  return size <= 0 ? 1 : size;
}

double fractionalPart(double value) {
  return value - std::floor(value);
}

// Puts the best candidate first.
void order(std::vector<Candidate>& candidates, bool preferOne) {
  auto byCount = [](const Candidate& a, const Candidate& b) { return a.count < b.count; };
  if (preferOne) {
    for (Candidate& c : candidates) c.count = std::fabs(c.count - 1);
    std::stable_sort(candidates.begin(), candidates.end(), byCount);
    return;
  }
  std::stable_sort(candidates.begin(), candidates.end(), byCount);
  if (candidates.front().count >= 1) {
    // The package size that divides the amount most evenly.
    std::stable_sort(candidates.begin(), candidates.end(), [](const auto& a, const auto& b) {
      return fractionalPart(a.count) < fractionalPart(b.count);
    });
    return;
  }
  // The smallest package that still holds the whole amount.
  auto last = candidates.begin();
  for (auto it = candidates.begin(); it != candidates.end(); ++it) {
    if (it->count <= 1) last = it;
  }
  std::rotate(candidates.begin(), last, last + 1);
}

}  // namespace

bool choosePackage(ConversionList& units, BrandTable& brands, PackageNeed& need,
                   PackageSwitches switches) {
  const BrandInfo given = brands.information(need.brand);
  if (given.empty()) return false;
  const long ingredient = brands.ingredientOf(need.brand);
  const std::vector<long> sameFood = brands.brandsOf(ingredient);

  std::optional<BrandInfo> chosen;
  std::vector<Candidate> candidates;
  for (long uid : sameFood) {
    BrandInfo brand = brands.information(uid);
    const bool sameName = platform::equalsIgnoreCase(brand.name, given.name);
    if (!switches.takeAnyName && !sameName && !switches.takeDivisible) continue;
    if (switches.takeDivisible && brand.divisible) {
      chosen = std::move(brand);
      break;
    }
    if (brand.divisible || !(sameName || switches.ignoreName)) continue;
    const float q = convertFood(units, float(need.amount), need.unit, brand.packageUnit, brand);
    if (q <= 0) continue;
    const double count = q / packageSize(brand);
    if (count == 1.0) {
      chosen = std::move(brand);
      break;
    }
    if (candidates.size() < kMaxCandidates) candidates.push_back({std::move(brand), count});
  }

  if (!chosen) {
    if (candidates.size() < 2 && !(switches.preferOne && !candidates.empty())) return false;
    order(candidates, switches.preferOne);
    chosen = candidates.front().brand;
  }
  need.amount = convertFood(units, float(need.amount), need.unit, chosen->packageUnit, *chosen);
  need.unit = chosen->packageUnit;
  need.brand = chosen->uid;
  return true;
}

}  // namespace savora::food
