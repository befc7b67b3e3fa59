#include <gtest/gtest.h>

#include "platform/file.h"
#include "platform/file_ops.h"
#include "platform/program_dirs.h"
#include "temp_folder.h"

namespace savora::platform {
namespace {

using savora::testing::readFileBytes;
using savora::testing::TempFolder;

class FileOpsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(setProgramDirectory(dir.str())); }
  void TearDown() override { WriteFaults::disarm(); }
  TempFolder dir;
};

TEST(WildcardTest, WindowsRules) {
  struct Case {
    const char* pattern;
    const char* name;
    bool match;
  } cases[] = {
      {"*.*", "recipe.dbf", true},
      {"*.*", "manager", true},
      {"*.dbf", "RC65.DBF", true},
      {"*.dbf", "rc65.cdx", false},
      {"tip?.MPG", "tip1.mpg", true},
      {"tip?.MPG", "tip12.mpg", false},
      {"rc6*", "rc65.fpt", true},
      {"*65*", "rc65.fpt", true},
      {"a*b*c", "aXbYbZc", true},
      {"a*b*c", "aXbYcZ", false},
      {"?", "", false},
      {"*", "", true},
      {"backup.*", "backup", true},
      {"*.zel", "import.zel.tmp", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.pattern) + " vs " + c.name);
    EXPECT_EQ(matchWildcard(c.pattern, c.name), c.match);
  }
}

TEST_F(FileOpsTest, ListFolderMatchesWildcardsSortedWithFolders) {
  dir.write("cmm/B.txt", "bb");
  dir.write("cmm/a.TXT", "a");
  dir.write("cmm/note", "");
  dir.write("cmm/sub/x", "");
  auto entries = listFolder("CMM\\*.txt");
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].name, "B.txt");
  EXPECT_EQ(entries[0].size, 2u);
  EXPECT_EQ(entries[1].name, "a.TXT");
  entries = listFolder("cmm\\*.*");
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_TRUE(entries[3].isFolder);
  EXPECT_EQ(entries[3].name, "sub");
  EXPECT_TRUE(listFolder("nowhere\\*.*").empty());
}

TEST_F(FileOpsTest, WholeFileReadWriteAppend) {
  EXPECT_FALSE(readWholeFile("missing").has_value());
  ASSERT_TRUE(writeWholeFile("usage", "one\n"));
  ASSERT_TRUE(appendToFile("USAGE", "two\n"));
  EXPECT_EQ(readWholeFile("usage").value(), "one\ntwo\n");
  EXPECT_EQ(readWholeFile("usage", 3).value(), "one");
  ASSERT_TRUE(writeWholeFile("usage", "x"));
  EXPECT_EQ(readWholeFile("usage").value(), "x");
  EXPECT_EQ(fileSize("usage").value(), 1u);
}

TEST_F(FileOpsTest, CopyInBlocksMoveDeleteAndFolders) {
  std::string big(100000, '\0');
  for (size_t i = 0; i < big.size(); ++i) big[i] = char(i * 7);
  dir.write("photo.bmp", big);
  std::vector<uint64_t> progress;
  ASSERT_TRUE(copyFile("PHOTO.BMP", "copy.bmp", 4096, [&](uint64_t n) { progress.push_back(n); }));
  EXPECT_EQ(readFileBytes(dir.path() / "copy.bmp"), big);
  ASSERT_EQ(progress.size(), 25u);
  EXPECT_EQ(progress.back(), big.size());
  EXPECT_FALSE(copyFile("absent", "other"));
  EXPECT_FALSE(fileExists("other"));
  // A copy over a file in another letter case replaces it, leaving one file.
  ASSERT_TRUE(copyFile("photo.bmp", "COPY.BMP"));
  EXPECT_EQ(readFileBytes(dir.path() / "copy.bmp"), big);
  EXPECT_FALSE(fileExists("copy.bmp.part"));

  // A source that fails while it is read (a scratched disc) leaves the good copy as it was.
  dir.write("kept.bmp", "good picture");
  EXPECT_FALSE(copyFile("/proc/self/mem", "kept.bmp"));
  EXPECT_EQ(readFileBytes(dir.path() / "kept.bmp"), "good picture");
  EXPECT_FALSE(fileExists("kept.bmp.part"));

  ASSERT_TRUE(makeFolder("Title"));
  ASSERT_TRUE(makeFolder("title"));  // already there (found ignoring case)
  ASSERT_TRUE(makeFolder("title\\pictures"));
  ASSERT_TRUE(moveFile("copy.bmp", "TITLE\\pictures\\wall640.bmp"));
  EXPECT_FALSE(fileExists("copy.bmp"));
  EXPECT_TRUE(fileExists("title\\PICTURES\\WALL640.BMP"));
  EXPECT_FALSE(removeFolder("title\\pictures"));  // not empty
  ASSERT_TRUE(deleteFile("title\\pictures\\wall640.bmp"));
  EXPECT_FALSE(deleteFile("title\\pictures\\wall640.bmp"));
  EXPECT_TRUE(removeFolder("title\\pictures"));
  EXPECT_FALSE(isFolder("title\\pictures"));
}

TEST_F(FileOpsTest, FileRandomAccessAndModes) {
  File f;
  EXPECT_FALSE(f.open("table.dbf", File::Mode::Read));
  EXPECT_FALSE(f.open("table.dbf", File::Mode::ReadWrite));
  ASSERT_TRUE(f.open("table.dbf", File::Mode::Create));
  ASSERT_TRUE(f.write("0123456789"));
  ASSERT_TRUE(f.writeAt(2, "ab", 2));
  char buf[4] = {};
  ASSERT_TRUE(f.readAt(1, buf, 3));
  EXPECT_EQ(std::string(buf, 3), "1ab");
  EXPECT_FALSE(f.readAt(8, buf, 4));  // past the end
  ASSERT_TRUE(f.truncate(4));
  EXPECT_EQ(f.size(), 4u);
  f.close();
  ASSERT_TRUE(f.open("TABLE.DBF", File::Mode::Update));  // existing: kept, not truncated
  EXPECT_EQ(f.size(), 4u);
  f.close();
  ASSERT_TRUE(f.open("table.dbf", File::Mode::Append));
  ASSERT_TRUE(f.write("Z"));
  f.close();
  EXPECT_EQ(readWholeFile("table.dbf").value(), "01abZ");
  ASSERT_TRUE(makeFolder("folder"));
  EXPECT_FALSE(f.open("folder", File::Mode::Read));
}

TEST_F(FileOpsTest, InjectedWriteFailureAndCrash) {
  WriteFaults::arm(2, WriteFaults::Kind::Fail);
  File f;
  ASSERT_TRUE(f.open("data", File::Mode::Create));
  EXPECT_TRUE(f.write("first"));
  EXPECT_FALSE(f.write("second"));
  EXPECT_FALSE(f.errorText().empty());
  f.close();
  EXPECT_EQ(readWholeFile("data").value(), "first");

  // A crash at the third write: the first two land, the third lands half, nothing after it.
  WriteFaults::arm(3, WriteFaults::Kind::Crash);
  ASSERT_TRUE(f.open("data", File::Mode::Create));
  EXPECT_TRUE(f.write("aa"));
  EXPECT_TRUE(f.write("bb"));
  EXPECT_TRUE(f.write("cccc"));
  EXPECT_TRUE(WriteFaults::crashed());
  EXPECT_TRUE(f.write("dd"));
  EXPECT_TRUE(f.truncate(0));
  f.close();
  EXPECT_EQ(WriteFaults::writesSoFar(), 5u);  // the truncation counts too
  EXPECT_TRUE(deleteFile("data"));            // reported done, but the dead process deletes nothing
  WriteFaults::disarm();
  EXPECT_EQ(readWholeFile("data").value(), "aabbcc");
}

}  // namespace
}  // namespace savora::platform
