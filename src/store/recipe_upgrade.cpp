#include "store/recipe_upgrade.h"

#include "platform/file_ops.h"
#include "platform/text.h"

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
  for (const char* extension : {".cdx", ".dbf", ".fpt"}) {
    platform::deleteFile(oldName + extension);
  }
}

}  // namespace savora::store
