// The recipe table module: one instance per opened recipe table ("rc65", "catalog\\catalog65",
// the exchange tables), in the current format or one of the three older formats that start-up
// converts.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "store/recipe.h"
#include "store/table_module.h"

namespace savora::store {

enum class RecipeFormat {
  Current,  // "rc65" and "rc64": MEDIA memo, two notes per line
  Rc63,     // BITMAP names a media list file in "cmm"; one note (INFO%d) per line
  Oldest,   // "recipe": as Rc63, with a 150-character DESCRIP text field
};

// Fields and tags of a recipe table of a format.
TableDefinition recipeTableDefinition(const std::string& name,
                                      RecipeFormat format = RecipeFormat::Current);

class RecipeTable : public TableModule {
 public:
  RecipeTable(TableStore& store, const std::string& name,
              RecipeFormat format = RecipeFormat::Current);

  // Opens or creates the table and repairs duplicate and zero identifiers.
  void open() override;

  // Seeks a recipe; true when it exists and is not deleted (it is then current).
  bool seek(long uid) { return seekUid(uid); }

  // Walks the recipes by chapter from the first of `chapter` (from the top for 0), yielding each
  // trimmed name; the walk goes on past the chapter's end (callers stop when chapterOfCurrent()
  // changes). Nothing at the end.
  std::optional<std::string> first(long chapter);
  std::optional<std::string> next();
  long uidOfCurrent();
  long chapterOfCurrent();

  // The identifier of the first recipe of the chapter whose trimmed name equals `name` ignoring
  // case; 0 when none.
  long find(std::string_view name, long chapter);
  // Fills `recipe` and returns its chapter; 0 (recipe untouched) when uid is 0 or not found.
  long load(long uid, Recipe& recipe);
  // Appends (uid 0) or rewrites the recipe; returns its identifier. A non-zero uid that is not
  // in the table is appended under that uid. With `reopen` the table is closed (packing by the
  // rule) and opened again.
  long save(long uid, long chapter, const Recipe& recipe, bool reopen);
  // Deletes the recipe and what refers to it: menu entries, recipe-as-ingredient codes, category
  // memberships. Nothing happens when it does not exist.
  void remove(long uid);
  // Rewrites every line referring to `oldUid` (unit; ingredient; brand code) to `newUid`.
  void replaceUnit(long oldUid, long newUid);
  void replaceFood(long oldUid, long newUid);
  void replaceBrand(long oldUid, long newUid);
  // Rewrites every line whose ingredient field holds `oldCode` (an ingredient UID, a recipe or
  // a brand code) to `newCode`.
  void replaceIngredientCode(long oldCode, long newCode);
  // The trimmed name, or "" when not found.
  std::string nameOf(long uid);

  // While set, saving a new recipe keeps this identifier instead of drawing the next one (the
  // format upgrade keeps old identifiers).
  void setUpgradeUid(std::optional<long> uid) { upgradeUid_ = uid; }

  // Called with a deleted recipe's identifier: the menus and the categories drop it.
  std::function<void(long)> removeFromMenus;
  // What deleting these recipes takes off the menus, for the question asked first ("Week 1 (2
  // meals)"); empty when no menu holds them or no menus are kept.
  std::function<std::string(const std::vector<long>&)> menuUses;
  std::function<void(long)> removeFromCategories;
  // Called after a stored recipe was written over (it may have a new name) or deleted: windows
  // that list recipes show them anew.
  std::function<void(long)> changed;

  RecipeFormat format() const { return format_; }

 private:
  void repairIdentifiers();
  void writeFields(long chapter, const Recipe& recipe);
  // Applies `change` to every line's (unit, ingredient) of every recipe; rewrites what changed.
  void rewriteLines(const std::function<bool(long& unit, long& ingredient)>& change);

  RecipeFormat format_;
  std::optional<long> upgradeUid_;
};

}  // namespace savora::store
