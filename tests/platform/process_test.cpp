#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <thread>

#include "platform/file_ops.h"
#include "platform/process.h"
#include "platform/program_dirs.h"
#include "temp_folder.h"

namespace savora::platform {
namespace {

using savora::testing::TempFolder;

TEST(ProcessTest, SplitsCommandLinesWithQuotes) {
  const auto words = splitCommandLine("  \"my tool.exe\" -a  \"b c\"d ");
  ASSERT_EQ(words.size(), 3u);
  EXPECT_EQ(words[0], "my tool.exe");
  EXPECT_EQ(words[1], "-a");
  EXPECT_EQ(words[2], "b cd");
}

TEST(ProcessTest, MissingProgramsStartNothing) {
  TempFolder dir;
  ASSERT_TRUE(setProgramDirectory(dir.str()));
  EXPECT_FALSE(startProgram("install.exe"));
  EXPECT_FALSE(startProgram("referral.exe /silent"));
  EXPECT_FALSE(startProgram(""));
  dir.write("palmdata.exe", "not executable");
  EXPECT_FALSE(startProgram("palmdata.exe"));
}

TEST(ProcessTest, StartsWithoutWaitingInTheWorkingFolder) {
  TempFolder dir, work;
  ASSERT_TRUE(setProgramDirectory(dir.str()));
  const auto script = dir.write(
      "Install.EXE", "#!/bin/sh\nsleep 0.2\npwd > started.txt\necho \"$1\" >> started.txt\n");
  ::chmod(script.c_str(), 0755);
  const auto before = std::chrono::steady_clock::now();
  ASSERT_TRUE(startProgram("install.exe \"an arg\"", work.str()));
  EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(200));
  std::string text;
  for (int i = 0; i < 100 && text.find('\n', text.find('\n') + 1) == std::string::npos; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    text = savora::testing::readFileBytes(work.path() / "started.txt");
  }
  EXPECT_EQ(text, work.path().string() + "\nan arg\n");
}

}  // namespace
}  // namespace savora::platform
