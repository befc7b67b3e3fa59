// What the 8-second timer looks for: the "newcd" marker left when a new recipe CD was inserted,
// and (once per run) recipe files dropped into the "download" folder.
#pragma once

#include <functional>
#include <string>
#include <utility>

#include "app/app_state.h"
#include "toolkit/user.h"

namespace savora::app {

class NewContentWatch {
 public:
  struct Actions {
    std::function<void(int command)> post;  // posts a main-window command
    std::function<void()> applyCdInfo;      // re-applies "cdinfo.ini" (title, web menu, wallpaper)
    std::function<bool(const std::string&)> isInstalledTitle;
    std::function<void()> resetTipsAndIntro;  // tip counter and intro-at-start back to 1
  };
  NewContentWatch(AppState& state, toolkit::User& user, Actions actions);

  // One tick of the timer.
  void tick();
  // The downloaded file moved into the program directory, waiting for the import command.
  const std::string& fileToImport() const { return fileToImport_; }
  // True once after the user agreed to import a new CD's recipes (the import command asks).
  bool takeNewCdImport() { return std::exchange(newCdImport_, false); }

 private:
  void checkNewCd();
  void checkDownloads();

  AppState& state_;
  toolkit::User& user_;
  Actions actions_;
  bool downloadsChecked_ = false;
  std::string fileToImport_;
  bool newCdImport_ = false;
};

}  // namespace savora::app
