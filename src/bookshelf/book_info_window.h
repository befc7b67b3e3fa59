// BOOK_INFO: the information window of one book, chapter or category (kind 100): its name and
// description on INFO_TAB, its photo, sound and video on PICTURE_TAB. Saving hands the fields to
// ShelfItemSave, which checks the name, writes the media list and adds or updates the item;
// every open bookshelf of the same kind then lists the new name. Leaving with changes offers to
// save them.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "bookshelf/shelf_edits.h"
#include "bookshelf/shelf_item_save.h"
#include "media/media_lookup.h"
#include "media/media_tab_widget.h"
#include "store/media_list.h"
#include "toolkit/media_player.h"
#include "toolkit/uiw_window.h"
#include "toolkit/user.h"
#include "toolkit/window_spec.h"

namespace savora::bookshelf {

extern const toolkit::WindowSpec kBookInfoSpec;

toolkit::UI_EVENT itemInformationRequest(ShelfItemType type, long uid, long book, Shelf shelf);

class BookInfoWindow : public toolkit::UIW_WINDOW {
 public:
  // Shows item `uid` of the type (0: a new one; a chapter belongs to `book`) from the shelf's
  // tables. `player` plays the sound and video; null makes the Qt player, showing video in
  // VIDEO_AREA. `exitState` is the program's exit state (1000 while the program is leaving after
  // the user said so), or null: a refused save and Cancel set it back to 0. `lookup` finds the
  // photo, sound and video files.
  BookInfoWindow(ShelfTables tables, Shelf shelf, toolkit::User& user, ShelfItemType type, long uid,
                 long book, std::unique_ptr<toolkit::MediaPlayer> player = nullptr,
                 int* exitState = nullptr, media::MediaLookup lookup = media::MediaLookup({}));

  int Event(const toolkit::UI_EVENT& event) override;
  bool hasUnsavedChanges() const override;

  // The main window's Print: prints the name and the description as a text page.
  std::function<void(const std::string& title, const std::string& text)> print;

  ShelfItemType type() const { return item_.type(); }
  long uid() const { return item_.uid(); }  // 0 until a new item is saved

 private:
  ShelfItemContents edited() const;
  // Saves under the rules; false (the user told why, or nothing to do) when nothing was saved.
  bool save();
  // The window's name or media list could not be taken: refuses a pending exit too.
  void refuseExit();
  void close();
  // Asks whether to save the changes, then closes as the answer says.
  void leave();
  void saveAndClose();
  void tellBookshelves();

  ShelfItemSave item_;
  toolkit::User& user_;
  int* exitState_;
  ShelfItemContents loaded_;  // as the fields show it, to tell a change
  store::MediaReferences media_;
  media::MediaTab mediaTab_;  // PICTURE_TAB, on media_

  toolkit::UIW_STRING* name_;
  toolkit::UIW_TEXT* text_;
};

}  // namespace savora::bookshelf
