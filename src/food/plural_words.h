// Telling a plural from a singular in names as cooks type them ("cups", "eggs", "tomatoes"), so
// that a typed plural finds the listed singular and a new name goes on the lists singular.
#pragma once

#include <string>
#include <string_view>

namespace savora::food {

// True when the word ends the way English plurals do: in "s", but not in "ss", "us" or "is".
bool looksPlural(std::string_view word);

// The singular an ingredient name most likely has ("berries" → "berry", "tomatoes" → "tomato",
// "peaches" → "peach", "eggs" → "egg"); empty when the word does not look plural.
std::string singularOf(std::string_view word);

}  // namespace savora::food
