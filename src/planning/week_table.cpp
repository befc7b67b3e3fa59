#include "planning/week_table.h"

#include <set>

#include "platform/program_dirs.h"
#include "platform/text.h"
#include "store/recipe_table.h"

namespace savora::planning {

store::TableDefinition weekTableDefinition() {
  return namedListTableDefinition("week", kWeekFields, "Compressing Menu Data...Please Wait.");
}

WeekTable::WeekTable(store::TableStore& store)
    : NamedListTable(store, weekTableDefinition(), kWeekFields) {}

bool WeekTable::findMediaRecord(long uid) {
  for (long on = firstRecordOf(uid); on != -1; on = nextRecord()) {
    if (isMediaRecord()) return true;
  }
  return false;
}

void WeekTable::setMedia(long uid, std::string_view fileName) {
  const std::string file = platform::trim(fileName);
  if (file.empty()) {
    if (findMediaRecord(uid)) {
      deleteCurrent();
      platform::setProgramDirectory(platform::programDirectory());
      reopen();
    }
    return;
  }
  const std::string stored = std::string(1, kMediaMark) + file;
  if (findMediaRecord(uid)) {
    setText("NAME", stored);
    table().flush();
    return;
  }
  appendStart(uid);
  setText("NAME", stored);
  setNumber(fields_.slot, -1);
  setNumber(fields_.reference, -1);
  append();
  platform::setProgramDirectory(platform::programDirectory());
  reopen();
}

std::string WeekTable::mediaOf(long uid) {
  if (!findMediaRecord(uid)) return {};
  return text("NAME").substr(1);
}

store::MediaReferences WeekTable::mediaReferencesOf(long uid) {
  const std::string file = mediaOf(uid);
  if (file.empty()) return {};
  return store::readMediaList(file);
}

bool WeekTable::storeMedia(long uid, const store::MediaReferences& media) {
  const std::optional<std::string> written = store::writeMediaList(mediaOf(uid), media);
  if (!written) return false;
  setMedia(uid, *written);
  return true;
}

void WeekTable::remove(long uid) {
  if (removeFromPlans) removeFromPlans(uid);
  NamedListTable::remove(uid);
}

std::string menuUsesOf(WeekTable& weeks, const std::vector<long>& recipes) {
  const std::set<long> wanted(recipes.begin(), recipes.end());
  std::string uses;
  for (const std::string& name : weeks.names()) {
    long meals = 0;
    for (const ListItem& item : weeks.entriesOf(weeks.uidOf(name)))
      meals += wanted.count(item.reference) ? 1 : 0;
    if (meals == 0) continue;
    if (!uses.empty()) uses += ", ";
    uses += platform::formatText(meals == 1 ? "%s (%ld meal)" : "%s (%ld meals)", name.c_str(),
                                 meals);
  }
  return uses;
}

void connectMenus(store::RecipeTable& recipes, WeekTable& weeks) {
  recipes.removeFromMenus = [&weeks](long recipe) { weeks.removeRecipe(recipe); };
  recipes.menuUses = [&weeks](const std::vector<long>& deleted) {
    return menuUsesOf(weeks, deleted);
  };
}

}  // namespace savora::planning
