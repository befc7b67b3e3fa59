// OK in the unit information window: the typed entries are checked, then the unit is written
// unless nothing changed. A name or abbreviation that another unit has is refused for a new unit;
// an existing unit given another unit's name (or abbreviation) may be merged into that unit: the
// user is asked, and Yes moves every recipe line over and deletes the edited unit.
#pragma once

#include <string>

#include "food/unit_table.h"
#include "store/recipe_table.h"
#include "toolkit/user.h"

namespace savora::food {

// Smallest measures accepted: 1 writes whole numbers only, 64 goes down to 64ths.
inline constexpr long kMinimumSmallestMeasure = 1;
inline constexpr long kMaximumSmallestMeasure = 64;

// The unit window's entries as typed.
struct UnitEntries {
  std::string name;  // a plural "s" is dropped
  std::string abbreviation;
  long type = kVolumeUnit;
  std::string conversion;       // "1 unit = conversion conversionUnit"
  long conversionUnit = 0;
  std::string smallestMeasure;  // a whole number from 1 to 64
  bool adjust = false;
};

// What OK came to: whether the window may close, and the unit the list then shows current when
// the units changed (0 when they did not).
struct UnitSaved {
  bool done = false;
  long changed = 0;
};

// Checks and saves unit `uid` (0: a new unit) as loaded into the window, telling the user what is
// wrong with the entries.
UnitSaved saveUnit(UnitTable& units, store::RecipeTable& recipes, toolkit::User& user, long uid,
                   const UnitRecord& loaded, const UnitEntries& entries);

}  // namespace savora::food
