#include <gtest/gtest.h>

#include "platform/file_ops.h"
#include "platform/paths.h"
#include "platform/program_dirs.h"
#include "temp_folder.h"

namespace savora::platform {
namespace {

using savora::testing::TempFolder;

class PathsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(setProgramDirectory(dir.str()));
    drives().clear();
  }
  void TearDown() override { drives().clear(); }
  TempFolder dir;
};

TEST_F(PathsTest, EveryComponentMatchesIgnoringCase) {
  dir.write("intro.mpg", "x");
  dir.write("Catalog/CATALOGBOOK.CDX", "y");
  EXPECT_EQ(nativePath("INTRO.MPG"), "intro.mpg");
  EXPECT_EQ(nativePath("catalog\\catalogBook.cdx"), "Catalog/CATALOGBOOK.CDX");
  EXPECT_TRUE(fileExists("catalog\\catalogBook.cdx"));
  EXPECT_EQ(readWholeFile("CATALOG\\catalogbook.cdx").value_or(""), "y");
  // Absolute names resolve the same way.
  EXPECT_EQ(nativePath(dir.str() + "CATALOG\\catalogbook.CDX"),
            dir.str() + "Catalog/CATALOGBOOK.CDX");
}

TEST_F(PathsTest, MissingComponentsKeepTheProgramsSpelling) {
  dir.write("Cmm/a.txt");
  // The existing folder is found; the new file keeps the name given, so it is created as asked.
  EXPECT_EQ(nativePath("cmm\\NewFile.TXT"), "Cmm/NewFile.TXT");
  EXPECT_EQ(nativePath("none\\Deeper\\x"), "none/Deeper/x");
  ASSERT_TRUE(writeWholeFile("cmm\\NewFile.TXT", "new"));
  EXPECT_EQ(savora::testing::readFileBytes(dir.path() / "Cmm/NewFile.TXT"), "new");
  // Trailing separators are kept for folder names.
  EXPECT_EQ(nativePath("cmm\\"), "Cmm/");
}

TEST_F(PathsTest, FilesAddedOrRemovedLaterAreSeen) {
  dir.write("Cmm/old.txt");
  EXPECT_EQ(nativePath("cmm\\NEW.TXT"), "Cmm/NEW.TXT");  // not there yet
  dir.write("Cmm/new.txt");
  EXPECT_EQ(nativePath("cmm\\NEW.TXT"), "Cmm/new.txt");
  std::filesystem::remove(dir.path() / "Cmm/new.txt");
  std::filesystem::rename(dir.path() / "Cmm/old.txt", dir.path() / "Cmm/New.Txt");
  EXPECT_EQ(nativePath("cmm\\NEW.TXT"), "Cmm/New.Txt");
  EXPECT_FALSE(fileExists("cmm\\old.txt"));
}

TEST_F(PathsTest, DriveLettersGoThroughTheDriveTable) {
  TempFolder cd;
  cd.write("CDINFO.INI", "[General]\r\nApp Name=Test Title\r\n");
  dir.write("SAVORA99.INI", "[General]\nApp Path=x\n\n[Drives]\nd=" + cd.path().string() + "\n");
  drives().loadFromIni(dir.str() + "SAVORA99.INI");
  EXPECT_EQ(drives().letters(), "d");
  EXPECT_EQ(nativePath("D:\\cdinfo.ini"), cd.str() + "CDINFO.INI");
  EXPECT_EQ(nativePath("d:cdinfo.ini"), cd.str() + "CDINFO.INI");
  EXPECT_TRUE(fileExists("D:\\cdinfo.ini"));
  // An unmapped drive is simply missing: no path, every operation fails cleanly.
  EXPECT_EQ(nativePath("E:\\cdinfo.ini"), "");
  EXPECT_FALSE(fileExists("E:\\cdinfo.ini"));
  EXPECT_FALSE(readWholeFile("E:\\cdinfo.ini").has_value());
  EXPECT_FALSE(writeWholeFile("E:\\x", "y"));
}

TEST_F(PathsTest, WindowsDirectoryFollowsXdgConfigHome) {
  TempFolder config;
  const char* old = std::getenv("XDG_CONFIG_HOME");
  const std::string saved = old ? old : "";
  ::setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
  EXPECT_EQ(windowsDirectory(), config.str() + "savora99/");
  EXPECT_TRUE(isFolder(windowsDirectory()));
  if (old)
    ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
  else
    ::unsetenv("XDG_CONFIG_HOME");
}

TEST_F(PathsTest, ProgramDirectoryEndsWithSlashAndIsCurrent) {
  EXPECT_EQ(programDirectory(), dir.str());
  dir.write("usage", "1\n");
  EXPECT_TRUE(fileExists("usage"));
  EXPECT_FALSE(setProgramDirectory(dir.str() + "missing"));
  EXPECT_EQ(programDirectory(), dir.str());
}

}  // namespace
}  // namespace savora::platform
