#include "bookshelf/shelf_table.h"

#include <stdexcept>

#include "platform/text.h"
#include "store/recipe_table.h"

namespace savora::bookshelf {

const char* recipeTableName(Shelf shelf) {
  return shelf == Shelf::Catalog ? "catalog\\catalog65" : "rc65";
}

std::string shelfName(std::string_view name) {
  return platform::trimRight(platform::trim(name).substr(0, kShelfNameWidth));
}

ShelfTable::ShelfTable(store::TableStore& store, store::TableDefinition definition, Shelf shelf)
    : TableModule(store, std::move(definition)), shelf_(shelf) {}

std::optional<std::string> ShelfTable::firstName() {
  if (!first("NAME_TAG")) return std::nullopt;
  return text("NAME");
}

std::optional<std::string> ShelfTable::nextName() {
  if (!next()) return std::nullopt;
  return text("NAME");
}

std::vector<ShelfEntry> ShelfTable::entriesByName() {
  std::vector<ShelfEntry> entries;
  for (auto name = firstName(); name; name = nextName()) {
    entries.push_back({uidOfCurrent(), std::move(*name)});
  }
  return entries;
}

bool ShelfTable::find(std::string_view name) {
  return findIgnoringCase("NAME_TAG", "NAME", shelfName(name));
}

long ShelfTable::uidOf(std::string_view name) {
  return find(name) ? uidOfCurrent() : -1;
}

std::optional<ShelfItem> ShelfTable::get(long uid) {
  if (!seek(uid)) return std::nullopt;
  return ShelfItem{uid, text("NAME"), text("BITMAP"), memo("INFO")};
}

std::string ShelfTable::nameOf(long uid) {
  return seek(uid) ? text("NAME") : std::string();
}

void ShelfTable::setDescription(std::string_view name, std::string_view info,
                                std::string_view bitmap) {
  setText("NAME", shelfName(name));
  setMemo("INFO", info);
  setText("BITMAP", platform::trim(bitmap).substr(0, kMediaListNameWidth));
}

void ShelfTable::requireSameShelf(const store::RecipeTable& recipes) const {
  if (!platform::equalsIgnoreCase(recipes.definition().name, recipeTableName(shelf_))) {
    throw std::invalid_argument(platform::formatText("%s cannot cascade into recipe table %s",
                                                     definition().name.c_str(),
                                                     recipes.definition().name.c_str()));
  }
}

}  // namespace savora::bookshelf
