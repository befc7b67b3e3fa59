#include "platform/process.h"

#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <thread>

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

// Waits for a started program in the background so it never lingers as a zombie. Only its own
// pid is waited for: other code that waits for its children (std::system, popen) is unaffected.
void reapWhenDone(pid_t pid) {
  try {
    std::thread([pid] {
      int status = 0;
      while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
      }
    }).detach();
  } catch (const std::system_error&) {
    // No thread to spare: the finished program stays a zombie until we exit.
  }
}

// posix_spawn rather than fork: the child of a threaded process may only run async-signal-safe
// code before exec, which posix_spawn guarantees. The program gets a session of its own, so it
// survives us and is not hit by signals sent to our terminal.
bool spawnDetached(const std::string& program, const std::vector<std::string>& args,
                   const std::string& workingFolder) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (size_t i = 1; i < args.size(); ++i) argv.push_back(const_cast<char*>(args[i].c_str()));
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attr;
  if (::posix_spawn_file_actions_init(&actions) != 0) return false;
  if (::posix_spawnattr_init(&attr) != 0) {
    ::posix_spawn_file_actions_destroy(&actions);
    return false;
  }
  // The program must not inherit signals blocked by the calling thread.
  sigset_t noSignals;
  sigemptyset(&noSignals);
  bool ready =
      ::posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK) == 0 &&
      ::posix_spawnattr_setsigmask(&attr, &noSignals) == 0;
  if (ready && !workingFolder.empty())
    ready = ::posix_spawn_file_actions_addchdir_np(&actions, workingFolder.c_str()) == 0;
  pid_t pid = -1;
  // Fails, starting nothing, when the folder cannot be entered or the program not executed.
  const bool started =
      ready && ::posix_spawn(&pid, program.c_str(), &actions, &attr, argv.data(), environ) == 0;
  ::posix_spawnattr_destroy(&attr);
  ::posix_spawn_file_actions_destroy(&actions);
  if (started) reapWhenDone(pid);
  return started;
}

}  // namespace

std::vector<std::string> splitCommandLine(std::string_view commandLine) {
  std::vector<std::string> words;
  std::string current;
  bool quoted = false, inWord = false;
  for (size_t i = 0; i < commandLine.size(); ++i) {
    const char c = commandLine[i];
    if (c == '\\') {
      size_t backslashes = 0;
      while (i < commandLine.size() && commandLine[i] == '\\') {
        ++backslashes;
        ++i;
      }
      inWord = true;
      if (i < commandLine.size() && commandLine[i] == '"') {
        current.append(backslashes / 2, '\\');
        if (backslashes % 2 == 1) {
          current += '"';
          continue;
        }
      } else {
        current.append(backslashes, '\\');
      }
      --i;  // the character after the backslashes is read next
    } else if (c == '"') {
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

std::string quoted(std::string_view text) {
  std::string out = "\"";
  size_t backslashes = 0;
  for (char c : text) {
    if (c == '\\') {
      ++backslashes;
    } else {
      // Backslashes before a quote are doubled, and the quote itself escaped.
      if (c == '"') out.append(backslashes + 1, '\\');
      backslashes = 0;
    }
    out += c;
  }
  out.append(backslashes, '\\');  // the closing quote must stay a quote
  return out + "\"";
}

bool startProgram(std::string_view commandLine, const std::string& workingFolder) {
  const auto words = splitCommandLine(commandLine);
  if (words.empty()) return false;
  const std::string program = resolveProgram(words[0]);
  if (program.empty()) return false;
  return spawnDetached(program, words,
                       workingFolder.empty() ? std::string() : nativePath(workingFolder));
}

bool startProgramFile(const std::string& path, const std::vector<std::string>& arguments,
                      const std::string& workingFolder) {
  const std::string local = nativePath(path);
  if (!isExecutableFile(local)) return false;
  std::vector<std::string> words = {std::filesystem::absolute(local).string()};
  words.insert(words.end(), arguments.begin(), arguments.end());
  return spawnDetached(words[0], words,
                       workingFolder.empty() ? std::string() : nativePath(workingFolder));
}

bool openDocument(std::string_view target, const std::string& workingFolder) {
  const std::string opener = findOnPath("xdg-open");
  if (opener.empty() || target.empty()) return false;
  return spawnDetached(opener, {opener, std::string(target)},
                       workingFolder.empty() ? std::string() : nativePath(workingFolder));
}

}  // namespace savora::platform
