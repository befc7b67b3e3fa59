// Merging the exchange menus ("weekx") into the user's menus at the end of the catalogue pass.
#pragma once

#include <functional>
#include <optional>

#include "planning/week_table.h"

namespace savora::exchange {

// Adds each exchange menu whose name the user's menus lack, its entries pointing at the new
// UIDs of their recipes (`newUidOf`: -1 for a recipe skipped as a duplicate, nothing for one the
// archive does not carry; both entries are dropped) and its media list re-homed.
void mergeMenus(store::TableStore& store, planning::WeekTable& menus,
                const std::function<std::optional<long>(long)>& newUidOf);

}  // namespace savora::exchange
