// The program's run from start to end, with the display already set up by main().
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/registration.h"
#include "platform/data_folder.h"
#include "toolkit/user.h"

namespace savora::app {

// Runs the program on the data folder `folders.data` (the program directory, holding the tables),
// with OBJECTS.DAT and the help and food files from `folders.files`, until the user leaves.
// `openFiles` are imported or offered for restoring once the program is up; when another copy
// runs, they are handed to it. Returns 0 after a normal run, 1 when a running copy was brought to
// the front instead, when the folder is locked, or when an error stopped the run (shown, and
// printed to standard error), -1 when the window-object file cannot be opened.
int runProgram(const platform::ProgramFolders& folders, toolkit::User& user,
               const std::vector<std::string>& openFiles = {});
// The same with every file in one folder.
int runProgram(const std::string& programDirectory, toolkit::User& user);

}  // namespace savora::app
