// What the three bookshelf tables (books, chapters, categories) have in common: a UID, a NAME
// with its NAME_TAG, an INFO memo and the BITMAP name of a media list file; walking by name,
// finding by name ignoring case, reading an item, and writing its three describing fields.
//
// Each table exists twice: on the user's bookshelf ("book", "chapter", "category" beside
// "rc65") and on the catalogue's ("catalog\\catalogBook", ... beside "catalog\\catalog65").
// A module knows its shelf, and a cascade refuses tables of the other shelf.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/table_module.h"

namespace savora::store {
class RecipeTable;
}

namespace savora::bookshelf {

enum class Shelf {
  Recipes,  // the user's bookshelf
  Catalog,  // the catalogue bookshelf
};

// The item types of list entries, drag sources and the information window.
enum class ShelfItemType { Book = 0, Chapter = 1, Category = 2, Recipe = 3 };

// "Any" book, chapter or category when filtering the recipe list.
inline constexpr long kAnyItem = -2;

inline constexpr size_t kShelfNameWidth = 80;
inline constexpr size_t kMediaListNameWidth = 260;

// One entry of a list: what it shows and the identifier it carries.
struct ShelfEntry {
  long uid = 0;
  std::string name;

  bool operator==(const ShelfEntry&) const = default;
};

// The describing fields of a book, chapter or category.
struct ShelfItem {
  long uid = 0;
  std::string name;    // trimmed
  std::string bitmap;  // media list file name, trimmed; empty for none
  std::string info;    // description text
};

// The recipe table that goes with a shelf: "rc65" or "catalog\\catalog65".
const char* recipeTableName(Shelf shelf);

// A name as the tables keep and compare it: trimmed, cut to the field width, trimmed again.
std::string shelfName(std::string_view name);

class ShelfTable : public store::TableModule {
 public:
  Shelf shelf() const { return shelf_; }

  // Walks NAME_TAG order, skipping deleted records; the trimmed name, or nothing at the end.
  std::optional<std::string> firstName();
  std::optional<std::string> nextName();
  long uidOfCurrent() { return number("UID"); }
  // Every (UID, name) in NAME_TAG order.
  std::vector<ShelfEntry> entriesByName();

  // True when a record of that name (trimmed, ignoring case) exists; it is then current. False
  // for an empty name or table.
  bool find(std::string_view name);
  // The UID of the record of that name, or -1.
  long uidOf(std::string_view name);
  bool seek(long uid) { return seekUid(uid); }
  // The describing fields, or nothing when there is no such record.
  std::optional<ShelfItem> get(long uid);
  // The trimmed name, or "" when there is no such record.
  std::string nameOf(long uid);

  // Throws std::invalid_argument when `recipes` is not the recipe table of this shelf: a
  // cascade from a catalogue chapter must never delete the user's recipes, nor the reverse.
  void requireSameShelf(const store::RecipeTable& recipes) const;

 protected:
  ShelfTable(store::TableStore& store, store::TableDefinition definition, Shelf shelf);

  // Fills NAME, INFO and BITMAP of the current or started record.
  void setDescription(std::string_view name, std::string_view info, std::string_view bitmap);
  // Appends a record under the next UID with its description (and whatever `fillMore` sets),
  // then closes (packing by the rule) and reopens the table. Returns the new UID.
  template <typename FillMore>
  long appendItem(std::string_view name, std::string_view info, std::string_view bitmap,
                  FillMore fillMore) {
    const long uid = nextUid();
    appendStart(uid);
    setDescription(name, info, bitmap);
    fillMore();
    append();
    reopen();
    return uid;
  }

 private:
  Shelf shelf_;
};

}  // namespace savora::bookshelf
