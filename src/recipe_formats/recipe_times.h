// Preparation and cooking times as recipe files give them, and the lines a recipe's description
// keeps them in ("Preparation time: 1 hour 30 minutes"): the recipe record has no field of its
// own for them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace savora::recipe_formats {

// The minutes of an ISO 8601 duration ("PT1H30M", "P1DT2H", "PT90M", "PT0.5H"); nothing when
// the text is not one. Seconds are rounded to the nearest minute.
std::optional<long> iso8601Minutes(std::string_view duration);
// "1 hour 30 minutes", "45 minutes", "2 hours"; empty for 0 or less.
std::string durationText(long minutes);
// "Preparation time: 45 minutes" for a label and minutes; empty when there are none.
std::string timeLine(std::string_view label, long minutes);

}  // namespace savora::recipe_formats
