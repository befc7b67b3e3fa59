#include "bookshelf/shelf_item_kind.h"

#include <stdexcept>

namespace savora::bookshelf {

namespace {

// In ShelfItemType order.
constexpr ShelfItemKind kKinds[] = {
    {"Book", "book", "Select a cookbook and then click Open."},
    {"Chapter", "chapter", "Select a chapter and then click Open."},
    {"Category", "category", "Select a category and then click Open."},
    {"Recipe", "recipe", nullptr},
};

[[noreturn]] void noShelfTable() {
  throw std::invalid_argument("recipes are not kept in a shelf table");
}

}  // namespace

const ShelfItemKind& shelfItemKind(ShelfItemType type) {
  return kKinds[size_t(type)];
}

ShelfTable& shelfTableOf(ShelfTables tables, ShelfItemType type) {
  switch (type) {
    case ShelfItemType::Book:
      return tables.books;
    case ShelfItemType::Chapter:
      return tables.chapters;
    case ShelfItemType::Category:
      return tables.categories;
    case ShelfItemType::Recipe:
      break;
  }
  noShelfTable();
}

long shelfItemUid(ShelfTables tables, ShelfItemType type, std::string_view name, long book) {
  if (type == ShelfItemType::Chapter) return tables.chapters.uidOf(name, book);
  return shelfTableOf(tables, type).uidOf(name);
}

long addShelfItem(ShelfTables tables, ShelfItemType type, long book, const ShelfItem& item) {
  switch (type) {
    case ShelfItemType::Book:
      return tables.books.add(item.name, item.info, item.bitmap);
    case ShelfItemType::Chapter:
      return tables.chapters.add(item.name, book, item.info, item.bitmap);
    case ShelfItemType::Category:
      return tables.categories.add(item.name, item.info, item.bitmap);
    case ShelfItemType::Recipe:
      break;
  }
  noShelfTable();
}

void rewriteShelfItem(ShelfTables tables, ShelfItemType type, long book, std::string_view oldName,
                      const ShelfItem& item) {
  // The tables find the item by its old name, the current record first: another item of that
  // name (categories may share one) must not be rewritten instead.
  shelfTableOf(tables, type).seek(item.uid);
  switch (type) {
    case ShelfItemType::Book:
      tables.books.update(oldName, item.name, item.info, item.bitmap);
      break;
    case ShelfItemType::Chapter:
      tables.chapters.update(oldName, book, item.name, item.info, item.bitmap);
      break;
    case ShelfItemType::Category:
      tables.categories.rename(oldName, item.name, item.info, item.bitmap);
      break;
    case ShelfItemType::Recipe:
      noShelfTable();
  }
}

}  // namespace savora::bookshelf
