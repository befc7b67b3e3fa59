// The USDA foods as the ingredient and brand windows reach them. The program hands a lookup in,
// so the food windows do not depend on the USDA layer above them; without one (an empty lookup)
// the windows' USDA button does nothing.
#pragma once

#include <functional>
#include <string>

#include "food/brand.h"

namespace savora::food {

struct UsdaLookup {
  // Gets the brand filled from the food the user chose.
  using Chosen = std::function<void(BrandRecord brand)>;

  // Asks the user for a USDA food (`question`, with `words` typed at the start); `chosen` then
  // gets a new brand of ingredient `ingredient` made from the food.
  std::function<void(const std::string& question, const std::string& words, long ingredient,
                     Chosen chosen)>
      newBrand;
  // As newBrand, but `chosen` gets `brand` with the food's values.
  std::function<void(const std::string& question, const std::string& words,
                     const BrandRecord& brand, Chosen chosen)>
      refill;
};

}  // namespace savora::food
