#include "bookshelf/shelf_item_save.h"

#include "codes/program_codes.h"
#include "platform/text.h"

namespace savora::bookshelf {

using platform::formatText;
using toolkit::Buttons;

ShelfItemSave::ShelfItemSave(ShelfTables tables, Shelf shelf, toolkit::User& user,
                             ShelfItemType type, long uid, long book)
    : tables_(tables), shelf_(shelf), user_(user), type_(type), book_(book) {
  if (uid <= 0) return;
  record_ = shelfTableOf(tables_, type_).get(uid);
  if (!record_) return;
  uid_ = uid;
  bitmap_ = record_->bitmap;
  stored_ = {record_->name, record_->info, store::readMediaList(record_->bitmap)};
  if (type_ == ShelfItemType::Chapter) book_ = tables_.chapters.bookOf(uid);
}

ShelfItemSaveResult ShelfItemSave::refuse(ShelfItemSaveResult result, const char* title,
                                          const char* icon, const std::string& text) {
  user_.message(title, icon, Buttons::Ok, text);
  return result;
}

bool ShelfItemSave::nameTaken(const std::string& name) {
  const long other = shelfItemUid(tables_, type_, name, book_);
  return other != -1 && other != uid_;
}

// The item is in the table as read: not deleted, nor deleted and its number given to a new item
// since (which may even have the same name).
bool ShelfItemSave::stillAsRead() {
  const std::optional<ShelfItem> now = shelfTableOf(tables_, type_).get(uid_);
  return now && record_ && now->name == record_->name && now->info == record_->info &&
         now->bitmap == record_->bitmap;
}

ShelfItemSaveResult ShelfItemSave::save(const ShelfItemContents& edited) {
  const char* word = kind().word;
  const std::string name = shelfName(edited.name);
  if (name.empty()) {
    return refuse(ShelfItemSaveResult::NameRefused, "Wait!", "HAND",
                  formatText("You must give this %s a name.", word));
  }
  // The same name in another letter case is still this item: only another item's name counts.
  if ((uid_ == 0 || name != stored_.name) && nameTaken(name)) {
    return refuse(ShelfItemSaveResult::NameRefused, "Wait!", "EXCLAMATION",
                  formatText("A %s with that name already exists!", word));
  }

  // Saving an item deleted meanwhile would write into another item of the same name; a chapter
  // whose book is gone would be inherited by the next new book.
  if (uid_ != 0 && !stillAsRead()) {
    return refuse(
        ShelfItemSaveResult::Refused, "Wait!", "HAND",
        formatText("This %s has been changed or deleted elsewhere, so it cannot be saved.", word));
  }
  if (type_ == ShelfItemType::Chapter && !tables_.books.seek(book_)) {
    return refuse(ShelfItemSaveResult::Refused, "Wait!", "HAND",
                  "The book of this chapter has been deleted, so the chapter cannot be saved.");
  }

  std::optional<std::string> bitmap;
  {
    const toolkit::StatusScope status(user_, "Saving", "Saving...Please Wait.");
    bitmap = store::writeMediaList(bitmap_, edited.media);
    if (bitmap) {
      bitmap_ = *bitmap;
      const ShelfItem item{.uid = uid_, .name = name, .bitmap = bitmap_, .info = edited.info};
      if (uid_ == 0) {
        uid_ = addShelfItem(tables_, type_, book_, item);
      } else {
        rewriteShelfItem(tables_, type_, book_, stored_.name, item);
      }
    }
  }
  if (!bitmap) {
    return refuse(ShelfItemSaveResult::Refused, "Error!", "EXCLAMATION",
                  "The photo, sound and video could not be saved.");
  }
  stored_ = {name, edited.info, edited.media};
  record_ = shelfTableOf(tables_, type_).get(uid_);
  return ShelfItemSaveResult::Saved;
}

BookshelfNotice ShelfItemSave::savedNotice() const {
  return {shelf_ == Shelf::Catalog ? codes::kKindCatalog : codes::kKindBookshelf,
          toolkit::UI_EVENT(codes::kShelfItemSaved, long(type_), uid_)};
}

}  // namespace savora::bookshelf
