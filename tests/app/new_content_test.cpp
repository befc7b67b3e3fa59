// A program dropped into the "download" folder is moved into the program directory and started
// by its whole path, however many blanks the program folder's name holds.
#include "app/new_content.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "scripted_user.h"
#include "temp_folder.h"

namespace savora::app {
namespace {

TEST(NewContentTest, ADownloadedProgramStartsWholeFromAFolderWithBlanks) {
  savora::testing::TempFolder root;
  const std::string program = root.str() + "My Recipes/";
  const auto dropped =
      root.write("My Recipes/download/update.exe",
                 "#!/bin/sh\necho \"$0\" > started.tmp\nmv started.tmp started.txt\n");
  ::chmod(dropped.c_str(), 0755);
  AppState state;
  state.programDirectory = program;
  savora::testing::ScriptedUser user;
  NewContentWatch watch(state, user, {});
  watch.tick();

  const auto report = std::filesystem::path(program) / "started.txt";
  for (int i = 0; i < 500 && !std::filesystem::exists(report); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_EQ(savora::testing::readFileBytes(report), program + "update.exe\n");
  EXPECT_FALSE(std::filesystem::exists(dropped));
}

}  // namespace
}  // namespace savora::app
