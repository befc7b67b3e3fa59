// The program's command line: savora99 [--data DIR] [FILE...]. Files are recipe files to import
// or backups to restore (opened_files.h); a second start hands them to the running copy.
#pragma once

#include <string>
#include <vector>

namespace savora::app {

struct CommandLine {
  std::string dataFolder;          // --data DIR
  std::vector<std::string> files;  // absolute: the program changes into its data folder
  bool help = false;
  bool version = false;
  std::string error;  // set when the line is malformed
};

CommandLine parseCommandLine(const std::vector<std::string>& args);

// What --help prints.
std::string commandLineHelp();

}  // namespace savora::app
