// Media list files in "cmm" (and "cxp"): write, read back, delete when empty, and names taken
// from records that must not lead out of the folder.
#include <gtest/gtest.h>

#include "platform/file_ops.h"
#include "program_folders.h"
#include "store/media_list.h"

namespace savora::store {
namespace {

using savora::testing::readFileBytes;

class MediaListTest : public savora::testing::ProgramFoldersTest {};

TEST_F(MediaListTest, WritesReadsRewritesAndDeletesLists) {
  const MediaReferences media = {"C:\\pictures\\pie.bmp", "crunch.wav", "pie.mpg"};
  const auto name = writeMediaList("", media);  // "cmm" is created on the way
  ASSERT_TRUE(name);
  ASSERT_FALSE(name->empty());
  EXPECT_EQ(readFileBytes(programDir.path() / "cmm" / *name),
            "C:\\pictures\\pie.bmp\ncrunch.wav\npie.mpg\n");
  EXPECT_EQ(readMediaList(*name), media);

  // A second new list gets a name of its own; rewriting keeps the name.
  const auto other = writeMediaList("", {"a.bmp", "", ""});
  ASSERT_TRUE(other);
  EXPECT_NE(*other, *name);
  EXPECT_EQ(writeMediaList(*name, {"", "", "new.mpg"}), *name);
  EXPECT_EQ(readMediaList(*name), (MediaReferences{"", "", "new.mpg"}));

  // All three empty: the file goes and the record's name is emptied.
  EXPECT_EQ(writeMediaList(*name, {"", "", ""}), "");
  EXPECT_FALSE(platform::fileExists("cmm\\" + *name));
  EXPECT_EQ(readMediaList(*name), MediaReferences{});
  EXPECT_EQ(writeMediaList("", {"", "", ""}), "");
  EXPECT_EQ(readMediaList(*other), (MediaReferences{"a.bmp", "", ""}));
}

TEST_F(MediaListTest, ReadsWhatOtherWritersLeft) {
  programDir.write("cmm/BOOK1.TMP", "one.bmp\r\ntwo.wav\r\n");
  programDir.write("cxp/x.tmp", "p.bmp\ns.wav\nv.mpg\nextra\n");
  programDir.write("cmm/long.tmp", std::string(300, 'p') + "\n");
  // The stored name may carry an old folder, and differ in letter case.
  EXPECT_EQ(readMediaList("C:\\old\\cmm\\book1.tmp"), (MediaReferences{"one.bmp", "two.wav", ""}));
  EXPECT_EQ(readMediaList("x.tmp", kExchangeMediaListFolder),
            (MediaReferences{"p.bmp", "s.wav", "v.mpg"}));
  EXPECT_EQ(readMediaList("long.tmp")[0].size(), 259u);
  EXPECT_EQ(readMediaList("missing.tmp"), MediaReferences{});
  EXPECT_EQ(readMediaList(""), MediaReferences{});
}

TEST_F(MediaListTest, NamesAndTextsCannotEscapeTheListOrItsFolder) {
  programDir.write("keep.txt", "program file");
  // ".." is no list: writing makes a new file in "cmm" and leaves the program directory alone.
  EXPECT_EQ(mediaListFileName("cmm\\.."), "");
  EXPECT_EQ(mediaListFileName("..\\keep.txt"), "keep.txt");
  const auto name = writeMediaList("..", {"a.bmp", "", ""});
  ASSERT_TRUE(name);
  EXPECT_NE(*name, "..");
  EXPECT_TRUE(platform::fileExists("cmm\\" + *name));
  EXPECT_EQ(writeMediaList("..", {"", "", ""}), "");
  EXPECT_TRUE(platform::isFolder("cmm"));
  EXPECT_EQ(readFileBytes(programDir.path() / "keep.txt"), "program file");

  // A line break inside a reference would move the sound into the video's line.
  const auto broken = writeMediaList("", {"two\r\nlines.bmp", "s.wav", "v.mpg"});
  ASSERT_TRUE(broken);
  EXPECT_EQ(readMediaList(*broken), (MediaReferences{"two  lines.bmp", "s.wav", "v.mpg"}));
}

TEST_F(MediaListTest, AListThatCannotBeWrittenGivesNoName) {
  programDir.write("cmm", "a file where the folder should be");
  EXPECT_EQ(writeMediaList("", {"a.bmp", "", ""}), std::nullopt);
  EXPECT_EQ(writeMediaList("x.tmp", {"a.bmp", "", ""}), std::nullopt);
}

}  // namespace
}  // namespace savora::store
