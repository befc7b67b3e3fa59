#include "app/tips_window.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMdiArea>
#include <QPixmap>

#include "app/tip_files.h"
#include "codes/program_codes.h"
#include "platform/file_ops.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "toolkit/event_codes.h"
#include "toolkit/qt_media_player.h"
#include "toolkit/window_manager.h"

namespace savora::app {

using namespace savora::toolkit;

namespace {

using namespace savora::codes;
using namespace savora::codes::tips_window;

constexpr int kVideoWidth = 320;
constexpr int kVideoHeight = 260;
constexpr int kPictureWidth = 400;
constexpr int kPictureHeight = 300;

}  // namespace

media::MediaPlaces mediaPlaces(const AppState& state) {
  return {state.programDirectory, state.cdDrive, state.digital};
}

const WindowSpec kTipsSpec{"TIPS",
                           {{"NUMID_TITLE"},
                            {"VIDEO_AREA"},
                            {"SHOW_TIPS", 0, ObjectKind::Button},
                            {"REPLAY", 0, ObjectKind::Button},
                            {"CLOSE_BUTTON", 0, ObjectKind::Button},
                            {"NEXT_VIDEO", 0, ObjectKind::Button}}};

TipsWindow::TipsWindow(TipsRequest request, TipsServices services, User& user,
                       std::unique_ptr<MediaPlayer> player)
    : UIW_WINDOW(kTipsSpec.resource),
      mode_(request.mode),
      services_(services),
      user_(user),
      player_(std::move(player)),
      media_(mediaPlaces(services.state)),
      recipes_(std::move(request.recipes)) {
  resolve(kTipsSpec);
  showTips_ = Get<UIW_BUTTON>("SHOW_TIPS");
  replay_ = Get<UIW_BUTTON>("REPLAY");
  if (!player_) {
    auto qtPlayer = std::make_unique<QtMediaPlayer>(Get("VIDEO_AREA")->widget());
    qtPlayer->placeVideo(0, 0, kVideoWidth, kVideoHeight);
    player_ = std::move(qtPlayer);
  }
  player_->onStopped([this] { post(UI_EVENT(kVideoStopped)); });
  player_->onFailed([this] { post(UI_EVENT(kVideoFailed)); });
  // Kept as the user leaves it: at shutdown the check box goes before the window does.
  QObject::connect(static_cast<QAbstractButton*>(showTips_->widget()), &QAbstractButton::toggled,
                   widget(), [this](bool checked) { showTipsChecked_ = checked; });
  setUpLayout();

  Settings& settings = services_.settings;
  if (mode_ == TipsMode::Intro) file_ = findIntroVideo(services_.state);
  if (mode_ == TipsMode::SingleVideo) file_ = request.file;
  if (mode_ == TipsMode::Tips)
    file_ = pickNextTip(services_.state, settings.tipCounter, settings.showIntro, user_);
  // Playing starts once the window is on screen, so that it can close itself.
  post(UI_EVENT(kStart));
}

TipsWindow::~TipsWindow() {
  // Closed with the others (shutdown) rather than by itself: the closing rules still apply.
  if (!finished_) finish();
  if (player_) player_->close();
  delete pictureWindow_.data();
}

QWidget* TipsWindow::pictureWindow() const {
  return pictureWindow_.data();
}

void TipsWindow::setUpLayout() {
  showTips_->setChecked(true);
  auto* next = Get("NEXT_VIDEO");
  switch (mode_) {
    case TipsMode::Intro:
      setTitle("Welcome to Savora!");
      replay_->hide();
      Get("CLOSE_BUTTON")->setText("Skip Intro");
      showTips_->setText("Show Intro at Startup");
      next->hide();
      break;
    case TipsMode::Tips:
      next->show();
      break;
    case TipsMode::SingleVideo:
    case TipsMode::RecipeList:
      setTitle("\"How-To\" Video");
      showTips_->hide();
      next->hide();
      if (mode_ == TipsMode::RecipeList) replay_->hide();
      break;
  }
}

int TipsWindow::Event(const UI_EVENT& event) {
  switch (event.type) {
    case kStart:
      start();
      break;
    case kNext:
      if (mode_ == TipsMode::Tips) next();
      break;
    case kReplay:
      replay();
      break;
    case kCloseButton:
      closeWindow();
      break;
    case kVideoStopped:
      videoStopped();
      break;
    case kVideoFailed:
      videoFailed();
      break;
    case S_CLOSE:
      finish();
      return UIW_WINDOW::Event(event);
    default:
      return UIW_WINDOW::Event(event);
  }
  return event.type;
}

void TipsWindow::start() {
  if (mode_ == TipsMode::RecipeList) {
    // A recipe list without any video plays nothing.
    for (file_ = nextRecipeVideo(); !file_.empty(); file_ = nextRecipeVideo()) {
      if (openAndPlay(file_)) break;
    }
    if (file_.empty()) return closeWindow();
    replay_->show();
    replay_->setText("Resize");
    return;
  }
  // The tips already said why there is nothing to play (or had nothing to say).
  if (mode_ == TipsMode::Tips && file_.empty()) return closeWindow();
  if (!openAndPlay(file_)) failToPlay(file_);
}

bool TipsWindow::openAndPlay(const std::string& file) {
  player_->close();
  if (file.empty() || !player_->open(file)) return false;
  player_->play();
  return true;
}

void TipsWindow::failToPlay(const std::string& file) {
  // A video that is there but cannot be played: the system lacks the MPEG player.
  const bool mpeg = !file.empty() && (file.back() == 'g' || file.back() == 'G');
  if (mpeg && platform::fileExists(file)) {
    user_.message("Video Error", "HAND", Buttons::Ok,
                  "The version of Windows you are using\r\ndoes not support MPEG video.\r\n\r\n"
                  "Zel has provided a simple solution.");
  } else if (mode_ == TipsMode::Intro) {
    services_.settings.showIntro = false;
  } else if (mode_ == TipsMode::Tips) {
    services_.settings.tipCounter = 0;
  }
  closeWindow();
}

void TipsWindow::next() {
  Settings& settings = services_.settings;
  // The tip shown at start-up was left as the next one for the next start; moving on from it
  // here goes past it.
  if (startUpTipKept_) {
    startUpTipKept_ = false;
    ++settings.tipCounter;
  }
  const std::string file =
      pickNextTip(services_.state, settings.tipCounter, settings.showIntro, user_);
  if (file.empty()) return closeWindow();
  player_->stop();
  file_ = file;
  if (!openAndPlay(file_)) return failToPlay(file_);
  if (settings.tipCounter != kFortuneTip) return;
  const std::string fortune = findFortunePicture(services_.state);
  if (fortune.empty()) return;
  QSize size(kPictureWidth, kPictureHeight);
  if (QMdiArea* area = UI_WINDOW_MANAGER::instance().clientArea())
    size = area->viewport()->size() - QSize(2, 2);
  showPicture(fortune, "Fortune", size.width(), size.height());
}

void TipsWindow::replay() {
  if (mode_ == TipsMode::RecipeList) {
    services_.settings.recipeMediaOption = services_.settings.recipeMediaOption ? 0 : 1;
    drawPicture();
    return;
  }
  player_->stop();
  player_->seekToStart();
  player_->play();
}

void TipsWindow::videoStopped() {
  if (mode_ == TipsMode::Intro) return closeWindow();
  if (mode_ != TipsMode::RecipeList) return;
  for (std::string file = nextRecipeVideo(); !file.empty(); file = nextRecipeVideo()) {
    if (openAndPlay(file)) {
      file_ = file;
      return;
    }
  }
  closeWindow();
}

// The video opened but cannot be played: as when it does not open, except that a recipe list
// goes on with its next recipe.
void TipsWindow::videoFailed() {
  if (mode_ != TipsMode::RecipeList) return failToPlay(file_);
  videoStopped();
}

std::string TipsWindow::nextRecipeVideo() {
  while (services_.recipes && nextRecipe_ < recipes_.size()) {
    store::Recipe recipe;
    services_.recipes->load(recipes_[nextRecipe_++], recipe);
    if (recipe.uid == 0 || recipe.media[2].empty()) continue;
    std::string video = media_.resolve(recipe.media[2]);
    if (!media::mediaExists(video, false)) continue;
    const std::string photo = recipe.media[0].empty() ? "" : media_.resolve(recipe.media[0]);
    if (!photo.empty() && media::mediaExists(photo, true)) {
      showPicture(photo, recipe.name, kPictureWidth, kPictureHeight);
    } else if (pictureWindow_) {
      pictureWindow_->hide();  // not the last recipe's photo beside this recipe's video
    }
    return video;
  }
  return {};
}

void TipsWindow::showPicture(const std::string& photo, const std::string& title, int width,
                             int height) {
  if (!pictureWindow_) {
    pictureWindow_ = new QLabel();
    pictureWindow_->setAlignment(Qt::AlignCenter);
    pictureWindow_->resize(width, height);
  }
  pictureWindow_->setWindowTitle(QString::fromStdString(title));
  picture_ = photo;
  drawPicture();
  pictureWindow_->show();
}

void TipsWindow::drawPicture() {
  if (!pictureWindow_ || picture_.empty()) return;
  const QPixmap pixmap(QString::fromStdString(platform::nativePath(picture_ + ".BMP")));
  // The program-wide picture zoom: fitted to the window, or at the picture's own size.
  const bool fitted = services_.settings.recipeMediaOption != 0;
  pictureWindow_->setPixmap(
      fitted && !pixmap.isNull()
          ? pixmap.scaled(pictureWindow_->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)
          : pixmap);
}

void TipsWindow::closeWindow() {
  finish();
  UI_WINDOW_MANAGER::instance().subtract(this);
}

void TipsWindow::finish() {
  if (finished_) return;
  finished_ = true;
  player_->onStopped({});
  player_->onFailed({});
  player_->close();
  if (mode_ != TipsMode::SingleVideo && !showTipsChecked_) {
    if (mode_ == TipsMode::Intro) services_.settings.showIntro = false;
    if (mode_ == TipsMode::Tips) services_.settings.tipCounter = 0;
  }
  delete pictureWindow_.data();
}

TipsWindow* openTipsWindow(TipsRequest request, TipsServices services, User& user,
                           std::unique_ptr<MediaPlayer> player) {
  UI_WINDOW_MANAGER& manager = UI_WINDOW_MANAGER::instance();
  for (UIW_WINDOW* open : manager.windows()) {
    if (open->resourceName() == kTipsSpec.resource) open->Event(UI_EVENT(S_CLOSE));
  }
  return manager.add(
      std::make_unique<TipsWindow>(std::move(request), services, user, std::move(player)));
}

}  // namespace savora::app
