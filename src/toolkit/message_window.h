// ZAF_MESSAGE_WINDOW: the modal message box of the program, given a title, an icon name, buttons
// and a text with "\r\n" line breaks.
#pragma once

#include <string>
#include <string_view>

#include "toolkit/user.h"

class QMessageBox;

namespace savora::toolkit {

class ZAF_MESSAGE_WINDOW {
 public:
  ZAF_MESSAGE_WINDOW(std::string_view title, std::string_view iconName, Buttons buttons,
                     std::string_view text);
  ~ZAF_MESSAGE_WINDOW();
  ZAF_MESSAGE_WINDOW(const ZAF_MESSAGE_WINDOW&) = delete;
  ZAF_MESSAGE_WINDOW& operator=(const ZAF_MESSAGE_WINDOW&) = delete;

  // Shows the window modally and returns the button pressed.
  Button Control();
  // The box itself (tests look at it and press its buttons).
  QMessageBox* box() const { return box_; }

 private:
  QMessageBox* box_;
  Buttons buttons_;
};

}  // namespace savora::toolkit
