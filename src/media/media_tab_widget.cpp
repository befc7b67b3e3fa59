#include "media/media_tab_widget.h"

#include <QLayout>
#include <QScrollArea>
#include <QScrollBar>

#include "codes/program_codes.h"
#include "platform/paths.h"
#include "platform/program_dirs.h"

namespace savora::media {

using namespace savora::toolkit;

namespace {

// A zoomed photo narrower than this would be a sliver: it gets kFallbackZoomWidth instead.
constexpr int kMinZoomWidth = 40;
constexpr int kFallbackZoomWidth = 320;
// Tall enough that a zoomed photo is scaled by its width alone.
constexpr int kZoomHeight = 100000;

}  // namespace

MediaTab::MediaTab(UIW_WINDOW& window, MediaTabObjects objects, store::MediaReferences& media,
                   User& user, MediaLookup lookup, std::unique_ptr<MediaPlayer> player,
                   MediaTabHooks hooks)
    : window_(window),
      objects_(std::move(objects)),
      media_(media),
      user_(user),
      lookup_(std::move(lookup)),
      player_(std::move(player)),
      hooks_(std::move(hooks)) {}

MediaTab::~MediaTab() {
  stop();
}

bool MediaTab::handle(int event) {
  // 0: the window has no such button.
  if (event != 0 && (event == objects_.playSoundEvent || event == objects_.playVideoEvent)) {
    play(event == objects_.playSoundEvent ? MediaKind::Sound : MediaKind::Video);
    return true;
  }
  switch (event) {
    case codes::kAddPhoto:
    case codes::kAddSound:
    case codes::kAddVideo:
      add(MediaKind(event - codes::kAddPhoto));
      return true;
    case codes::kRemovePhoto:
    case codes::kRemoveSound:
    case codes::kRemoveVideo:
      remove(MediaKind(event - codes::kRemovePhoto));
      return true;
    default:
      return false;
  }
}

void MediaTab::add(MediaKind kind) {
  const store::MediaKindTexts& dialog = store::kMediaKindTexts[size_t(kind)];
  const std::optional<std::string> chosen =
      user_.openFileName(dialog.dialogTitle, dialog.filter, platform::programDirectory());
  if (!chosen || chosen->empty()) return;
  if (!setMediaReference(media_, kind, *chosen, user_)) return;
  changed(kind);
  if (kind == MediaKind::Sound) play(kind);  // a chosen sound is heard at once
}

void MediaTab::remove(MediaKind kind) {
  if (clearMediaReference(media_, kind, user_)) changed(kind);
}

void MediaTab::changed(MediaKind kind) {
  if (inPlayer_ == kind) stop();
  show();
  if (hooks_.changed) hooks_.changed();
}

void MediaTab::show() {
  for (size_t which = 0; which < media_.size(); ++which) {
    const std::string& reference = media_[which];
    window_.Get(objects_.names[which])
        ->setText(reference.empty() ? "(none)" : platform::fileNamePart(reference));
  }
  // The play buttons exist only while there is something to play.
  window_.Get(objects_.playSound)->show(!media_[size_t(MediaKind::Sound)].empty());
  for (const std::string& name : objects_.videoObjects)
    window_.Get(name)->show(!media_[size_t(MediaKind::Video)].empty());
  showPhoto();
}

void MediaTab::showPhoto() {
  auto* picture = window_.Get<UIW_PICTURE>(objects_.picture);
  UI_WINDOW_OBJECT* missing = picture;
  if (!objects_.missingPhoto.empty()) {
    missing = window_.Get(objects_.missingPhoto);
    missing->setText("");
  }
  picture->clearImage();
  const std::string& stored = media_[size_t(MediaKind::Photo)];
  if (stored.empty()) {
    picture->setText("No photo");
    return;
  }
  const std::string file = photoFile(lookup_, stored);
  if (file.empty()) {
    const std::string& message = lookup_.missingPictureMessage();
    missing->setText(message.empty() ? "The photo cannot be found." : message);
    return;
  }
  if (!showImage(*picture, file)) picture->setText("The photo cannot be shown.");
}

bool MediaTab::showImage(UIW_PICTURE& picture, const std::string& file) {
  if (objects_.zoomButton.empty())
    return picture.setImage(file, objects_.photoBox, objects_.photoBox, false);
  if (!window_.Get<UIW_BUTTON>(objects_.zoomButton)->isChecked())
    return picture.setImage(file, 0, 0, false);
  const int width = zoomWidth();
  return picture.setImage(file, width > kMinZoomWidth ? width : kFallbackZoomWidth, kZoomHeight);
}

// The width a zoomed photo fills: the picture area less its margins and a vertical scroll bar
// (a tall photo still scrolls), so no horizontal scroll bar appears.
int MediaTab::zoomWidth() {
  auto* area = static_cast<QScrollArea*>(window_.Get(objects_.pictureScroll)->widget());
  int width = area->viewport()->width() - area->verticalScrollBar()->sizeHint().width();
  if (const QLayout* layout = area->widget() ? area->widget()->layout() : nullptr) {
    const QMargins margins = layout->contentsMargins();
    width -= margins.left() + margins.right();
  }
  return width;
}

void MediaTab::play(MediaKind kind) {
  if (kind == MediaKind::Photo) return;
  const std::string& stored = media_[size_t(kind)];
  if (stored.empty()) return;
  std::string path = lookup_.resolve(stored);
  if (!mediaExists(path, false)) {
    if (kind == MediaKind::Video) {
      const std::string message = missingVideoMessage(lookup_.missingPictureMessage());
      if (!message.empty()) user_.message("Wait!", "HAND", Buttons::Ok, message);
    }
    return;
  }
  if (kind == MediaKind::Video && hooks_.playVideo) {
    hooks_.playVideo(path);
    return;
  }
  stop();
  if (player_->open(path)) {
    inPlayer_ = kind;
    player_->play();
  }
}

void MediaTab::stop() {
  player_->close();
  inPlayer_.reset();
}

}  // namespace savora::media
