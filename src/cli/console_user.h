// The person behind the command line: messages go to the error stream, questions take their
// safe answer (No, Cancel), and no dialog is ever shown.
#pragma once

#include <ostream>

#include "toolkit/user.h"

namespace savora::cli {

class ConsoleUser : public toolkit::User {
 public:
  explicit ConsoleUser(std::ostream& err) : err_(err) {}

  toolkit::Button message(std::string_view title, std::string_view icon, toolkit::Buttons buttons,
                          std::string_view text) override;
  void showStatus(std::string_view, std::string_view) override {}
  void closeStatus() override {}
  void beginWait() override {}
  void endWait() override {}
  void beep() override {}
  std::optional<std::string> prompt(std::string_view, std::string_view, int,
                                    std::string_view) override {
    return std::nullopt;
  }
  std::optional<std::string> openFileName(std::string_view, std::string_view,
                                          std::string_view) override {
    return std::nullopt;
  }
  std::optional<std::string> saveFileName(
      std::string_view, std::string_view, std::string_view,
      toolkit::Overwrite = toolkit::Overwrite::Confirm) override {
    return std::nullopt;
  }
  std::optional<toolkit::LogFont> chooseFont(const toolkit::LogFont&) override {
    return std::nullopt;
  }

 private:
  std::ostream& err_;
};

}  // namespace savora::cli
