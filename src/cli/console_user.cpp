#include "cli/console_user.h"

#include <string>

namespace savora::cli {

toolkit::Button ConsoleUser::message(std::string_view title, std::string_view,
                                     toolkit::Buttons buttons, std::string_view text) {
  std::string oneLine(text);
  for (size_t at; (at = oneLine.find("\r\n")) != std::string::npos;) oneLine.replace(at, 2, " ");
  err_ << title << ": " << oneLine << "\n";
  switch (buttons) {
    case toolkit::Buttons::Ok:
      return toolkit::Button::Ok;
    case toolkit::Buttons::YesNo:
      return toolkit::Button::No;
    default:
      return toolkit::Button::Cancel;
  }
}

}  // namespace savora::cli
