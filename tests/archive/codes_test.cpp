#include <gtest/gtest.h>

#include "archive/codes.h"
#include "archive/entry_names.h"
#include "archive/job.h"

namespace savora::archive {
namespace {

TEST(MessageTextTest, EveryCodeHasItsText) {
  // Indexed by -code.
  const char* const texts[] = {"",
                               "Error",
                               "Error",
                               "Memory allocation error",
                               "File does not exist",
                               "Not an archive or corrupt",
                               "Corrupt header",
                               "CRC-32 error",
                               "Unable to open file",
                               "Incompatible archive version",
                               "End of archive",
                               "Archive already open",
                               "Read error",
                               "Write error",
                               "Bad argument",
                               "Unable to create temp file",
                               "Data in buffer is uncompressable",
                               "Max number of file handles exceeded",
                               "Write-protected",
                               "Invalid drive",
                               "Invalid media",
                               "Unable to reset controller",
                               "Unable to format track",
                               "Unable to verify track",
                               "Drive not responding",
                               "Error writing boot sector",
                               "Error writing FAT table",
                               "Error writing root directory",
                               "Error writing system files",
                               "File is encrypted",
                               "Canceled",
                               "Disk full",
                               "Feature not supported",
                               "Insufficient disk space",
                               "A file in the archive is larger than any it may hold"};
  for (int code = 0; code >= -34; --code) {
    SCOPED_TRACE(code);
    EXPECT_EQ(messageText(code), texts[-code]);
  }
  EXPECT_EQ(messageText(kErrorCanceled), "Canceled");
  EXPECT_EQ(messageText(-35), "Error");
  EXPECT_EQ(messageText(-1000), "Error");
}

TEST(TwirlTest, CyclesThroughFourMarks) {
  Job job;
  std::string marks;
  for (int i = 0; i < 9; ++i) marks += job.twirl();
  EXPECT_EQ(marks, "|/-\\|/-\\|");
}

TEST(EntryNamesTest, OnlyNamesInsideTheFolderAreSafe) {
  const std::pair<const char*, bool> cases[] = {
      {"rc65.dbf", true}, {"cmm/tip1.txt", true}, {"a/b/", true},
      {"..x/y..", true},  {"./a", true},          {"", false},
      {"../evil", false}, {"..", false},          {"a/../../b", false},
      {"a/..", false},    {"..\\evil", false},    {"a\\..\\..\\b", false},
      {"/abs", false},    {"\\abs", false},       {"C:/x", false},
      {"c:x", false},     {"C:\\x", false},
  };
  for (const auto& [name, safe] : cases) {
    SCOPED_TRACE(name);
    EXPECT_EQ(isSafeEntryName(name), safe);
  }
}

TEST(EntryNamesTest, AddedFilesKeepOnlyASafeFolderPart) {
  const struct {
    const char* pattern;
    const char* file;
    const char* entry;
  } cases[] = {
      {"*.dbf", "RC65.DBF", "RC65.DBF"},
      {"cmm\\*.*", "tip1.txt", "cmm/tip1.txt"},
      {"cmm\\sub/*.*", "x", "cmm/sub/x"},
      {".\\*.cdx", "a.cdx", "a.cdx"},
      {"..\\up\\*.*", "x", "x"},
      {"/tmp/*.dbf", "x.dbf", "x.dbf"},
      {"D:\\data\\*.dbf", "x.dbf", "x.dbf"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pattern);
    EXPECT_EQ(entryNameFor(folderPartOf(c.pattern), c.file), c.entry);
  }
}

TEST(EntryNamesTest, PatternsSelectEntriesIgnoringCase) {
  const struct {
    const char* pattern;
    const char* entry;
    bool selected;
  } cases[] = {
      {"*.*", "rc65.dbf", true},
      {"*.*", "cmm/tip1.txt", true},
      {"*.*", "README", true},
      {"*.DBF", "rc65.dbf", true},
      {"*.dbf", "rc65.cdx", false},
      {"cmm\\*.*", "cmm/tip1.txt", true},
      {"cmm\\*.*", "other/tip1.txt", false},
      {"rc65.dbf", "cmm/rc65.dbf", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.pattern) + " vs " + c.entry);
    EXPECT_EQ(patternSelectsEntry(c.pattern, c.entry), c.selected);
  }
}

}  // namespace
}  // namespace savora::archive
