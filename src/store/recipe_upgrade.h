// Conversion of a recipe table of an older format ("recipe", "rc63", "rc64") into the current
// recipe table, keeping every recipe's identifier and chapter. The old table's files are deleted
// once every recipe is in the current table.
#pragma once

#include <string>

#include "store/recipe_table.h"

namespace savora::store {

// The format of an older recipe table, by its name.
RecipeFormat formatOfOldTable(const std::string& name);

// Copies every recipe of the old table `oldName` into `current` (shown in the status window),
// then deletes the old table's .dbf, .cdx and .fpt. Throws xbase::Error, deleting nothing, when
// the old table cannot be read or a recipe cannot be written, and when its index cannot be deleted.
void upgradeRecipes(TableStore& store, RecipeTable& current, const std::string& oldName);
// The same for a table whose name does not tell its format (the exchange copies).
void upgradeRecipes(TableStore& store, RecipeTable& current, const std::string& oldName,
                    RecipeFormat format);

}  // namespace savora::store
