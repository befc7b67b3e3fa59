#include "platform/data_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "temp_folder.h"

namespace savora::platform {
namespace {

using savora::testing::TempFolder;

// One situation: the files on disk (under a temporary root written "@/"), the inputs, and the
// folders the choice must make.
struct Situation {
  const char* name;
  std::vector<const char*> files;
  FolderChoiceInputs inputs;
  const char* data;
  const char* programFiles;
};

const std::vector<const char*> kPackage = {"@/usr/share/savora99/OBJECTS.DAT",
                                           "@/usr/bin/savora99"};
const std::vector<const char*> kBuildFolder = {"@/build/bin/OBJECTS.DAT",
                                               "@/build/bin/run-in-place"};
// What scripts/run left in ~/.local/share/savora99: the program, its files and the tables.
const std::vector<const char*> kScriptsRunFolder = {
    "@/home/.local/share/savora99/savora99", "@/home/.local/share/savora99/OBJECTS.DAT",
    "@/home/.local/share/savora99/rc65.dbf", "@/usr/share/savora99/OBJECTS.DAT",
    "@/usr/bin/savora99"};

std::vector<Situation> situations() {
  return {
      {"installed package",
       kPackage,
       {"@/usr/bin", "", "", "", "@/home"},
       "@/home/.local/share/savora99/",
       "@/usr/share/savora99/"},
      {"installed, $XDG_DATA_HOME set",
       kPackage,
       {"@/usr/bin", "", "", "@/xdg", "@/home"},
       "@/xdg/savora99/",
       "@/usr/share/savora99/"},
      {"installed, relative $XDG_DATA_HOME ignored",
       kPackage,
       {"@/usr/bin", "", "", "xdg", "@/home"},
       "@/home/.local/share/savora99/",
       "@/usr/share/savora99/"},
      {"build folder runs in place",
       kBuildFolder,
       {"@/build/bin", "", "", "@/xdg", "@/home"},
       "@/build/bin/",
       "@/build/bin/"},
      {"build folder without the marker",
       {"@/build/bin/OBJECTS.DAT"},
       {"@/build/bin", "", "", "@/xdg", "@/home"},
       "@/xdg/savora99/",
       "@/build/bin/"},
      {"--data names the data folder",
       kBuildFolder,
       {"@/build/bin", "@/mine", "@/other", "@/xdg", "@/home"},
       "@/mine/",
       "@/build/bin/"},
      {"$SAVORA_HOME names it when --data does not",
       kPackage,
       {"@/usr/bin", "", "@/other", "@/xdg", "@/home"},
       "@/other/",
       "@/usr/share/savora99/"},
      {"--data folder without program files beside the executable",
       {},
       {"@/tests", "@/mine", "", "", "@/home"},
       "@/mine/",
       "@/mine/"},
      {"scripts/run folder started from itself",
       kScriptsRunFolder,
       {"@/home/.local/share/savora99", "", "", "", "@/home"},
       "@/home/.local/share/savora99/",
       "@/home/.local/share/savora99/"},
      {"scripts/run folder kept by the package after $XDG_DATA_HOME was set",
       kScriptsRunFolder,
       {"@/usr/bin", "", "", "@/xdg", "@/home"},
       "@/home/.local/share/savora99/",
       "@/usr/share/savora99/"},
      {"scripts/run folder left once $XDG_DATA_HOME/savora99 exists",
       [] {
         auto files = kScriptsRunFolder;
         files.push_back("@/xdg/savora99/rc65.dbf");
         return files;
       }(),
       {"@/usr/bin", "", "", "@/xdg", "@/home"},
       "@/xdg/savora99/",
       "@/usr/share/savora99/"},
  };
}

TEST(DataFolderTest, ChoosesTheDataAndProgramFilesFolders) {
  for (const Situation& s : situations()) {
    SCOPED_TRACE(s.name);
    TempFolder root;
    const std::string base = root.path().string();
    auto rooted = [&base](std::string text) {
      if (text.starts_with("@")) text = base + text.substr(1);
      return text;
    };
    for (const char* file : s.files) root.write(rooted(file).substr(base.size() + 1));
    FolderChoiceInputs inputs = s.inputs;
    for (std::string* field : {&inputs.executableDirectory, &inputs.dataOption, &inputs.savoraHome,
                               &inputs.xdgDataHome, &inputs.home})
      *field = rooted(*field);
    const bool existed = std::filesystem::exists(rooted(s.data));
    const ProgramFolders chosen = chooseProgramFolders(inputs);
    EXPECT_EQ(chosen.data, rooted(s.data));
    EXPECT_EQ(chosen.files, rooted(s.programFiles));
    // Choosing looks only: a first start creates the folder afterwards.
    EXPECT_EQ(std::filesystem::exists(chosen.data), existed);
  }
}

TEST(DataFolderTest, FirstStartCreatesTheFolderOrSaysWhyNot) {
  TempFolder root;
  std::string problem;
  EXPECT_TRUE(createDataFolder(root.str() + "a/b/savora99/", problem));
  EXPECT_TRUE(std::filesystem::is_directory(root.path() / "a/b/savora99"));
  EXPECT_TRUE(createDataFolder(root.str() + "a/b/savora99/", problem));  // already there
  root.write("file");
  EXPECT_FALSE(createDataFolder(root.str() + "file/savora99", problem));
  EXPECT_FALSE(problem.empty());
}

}  // namespace
}  // namespace savora::platform
