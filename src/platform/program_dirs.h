// The two folders every Part builds names from: the program directory (the executable's folder,
// holding the tables) and the "Windows directory" (per-user settings). Both are returned as
// native paths that end with '/', so "%sSAVORA.HLP"-style concatenation works.
#pragma once

#include <string>

namespace savora::platform {

// Folder of the running executable (from /proc/self/exe), ending with '/'.
std::string executableDirectory();

// The program directory; the executable's folder unless set (tests set a temporary folder).
std::string programDirectory();
// Sets the program directory and makes it the current directory. Returns false when the folder
// cannot be entered.
bool setProgramDirectory(const std::string& folder);

// $XDG_CONFIG_HOME/savora99/ (default ~/.config/savora99/), created on demand.
std::string windowsDirectory();

}  // namespace savora::platform
