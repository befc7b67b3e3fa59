// The menu table "week": named weeks of meals, each day (0 Sunday ... 6 Saturday)
// holding recipes in order, and at most one media record naming the menu's media list in "cmm".
// Deleting a recipe takes it out of every menu; deleting a menu takes it out of every plan first.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "planning/named_list_table.h"
#include "store/media_list.h"

namespace savora::store {
class RecipeTable;
}

namespace savora::planning {

inline constexpr int kDaysInWeek = 7;
inline constexpr NamedListFields kWeekFields{"DAY", "RECIPE_UID", "RECIPE_TAG"};

store::TableDefinition weekTableDefinition();

class WeekTable : public NamedListTable {
 public:
  explicit WeekTable(store::TableStore& store);

  // An empty file name deletes the menu's media record; else "|" + the name goes into the
  // existing media record or a new one.
  void setMedia(long uid, std::string_view fileName);
  // The media list file name of the menu ("" when it has none).
  std::string mediaOf(long uid);
  // The menu's photo, sound and video (three empty references when it has none).
  store::MediaReferences mediaReferencesOf(long uid);
  // Writes the menu's media list and media record: all three empty delete both; else the list
  // file (the existing one or a new one in "cmm") holds them. False when the file could not be
  // written (the record is left as it was).
  bool storeMedia(long uid, const store::MediaReferences& media);

  // Deletes every record of the menu, first taking it out of every plan.
  void remove(long uid) override;
  // Deletes every entry of the recipe in all menus (a recipe was deleted).
  void removeRecipe(long recipe) { removeReference(recipe); }

  // Takes a deleted menu out of the plans; the plan table fills it.
  std::function<void(long menu)> removeFromPlans;

 private:
  bool findMediaRecord(long uid);
};

// The menus holding any of these recipes, with how many meals of them each holds:
// "Week 1 (2 meals), Party (1 meal)"; empty when none does.
std::string menuUsesOf(WeekTable& weeks, const std::vector<long>& recipes);

// Deleting one of the user's recipes takes it out of every menu.
void connectMenus(store::RecipeTable& recipes, WeekTable& weeks);

}  // namespace savora::planning
