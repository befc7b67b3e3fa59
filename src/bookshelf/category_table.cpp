#include "bookshelf/category_table.h"

#include <set>

#include "platform/text.h"
#include "store/recipe_table.h"

namespace savora::bookshelf {
namespace {

constexpr const char* kRecipeTag = "RECIPE_TAG";

std::string categoryQuery(long category) {
  return platform::formatText("UID = %ld", category);
}

}  // namespace

store::TableDefinition categoryTableDefinition(Shelf shelf) {
  store::TableDefinition def;
  def.name = shelf == Shelf::Catalog ? "catalog\\catalogCat" : "category";
  def.fields = {{"UID", 'N', 5, 0},
                {"NAME", 'C', kShelfNameWidth, 0},
                {"INFO", 'M', 4, 0},
                {"BITMAP", 'C', kMediaListNameWidth, 0},
                {"RECIPE_UID", 'N', 5, 0}};
  def.tags = {{store::kUidTag, "UID", store::kNotDeleted, false, false},
              {"NAME_TAG", "NAME", store::kNotDeleted, false, true},
              {kRecipeTag, "RECIPE_UID", store::kNotDeleted, false, false}};
  def.packAfterDeletions = 0;  // any deletion
  def.packText = "Compressing Category Data...Please Wait.";
  return def;
}

CategoryTable::CategoryTable(store::TableStore& store, Shelf shelf)
    : ShelfTable(store, categoryTableDefinition(shelf), shelf) {}

long CategoryTable::add(std::string_view name, std::string_view info, std::string_view bitmap) {
  return appendItem(name, info, bitmap,
                    [&] { setNumber("RECIPE_UID", double(kCategoryOwnRecord)); });
}

std::vector<uint32_t> CategoryTable::recordsOf(long category) {
  // Collected before anything changes: a walk does not promise to see records it rewrote.
  std::vector<uint32_t> records;
  if (!isOpen()) return records;
  xbase::Table& t = table();
  for (bool on = t.queryFirst(categoryQuery(category)); on; on = t.queryNext()) {
    records.push_back(t.recordNumber());
  }
  return records;
}

bool CategoryTable::rename(std::string_view name, std::string_view newName, std::string_view info,
                           std::string_view bitmap) {
  if (!find(name)) return false;
  xbase::Table& t = table();
  for (uint32_t record : recordsOf(uidOfCurrent())) {
    t.go(record);
    setDescription(newName, info, bitmap);
    t.flush();
  }
  return true;
}

bool CategoryTable::remove(long uid) {
  const std::vector<uint32_t> records = recordsOf(uid);
  for (uint32_t record : records) {
    table().go(record);
    deleteCurrent();
  }
  return !records.empty();
}

bool CategoryTable::isMember(long category, long recipe) {
  if (!isOpen() || table().recordCount() == 0) return false;
  xbase::Table& t = table();
  if (!t.eof() && !t.deleted() && number("UID") == category && number("RECIPE_UID") == recipe)
    return true;
  if (!t.selectTag(kRecipeTag) || t.seek(double(recipe)) != xbase::SeekResult::Found) return false;
  for (bool on = true; on && number("RECIPE_UID") == recipe; on = next()) {
    if (number("UID") == category) return true;
  }
  return false;
}

long CategoryTable::addRecipe(long category, long recipe) {
  if (recipe < 1) return -1;
  if (isMember(category, recipe)) {
    store().user().message("Wait!", "HAND", toolkit::Buttons::Ok,
                           "That recipe is already in this category.");
    return -1;
  }
  const std::optional<ShelfItem> own = get(category);
  if (!own) return -1;
  appendStart(category);
  setDescription(own->name, own->info, own->bitmap);
  setNumber("RECIPE_UID", double(recipe));
  append();
  reopen();
  return category;
}

void CategoryTable::addRecipes(long category, const std::vector<long>& recipes) {
  const std::optional<ShelfItem> own = get(category);
  if (!own) return;
  // The members are read once: a seek per recipe costs more than one walk of the category.
  std::set<long> members;
  xbase::Table& t = table();
  for (bool on = t.queryFirst(categoryQuery(category)); on; on = t.queryNext())
    members.insert(number("RECIPE_UID"));
  for (const long recipe : recipes) {
    if (recipe < 1 || !members.insert(recipe).second) continue;
    appendStart(category);
    setDescription(own->name, own->info, own->bitmap);
    setNumber("RECIPE_UID", double(recipe));
    append();
  }
  reopen();
}

void CategoryTable::removeRecipe(long recipe, long category) {
  // An identifier below 1 is no recipe: -1 would match every category's own record.
  if (recipe < 1 || !isOpen()) return;
  xbase::Table& t = table();
  std::vector<uint32_t> memberships;
  if (t.selectTag(kRecipeTag) && t.seek(double(recipe)) == xbase::SeekResult::Found) {
    for (bool on = true; on && number("RECIPE_UID") == recipe; on = next()) {
      if (category == 0 || number("UID") == category) memberships.push_back(t.recordNumber());
    }
  }
  for (uint32_t record : memberships) {
    t.go(record);
    deleteCurrent();
  }
}

std::optional<long> CategoryTable::memberAtQuery(bool found) {
  xbase::Table& t = table();
  // The own record (RECIPE_UID -1) names no recipe.
  while (found && number("RECIPE_UID") < 1) found = t.queryNext();
  if (!found) return std::nullopt;
  return number("RECIPE_UID");
}

std::optional<long> CategoryTable::firstMember(long category) {
  if (!isOpen()) return std::nullopt;
  return memberAtQuery(table().queryFirst(categoryQuery(category)));
}

std::optional<long> CategoryTable::nextMember() {
  if (!isOpen()) return std::nullopt;
  return memberAtQuery(table().queryNext());
}

std::vector<long> CategoryTable::membersOf(long category) {
  std::vector<long> members;
  for (auto recipe = firstMember(category); recipe; recipe = nextMember()) {
    members.push_back(*recipe);
  }
  return members;
}

void connectBookshelf(store::RecipeTable& recipes, CategoryTable& categories) {
  categories.requireSameShelf(recipes);
  recipes.removeFromCategories = [&categories](long recipe) { categories.removeRecipe(recipe, 0); };
}

}  // namespace savora::bookshelf
