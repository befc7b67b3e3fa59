// Starting outside programs without waiting: the stand-ins for WinExec and ShellExecute "open".
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace savora::platform {

// Runs a command line ("install.exe", "referral.exe /x", "\"my tool\" arg") detached, in
// `workingFolder` (empty: the current directory). The program is looked up as a Windows-style name
// relative to the current directory, then on PATH when the name has no folder part. The program
// runs in a session of its own. Returns false, and starts nothing, when no executable program of
// that name exists or it cannot be started (for instance in a missing working folder).
bool startProgram(std::string_view commandLine, const std::string& workingFolder = {});

// Opens a web address or a document with the desktop's opener (xdg-open), detached. Returns false
// when no opener is installed.
bool openDocument(std::string_view target, const std::string& workingFolder = {});

// The command line's words: blanks separate, double quotes group.
std::vector<std::string> splitCommandLine(std::string_view commandLine);

}  // namespace savora::platform
