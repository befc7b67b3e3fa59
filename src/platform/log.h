// The log of failures nobody can be shown: a write whose loss does no harm (a usage counter, a
// crash marker), an error met while an object is destroyed. Each goes to standard error as one
// line with the time. Failures the user must learn of go through the user's door instead.
#pragma once

#include <string_view>

namespace savora::platform {

// Writes "savora99 YYYY-MM-DD HH:MM:SS: what" to standard error.
void logFailure(std::string_view what);
// Logs `what` when `done` is false: for a change of the disk whose failure does no harm.
void logIfFailed(bool done, std::string_view what);

}  // namespace savora::platform
