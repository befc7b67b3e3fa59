#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "app/installed_titles.h"
#include "app/usage_counters.h"
#include "platform/program_dirs.h"
#include "program_folders.h"
#include "temp_folder.h"

namespace savora::app {
namespace {

using savora::testing::readFileBytes;
using savora::testing::TempFolder;
using Titles = std::vector<std::string>;

// A program directory and a Windows directory of its own for each test.
class RunFilesTest : public savora::testing::ProgramFoldersTest {
 protected:
  void writeInstalledTitles(const std::string& text) const {
    configHome.write("savora99/SAVORA99.INI", text);
  }
  std::string installedTitlesText() const {
    return readFileBytes(configHome.path() / "savora99/SAVORA99.INI");
  }
  // One start without a CD: read the titles and "lastApp", choose, write "lastApp".
  std::string start() const {
    const std::string title = chooseTitle("", readLastTitle(), readInstalledTitles());
    EXPECT_TRUE(writeLastTitle(title));
    return title;
  }
};

TEST_F(RunFilesTest, StartsCycleThroughInstalledTitlesInKeyOrder) {
  // Keys out of file order, with an empty key and a gap: key order is First, Third, Second.
  writeInstalledTitles("[General]\nApp Path=" + programDir.str() +
                       "\nApp2=Third\nApp0=First\nApp1=\nApp5=Second\n");
  EXPECT_EQ(readInstalledTitles(), (Titles{"First", "Third", "Second"}));
  for (const char* expected : {"Third", "Second", "First", "Third"}) {
    SCOPED_TRACE(expected);
    EXPECT_EQ(start(), expected);
    EXPECT_EQ(readFileBytes(programDir.path() / "lastApp"), expected);
  }
}

TEST_F(RunFilesTest, TitleChoice) {
  const Titles three = {"Alpha", "Beta", "Gamma"};
  const struct {
    const char* name;
    std::string cd;
    std::string last;
    Titles titles;
    std::string expected;
  } cases[] = {
      {"a CD title is run as it is", "Disc", "Alpha", three, "Disc"},
      {"no last title: the one after the first", "", "", three, "Beta"},
      {"next in list order", "", "Beta", three, "Gamma"},
      {"wraps from the last to the first", "", "Gamma", three, "Alpha"},
      {"compared ignoring case", "", "gAMMA", three, "Alpha"},
      {"a title outside the list stays", "", "Other", three, "Other"},
      {"a single title stays", "", "Alpha", {"Alpha"}, "Alpha"},
      {"no list keeps the last title", "", "Other", {}, "Other"},
      {"nothing at all gives the default title", "", "", {}, "Savora 99"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(chooseTitle(c.cd, c.last, c.titles), c.expected);
  }
}

TEST_F(RunFilesTest, InstallationWithoutTitlesGetsTheFallbackTitle) {
  writeInstalledTitles("[General]\nApp Path=" + programDir.str() + "\n\n[Drives]\nD=/media\n");
  EXPECT_EQ(readInstalledTitles(), Titles{"Savora 2000"});
  EXPECT_EQ(installedTitlesText(), "[General]\nApp Path=" + programDir.str() +
                                       "\nApp0=Savora 2000\n\n[Drives]\nD=/media\n");
  EXPECT_EQ(readInstalledTitles(), Titles{"Savora 2000"});
  EXPECT_TRUE(isInstalledTitle("SAVORA 2000"));
  EXPECT_FALSE(isInstalledTitle("Savora 99"));
}

TEST_F(RunFilesTest, TitlesAreReadOnlyForAnExistingAppPath) {
  const struct {
    const char* name;
    std::string text;
  } cases[] = {
      {"missing path", "[General]\nApp Path=" + programDir.str() + "gone/\nApp0=First\n"},
      {"empty path", "[General]\nApp Path=\nApp0=First\n"},
      {"no path key", "[General]\nApp0=First\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    writeInstalledTitles(c.text);
    EXPECT_TRUE(readInstalledTitles().empty());
    EXPECT_EQ(installedTitlesText(), c.text);
  }
  // Missing file.
  std::filesystem::remove(configHome.path() / "savora99/SAVORA99.INI");
  EXPECT_TRUE(readInstalledTitles().empty());
}

TEST_F(RunFilesTest, LongInstalledTitlesAreCut) {
  writeInstalledTitles("[General]\nApp Path=" + programDir.str() +
                       "\nApp0=" + std::string(250, 't') + "\n");
  EXPECT_EQ(readInstalledTitles(), Titles{std::string(200, 't')});
}

TEST_F(RunFilesTest, VersionIsWrittenKeepingTheRest) {
  writeInstalledTitles(
      "[General]\nApp Path=C:\\SAVORA\\\nApp0=First\nVersion=5.0\n\n[Drives]\n"
      "D=/media\n");
  ASSERT_TRUE(writeInstalledVersion());
  EXPECT_EQ(installedTitlesText(),
            "[General]\nApp Path=C:\\SAVORA\\\nApp0=First\nVersion=6.998\n\n[Drives]\nD=/media\n");
  std::filesystem::remove(configHome.path() / "savora99/SAVORA99.INI");
  ASSERT_TRUE(writeInstalledVersion());
  EXPECT_EQ(installedTitlesText(), "[General]\nVersion=6.998\n");
}

TEST_F(RunFilesTest, LastTitleFile) {
  EXPECT_EQ(readLastTitle(), "");
  const struct {
    const char* name;
    std::string bytes;
    std::string expected;
  } cases[] = {
      {"bare text", "Bread Machine", "Bread Machine"},
      {"a line end is not part of it", "Bread Machine\r\n", "Bread Machine"},
      {"stops at a NUL", std::string("Bread\0junk", 10), "Bread"},
      {"cut to the longest title", std::string(600, 'x'), std::string(260, 'x')},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    programDir.write("lastApp", c.bytes);
    EXPECT_EQ(readLastTitle(), c.expected);
  }
  ASSERT_TRUE(writeLastTitle("Short"));
  EXPECT_EQ(readFileBytes(programDir.path() / "lastApp"), "Short");
}

TEST_F(RunFilesTest, UsageCounters) {
  EXPECT_EQ(readUsageCounters(), UsageCounters{});

  const UsageCounters counters{12, 1, 2, 3, 4, 5, 6};
  ASSERT_TRUE(writeUsageCounters(counters));
  EXPECT_EQ(readFileBytes(programDir.path() / "usage"), "12\n1\n2\n3\n4\n5\n6\n");
  EXPECT_EQ(readUsageCounters(), counters);

  // A shorter rewrite leaves nothing of the longer file behind.
  ASSERT_TRUE(writeUsageCounters({1, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(readFileBytes(programDir.path() / "usage"), "1\n0\n0\n0\n0\n0\n0\n");

  // Damaged lines count 0 and missing lines too; the others are read.
  programDir.write("usage", "7\nseven\n\n3\n");
  EXPECT_EQ(readUsageCounters(), (UsageCounters{7, 0, 0, 3, 0, 0, 0}));
}

TEST_F(RunFilesTest, TipCounter) {
  const std::string titleDir = programDir.str() + "Savora 99";
  EXPECT_FALSE(readTipCounter(titleDir).has_value());
  EXPECT_FALSE(writeTipCounter(titleDir, 3)) << "the title directory does not exist";

  std::filesystem::create_directory(titleDir);
  ASSERT_TRUE(writeTipCounter(titleDir, 42));
  EXPECT_EQ(readTipCounter(titleDir), 42);
  ASSERT_TRUE(writeTipCounter(titleDir, 7));
  EXPECT_EQ(readTipCounter(titleDir), 7);

  programDir.write("Savora 99/tip.cnt", "many");
  EXPECT_FALSE(readTipCounter(titleDir).has_value());
}

}  // namespace
}  // namespace savora::app
