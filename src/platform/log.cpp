#include "platform/log.h"

#include <cstdio>
#include <ctime>

namespace savora::platform {

void logFailure(std::string_view what) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  char stamp[32] = "";
  if (localtime_r(&now, &local)) std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);
  std::fprintf(stderr, "savora99 %s: %.*s\n", stamp, int(what.size()), what.data());
}

void logIfFailed(bool done, std::string_view what) {
  if (!done) logFailure(what);
}

}  // namespace savora::platform
