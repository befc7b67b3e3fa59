#include "toolkit/user.h"

#include <cstdarg>

#include "platform/text.h"

namespace savora::toolkit {

std::string suggestedFileName(std::string_view name, std::string_view extension,
                              std::string_view fallback) {
  std::string cleaned;
  for (const char c : name) {
    const bool unfit = c == '/' || c == '\\' || c == ':' || static_cast<unsigned char>(c) < 32;
    cleaned += unfit ? '-' : c;
  }
  cleaned = platform::trim(cleaned);
  // A name of dots alone would name the folder itself or its parent.
  if (cleaned.find_first_not_of('.') == std::string::npos) cleaned = fallback;
  return cleaned + std::string(extension);
}

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
