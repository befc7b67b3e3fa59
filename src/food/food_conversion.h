// Converting an amount of one food between any two units: volume to volume and weight to
// weight through the unit graph, across volume and weight through the brand's package pair or
// equivalences, and to and from counted items through the brand's per-item measures.
#pragma once

#include "food/brand.h"
#include "food/unit_conversion.h"

namespace savora::food {

// The amount in unit `to`, or -1 when it cannot be converted. Unit 0 counts items. Counted
// items to counted items pass unchanged: both the analysis and the shopping list read the
// result as a number of items.
float convertFood(ConversionList& units, float amount, long from, long to, const BrandInfo& brand);

}  // namespace savora::food
