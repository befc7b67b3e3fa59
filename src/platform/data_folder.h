// Where a run keeps its files. The read-only program files (OBJECTS.DAT, SAVORA.HLP, FOODS.DAT)
// come with the executable; each user's tables and run files (lock, init, usage, lastApp,
// download/, the title folders) live in a data folder of the user's own. The program,
// savora99-cli and savora99-table all choose the two folders here, the same way.
#pragma once

#include <string>

namespace savora::platform {

// Written by the build beside its executables: a build folder keeps its data beside them.
inline constexpr const char* kRunInPlaceMarker = "run-in-place";
// A folder holding this file holds the read-only program files.
inline constexpr const char* kProgramFilesMark = "OBJECTS.DAT";

// What the choice depends on: where the executable is, the command line and the environment.
struct FolderChoiceInputs {
  std::string executableDirectory;
  std::string dataOption;   // --data DIR; empty when not given
  std::string savoraHome;   // $SAVORA_HOME
  std::string xdgDataHome;  // $XDG_DATA_HOME
  std::string home;         // $HOME
};

// Both end with '/'.
struct ProgramFolders {
  std::string data;
  std::string files;
};

// The data folder: --data DIR, else $SAVORA_HOME, else the executable's folder when the build
// marked it, else $XDG_DATA_HOME/savora99 (default ~/.local/share/savora99). A folder from
// before $XDG_DATA_HOME was set (~/.local/share/savora99 holding tables or run files) is kept
// while $XDG_DATA_HOME/savora99 does not exist yet.
// The program files: the executable's folder when it holds them, else the install prefix's
// share/savora99 beside the executable's bin/, else the data folder.
// Nothing is created; the choice only looks at what exists.
ProgramFolders chooseProgramFolders(const FolderChoiceInputs& inputs);

// The inputs of this process: its executable and its environment, with `dataOption`.
FolderChoiceInputs thisProcessFolderInputs(const std::string& dataOption);

// Creates the data folder when it does not exist yet (the first start). False, with `problem`
// set, when it cannot be made.
[[nodiscard]] bool createDataFolder(const std::string& folder, std::string& problem);

}  // namespace savora::platform
