#include "platform/data_folder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/program_dirs.h"

namespace savora::platform {
namespace {

namespace fs = std::filesystem;

std::string folderText(const fs::path& folder) {
  std::string text = folder.lexically_normal().string();
  if (text.empty() || text.back() != '/') text += '/';
  return text;
}

bool pathExists(const fs::path& path) {
  std::error_code ec;
  return fs::exists(path, ec);
}

// A data folder already in use: it holds a table or the file naming the title last run.
bool holdsUserData(const fs::path& folder) {
  std::error_code ec;
  if (pathExists(folder / "lastApp")) return true;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (it->path().extension() == ".dbf") return true;
  }
  return false;
}

fs::path dataFolder(const FolderChoiceInputs& in) {
  if (!in.dataOption.empty()) return fs::absolute(in.dataOption);
  if (!in.savoraHome.empty()) return fs::absolute(in.savoraHome);
  const fs::path executable(in.executableDirectory);
  if (pathExists(executable / kRunInPlaceMarker)) return executable;

  const fs::path home(in.home.empty() ? "/tmp" : in.home);
  const fs::path defaultFolder = home / ".local/share/savora99";
  // A relative $XDG_DATA_HOME is not a place to keep data in: it is ignored, as desktops do.
  const fs::path xdg(in.xdgDataHome);
  if (in.xdgDataHome.empty() || !xdg.is_absolute()) return defaultFolder;
  const fs::path xdgFolder = xdg / "savora99";
  if (!pathExists(xdgFolder) && holdsUserData(defaultFolder)) return defaultFolder;
  return xdgFolder;
}

}  // namespace

ProgramFolders chooseProgramFolders(const FolderChoiceInputs& inputs) {
  ProgramFolders folders;
  folders.data = folderText(dataFolder(inputs));
  const fs::path executable(inputs.executableDirectory);
  folders.files = folders.data;
  for (const fs::path& candidate :
       {executable, (executable / "../share/savora99").lexically_normal()}) {
    if (pathExists(candidate / kProgramFilesMark)) {
      folders.files = folderText(candidate);
      break;
    }
  }
  return folders;
}

FolderChoiceInputs thisProcessFolderInputs(const std::string& dataOption) {
  auto env = [](const char* name) {
    const char* value = std::getenv(name);
    return std::string(value ? value : "");
  };
  return {executableDirectory(), dataOption, env("SAVORA_HOME"), env("XDG_DATA_HOME"), env("HOME")};
}

bool createDataFolder(const std::string& folder, std::string& problem) {
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (ec || !fs::is_directory(folder, ec)) {
    problem = ec ? ec.message() : "not a folder";
    return false;
  }
  return true;
}

}  // namespace savora::platform
