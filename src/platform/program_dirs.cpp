#include "platform/program_dirs.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace savora::platform {
namespace {

std::string& programDirOverride() {
  static std::string dir;
  return dir;
}

std::string& programFilesOverride() {
  static std::string dir;
  return dir;
}

std::string withSlash(std::string dir) {
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir;
}

}  // namespace

std::string executableDirectory() {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return withSlash(std::filesystem::current_path(ec).string());
  return withSlash(exe.parent_path().string());
}

std::string programDirectory() {
  const std::string& dir = programDirOverride();
  return dir.empty() ? executableDirectory() : dir;
}

bool setProgramDirectory(const std::string& folder) {
  const std::string dir = withSlash(folder);
  if (::chdir(dir.c_str()) != 0) return false;
  programDirOverride() = dir;
  return true;
}

std::string programFilesDirectory() {
  const std::string& dir = programFilesOverride();
  return dir.empty() ? programDirectory() : dir;
}

void setProgramFilesDirectory(const std::string& folder) {
  programFilesOverride() = folder.empty() ? std::string() : withSlash(folder);
}

std::string windowsDirectory() {
  std::filesystem::path base;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) {
    base = xdg;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    base = std::filesystem::path(home) / ".config";
  } else {
    base = "/tmp";
  }
  const auto dir = base / "savora99";
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  return withSlash(dir.string());
}

}  // namespace savora::platform
