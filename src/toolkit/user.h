// The one door from the program's logic to the person at the screen: messages, the status window,
// the wait pointer, prompts and the common dialogs. Logic talks to a User, never to Qt; the real
// implementation (QtUser) shows dialogs, tests use a scripted one that answers from a queue.
//
// Texts are Windows-1252 bytes as the program holds them; message texts keep "\r\n" line breaks.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "toolkit/log_font.h"

namespace savora::toolkit {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Button { Ok, Cancel, Yes, No };
// Whether the save dialog asks before an existing file is chosen, or leaves the question to its
// caller (which may offer to add to the file).
enum class Overwrite { Confirm, CallerAsks };

class User {
 public:
  virtual ~User() = default;

  // A modal message window. `icon` is one of QUESTION, ASTERISK, EXCLAMATION, HAND, INFORMATION,
  // ERROR in any letter case. Returns the button pressed; closing the box counts as Cancel (or No
  // when there is no Cancel button, or Ok for a lone OK button).
  virtual Button message(std::string_view title, std::string_view icon, Buttons buttons,
                         std::string_view text) = 0;

  // Shows the single status window, or changes its title and text in place when it is shown.
  virtual void showStatus(std::string_view title, std::string_view text) = 0;
  // Removes the status window (nothing happens when none is shown).
  virtual void closeStatus() = 0;

  // Brackets long work; calls nest.
  virtual void beginWait() = 0;
  virtual void endWait() = 0;

  virtual void beep() = 0;

  // A one-line text prompt; nothing when cancelled.
  virtual std::optional<std::string> prompt(std::string_view title, std::string_view text,
                                            int maxLength, std::string_view preset) = 0;

  // Common file dialogs. `filter` reads like "Backup Files (*.ck9)"; several filters are separated
  // by ";;". `startFolder` is a folder, or a path whose last part is the suggested file name; a
  // start without a folder of its own (nothing, or a file name alone) starts in the user's
  // documents folder. The answer is a native path, or nothing when cancelled.
  virtual std::optional<std::string> openFileName(std::string_view title, std::string_view filter,
                                                  std::string_view startFolder) = 0;
  virtual std::optional<std::string> saveFileName(std::string_view title, std::string_view filter,
                                                  std::string_view startFolder,
                                                  Overwrite overwrite = Overwrite::Confirm) = 0;

  virtual std::optional<LogFont> chooseFont(const LogFont& current) = 0;
};

// A file name to suggest in a save dialog: `name` with the characters that cannot stand in a
// file name ('/', '\\', ':' and control characters) replaced by '-', trimmed, and `extension`
// (".txt") appended; `fallback` when nothing is left of the name.
std::string suggestedFileName(std::string_view name, std::string_view extension,
                              std::string_view fallback);

// Shows the status window for a title and a printf format, or removes it when both are null:
// the program's single status-window call.
void statusWindow(User& user, const char* title, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

// Wait pointer for the life of a scope.
class WaitPointer {
 public:
  explicit WaitPointer(User& user) : user_(user) { user_.beginWait(); }
  ~WaitPointer() { user_.endWait(); }
  WaitPointer(const WaitPointer&) = delete;
  WaitPointer& operator=(const WaitPointer&) = delete;

 private:
  User& user_;
};

// The status window for the life of a scope: shown on construction (or by the first show()),
// changed in place by show(), and removed when the scope ends, however it ends, so an exception
// or an early return cannot leave it on screen. There is one status window: the scope removes it
// also when work it called showed it.
class StatusScope {
 public:
  explicit StatusScope(User& user) : user_(user) {}
  StatusScope(User& user, std::string_view title, std::string_view text) : user_(user) {
    show(title, text);
  }
  ~StatusScope() { user_.closeStatus(); }
  StatusScope(const StatusScope&) = delete;
  StatusScope& operator=(const StatusScope&) = delete;

  void show(std::string_view title, std::string_view text) { user_.showStatus(title, text); }

 private:
  User& user_;
};

}  // namespace savora::toolkit
