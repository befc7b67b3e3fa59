// Stored media names resolved to files: title directories, the CD (a drive letter mapped to a
// temporary folder), collection titles and the catalogue; the missing-picture message; the
// video's other format; and the block copy.
#include "media/media_lookup.h"

#include <gtest/gtest.h>

#include "platform/file_ops.h"
#include "platform/paths.h"
#include "program_folders.h"

namespace savora::media {
namespace {

using savora::testing::readFileBytes;
using savora::testing::TempFolder;

// Test rows of our own: the shipped title table is empty.
const std::vector<MediaTitle> kTitles = {
    {"C:\\GARDN\\", "Garden Table", false, {}},
    {"C:\\FEAST\\", "Feast Days", true, {"Party Box"}},
};

class MediaLookupTest : public savora::testing::ProgramFoldersTest {
 protected:
  void SetUp() override {
    ProgramFoldersTest::SetUp();
    platform::drives().clear();
    platform::drives().set('D', cd.str());
  }
  void TearDown() override {
    platform::drives().clear();
    ProgramFoldersTest::TearDown();
  }
  MediaLookup lookup(bool digital = false) {
    return MediaLookup({programDir.str(), 'D', digital}, kTitles, {"Kitchen Collection"});
  }

  TempFolder cd;
};

TEST_F(MediaLookupTest, TitlePrefixedPhotoResolvesIntoTheInstalledTitleFolder) {
  programDir.write("Garden Table/PICTURES/Basil.bmp", "BM");
  cd.write("pictures/basil.BMP", "BM");  // the installed copy comes first
  MediaLookup media = lookup();
  const std::string path = media.resolve("c:\\gardn\\basil");
  EXPECT_EQ(path, programDir.str() + "Garden Table\\pictures\\basil");
  EXPECT_TRUE(mediaExists(path, true));
  EXPECT_EQ(media.missingPictureMessage(), "");
}

TEST_F(MediaLookupTest, CandidatesAreTriedInOrder) {
  MediaLookup media = lookup();
  // On the CD when the title is not installed.
  cd.write("pictures/thyme.bmp", "BM");
  EXPECT_EQ(media.resolve("C:\\GARDN\\thyme"), "D:\\pictures\\thyme");
  // A collection title of the common list, then the CD's catalogue.
  programDir.write("Kitchen Collection/pictures/sage.bmp", "BM");
  EXPECT_EQ(media.resolve("C:\\GARDN\\sage"),
            programDir.str() + "Kitchen Collection\\pictures\\sage");
  cd.write("catalog/Garden Table/pictures/dill.bmp", "BM");
  EXPECT_EQ(media.resolve("C:\\GARDN\\dill"), "D:\\catalog\\Garden Table\\pictures\\dill");
  // A title with its own collection list does not search the common one.
  programDir.write("Kitchen Collection/pictures/cake.bmp", "BM");
  programDir.write("Party Box/pictures/punch.bmp", "BM");
  EXPECT_EQ(media.resolve("C:\\FEAST\\punch"), programDir.str() + "Party Box\\pictures\\punch");
  EXPECT_EQ(media.resolve("C:\\FEAST\\cake"), "C:\\FEAST\\cake");
  EXPECT_EQ(media.missingPictureMessage(), "Insert the Feast Days CD to view this picture.");
}

TEST_F(MediaLookupTest, MissingEverywhereGivesTheInsertCdMessage) {
  MediaLookup media = lookup();
  EXPECT_EQ(media.resolve("C:\\GARDN\\mint"), "C:\\GARDN\\mint");
  EXPECT_EQ(media.missingPictureMessage(), "Insert the Garden Table CD to view this picture.");
  EXPECT_EQ(missingVideoMessage(media.missingPictureMessage()),
            "Insert the Garden Table CD to view this video clip");
  // The next resolution starts afresh.
  programDir.write("Garden Table/pictures/mint.bmp", "BM");
  media.resolve("C:\\GARDN\\mint");
  EXPECT_EQ(media.missingPictureMessage(), "");
  EXPECT_EQ(missingVideoMessage(""), "");
}

TEST_F(MediaLookupTest, MpgVideoIsFoundAsWmv) {
  programDir.write("Garden Table/pictures/knife.wmv", "video");
  MediaLookup media = lookup();
  EXPECT_EQ(media.resolve("C:\\GARDN\\knife.mpg"),
            programDir.str() + "Garden Table\\pictures\\knife.wmv");

  // Tip videos keep their file name after 15 characters and live in "tips".
  cd.write("tips/tip7.wmv", "video");
  EXPECT_EQ(media.resolve("C:\\GARDN\\video\\tip7.mpg"), "D:\\tips\\tip7.wmv");

  // A name of no title: the other format of the name itself, or the name unchanged.
  const std::string own = programDir.str() + "clips/pan.mpg";
  EXPECT_EQ(media.resolve(own), own);
  programDir.write("clips/pan.wmv", "video");
  EXPECT_EQ(media.resolve(own), programDir.str() + "clips/pan.wmv");

  std::string name = own;
  EXPECT_TRUE(mediaExists(name, false));
  EXPECT_EQ(name, programDir.str() + "clips/pan.wmv");
  std::string absent = programDir.str() + "clips/none.mpg";
  EXPECT_FALSE(mediaExists(absent, false));
  EXPECT_EQ(absent, programDir.str() + "clips/none.mpg");
}

TEST_F(MediaLookupTest, UsersOwnPhotoResolvesToItself) {
  TempFolder elsewhere;
  const std::string photo = elsewhere.str() + "My Pie";
  elsewhere.write("My Pie.BMP", "BM");
  MediaLookup media = lookup();
  EXPECT_EQ(media.resolve(photo), photo);
  EXPECT_EQ(media.missingPictureMessage(), "");
  EXPECT_TRUE(mediaExists(photo, true));
  EXPECT_FALSE(mediaExists(photo, false));  // a folder or the bare name is not the photo
  // Names are cut at 259 characters.
  EXPECT_EQ(media.resolve(std::string(300, 'x')).size(), kMaxMediaNameLength);
}

TEST_F(MediaLookupTest, DigitalEditionLooksOnlyInItsPicturesFolder) {
  programDir.write("pictures/basil.bmp", "BM");
  programDir.write("Garden Table/pictures/thyme.bmp", "BM");
  MediaLookup media = lookup(true);
  EXPECT_EQ(media.resolve("C:\\GARDN\\basil"), programDir.str() + "pictures\\basil");
  EXPECT_EQ(media.resolve("C:\\GARDN\\thyme"), "C:\\GARDN\\thyme");
  // A user's own photo is not cut into a name that does not exist.
  TempFolder elsewhere;
  elsewhere.write("Soup.bmp", "BM");
  EXPECT_EQ(media.resolve(elsewhere.str() + "Soup"), elsewhere.str() + "Soup");
}

TEST_F(MediaLookupTest, PhotoFileIsTheBitmapBesideTheNameOrTheNamedFile) {
  programDir.write("Garden Table/pictures/basil.bmp", "BM");
  programDir.write("own/pie.bmp", "BM");
  programDir.write("own/tart.bmp", "BM");
  struct Case {
    std::string stored;
    std::string file;  // "" when nothing shows it
  };
  const Case cases[] = {
      {"C:\\GARDN\\basil", programDir.str() + "Garden Table\\pictures\\basil.BMP"},
      {programDir.str() + "own/pie", programDir.str() + "own/pie.BMP"},
      {programDir.str() + "own/tart.bmp", programDir.str() + "own/tart.bmp"},  // kept its ending
      {programDir.str() + "own/flan", ""},
      {"", ""},
  };
  MediaLookup media = lookup();
  for (const Case& c : cases) EXPECT_EQ(photoFile(media, c.stored), c.file) << c.stored;
}

TEST_F(MediaLookupTest, CopyFileReplacesTheTargetWholeAcrossBlocks) {
  std::string bytes;
  for (int i = 0; i < 12345; ++i) bytes += char('a' + i % 26);
  const auto source = programDir.write("in/clip.mpg", bytes);
  const auto target = programDir.write("out/clip.mpg", std::string(20000, 'z'));
  ASSERT_TRUE(copyMediaFile(source.string(), target.string()));
  EXPECT_EQ(readFileBytes(target), bytes);

  const auto empty = programDir.write("in/empty.mpg");
  ASSERT_TRUE(copyMediaFile(empty.string(), target.string()));
  EXPECT_EQ(readFileBytes(target), "");
  EXPECT_FALSE(copyMediaFile(programDir.str() + "in/none.mpg", programDir.str() + "out/new.mpg"));
  EXPECT_FALSE(platform::fileExists(programDir.str() + "out/new.mpg"));
}

}  // namespace
}  // namespace savora::media
