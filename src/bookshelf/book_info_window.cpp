#include "bookshelf/book_info_window.h"

#include "codes/program_codes.h"
#include "platform/text.h"
#include "toolkit/event_codes.h"
#include "toolkit/event_manager.h"
#include "toolkit/qt_media_player.h"
#include "toolkit/storable_text.h"
#include "toolkit/window_manager.h"

namespace savora::bookshelf {

using namespace savora::toolkit;
using platform::formatText;

namespace {

using namespace savora::codes;
using namespace savora::codes::book_info_window;

// The picture area is square; the player shows a video in a strip of VIDEO_AREA.
constexpr int kPictureSize = 360;
constexpr int kVideoHeight = 120;

media::MediaTabObjects pictureTabObjects() {
  media::MediaTabObjects objects;
  objects.playSoundEvent = kPlaySound;
  objects.playVideoEvent = kPlayVideo;
  objects.videoObjects = {"PLAY_VIDEO", "VIDEO_AREA"};
  objects.photoBox = kPictureSize;
  return objects;
}

// The given player, or the Qt one showing video in VIDEO_AREA.
std::unique_ptr<MediaPlayer> videoPlayer(UIW_WINDOW& window, std::unique_ptr<MediaPlayer> player) {
  if (player) return player;
  auto qtPlayer = std::make_unique<QtMediaPlayer>(window.Get("VIDEO_AREA")->widget());
  qtPlayer->placeVideo(0, 0, kPictureSize, kVideoHeight);
  return qtPlayer;
}

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
                               int* exitState, media::MediaLookup lookup)
    : UIW_WINDOW(kBookInfoSpec.resource),
      item_(tables, shelf, user, type, uid, book),
      user_(user),
      exitState_(exitState),
      mediaTab_(*this, pictureTabObjects(), media_, user, std::move(lookup),
                videoPlayer(*this, std::move(player))) {
  resolve(kBookInfoSpec);
  name_ = Get<UIW_STRING>("NAME");
  name_->setMaxLength(int(kShelfNameWidth));
  text_ = Get<UIW_TEXT>("TEXT");

  loaded_ = item_.stored();
  media_ = loaded_.media;
  setTitle(formatText("%s Information", item_.kind().title));
  Get("NAME_PROMPT")->setText(formatText("%s Name:", item_.kind().title));
  name_->setText(loaded_.name);
  text_->setText(loaded_.info);
  // As the fields give them back (line ends), so that opening alone changes nothing.
  loaded_.name = name_->text();
  loaded_.info = text_->text();
  mediaTab_.show();
  name_->setFocus();  // the name is what the user types first
}

ShelfItemContents BookInfoWindow::edited() const {
  return {name_->text(), text_->text(), media_};
}

bool BookInfoWindow::hasUnsavedChanges() const {
  return !(edited() == loaded_);
}

int BookInfoWindow::Event(const UI_EVENT& event) {
  switch (event.type) {
    case kPrint:
      if (print) print(name_->text(), text_->text());
      break;
    case kOk:
      saveAndClose();
      break;
    case kSave:
      save();
      break;
    case kSaveRequest:
      if (save()) {
        close();
        exitSaveDone(exitState_);
      }
      break;
    case S_CLOSE:
      leave();
      break;
    default:
      if (!mediaTab_.handle(event.type)) return UIW_WINDOW::Event(event);
      break;
  }
  return event.type;
}

void BookInfoWindow::saveAndClose() {
  // OK without a change writes nothing; but a new item is not left nameless without a word.
  const bool nameless = uid() == 0 && platform::trim(name_->text()).empty();
  if ((!hasUnsavedChanges() && !nameless) || save()) close();
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
  exitSaveFailed(exitState_);
}

void BookInfoWindow::close() {
  mediaTab_.stop();
  UI_WINDOW_MANAGER::instance().subtract(this);
}

bool BookInfoWindow::save() {
  if (!fieldsStorable(*this, user_)) {
    refuseExit();
    return false;
  }
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

}  // namespace savora::bookshelf
