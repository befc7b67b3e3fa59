// The folders every Part builds names from: the program directory (the user's data folder,
// holding the tables; data_folder.h chooses it), the folder of the read-only program files and
// the "Windows directory" (per-user settings). All are returned as native paths that end with
// '/', so "%sSAVORA.HLP"-style concatenation works.
#pragma once

#include <string>

namespace savora::platform {

// Folder of the running executable (from /proc/self/exe), ending with '/'.
std::string executableDirectory();

// The program directory; the executable's folder unless set (start-up sets the chosen data
// folder, tests a temporary one).
std::string programDirectory();
// Sets the program directory and makes it the current directory. Returns false when the folder
// cannot be entered.
bool setProgramDirectory(const std::string& folder);

// The folder of the read-only program files (OBJECTS.DAT, SAVORA.HLP, FOODS.DAT); the program
// directory unless set. An empty folder sets it back to following the program directory.
std::string programFilesDirectory();
void setProgramFilesDirectory(const std::string& folder);

// $XDG_CONFIG_HOME/savora99/ (default ~/.config/savora99/), created on demand.
std::string windowsDirectory();

}  // namespace savora::platform
