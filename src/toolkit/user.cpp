#include "toolkit/user.h"

#include <cstdarg>

#include "platform/text.h"

namespace savora::toolkit {

void statusWindow(User& user, const char* title, const char* format, ...) {
  if (!title && !format) {
    user.closeStatus();
    return;
  }
  std::string text;
  if (format) {
    va_list args;
    va_start(args, format);
    text = platform::formatTextV(format, args);
    va_end(args);
  }
  user.showStatus(title ? title : "", text);
}

}  // namespace savora::toolkit
