// Unit names as the recipe text shows them: singular or plural, full name or abbreviation under
// the abbreviated-units switch, and the way back from typed text ("Eggs") to a unit.
#pragma once

#include <string>
#include <string_view>

namespace savora::food {

class UnitTable;

// The program-wide unit switches the naming depends on (the program keeps them in its
// settings; food code takes them as a value).
struct UnitSettings {
  // Units show their abbreviations, and no plural forms are made.
  bool abbreviatedUnits = false;
};

// The plural of a unit word: "dozen" (any letter case) and abbreviations ending in "." stay;
// words ending in s, x, z, ch or sh take "es" ("pinches", "glasses"); every other word "s".
std::string pluralize(std::string_view word);
// The way back: "dozen" stays; "es" goes where the stem takes it ("bunches"), otherwise the last
// letter (callers pass plurals only).
std::string singularize(std::string_view word);

// The unit's name (its abbreviation under the switch), plural when the quantity text calls for
// it and the switch is off. Empty when the unit is not found.
std::string unitNameForQuantity(UnitTable& units, std::string_view quantity, long uid,
                                UnitSettings settings);
// As above with the plural decided by the caller.
std::string unitNameForPlural(UnitTable& units, bool plural, long uid, UnitSettings settings);
// Always the full name, plural when asked, whatever the switch.
std::string unitFullNameForPlural(UnitTable& units, bool plural, long uid);

// The unit the text names (by name, or by abbreviation when asked). When the text is not found
// as typed and the switch is off, a plural ending ("s", or "es" after "box", "pouch", "dash")
// is taken off and the text looked up once more. 0 when not found.
long unitUidOfText(UnitTable& units, std::string_view text, bool byAbbreviation,
                   UnitSettings settings);

}  // namespace savora::food
