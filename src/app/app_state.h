// Process-wide state of one run: where the program and its content title live, the CD, and how
// the run is to end. Created by start-up, read by every part of the program.
#pragma once

#include <string>

#include "app/installed_titles.h"

namespace savora::app {

inline constexpr const char* kDefaultTitle = kUnnamedTitle;

struct AppState {
  std::string programDirectory;  // ends with '/'
  std::string title = kDefaultTitle;
  char cdDrive = 0;      // from the file "drive"; 0 when unknown
  bool digital = false;  // "digitals" exists: media come from the program directory
  std::string helpFile;  // "%sSAVORA.HLP"

  int exitState = 0;  // 1000 once the user confirmed leaving
  bool exitConfirmed = false;
  std::string updateInstaller;  // the verified update's installer, started at exit; "" for none

  // "%c:" followed by `name` on the CD, or "" when no CD drive is known.
  std::string onCd(const std::string& name) const {
    return cdDrive ? std::string(1, cdDrive) + ":" + name : std::string();
  }
  // The title directory: the folder named like the title in the program directory.
  std::string titleDirectory() const { return programDirectory + title; }
};

}  // namespace savora::app
