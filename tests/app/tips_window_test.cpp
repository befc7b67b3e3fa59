// The TIPS window on a fake player: the intro, the numbered tips (with the start-over question
// and the missing-tips message), a list of recipes' videos, and what closing leaves in the
// settings.
#include "app/tips_window.h"

#include <QWidget>

#include "app/program.h"
#include "app/tip_files.h"
#include "app/usage_counters.h"
#include "app_fixture.h"
#include "fake_media_player.h"
#include "platform/paths.h"
#include "toolkit/event_codes.h"

namespace savora::app {
namespace {

using namespace savora::toolkit;
using savora::testing::FakeMediaPlayer;

const char* const kSeenAll = "You have seen all the tips.\r\n\r\nWould you like to see them again?";

// Lends the test's fake player to a window, which destroys its player when it closes. With
// `refuse` set, nothing opens (a system without the decoder).
class LentPlayer : public MediaPlayer {
 public:
  LentPlayer(FakeMediaPlayer& player, bool refuse) : player_(player), refuse_(refuse) {}
  bool open(const std::string& fileName) override { return !refuse_ && player_.open(fileName); }
  void play() override { player_.play(); }
  void stop() override { player_.stop(); }
  void seekToStart() override { player_.seekToStart(); }
  void close() override { player_.close(); }
  State state() const override { return player_.state(); }
  std::string fileName() const override { return player_.fileName(); }
  void onStopped(std::function<void()> handler) override { player_.onStopped(std::move(handler)); }
  void onFailed(std::function<void()> handler) override { player_.onFailed(std::move(handler)); }

 private:
  FakeMediaPlayer& player_;
  bool refuse_;
};

class TipsWindowTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    state.title = "Bread Magic";
  }
  void TearDown() override {
    UI_WINDOW_MANAGER::instance().closeAll();
    MainWindowTest::TearDown();
  }
  TipsWindow* open(TipsRequest request, bool refuse = false) {
    TipsWindow* window = openTipsWindow(std::move(request), {state, settings, &tables.recipes()},
                                        user, std::make_unique<LentPlayer>(player, refuse));
    settle();
    return window;
  }
  static bool isOpen(const TipsWindow* window) {
    return UI_WINDOW_MANAGER::instance().contains(window);
  }
  static bool shown(TipsWindow* window, const char* child) {
    return !window->Get(child)->widget()->isHidden();
  }
  std::string tip(int n) const {
    return state.titleDirectory() + "\\TIPS\\TIP" + std::to_string(n) + ".MPG";
  }
  void writeTips(int from, int to) {
    for (int n = from; n <= to; ++n)
      folders.program.write("Bread Magic/tips/tip" + std::to_string(n) + ".mpg", "video");
  }
  void click(TipsWindow* window, const char* button) {
    window->Get<UIW_BUTTON>(button)->click();
    settle();
  }

  FakeMediaPlayer player;
};

TEST_F(TipsWindowTest, TipsPlayInTurnAndStartOverAfterTheLast) {
  writeTips(1, 3);
  settings.tipCounter = 3;
  TipsWindow* window = open({TipsMode::Tips, {}, {}});
  ASSERT_TRUE(isOpen(window));
  EXPECT_TRUE(shown(window, "NEXT_VIDEO"));
  EXPECT_TRUE(window->Get<UIW_BUTTON>("SHOW_TIPS")->isChecked());
  EXPECT_EQ(player.opened, std::vector<std::string>{tip(3)});
  EXPECT_EQ(player.state(), MediaPlayer::State::Playing);
  EXPECT_EQ(settings.tipCounter, 4);

  // No tip 4, but tip 3 again: every tip has been seen.
  user.expectMessage("No More Tips", kSeenAll, Button::Yes);
  click(window, "NEXT_VIDEO");
  EXPECT_EQ(user.messages().back().icon, "INFORMATION");
  EXPECT_EQ(player.opened.back(), tip(1));
  EXPECT_EQ(settings.tipCounter, 2);

  click(window, "NEXT_VIDEO");
  click(window, "NEXT_VIDEO");
  EXPECT_EQ(player.opened.back(), tip(3));
  user.expectMessage("No More Tips", kSeenAll, Button::No);
  click(window, "NEXT_VIDEO");
  EXPECT_FALSE(isOpen(window));
  EXPECT_EQ(settings.tipCounter, 0);
}

TEST_F(TipsWindowTest, WithTheIntroOffTheTipsStartOverWithoutAsking) {
  writeTips(1, 2);
  settings.showIntro = false;
  settings.tipCounter = 3;
  TipsWindow* window = open({TipsMode::Tips, {}, {}});
  ASSERT_TRUE(isOpen(window));
  EXPECT_EQ(player.opened, std::vector<std::string>{tip(1)});
  EXPECT_EQ(settings.tipCounter, 2);
  // Tips turned off at start-up still play when asked for.
  UI_WINDOW_MANAGER::instance().closeAll();
  settings.tipCounter = 0;
  window = open({TipsMode::Tips, {}, {}});
  EXPECT_TRUE(isOpen(window));
  EXPECT_EQ(player.opened.back(), tip(1));
}

TEST_F(TipsWindowTest, MissingTipFilesEndTheTips) {
  writeTips(2, 3);
  settings.tipCounter = 4;
  user.expectMessage("No More Tips", kSeenAll, Button::Yes);
  user.expectMessage("Tip Files Not Found", "Unable to find tips files.");
  TipsWindow* window = open({TipsMode::Tips, {}, {}});
  EXPECT_EQ(user.messages().back().icon, "HAND");
  EXPECT_FALSE(isOpen(window));
  EXPECT_TRUE(player.opened.empty());

  // Neither tip n nor n - 1: the window closes without a word.
  settings.tipCounter = 9;
  window = open({TipsMode::Tips, {}, {}});
  EXPECT_FALSE(isOpen(window));
  EXPECT_EQ(settings.tipCounter, 9);
}

TEST_F(TipsWindowTest, TipsComeFromTheCdWhenTheTitleFolderHasNone) {
  savora::testing::TempFolder cd;
  cd.write("TIPS/TIP1.wmv", "video");
  platform::drives().set('E', cd.str());
  state.cdDrive = 'E';
  EXPECT_EQ(findTipVideo(state, 1), "E:\\TIPS\\TIP1.wmv");
  writeTips(1, 1);
  EXPECT_EQ(findTipVideo(state, 1), tip(1));
  state.digital = true;
  folders.program.write("TIPS/TIP1.MPG", "video");
  EXPECT_EQ(findTipVideo(state, 1), state.programDirectory + "TIPS\\TIP1.MPG");
  platform::drives().clear();
}

TEST_F(TipsWindowTest, FortuneAppearsWhenTheCounterReachesFifteen) {
  writeTips(13, 14);
  folders.program.write("Bread Magic/pictures/FORTUNE.BMP", "BM");
  settings.tipCounter = 13;
  TipsWindow* window = open({TipsMode::Tips, {}, {}});
  EXPECT_EQ(window->pictureWindow(), nullptr);
  click(window, "NEXT_VIDEO");
  EXPECT_EQ(player.opened.back(), tip(14));
  EXPECT_EQ(settings.tipCounter, kFortuneTip);
  ASSERT_NE(window->pictureWindow(), nullptr);
  EXPECT_EQ(window->pictureWindow()->windowTitle().toStdString(), "Fortune");
}

TEST_F(TipsWindowTest, UncheckingShowTipsTurnsTheTipsOffOnClosing) {
  writeTips(1, 2);
  TipsWindow* window = open({TipsMode::Tips, {}, {}});
  window->Get<UIW_BUTTON>("SHOW_TIPS")->setChecked(false);
  window->post(UI_EVENT(S_CLOSE));  // the title bar's close button
  settle();
  EXPECT_FALSE(isOpen(window));
  EXPECT_EQ(settings.tipCounter, 0);
  EXPECT_EQ(player.state(), MediaPlayer::State::Closed);
}

TEST_F(TipsWindowTest, IntroLayoutAndTheStartUpSwitch) {
  folders.program.write("Bread Magic/intro.mpg", "video");
  TipsWindow* window = open({TipsMode::Intro, {}, {}});
  ASSERT_TRUE(isOpen(window));
  EXPECT_EQ(window->title(), "Welcome to Savora!");
  EXPECT_EQ(window->Get("CLOSE_BUTTON")->text(), "Skip Intro");
  EXPECT_EQ(window->Get("SHOW_TIPS")->text(), "Show Intro at Startup");
  EXPECT_FALSE(shown(window, "REPLAY"));
  EXPECT_FALSE(shown(window, "NEXT_VIDEO"));
  EXPECT_EQ(player.opened, std::vector<std::string>{state.titleDirectory() + "\\INTRO.MPG"});

  // Played to its end with the box checked: closes, the intro stays on.
  player.finish();
  settle();
  EXPECT_FALSE(isOpen(window));
  EXPECT_TRUE(settings.showIntro);

  // Unchecked and skipped: no intro at the next start.
  window = open({TipsMode::Intro, {}, {}});
  window->Get<UIW_BUTTON>("SHOW_TIPS")->setChecked(false);
  click(window, "CLOSE_BUTTON");
  EXPECT_FALSE(isOpen(window));
  EXPECT_FALSE(settings.showIntro);
}

TEST_F(TipsWindowTest, VideosThatCannotPlay) {
  // An MPEG file the system cannot play.
  folders.program.write("clips/knead.mpg", "video");
  user.expectMessage("Video Error",
                     "The version of Windows you are using\r\ndoes not support MPEG video.\r\n\r\n"
                     "Zel has provided a simple solution.");
  TipsWindow* window =
      open({TipsMode::SingleVideo, state.programDirectory + "clips/knead.mpg", {}}, true);
  EXPECT_FALSE(isOpen(window));
  EXPECT_TRUE(settings.showIntro);

  // Any other failure closes quietly and turns the intro off.
  folders.program.write("Bread Magic/intro.wmv", "video");
  window = open({TipsMode::Intro, {}, {}}, true);
  EXPECT_FALSE(isOpen(window));
  EXPECT_FALSE(settings.showIntro);
}

TEST_F(TipsWindowTest, ShutdownKeepsWhatTheCheckBoxSaid) {
  window();  // inside the frame: at shutdown its widgets go before the window object
  writeTips(1, 2);
  TipsWindow* tips = open({TipsMode::Tips, {}, {}});
  ASSERT_TRUE(isOpen(tips));
  tips->Get<UIW_BUTTON>("SHOW_TIPS")->setChecked(false);
  UI_WINDOW_MANAGER::instance().closeAll();
  settle();
  EXPECT_EQ(settings.tipCounter, 0);
}

TEST_F(TipsWindowTest, AVideoFoundUnplayableAfterOpeningEndsAsIfItHadNotOpened) {
  writeTips(1, 2);
  user.expectMessage("Video Error",
                     "The version of Windows you are using\r\ndoes not support MPEG video.\r\n\r\n"
                     "Zel has provided a simple solution.");
  TipsWindow* tips = open({TipsMode::Tips, {}, {}});
  ASSERT_TRUE(isOpen(tips));
  player.fail();
  settle();
  EXPECT_FALSE(isOpen(tips));

  // An intro in another format than MPEG: closes quietly and the intro is off at the next start.
  folders.program.write("Bread Magic/intro.wmv", "video");
  tips = open({TipsMode::Intro, {}, {}});
  player.fail();
  settle();
  EXPECT_FALSE(isOpen(tips));
  EXPECT_FALSE(settings.showIntro);
}

TEST_F(TipsWindowTest, ACounterPastTheLastTipStartsOverInsteadOfFallingSilent) {
  writeTips(1, 3);
  settings.tipCounter = 9;  // counted for a title with more tips
  user.expectMessage("No More Tips", kSeenAll, Button::Yes);
  TipsWindow* tips = open({TipsMode::Tips, {}, {}});
  EXPECT_TRUE(isOpen(tips));
  EXPECT_EQ(player.opened.back(), tip(1));
  EXPECT_EQ(settings.tipCounter, 2);
}

TEST_F(TipsWindowTest, SingleVideoReplaysFromTheStart) {
  folders.program.write("clips/knead.wmv", "video");
  TipsWindow* window =
      open({TipsMode::SingleVideo, state.programDirectory + "clips/knead.wmv", {}});
  ASSERT_TRUE(isOpen(window));
  EXPECT_EQ(window->title(), "\"How-To\" Video");
  EXPECT_FALSE(shown(window, "SHOW_TIPS"));
  EXPECT_FALSE(shown(window, "NEXT_VIDEO"));
  click(window, "REPLAY");
  EXPECT_EQ(player.rewinds, 1);
  EXPECT_EQ(player.state(), MediaPlayer::State::Playing);
  // The end of a single video leaves the window open.
  player.finish();
  settle();
  EXPECT_TRUE(isOpen(window));
}

TEST_F(TipsWindowTest, RecipeListSkipsARecipeWithoutVideo) {
  const std::string clips = state.programDirectory + "clips/";
  folders.program.write("clips/one.mpg", "video");
  folders.program.write("clips/one.bmp", "BM");
  folders.program.write("clips/three.wmv", "video");
  folders.program.write("clips/three.BMP", "BM");
  std::vector<long> uids;
  const std::vector<std::array<std::string, 3>> media = {
      {clips + "one", "", clips + "one.mpg"},
      {clips + "two", "", ""},
      {clips + "three", "", clips + "three.mpg"}};
  const char* names[] = {"Soup One", "Bread Two", "Stew Three"};
  for (size_t i = 0; i < media.size(); ++i) {
    store::Recipe recipe;
    recipe.name = names[i];
    recipe.media = media[i];
    uids.push_back(tables.recipes().save(0, 1, recipe, true));
  }
  TipsWindow* window = open({TipsMode::RecipeList, {}, uids});
  ASSERT_TRUE(isOpen(window));
  EXPECT_EQ(player.opened, std::vector<std::string>{clips + "one.mpg"});
  EXPECT_TRUE(shown(window, "REPLAY"));
  EXPECT_EQ(window->Get("REPLAY")->text(), "Resize");
  ASSERT_NE(window->pictureWindow(), nullptr);
  EXPECT_EQ(window->pictureWindow()->windowTitle().toStdString(), "Soup One");
  const int zoom = settings.recipeMediaOption;
  click(window, "REPLAY");
  EXPECT_NE(settings.recipeMediaOption, zoom);

  player.finish();
  settle();
  EXPECT_EQ(player.opened, (std::vector<std::string>{clips + "one.mpg", clips + "three.wmv"}));
  EXPECT_EQ(window->pictureWindow()->windowTitle().toStdString(), "Stew Three");
  player.finish();
  settle();
  EXPECT_FALSE(isOpen(window));
}

TEST_F(TipsWindowTest, ARecipeListWithoutVideosPlaysNothing) {
  store::Recipe recipe;
  recipe.name = "Plain";
  const long uid = tables.recipes().save(0, 1, recipe, true);
  TipsWindow* window = open({TipsMode::RecipeList, {}, {uid, 999}});
  EXPECT_FALSE(isOpen(window));
  EXPECT_TRUE(player.opened.empty());
}

TEST_F(TipsWindowTest, TheMainWindowOffersTheIntroAndTipsOnceTheyAreThere) {
  MainWindow& main = window();
  UsageCounters usage;
  registerWindows(main, tables, user, {state, settings, usage});
  EXPECT_FALSE(main.Get("SHOW_TIPS")->isSelectable());
  EXPECT_FALSE(main.Get("SHOW_INTRO")->isSelectable());
  writeTips(1, 1);
  folders.program.write("Bread Magic/INTRO.MPG", "video");
  main.updateCommandAvailability();
  EXPECT_TRUE(main.Get("SHOW_TIPS")->isSelectable());
  EXPECT_TRUE(main.Get("SHOW_INTRO")->isSelectable());
}

TEST_F(TipsWindowTest, TheTipShownAtStartUpStaysTheNextOne) {
  MainWindow& main = window();
  UsageCounters usage;
  registerWindows(main, tables, user, {state, settings, usage});
  writeTips(1, 3);
  settings.tipCounter = 2;
  main.post(UI_EVENT(10530, 1));  // as start-up posts it
  settle();
  EXPECT_EQ(settings.tipCounter, 2);
  // Next in the same window moves past the tip shown, not back to it.
  UIW_WINDOW* tips = nullptr;
  for (UIW_WINDOW* shown : UI_WINDOW_MANAGER::instance().windows()) {
    if (shown->resourceName() == "TIPS") tips = shown;
  }
  ASSERT_NE(tips, nullptr);
  tips->Get<UIW_BUTTON>("NEXT_VIDEO")->click();
  settle();
  EXPECT_EQ(settings.tipCounter, 4);  // tip 3 plays
  settings.tipCounter = 2;
  // From the menu the tips move on; a second window replaces the first.
  main.post(UI_EVENT(10530));
  settle();
  EXPECT_EQ(settings.tipCounter, 3);
  int open = 0;
  for (UIW_WINDOW* shown : UI_WINDOW_MANAGER::instance().windows())
    open += shown->resourceName() == "TIPS" ? 1 : 0;
  EXPECT_EQ(open, 1);
}

}  // namespace
}  // namespace savora::app
