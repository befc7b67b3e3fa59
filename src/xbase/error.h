// The one exception type of the table library. Its message says what was being done, on which
// file (and record or offset where that helps), and why it failed. Lookups that merely find
// nothing never throw; they return a not-found value.
#pragma once

#include <stdexcept>
#include <string>

namespace savora::xbase {

class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// Throws an Error whose message is formatted like printf.
[[noreturn]] void raise(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace savora::xbase
