#include "platform/process.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "platform/paths.h"

namespace savora::platform {
namespace {

bool isExecutableFile(const std::string& path) {
  struct stat st;
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
         ::access(path.c_str(), X_OK) == 0;
}

std::string findOnPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  if (!path) return {};
  std::string dirs = path;
  size_t start = 0;
  while (start <= dirs.size()) {
    const size_t end = dirs.find(':', start);
    const std::string dir =
        dirs.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (!dir.empty() && isExecutableFile(dir + "/" + name)) return dir + "/" + name;
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return {};
}

std::string resolveProgram(const std::string& name) {
  const std::string local = nativePath(name);
  // Absolute, because the program starts in its own working folder.
  if (isExecutableFile(local)) return std::filesystem::absolute(local).string();
  if (name.find_first_of("/\\:") == std::string::npos) return findOnPath(name);
  return {};
}

// Double fork so the started program is never our child: nothing to wait for, no zombie.
bool spawnDetached(const std::string& program, const std::vector<std::string>& args,
                   const std::string& workingFolder) {
  const pid_t child = ::fork();
  if (child < 0) return false;
  if (child == 0) {
    ::setsid();
    if (::fork() != 0) ::_exit(0);
    if (!workingFolder.empty() && ::chdir(workingFolder.c_str()) != 0) ::_exit(127);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (size_t i = 1; i < args.size(); ++i) argv.push_back(const_cast<char*>(args[i].c_str()));
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  return true;
}

}  // namespace

std::vector<std::string> splitCommandLine(std::string_view commandLine) {
  std::vector<std::string> words;
  std::string current;
  bool quoted = false, inWord = false;
  for (char c : commandLine) {
    if (c == '"') {
      quoted = !quoted;
      inWord = true;
    } else if ((c == ' ' || c == '\t') && !quoted) {
      if (inWord) words.push_back(std::move(current));
      current.clear();
      inWord = false;
    } else {
      current += c;
      inWord = true;
    }
  }
  if (inWord) words.push_back(std::move(current));
  return words;
}

bool startProgram(std::string_view commandLine, const std::string& workingFolder) {
  const auto words = splitCommandLine(commandLine);
  if (words.empty()) return false;
  const std::string program = resolveProgram(words[0]);
  if (program.empty()) return false;
  return spawnDetached(program, words,
                       workingFolder.empty() ? std::string() : nativePath(workingFolder));
}

bool openDocument(std::string_view target, const std::string& workingFolder) {
  const std::string opener = findOnPath("xdg-open");
  if (opener.empty() || target.empty()) return false;
  return spawnDetached(opener, {opener, std::string(target)},
                       workingFolder.empty() ? std::string() : nativePath(workingFolder));
}

}  // namespace savora::platform
