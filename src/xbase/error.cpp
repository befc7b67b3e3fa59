#include "xbase/error.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace savora::xbase {

void raise(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  const int length = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::vector<char> text(size_t(length > 0 ? length : 0) + 1);
  std::vsnprintf(text.data(), text.size(), format, args);
  va_end(args);
  throw Error(std::string(text.data()));
}

}  // namespace savora::xbase
