// Counters kept between runs: "usage" in the program directory (program starts and six use
// counters of other windows) and "tip.cnt" in the title directory (the next tip video).
#pragma once

#include <optional>
#include <string>

namespace savora::app {

inline constexpr const char* kUsageFileName = "usage";
inline constexpr const char* kTipCounterFileName = "tip.cnt";

// The seven values of "usage", in file order.
struct UsageCounters {
  long programStarts = 0;  // raised by one at every start
  long brandWindow = 0;
  long recipeMedia = 0;
  long shoppingList = 0;
  long recipeSearch = 0;
  long email = 0;
  long recipeMediaAgain = 0;

  bool operator==(const UsageCounters&) const = default;
};

// The counters of "usage"; all 0 when the file is missing, and 0 for each line that is missing or
// does not hold one decimal integer.
UsageCounters readUsageCounters();
// Creates "usage" new with the seven counters, one decimal integer per line.
[[nodiscard]] bool writeUsageCounters(const UsageCounters& counters);

// The counter in "tip.cnt" of the title directory (a native or Windows-style folder name without
// a trailing separator); nothing when the file is missing or does not hold one decimal integer,
// so that the settings' tip counter stays in force.
std::optional<long> readTipCounter(const std::string& titleDirectory);
// Creates "tip.cnt" new in the title directory; false when it cannot be written (for example
// when the title directory does not exist).
[[nodiscard]] bool writeTipCounter(const std::string& titleDirectory, long counter);

}  // namespace savora::app
