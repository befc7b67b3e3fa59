// The shared photo, sound and video tab driven directly, hosted on the information window's
// object: what each add and remove does to the references, the player and the window.
#include "media/media_tab_widget.h"

#include <gtest/gtest.h>

#include "codes/program_codes.h"
#include "fake_media_player.h"
#include "program_folders.h"
#include "scripted_user.h"
#include "window_objects.h"

namespace savora::media {
namespace {

using savora::testing::FakeMediaPlayer;
using toolkit::UIW_WINDOW;

class MediaTabTest : public savora::testing::ProgramFoldersTest {
 protected:
  void SetUp() override {
    ProgramFoldersTest::SetUp();
    ASSERT_TRUE(savora::testing::openWindowObjects());
    for (const char* file : {"old.wav", "new.wav", "old.mpg", "new.mpg"})
      programDir.write(file, "data");
    window = std::make_unique<UIW_WINDOW>("BOOK_INFO");
  }
  void TearDown() override {
    tab.reset();
    window.reset();
    savora::testing::closeWindowObjects();
    ProgramFoldersTest::TearDown();
  }
  // A tab like the information window's: no missing-photo label, video played by its player.
  void makeTab(MediaLookup lookup = MediaLookup({})) {
    auto fake = std::make_unique<FakeMediaPlayer>();
    player = fake.get();
    MediaTabObjects objects;
    objects.playSoundEvent = codes::book_info_window::kPlaySound;
    objects.playVideoEvent = codes::book_info_window::kPlayVideo;
    objects.videoObjects = {"PLAY_VIDEO", "VIDEO_AREA"};
    tab = std::make_unique<MediaTab>(*window, objects, media, user, std::move(lookup),
                                     std::move(fake), MediaTabHooks{[this] { ++changes; }, {}});
    tab->show();
  }
  std::string file(const std::string& name) const { return programDir.str() + name; }

  savora::testing::ScriptedUser user;
  std::unique_ptr<UIW_WINDOW> window;
  store::MediaReferences media;
  FakeMediaPlayer* player = nullptr;
  std::unique_ptr<MediaTab> tab;
  int changes = 0;
};

struct FlowCase {
  const char* name;
  std::optional<MediaKind> playing;  // played before the command
  int command;
  std::optional<std::string> chosen;  // the file dialog's answer to an add
  const char* message;                // the message the command gives, or null
  MediaKind kind;                     // the reference the command is about
  std::string reference;              // ... afterwards, in the program directory
  std::string label;                  // its name label afterwards
  std::string inPlayer;               // what the player has open afterwards, "" nothing
  int changes;
};

void PrintTo(const FlowCase& flow, std::ostream* out) {
  *out << flow.name;
}

const std::string kLongName = std::string(300, 'v') + ".mpg";

const FlowCase kFlows[] = {
    {"PhotoKeptWithoutExtensionSoundPlayingOn", MediaKind::Sound, codes::kAddPhoto, "new.BMP",
     nullptr, MediaKind::Photo, "new", "new", "old.wav", 1},
    {"SoundHeardAtOnce", std::nullopt, codes::kAddSound, "new.wav", nullptr, MediaKind::Sound,
     "new.wav", "new.wav", "new.wav", 1},
    {"PlayingSoundReplacedByTheNew", MediaKind::Sound, codes::kAddSound, "new.wav", nullptr,
     MediaKind::Sound, "new.wav", "new.wav", "new.wav", 1},
    {"PlayingVideoReplacedStops", MediaKind::Video, codes::kAddVideo, "new.mpg", nullptr,
     MediaKind::Video, "new.mpg", "new.mpg", "", 1},
    {"VideoAddedWhileTheSoundPlays", MediaKind::Sound, codes::kAddVideo, "new.mpg", nullptr,
     MediaKind::Video, "new.mpg", "new.mpg", "old.wav", 1},
    {"CancelledDialogChangesNothing", MediaKind::Sound, codes::kAddSound, std::nullopt, nullptr,
     MediaKind::Sound, "old.wav", "old.wav", "old.wav", 0},
    {"TooLongNameRefused", MediaKind::Video, codes::kAddVideo, kLongName,
     "The name of that file is too long: it may have at most 259 characters with its folders.",
     MediaKind::Video, "old.mpg", "old.mpg", "old.mpg", 0},
    {"PlayingSoundRemovedStops", MediaKind::Sound, codes::kRemoveSound, std::nullopt, nullptr,
     MediaKind::Sound, "", "(none)", "", 1},
    {"PlayingVideoRemovedStops", MediaKind::Video, codes::kRemoveVideo, std::nullopt, nullptr,
     MediaKind::Video, "", "(none)", "", 1},
    {"PhotoRemovedSoundPlayingOn", MediaKind::Sound, codes::kRemovePhoto, std::nullopt, nullptr,
     MediaKind::Photo, "", "(none)", "old.wav", 1},
};

class MediaTabFlowTest : public MediaTabTest, public ::testing::WithParamInterface<FlowCase> {};

TEST_P(MediaTabFlowTest, ChangesTheReferenceThePlayerAndTheWindow) {
  const FlowCase& flow = GetParam();
  media = {file("old"), file("old.wav"), file("old.mpg")};
  makeTab();
  if (flow.playing) tab->play(*flow.playing);
  const bool adds = flow.command <= codes::kAddVideo;
  if (adds) user.answerFileDialog(flow.chosen ? file(*flow.chosen) : flow.chosen);
  if (flow.message) user.expectMessage("Wait!", flow.message);
  EXPECT_TRUE(tab->handle(flow.command));

  const size_t kind = size_t(flow.kind);
  EXPECT_EQ(media[kind], flow.reference.empty() ? "" : file(flow.reference));
  const char* labels[] = {"PHOTO_NAME", "SOUND_NAME", "VIDEO_NAME"};
  EXPECT_EQ(window->Get(labels[kind])->text(), flow.label);
  EXPECT_EQ(player->fileName(), flow.inPlayer.empty() ? "" : file(flow.inPlayer));
  EXPECT_EQ(changes, flow.changes);
}

INSTANTIATE_TEST_SUITE_P(AddAndRemove, MediaTabFlowTest, ::testing::ValuesIn(kFlows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MediaTabTest, ThePlayCommandsPlayAndOtherEventsAreLeftToTheWindow) {
  media = {"", file("old.wav"), file("old.mpg")};
  makeTab();
  EXPECT_TRUE(tab->handle(codes::book_info_window::kPlayVideo));
  EXPECT_EQ(player->fileName(), file("old.mpg"));
  EXPECT_TRUE(tab->handle(codes::book_info_window::kPlaySound));
  EXPECT_EQ(player->fileName(), file("old.wav"));
  EXPECT_FALSE(tab->handle(codes::book_info_window::kOk));
  EXPECT_TRUE(user.dialogs().empty());
}

TEST_F(MediaTabTest, APhotoOnAMissingCdSaysSoInThePictureWithoutAMessageLabel) {
  media[size_t(MediaKind::Photo)] = "C:\\BREAD\\photos\\rye";
  makeTab(MediaLookup({programDir.str(), 0, false}, {{"C:\\BREAD\\", "Bread Magic", false, {}}}));
  EXPECT_EQ(window->Get("PICTURE")->text(), "Insert the Bread Magic CD to view this picture.");
}

}  // namespace
}  // namespace savora::media
