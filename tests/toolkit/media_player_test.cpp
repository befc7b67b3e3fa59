#include <gtest/gtest.h>

#include "temp_folder.h"
#include "toolkit/qt_media_player.h"

#include <QWidget>

namespace savora::toolkit {
namespace {

TEST(QtMediaPlayerTest, OpensOnlyFilesThatExistAndClosesCleanly) {
  savora::testing::TempFolder dir;
  QtMediaPlayer player;
  EXPECT_EQ(player.state(), MediaPlayer::State::Closed);
  EXPECT_FALSE(player.open(dir.str() + "INTRO.MPG"));
  EXPECT_EQ(player.state(), MediaPlayer::State::Closed);
  dir.write("intro.mpg", std::string(1024, '\0'));
  ASSERT_TRUE(player.open(dir.str() + "INTRO.MPG"));  // found ignoring case
  EXPECT_EQ(player.fileName(), dir.str() + "INTRO.MPG");
  EXPECT_NE(player.state(), MediaPlayer::State::Closed);
  player.close();
  EXPECT_EQ(player.state(), MediaPlayer::State::Closed);
  EXPECT_EQ(player.fileName(), "");
}

TEST(QtMediaPlayerTest, OutlivesTheWidgetItsVideoWasShownIn) {
  // A window's widgets go before the window that owns the player.
  auto* parent = new QWidget;
  QtMediaPlayer player(parent);
  player.placeVideo(0, 0, 320, 240);
  delete parent;
  player.play();
  player.close();
  EXPECT_EQ(player.state(), MediaPlayer::State::Closed);
}

}  // namespace
}  // namespace savora::toolkit
