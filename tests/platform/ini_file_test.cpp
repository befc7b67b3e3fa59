#include <gtest/gtest.h>

#include "platform/ini_file.h"
#include "platform/program_dirs.h"
#include "temp_folder.h"

namespace savora::platform {
namespace {

using savora::testing::readFileBytes;
using savora::testing::TempFolder;

class IniFileTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(setProgramDirectory(dir.str())); }
  TempFolder dir;
};

TEST_F(IniFileTest, ReadsIgnoringCaseAndBlanksWithDefaults) {
  dir.write(
      "cdinfo.ini",
      "; a comment=not a key\r\n[General]\r\n  App Name = Bread Machine Magic \r\n"
      "Web Site=\r\nQuoted=\"  padded  \"\r\nCount=42 apples\r\n[Other]\r\nApp Name=Wrong\r\n");
  IniFile ini("CDINFO.INI");
  EXPECT_EQ(ini.readString("general", "APP NAME"), "Bread Machine Magic");
  EXPECT_EQ(ini.readString(" General ", "app name"), "Bread Machine Magic");
  EXPECT_EQ(ini.readString("General", "Web Site", "default"), "");  // present but empty
  EXPECT_EQ(ini.readString("General", "Missing", "default"), "default");
  EXPECT_EQ(ini.readString("Absent", "App Name", "dflt"), "dflt");
  EXPECT_EQ(ini.readString("General", "Quoted"), "  padded  ");
  EXPECT_EQ(ini.readInt("General", "Count", -1), 42);
  EXPECT_EQ(ini.readInt("General", "App Name", -1), -1);
  EXPECT_EQ(ini.readString("Other", "App Name"), "Wrong");
  EXPECT_EQ(IniFile("missing.ini").readString("General", "App Name", "Savora 99"), "Savora 99");
}

TEST_F(IniFileTest, WritingCreatesFileSectionAndKey) {
  IniFile ini("SAVORA99.INI");
  ASSERT_TRUE(ini.writeString("General", "App0", "Savora 2000"));
  EXPECT_EQ(readFileBytes(dir.path() / "SAVORA99.INI"), "[General]\nApp0=Savora 2000\n");
  ASSERT_TRUE(ini.writeString("general", "Version", "6.998"));
  ASSERT_TRUE(ini.writeString("Drives", "D", "/media/cdrom"));
  ASSERT_TRUE(ini.writeString("GENERAL", "app0", "Other"));
  EXPECT_EQ(readFileBytes(dir.path() / "SAVORA99.INI"),
            "[General]\nApp0=Other\nVersion=6.998\n\n[Drives]\nD=/media/cdrom\n");
  const auto keys = ini.keys("general");
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_EQ(keys[1].first, "Version");
  EXPECT_EQ(keys[1].second, "6.998");
}

TEST_F(IniFileTest, WritingKeepsEveryOtherLineAsItWas) {
  const std::string original =
      "; kept comment\r\n[General]\r\nApp Path=C:\\SAVORA\\\r\n  Odd  Spacing =  x \r\n\r\n"
      "[Drives]\r\nD=/media/cdrom\r\n";
  dir.write("savora99.ini", original);
  IniFile ini("savora99.ini");
  ASSERT_TRUE(ini.writeString("General", "App1", "Title B"));
  EXPECT_EQ(readFileBytes(dir.path() / "savora99.ini"),
            "; kept comment\r\n[General]\r\nApp Path=C:\\SAVORA\\\r\n  Odd  Spacing =  x \r\n"
            "App1=Title B\r\n\r\n[Drives]\r\nD=/media/cdrom\r\n");
  ASSERT_TRUE(ini.removeKey("General", "App1"));
  EXPECT_EQ(readFileBytes(dir.path() / "savora99.ini"), original);
}

}  // namespace
}  // namespace savora::platform
