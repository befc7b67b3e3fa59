#include "bookshelf/book_info_window.h"

#include "codes/program_codes.h"
#include "platform/paths.h"
#include "platform/program_dirs.h"
#include "platform/text.h"
#include "store/recipe.h"
#include "toolkit/event_codes.h"
#include "toolkit/event_manager.h"
#include "toolkit/qt_media_player.h"
#include "toolkit/window_manager.h"

namespace savora::bookshelf {

using namespace savora::toolkit;
using platform::formatText;

namespace {

using namespace savora::codes;
using namespace savora::codes::book_info_window;

enum Media : int { kPhoto = 0, kSound = 1, kVideo = 2 };

// The labels that name the photo, sound and video files.
constexpr const char* kMediaNameLabels[] = {"PHOTO_NAME", "SOUND_NAME", "VIDEO_NAME"};

constexpr int kPictureWidth = 360;
constexpr int kPictureHeight = 360;

}  // namespace

const WindowSpec kBookInfoSpec{"BOOK_INFO",
                               {{"TABS", 0, ObjectKind::Notebook},
                                {"INFO_TAB"},
                                {"PICTURE_TAB"},
                                {"NAME_PROMPT", 0, ObjectKind::Prompt},
                                {"NAME", 0, ObjectKind::String},
                                {"TEXT", 0, ObjectKind::Text},
                                {"PICTURE", 0, ObjectKind::Picture},
                                {"VIDEO_AREA"},
                                {"PHOTO_NAME", 0, ObjectKind::Prompt},
                                {"SOUND_NAME", 0, ObjectKind::Prompt},
                                {"VIDEO_NAME", 0, ObjectKind::Prompt},
                                {"ADD_PHOTO", 0, ObjectKind::Button},
                                {"ADD_SOUND", 0, ObjectKind::Button},
                                {"ADD_VIDEO", 0, ObjectKind::Button},
                                {"REMOVE_PHOTO", 0, ObjectKind::Button},
                                {"REMOVE_SOUND", 0, ObjectKind::Button},
                                {"REMOVE_VIDEO", 0, ObjectKind::Button},
                                {"PLAY_SOUND", 0, ObjectKind::Button},
                                {"PLAY_VIDEO", 0, ObjectKind::Button},
                                {"OK_BUTTON", 0, ObjectKind::Button}}};

UI_EVENT itemInformationRequest(ShelfItemType type, long uid, long book, Shelf shelf) {
  return UI_EVENT(kOpenItemInformation, long(type), uid, book, shelf == Shelf::Catalog ? 1 : 0);
}

BookInfoWindow::BookInfoWindow(ShelfTables tables, Shelf shelf, User& user, ShelfItemType type,
                               long uid, long book, std::unique_ptr<MediaPlayer> player,
                               int* exitState)
    : UIW_WINDOW(kBookInfoSpec.resource),
      item_(tables, shelf, user, type, uid, book),
      user_(user),
      player_(std::move(player)),
      exitState_(exitState) {
  resolve(kBookInfoSpec);
  name_ = Get<UIW_STRING>("NAME");
  text_ = Get<UIW_TEXT>("TEXT");
  picture_ = Get<UIW_PICTURE>("PICTURE");
  if (!player_) {
    auto qtPlayer = std::make_unique<QtMediaPlayer>(Get("VIDEO_AREA")->widget());
    qtPlayer->placeVideo(0, 0, kPictureWidth, 120);
    player_ = std::move(qtPlayer);
  }

  loaded_ = item_.stored();
  media_ = loaded_.media;
  setTitle(formatText("%s Information", item_.kind().title));
  Get("NAME_PROMPT")->setText(formatText("%s Name:", item_.kind().title));
  name_->setText(loaded_.name);
  text_->setText(loaded_.info);
  // As the fields give them back (line ends), so that opening alone changes nothing.
  loaded_.name = name_->text();
  loaded_.info = text_->text();
  showMedia();
  name_->setFocus();  // the name is what the user types first
}

BookInfoWindow::~BookInfoWindow() {
  if (player_) player_->close();
}

ShelfItemContents BookInfoWindow::edited() const {
  return {name_->text(), text_->text(), media_};
}

bool BookInfoWindow::hasUnsavedChanges() const {
  return !(edited() == loaded_);
}

int BookInfoWindow::Event(const UI_EVENT& event) {
  switch (event.type) {
    case kOk:
      saveAndClose();
      break;
    case kSave:
      save();
      break;
    case kSaveRequest:
      if (save()) {
        close();
        // The exit check waits for this save: with the exit confirmed the program now ends.
        if (exitState_ && *exitState_ == L_EXIT)
          UI_EVENT_MANAGER::instance().post(nullptr, UI_EVENT(L_EXIT_FUNCTION));
      }
      break;
    case S_CLOSE:
      leave();
      break;
    case kAddPhoto:
    case kAddSound:
    case kAddVideo:
      addMedia(event.type - kAddPhoto);
      break;
    case kRemovePhoto:
    case kRemoveSound:
    case kRemoveVideo:
      removeMedia(event.type - kRemovePhoto);
      break;
    case kPlaySound:
      play(kSound);
      break;
    case kPlayVideo:
      play(kVideo);
      break;
    default:
      return UIW_WINDOW::Event(event);
  }
  return event.type;
}

void BookInfoWindow::saveAndClose() {
  // OK without a change writes nothing (a new item with nothing typed included).
  if (!hasUnsavedChanges() || save()) close();
}

void BookInfoWindow::leave() {
  if (!hasUnsavedChanges()) {
    close();
    return;
  }
  const std::string name = platform::trim(name_->text());
  const std::string question =
      name.empty() ? formatText("\r\nWould you like to save this %s?", item_.kind().word)
                   : formatText("\r\nWould you like to save %s?", name.c_str());
  switch (user_.message(formatText("Save %s?", item_.kind().title), "QUESTION",
                        Buttons::YesNoCancel, question)) {
    case Button::Yes:
      if (save()) close();
      break;
    case Button::No:
      close();
      break;
    default:
      refuseExit();
      break;
  }
}

void BookInfoWindow::refuseExit() {
  if (exitState_) *exitState_ = 0;
}

void BookInfoWindow::close() {
  if (player_) player_->close();
  UI_WINDOW_MANAGER::instance().subtract(this);
}

bool BookInfoWindow::save() {
  switch (item_.save(edited())) {
    case ShelfItemSaveResult::Saved:
      break;
    case ShelfItemSaveResult::NameRefused:
      name_->setFocus();
      refuseExit();
      return false;
    case ShelfItemSaveResult::Refused:
      refuseExit();
      return false;
  }
  name_->setText(item_.stored().name);
  loaded_ = item_.stored();
  tellBookshelves();
  return true;
}

void BookInfoWindow::tellBookshelves() {
  const BookshelfNotice notice = item_.savedNotice();
  for (UIW_WINDOW* window : UI_WINDOW_MANAGER::instance().windows()) {
    if (window->kind() == notice.windowKind) window->post(notice.event);
  }
}

// ---------------------------------------------------------------------------------------------
// Photo, sound and video

void BookInfoWindow::showMedia() {
  const std::string& photo = media_[kPhoto];
  // At its own size, made smaller only when it does not fit.
  if (photo.empty() || !(picture_->setImage(photo + ".bmp", kPictureWidth, kPictureHeight, false) ||
                         picture_->setImage(photo, kPictureWidth, kPictureHeight, false))) {
    picture_->clearImage();
    picture_->setText(photo.empty() ? "No photo" : "The photo cannot be shown.");
  }
  for (int which = kPhoto; which <= kVideo; ++which) {
    const std::string& reference = media_[size_t(which)];
    Get(kMediaNameLabels[which])
        ->setText(reference.empty() ? "(none)" : platform::fileNamePart(reference));
  }
  // The play buttons exist only while there is something to play.
  Get("PLAY_SOUND")->show(!media_[kSound].empty());
  Get("PLAY_VIDEO")->show(!media_[kVideo].empty());
  Get("VIDEO_AREA")->show(!media_[kVideo].empty());
}

void BookInfoWindow::addMedia(int which) {
  const store::MediaKindTexts& kind = store::kMediaKindTexts[which];
  const std::optional<std::string> chosen =
      user_.openFileName(kind.dialogTitle, kind.filter, platform::programDirectory());
  if (!chosen || chosen->empty()) return;
  std::string reference = which == kPhoto ? store::storedPhotoName(*chosen) : *chosen;
  media_[size_t(which)] = reference.substr(0, store::kMediaReferenceLength);
  showMedia();
  if (which == kSound) play(kSound);  // a chosen sound is heard at once
}

void BookInfoWindow::removeMedia(int which) {
  if (media_[size_t(which)].empty()) {
    user_.message("Wait!", "HAND", Buttons::Ok, store::kMediaKindTexts[which].nothingToRemove);
    return;
  }
  if (which != kPhoto && player_->fileName() == media_[size_t(which)]) player_->close();
  media_[size_t(which)].clear();
  showMedia();
}

void BookInfoWindow::play(int which) {
  const std::string& file = media_[size_t(which)];
  if (file.empty()) return;
  player_->close();
  if (player_->open(file)) player_->play();
}

}  // namespace savora::bookshelf
