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

// Runs the program at `path` (Windows-style or native; one word however many blanks it holds)
// detached with `arguments`, in `workingFolder` (empty: the current directory). The path is
// never looked up on PATH. Returns false, starting nothing, when it is not an executable file
// or cannot be started.
bool startProgramFile(const std::string& path, const std::vector<std::string>& arguments = {},
                      const std::string& workingFolder = {});

// Opens a web address or a document with the desktop's opener (xdg-open), detached. Returns false
// when no opener is installed.
bool openDocument(std::string_view target, const std::string& workingFolder = {});

// The command line's words: blanks separate, double quotes group. As on Windows, a backslash
// escapes a double quote (\" is a quote character), and backslashes before a quote escape each
// other; other backslashes are plain characters.
std::vector<std::string> splitCommandLine(std::string_view commandLine);

// `text` as one word of a command line: in double quotes, with quotes and the backslashes before
// them escaped, so splitCommandLine gives back `text` exactly.
std::string quoted(std::string_view text);

}  // namespace savora::platform
