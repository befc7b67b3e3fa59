#include "app/usage_counters.h"

#include <array>

#include "app/run_file_text.h"
#include "platform/file_ops.h"
#include "platform/program_dirs.h"
#include "platform/text.h"

namespace savora::app {
namespace {

std::string usagePath() {
  return platform::programDirectory() + kUsageFileName;
}

std::string tipCounterPath(const std::string& titleDirectory) {
  return titleDirectory + "\\" + kTipCounterFileName;
}

// The counters in file order, for reading and writing them alike.
std::array<long*, 7> fields(UsageCounters& c) {
  return {&c.programStarts, &c.brandWindow, &c.recipeMedia,     &c.shoppingList,
          &c.recipeSearch,  &c.email,       &c.recipeMediaAgain};
}

}  // namespace

UsageCounters readUsageCounters() {
  UsageCounters counters;
  const auto text = platform::readWholeFile(usagePath());
  if (!text) return counters;
  const auto lines = splitLines(*text);
  const auto values = fields(counters);
  for (size_t i = 0; i < values.size() && i < lines.size(); ++i) {
    *values[i] = parseLong(lines[i]).value_or(0);
  }
  return counters;
}

bool writeUsageCounters(const UsageCounters& counters) {
  UsageCounters copy = counters;
  std::string text;
  for (const long* value : fields(copy)) text += platform::formatText("%ld\n", *value);
  return platform::writeWholeFile(usagePath(), text);
}

std::optional<long> readTipCounter(const std::string& titleDirectory) {
  const auto text = platform::readWholeFile(tipCounterPath(titleDirectory));
  if (!text) return std::nullopt;
  const auto lines = splitLines(*text);
  if (lines.empty()) return std::nullopt;
  return parseLong(lines[0]);
}

bool writeTipCounter(const std::string& titleDirectory, long counter) {
  return platform::writeWholeFile(tipCounterPath(titleDirectory),
                                  platform::formatText("%ld\n", counter));
}

}  // namespace savora::app
