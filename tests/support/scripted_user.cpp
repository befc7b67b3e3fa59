#include "scripted_user.h"

#include <gtest/gtest.h>

namespace savora::testing {

using toolkit::Button;

ScriptedUser::~ScriptedUser() {
  verifyAllAnswered();
}

void ScriptedUser::expectMessage(std::string title, std::string text, Button answer) {
  expected_.push_back({std::move(title), std::move(text), answer});
}

void ScriptedUser::expectTitle(std::string title, Button answer) {
  expected_.push_back({std::move(title), std::nullopt, answer});
}

void ScriptedUser::answerNextMessage(Button answer) {
  expected_.push_back({std::nullopt, std::nullopt, answer});
}

void ScriptedUser::answerPrompt(std::optional<std::string> answer) {
  prompts_.push_back(std::move(answer));
}
void ScriptedUser::answerFileDialog(std::optional<std::string> answer) {
  files_.push_back(std::move(answer));
}
void ScriptedUser::answerFont(std::optional<toolkit::LogFont> answer) {
  fonts_.push_back(std::move(answer));
}

void ScriptedUser::verifyAllAnswered() {
  for (const auto& e : expected_) {
    ADD_FAILURE() << "expected message never came: title \"" << e.title.value_or("*")
                  << "\", text \"" << e.text.value_or("*") << "\"";
  }
  if (!prompts_.empty()) ADD_FAILURE() << prompts_.size() << " prompt answer(s) never asked for";
  if (!files_.empty()) ADD_FAILURE() << files_.size() << " file dialog answer(s) never asked for";
  if (!fonts_.empty()) ADD_FAILURE() << fonts_.size() << " font answer(s) never asked for";
  expected_.clear();
  prompts_.clear();
  files_.clear();
  fonts_.clear();
}

Button ScriptedUser::message(std::string_view title, std::string_view icon,
                             toolkit::Buttons buttons, std::string_view text) {
  messages_.push_back({std::string(title), std::string(icon), buttons, std::string(text)});
  if (expected_.empty() && unforeseen_) return *unforeseen_;
  if (expected_.empty()) {
    ADD_FAILURE() << "unexpected message: title \"" << title << "\", text \"" << text << "\"";
    return Button::Cancel;
  }
  const Expected e = expected_.front();
  expected_.pop_front();
  if (e.title) {
    EXPECT_EQ(*e.title, title) << "message title";
  }
  if (e.text) {
    EXPECT_EQ(*e.text, text) << "message text";
  }
  if (onMessage) onMessage(messages_.back());
  return e.answer;
}

void ScriptedUser::showStatus(std::string_view title, std::string_view text) {
  statusHistory_.push_back({std::string(title), std::string(text)});
  statusShown_ = true;
}

void ScriptedUser::closeStatus() {
  statusShown_ = false;
}

std::optional<std::string> ScriptedUser::prompt(std::string_view title, std::string_view, int,
                                                std::string_view) {
  dialogs_.emplace_back(title);
  if (prompts_.empty()) {
    ADD_FAILURE() << "unexpected prompt: " << title;
    return std::nullopt;
  }
  auto answer = prompts_.front();
  prompts_.pop_front();
  return answer;
}

std::optional<std::string> ScriptedUser::nextFileAnswer(std::string_view title,
                                                        std::string_view start) {
  dialogs_.emplace_back(title);
  fileDialogStarts_.emplace_back(start);
  if (files_.empty()) {
    ADD_FAILURE() << "unexpected file dialog: " << title;
    return std::nullopt;
  }
  auto answer = files_.front();
  files_.pop_front();
  return answer;
}

std::optional<std::string> ScriptedUser::openFileName(std::string_view title, std::string_view,
                                                      std::string_view start) {
  return nextFileAnswer(title, start);
}

std::optional<std::string> ScriptedUser::saveFileName(std::string_view title, std::string_view,
                                                      std::string_view start, toolkit::Overwrite) {
  return nextFileAnswer(title, start);
}

std::optional<toolkit::LogFont> ScriptedUser::chooseFont(const toolkit::LogFont&) {
  dialogs_.emplace_back("font");
  if (fonts_.empty()) {
    ADD_FAILURE() << "unexpected font dialog";
    return std::nullopt;
  }
  auto answer = fonts_.front();
  fonts_.pop_front();
  return answer;
}

}  // namespace savora::testing
