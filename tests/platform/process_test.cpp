#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

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

// A quoted word reads back as it was, whatever blanks, quotes and backslashes it holds.
TEST(ProcessTest, QuotedWordsSplitBackWhole) {
  for (const char* word : {"/home/pat/My Recipes/update.exe", "say \"hi\"", "ends\\", "C:\\dir\\",
                           "\\\"", "", "a\\\\\"b"}) {
    const auto words = splitCommandLine(quoted(word) + " next");
    ASSERT_EQ(words.size(), 2u) << word;
    EXPECT_EQ(words[0], word);
    EXPECT_EQ(words[1], "next");
  }
  EXPECT_EQ(splitCommandLine("a\\b \"c\\\\\" d\\\"e"),
            (std::vector<std::string>{"a\\b", "c\\", "d\"e"}));
}

TEST(ProcessTest, MissingProgramsStartNothing) {
  TempFolder dir;
  ASSERT_TRUE(setProgramDirectory(dir.str()));
  EXPECT_FALSE(startProgram("install.exe"));
  EXPECT_FALSE(startProgram("referral.exe /silent"));
  EXPECT_FALSE(startProgram(""));
  dir.write("palmdata.exe", "not executable");
  EXPECT_FALSE(startProgram("palmdata.exe"));
  ::chmod(dir.write("setup.exe", "#!/bin/sh\n").c_str(), 0755);
  EXPECT_FALSE(startProgram("setup.exe", dir.str() + "missing"));
}

// Polls every 10 ms, for at most 5 s, until `done` holds.
template <typename Done>
bool waitFor(Done done) {
  for (int i = 0; i < 500; ++i) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return done();
}

// True while `pid` exists as our child, running or a zombie.
bool isOurChild(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string pidField, name, state;
  pid_t parent = 0;
  return stat >> pidField >> name >> state >> parent && parent == ::getpid();
}

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The script reports its folder, its name, its arguments, its pid and its session id, then exits.
TEST(ProcessTest, StartsWithoutWaitingInTheWorkingFolderInANewSession) {
  TempFolder dir, work;
  ASSERT_TRUE(setProgramDirectory(dir.str()));
  const auto script = dir.write("Install.EXE",
                                "#!/bin/sh\n"
                                "sleep 0.2\n"
                                "read -r pid name state ppid pgrp sid rest < /proc/$$/stat\n"
                                "{ pwd; echo \"$0\"; printf '%s\\n' \"$@\"; echo $$; echo $sid; }"
                                " > started.tmp\n"
                                "mv started.tmp started.txt\n");
  ::chmod(script.c_str(), 0755);

  const auto before = std::chrono::steady_clock::now();
  ASSERT_TRUE(startProgram("install.exe \"an  arg\" plain", work.str()));
  EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(200));

  const auto report = work.path() / "started.txt";
  ASSERT_TRUE(waitFor([&] { return std::filesystem::exists(report); }));
  const auto lines = linesOf(savora::testing::readFileBytes(report));
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0], work.path().string());
  EXPECT_EQ(lines[1], (dir.path() / "Install.EXE").string());
  EXPECT_EQ(lines[2], "an  arg");
  EXPECT_EQ(lines[3], "plain");
  const pid_t pid = std::stoi(lines[4]);
  const pid_t session = std::stoi(lines[5]);
  EXPECT_EQ(session, pid);  // a session leader
  EXPECT_NE(session, ::getsid(0));

  // Once it has finished it is reaped, not left behind as a zombie child.
  EXPECT_TRUE(waitFor([&] { return !isOurChild(pid); }));
}

// A program in a folder with blanks and quotes in its name starts as one path, never looked up
// on PATH; its arguments arrive as given.
TEST(ProcessTest, AProgramFileStartsByItsWholePath) {
  TempFolder dir;
  const auto script = dir.write("My \"Best\" Recipes/update.exe",
                                "#!/bin/sh\n{ echo \"$0\"; printf '%s\\n' \"$@\"; } > started.tmp\n"
                                "mv started.tmp started.txt\n");
  ::chmod(script.c_str(), 0755);
  ASSERT_TRUE(startProgramFile(script.string(), {"one arg"}, dir.str()));
  const auto report = dir.path() / "started.txt";
  ASSERT_TRUE(waitFor([&] { return std::filesystem::exists(report); }));
  EXPECT_EQ(linesOf(savora::testing::readFileBytes(report)),
            (std::vector<std::string>{script.string(), "one arg"}));
  EXPECT_FALSE(startProgramFile("sh"));  // a bare name is not looked up on PATH
}

}  // namespace
}  // namespace savora::platform
