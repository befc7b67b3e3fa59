// TIPS: the video window. It plays the intro at start-up, the numbered tips one after another, a
// single how-to video, or the videos of a list of recipes in turn with each recipe's photo shown
// beside it; it keeps the tip counter and the intro switch of the settings up to date.
#pragma once

#include <QPointer>
#include <memory>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/settings.h"
#include "media/media_lookup.h"
#include "store/recipe_table.h"
#include "toolkit/media_player.h"
#include "toolkit/uiw_window.h"
#include "toolkit/user.h"
#include "toolkit/window_spec.h"

class QLabel;

namespace savora::app {

extern const toolkit::WindowSpec kTipsSpec;

// Where this installation keeps its media, for resolving stored media names.
media::MediaPlaces mediaPlaces(const AppState& state);

enum class TipsMode { Intro, Tips, SingleVideo, RecipeList };

struct TipsRequest {
  TipsMode mode = TipsMode::Tips;
  std::string file;           // the video of the single-video mode
  std::vector<long> recipes;  // the recipe UIDs of the recipe-list mode, in playing order
};

// What the window works with; everything lives longer than the window.
struct TipsServices {
  const AppState& state;
  Settings& settings;                     // the tip counter, the intro switch and the picture zoom
  store::RecipeTable* recipes = nullptr;  // needed by the recipe-list mode
};

class TipsWindow : public toolkit::UIW_WINDOW {
 public:
  // Without a player the window plays into its video area through Qt Multimedia.
  TipsWindow(TipsRequest request, TipsServices services, toolkit::User& user,
             std::unique_ptr<toolkit::MediaPlayer> player = nullptr);
  ~TipsWindow() override;
  int Event(const toolkit::UI_EVENT& event) override;

  TipsMode mode() const { return mode_; }
  // True when the window found a video to play when it opened.
  bool hasVideo() const { return !file_.empty(); }
  // At start-up the tip shown stays the next one (the counter was lowered again); Next then
  // moves past it rather than showing it twice.
  void keepStartUpTip() { startUpTipKept_ = true; }
  // The picture shown beside the video (the fortune, or the recipe's photo), or null.
  QWidget* pictureWindow() const;

 private:
  void setUpLayout();
  void start();
  bool openAndPlay(const std::string& file);
  void failToPlay(const std::string& file);
  void next();
  void replay();
  void videoStopped();
  void videoFailed();
  // The video of the next recipe of the list that has one, its photo shown; "" when none is left.
  std::string nextRecipeVideo();
  void showPicture(const std::string& photo, const std::string& title, int width, int height);
  void drawPicture();
  void closeWindow();
  // What closing does once: the intro switch or the tip counter follow SHOW_TIPS.
  void finish();

  TipsMode mode_;
  TipsServices services_;
  toolkit::User& user_;
  std::unique_ptr<toolkit::MediaPlayer> player_;
  media::MediaLookup media_;
  std::vector<long> recipes_;
  size_t nextRecipe_ = 0;
  std::string file_;
  std::string picture_;  // the photo the picture window shows (a name without ".BMP")
  QPointer<QLabel> pictureWindow_;
  bool finished_ = false;
  bool showTipsChecked_ = true;  // SHOW_TIPS as the user left it
  bool startUpTipKept_ = false;
  toolkit::UIW_BUTTON* showTips_;
  toolkit::UIW_BUTTON* replay_;
};

// Opens TIPS on the screen, closing a TIPS window already open (one video plays at a time).
TipsWindow* openTipsWindow(TipsRequest request, TipsServices services, toolkit::User& user,
                           std::unique_ptr<toolkit::MediaPlayer> player = nullptr);

}  // namespace savora::app
