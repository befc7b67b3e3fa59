#include "bookshelf/book_info_window.h"

#include "codes/program_codes.h"
#include "platform/text.h"
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
      tables_(tables),
      shelf_(shelf),
      user_(user),
      type_(type),
      uid_(0),
      book_(book),
      exitState_(exitState),
      mediaTab_(*this, pictureTabObjects(), media_, user, std::move(lookup),
                videoPlayer(*this, std::move(player))) {
  resolve(kBookInfoSpec);
  name_ = Get<UIW_STRING>("NAME");
  text_ = Get<UIW_TEXT>("TEXT");

  if (uid > 0) {
    if (const std::optional<ShelfItem> item = table().get(uid)) {
      stored_ = item;
      uid_ = uid;
      bitmap_ = item->bitmap;
      loaded_ = {item->name, item->info, store::readMediaList(item->bitmap)};
      if (type_ == ShelfItemType::Chapter) book_ = tables_.chapters.bookOf(uid);
    }
  }
  media_ = loaded_.media;
  setTitle(formatText("%s Information", typeName().c_str()));
  Get("NAME_PROMPT")->setText(formatText("%s Name:", typeName().c_str()));
  name_->setText(loaded_.name);
  text_->setText(loaded_.info);
  // As the fields give them back (line ends), so that opening alone changes nothing.
  loaded_.name = name_->text();
  loaded_.info = text_->text();
  mediaTab_.show();
  name_->setFocus();  // the name is what the user types first
}

// The item is in the table as this window read it: not deleted, nor deleted and its number given
// to a new item since (which may even have the same name).
bool BookInfoWindow::stillAsOpened() {
  const std::optional<ShelfItem> now = table().get(uid_);
  return now && stored_ && now->name == stored_->name && now->info == stored_->info &&
         now->bitmap == stored_->bitmap;
}

ShelfTable& BookInfoWindow::table() {
  if (type_ == ShelfItemType::Book) return tables_.books;
  if (type_ == ShelfItemType::Chapter) return tables_.chapters;
  return tables_.categories;
}

std::string BookInfoWindow::typeName() const {
  switch (type_) {
    case ShelfItemType::Book:
      return "Book";
    case ShelfItemType::Chapter:
      return "Chapter";
    default:
      return "Category";
  }
}

std::string BookInfoWindow::typeWord() const {
  return platform::toLower(typeName());
}

BookInfoWindow::Contents BookInfoWindow::edited() const {
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
    default:
      if (!mediaTab_.handle(event.type)) return UIW_WINDOW::Event(event);
      break;
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
      name.empty() ? formatText("\r\nWould you like to save this %s?", typeWord().c_str())
                   : formatText("\r\nWould you like to save %s?", name.c_str());
  switch (user_.message(formatText("Save %s?", typeName().c_str()), "QUESTION",
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
  mediaTab_.stop();
  UI_WINDOW_MANAGER::instance().subtract(this);
}

bool BookInfoWindow::duplicateName(const std::string& name) {
  long other = -1;
  switch (type_) {
    case ShelfItemType::Book:
      other = tables_.books.uidOf(name);
      break;
    case ShelfItemType::Chapter:
      other = tables_.chapters.uidOf(name, book_);
      break;
    default:
      other = tables_.categories.uidOf(name);
      break;
  }
  return other != -1 && other != uid_;
}

bool BookInfoWindow::save() {
  const std::string name = shelfName(name_->text());
  if (name.empty()) {
    user_.message("Wait!", "HAND", Buttons::Ok,
                  formatText("You must give this %s a name.", typeWord().c_str()));
    name_->setFocus();
    refuseExit();
    return false;
  }
  // The same name in another letter case is still this item: only another item's name counts.
  if ((uid_ == 0 || name != loaded_.name) && duplicateName(name)) {
    user_.message("Wait!", "EXCLAMATION", Buttons::Ok,
                  formatText("A %s with that name already exists!", typeWord().c_str()));
    name_->setFocus();
    refuseExit();
    return false;
  }

  // The bookshelf may have deleted the item, or a new chapter's book, while this window was
  // open: saving then would write into another item of the same name, or leave a chapter that
  // the next new book inherits.
  const bool itemGone = uid_ != 0 && !stillAsOpened();
  const bool bookGone = type_ == ShelfItemType::Chapter && !tables_.books.seek(book_);
  if (itemGone || bookGone) {
    user_.message("Wait!", "HAND", Buttons::Ok,
                  itemGone ? formatText("This %s has been changed or deleted elsewhere, so it "
                                        "cannot be saved.",
                                        typeWord().c_str())
                           : std::string("The book of this chapter has been deleted, so the "
                                         "chapter cannot be saved."));
    refuseExit();
    return false;
  }

  statusWindow(user_, "Saving", "Saving...Please Wait.");
  const std::optional<std::string> bitmap = store::writeMediaList(bitmap_, media_);
  if (!bitmap) {
    statusWindow(user_, nullptr, nullptr);
    user_.message("Error!", "EXCLAMATION", Buttons::Ok,
                  "The photo, sound and video could not be saved.");
    refuseExit();
    return false;
  }
  bitmap_ = *bitmap;
  const std::string info = text_->text();
  switch (type_) {
    case ShelfItemType::Book:
      if (uid_ == 0) {
        uid_ = tables_.books.add(name, info, bitmap_);
      } else {
        tables_.books.seek(uid_);  // update() finds by name, the current record first
        tables_.books.update(loaded_.name, name, info, bitmap_);
      }
      break;
    case ShelfItemType::Chapter:
      if (uid_ == 0) {
        uid_ = tables_.chapters.add(name, book_, info, bitmap_);
      } else {
        tables_.chapters.seek(uid_);
        tables_.chapters.update(loaded_.name, book_, name, info, bitmap_);
      }
      break;
    default:
      if (uid_ == 0) {
        uid_ = tables_.categories.add(name, info, bitmap_);
      } else {
        tables_.categories.seek(uid_);
        tables_.categories.rename(loaded_.name, name, info, bitmap_);
      }
      break;
  }
  statusWindow(user_, nullptr, nullptr);
  name_->setText(name);
  loaded_ = {name, info, media_};
  stored_ = table().get(uid_);
  tellBookshelves();
  return true;
}

void BookInfoWindow::tellBookshelves() {
  const int kind = shelf_ == Shelf::Catalog ? kKindCatalog : kKindBookshelf;
  for (UIW_WINDOW* window : UI_WINDOW_MANAGER::instance().windows()) {
    if (window->kind() == kind) window->post(UI_EVENT(kShelfItemSaved, long(type_), uid_));
  }
}

}  // namespace savora::bookshelf
