// The User of tests: records every message, status change and dialog, answers from queues, and
// fails the test on a message nobody expected (or an expectation nobody met).
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/user.h"

namespace savora::testing {

class ScriptedUser : public toolkit::User {
 public:
  struct Message {
    std::string title;
    std::string icon;
    toolkit::Buttons buttons;
    std::string text;
  };
  struct Status {
    std::string title;
    std::string text;
  };

  ~ScriptedUser() override;

  // The next message must have this title and text (exactly); it is answered with `answer`.
  void expectMessage(std::string title, std::string text,
                     toolkit::Button answer = toolkit::Button::Ok);
  // The next message is answered with `answer`, whatever it says.
  void answerNextMessage(toolkit::Button answer);
  // While set, a message nothing was queued for is answered with `answer` instead of failing:
  // for runs whose messages cannot be foreseen, such as a process dying part way.
  void answerUnforeseen(std::optional<toolkit::Button> answer) { unforeseen_ = answer; }
  // The next message must have this title, whatever its text.
  void expectTitle(std::string title, toolkit::Button answer = toolkit::Button::Ok);
  void answerPrompt(std::optional<std::string> answer);
  void answerFileDialog(std::optional<std::string> answer);
  void answerFont(std::optional<toolkit::LogFont> answer);
  // Fails the test when queued expectations were not met; the destructor checks too.
  void verifyAllAnswered();

  const std::vector<Message>& messages() const { return messages_; }
  // Called with every message after it is answered (a test may post events from here).
  std::function<void(const Message&)> onMessage;
  // Every title/text the status window showed, in order, and whether it is shown now.
  const std::vector<Status>& statusHistory() const { return statusHistory_; }
  bool statusShown() const { return statusShown_; }
  int waitDepth() const { return waitDepth_; }
  int beeps() const { return beeps_; }
  // Titles of the dialogs that were opened (prompt, file dialogs), in order.
  const std::vector<std::string>& dialogs() const { return dialogs_; }
  // Where each file dialog started (its start folder or suggested path), in order.
  const std::vector<std::string>& fileDialogStarts() const { return fileDialogStarts_; }

  toolkit::Button message(std::string_view title, std::string_view icon, toolkit::Buttons buttons,
                          std::string_view text) override;
  void showStatus(std::string_view title, std::string_view text) override;
  void closeStatus() override;
  void beginWait() override { ++waitDepth_; }
  void endWait() override { --waitDepth_; }
  void beep() override { ++beeps_; }
  std::optional<std::string> prompt(std::string_view title, std::string_view text, int maxLength,
                                    std::string_view preset) override;
  std::optional<std::string> openFileName(std::string_view title, std::string_view filter,
                                          std::string_view startFolder) override;
  std::optional<std::string> saveFileName(
      std::string_view title, std::string_view filter, std::string_view startFolder,
      toolkit::Overwrite overwrite = toolkit::Overwrite::Confirm) override;
  std::optional<toolkit::LogFont> chooseFont(const toolkit::LogFont& current) override;

 private:
  struct Expected {
    std::optional<std::string> title;
    std::optional<std::string> text;
    toolkit::Button answer;
  };
  std::optional<std::string> nextFileAnswer(std::string_view title, std::string_view start);

  std::deque<Expected> expected_;
  std::optional<toolkit::Button> unforeseen_;
  std::deque<std::optional<std::string>> prompts_;
  std::deque<std::optional<std::string>> files_;
  std::deque<std::optional<toolkit::LogFont>> fonts_;
  std::vector<Message> messages_;
  std::vector<Status> statusHistory_;
  std::vector<std::string> dialogs_;
  std::vector<std::string> fileDialogStarts_;
  bool statusShown_ = false;
  int waitDepth_ = 0;
  int beeps_ = 0;
};

}  // namespace savora::testing
