#include "app/command_line.h"

#include <filesystem>

namespace savora::app {

CommandLine parseCommandLine(const std::vector<std::string>& args) {
  CommandLine line;
  bool optionsEnded = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!optionsEnded && arg == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && (arg == "--help" || arg == "-h")) {
      line.help = true;
    } else if (!optionsEnded && arg == "--version") {
      line.version = true;
    } else if (!optionsEnded && arg == "--data") {
      if (i + 1 >= args.size() || args[i + 1].empty()) {
        line.error = "--data needs a folder";
        return line;
      }
      line.dataFolder = args[++i];
    } else if (!optionsEnded && arg.starts_with("-") && arg != "-") {
      line.error = "unknown option " + arg;
      return line;
    } else if (!arg.empty()) {
      line.files.push_back(std::filesystem::absolute(arg).lexically_normal().string());
    }
  }
  return line;
}

std::string commandLineHelp() {
  return "usage: savora99 [--data DIR] [FILE...]\n"
         "\n"
         "Starts the recipe organizer. Each FILE is opened: a backup (.ck9) is offered for\n"
         "restoring, a recipe file (.zel, .mxp, .mmf, .txt) is imported. When the program is\n"
         "already running, the files are handed to it and its window comes to the front.\n"
         "\n"
         "Options:\n"
         "  --data DIR   keep the recipes and the program's own files in DIR (default:\n"
         "               $SAVORA_HOME, or $XDG_DATA_HOME/savora99, which is\n"
         "               ~/.local/share/savora99)\n"
         "  --version    show the version\n"
         "  --help       show this text\n";
}

}  // namespace savora::app
