#include "store/recipe_upgrade.h"

#include "platform/file_ops.h"
#include "platform/log.h"
#include "platform/text.h"
#include "xbase/error.h"

namespace savora::store {

RecipeFormat formatOfOldTable(const std::string& name) {
  if (platform::equalsIgnoreCase(name, "recipe")) return RecipeFormat::Oldest;
  if (platform::equalsIgnoreCase(name, "rc63")) return RecipeFormat::Rc63;
  return RecipeFormat::Current;
}

void upgradeRecipes(TableStore& store, RecipeTable& current, const std::string& oldName) {
  upgradeRecipes(store, current, oldName, formatOfOldTable(oldName));
}

void upgradeRecipes(TableStore& store, RecipeTable& current, const std::string& oldName,
                    RecipeFormat format) {
  RecipeTable old(store, oldName, format);
  old.open();

  // Identifiers first: saving into `current` must not disturb the walk of `old`.
  std::vector<long> uids;
  for (bool on = old.TableModule::first(kUidTag); on; on = old.TableModule::next()) {
    uids.push_back(old.uidOfCurrent());
  }
  {
    toolkit::StatusScope status(store.user());
    for (long uid : uids) {
      Recipe recipe;
      recipe.servings = 1;
      const long chapter = old.load(uid, recipe);
      status.show("Upgrading Recipes", platform::formatText("Upgrading %s", recipe.name.c_str()));
      current.setUpgradeUid(uid);
      try {
        current.save(0, chapter, recipe, false);
      } catch (...) {
        current.setUpgradeUid(std::nullopt);
        throw;
      }
      current.setUpgradeUid(std::nullopt);
    }
  }
  old.close();
  // The old index says an upgrade is due: left behind, it would bring the upgrade back.
  const std::string index = oldName + ".cdx";
  if (!platform::deleteIfPresent(index))
    xbase::raise("upgrading %s: cannot delete its index %s", oldName.c_str(), index.c_str());
  for (const char* extension : {".dbf", ".fpt"}) {
    platform::logIfFailed(platform::deleteIfPresent(oldName + extension),
                          "the upgraded table's file " + oldName + extension + " stays");
  }
}

}  // namespace savora::store
