// The user of the benchmarks: answers every question with its first button and shows nothing.
#pragma once

#include "toolkit/user.h"

namespace savora::bench {

class SilentUser : public toolkit::User {
 public:
  toolkit::Button message(std::string_view, std::string_view, toolkit::Buttons buttons,
                          std::string_view) override {
    return buttons == toolkit::Buttons::Ok || buttons == toolkit::Buttons::OkCancel
               ? toolkit::Button::Ok
               : toolkit::Button::Yes;
  }
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
};

}  // namespace savora::bench
