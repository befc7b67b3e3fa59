// A program directory and a "Windows directory" of a test's own: the program directory is made
// current and $XDG_CONFIG_HOME points at the settings folder until the test ends.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/program_dirs.h"
#include "temp_folder.h"

namespace savora::testing {

class ProgramFoldersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const char* old = std::getenv("XDG_CONFIG_HOME")) savedConfigHome_ = old;
    ASSERT_EQ(::setenv("XDG_CONFIG_HOME", configHome.str().c_str(), 1), 0);
    ASSERT_TRUE(platform::setProgramDirectory(programDir.str()));
  }
  void TearDown() override {
    if (savedConfigHome_) {
      ::setenv("XDG_CONFIG_HOME", savedConfigHome_->c_str(), 1);
    } else {
      ::unsetenv("XDG_CONFIG_HOME");
    }
  }

  TempFolder programDir;
  TempFolder configHome;

 private:
  std::optional<std::string> savedConfigHome_;
};

}  // namespace savora::testing
