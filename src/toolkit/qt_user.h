// The User of the running program: real message boxes, the status window, the wait pointer and
// the common dialogs.
#pragma once

#include <QString>

#include "toolkit/user.h"

namespace savora::toolkit {

// Where a file dialog opens for a start folder or suggested path (see User::saveFileName).
QString fileDialogStart(std::string_view start);

class QtUser : public User {
 public:
  Button message(std::string_view title, std::string_view icon, Buttons buttons,
                 std::string_view text) override;
  void showStatus(std::string_view title, std::string_view text) override;
  void closeStatus() override;
  void beginWait() override;
  void endWait() override;
  void beep() override;
  std::optional<std::string> prompt(std::string_view title, std::string_view text, int maxLength,
                                    std::string_view preset) override;
  std::optional<std::string> openFileName(std::string_view title, std::string_view filter,
                                          std::string_view startFolder) override;
  std::optional<std::string> saveFileName(std::string_view title, std::string_view filter,
                                          std::string_view startFolder,
                                          Overwrite overwrite = Overwrite::Confirm) override;
  std::optional<LogFont> chooseFont(const LogFont& current) override;
};

}  // namespace savora::toolkit
