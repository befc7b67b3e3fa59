// Saving a book, chapter or category from its information window. The name must be given and
// belong to no other item of the type (a chapter's: to no other chapter of its book); it is kept
// trimmed and cut to the field width. The item, and a new chapter's book, must still be in the
// tables as read: the bookshelf may have deleted them meanwhile. The media list is written before
// the record, so that a record never names a list that was not saved. Every refusal is told to
// the person through the User.
#pragma once

#include <optional>
#include <string>

#include "bookshelf/shelf_edits.h"
#include "bookshelf/shelf_item_kind.h"
#include "bookshelf/shelf_table.h"
#include "store/media_list.h"
#include "toolkit/ui_event.h"
#include "toolkit/user.h"

namespace savora::bookshelf {

// What the information window edits.
struct ShelfItemContents {
  std::string name;
  std::string info;
  store::MediaReferences media;
  bool operator==(const ShelfItemContents&) const = default;
};

enum class ShelfItemSaveResult {
  Saved,
  NameRefused,  // no name, or another item's: the name is what to correct
  Refused,      // the item or its book is gone, or the media list could not be written
};

// The event every open bookshelf window of one kind is sent after a save.
struct BookshelfNotice {
  int windowKind;
  toolkit::UI_EVENT event;
};

class ShelfItemSave {
 public:
  // Reads item `uid` of the type from the shelf's tables. 0, or an item that is not there: a new
  // one, a new chapter going into `book`.
  ShelfItemSave(ShelfTables tables, Shelf shelf, toolkit::User& user, ShelfItemType type, long uid,
                long book);

  ShelfItemType type() const { return type_; }
  const ShelfItemKind& kind() const { return shelfItemKind(type_); }
  long uid() const { return uid_; }  // 0 until a new item is saved
  // The item as read, or as last saved; empty for a new item.
  const ShelfItemContents& stored() const { return stored_; }

  ShelfItemSaveResult save(const ShelfItemContents& edited);
  // Makes the bookshelves of the item's shelf list the saved name.
  BookshelfNotice savedNotice() const;

 private:
  bool nameTaken(const std::string& name);
  bool stillAsRead();
  ShelfItemSaveResult refuse(ShelfItemSaveResult result, const char* title, const char* icon,
                             const std::string& text);

  ShelfTables tables_;
  Shelf shelf_;
  toolkit::User& user_;
  ShelfItemType type_;
  long uid_ = 0;
  long book_;
  ShelfItemContents stored_;
  std::string bitmap_;               // the media list's file name; empty while there is none
  std::optional<ShelfItem> record_;  // the record as read or last saved
};

}  // namespace savora::bookshelf
