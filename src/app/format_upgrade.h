// The recipe-format upgrade commands: an older recipe table ("recipe", "rc63", "rc64") left by an
// earlier version is backed up and converted into the current recipe table.
#pragma once

#include <string>

#include "backup/backup.h"
#include "codes/program_codes.h"
#include "store/recipe_table.h"
#include "toolkit/user.h"

namespace savora::app {

// The old tables in the order their upgrades run, with the main-window command of each.
struct PendingUpgrade {
  const char* table;
  int command;
};
inline constexpr PendingUpgrade kUpgrades[] = {{"recipe", codes::kUpgradeRecipe},
                                               {"rc63", codes::kUpgradeRc63},
                                               {"rc64", codes::kUpgradeRc64}};

// True when an old table's index exists, i.e. its upgrade is pending.
bool upgradePending(const char* table);

// Backs up all data into the automatic archive, converts `oldTable` into `current`, and removes
// what the old format left behind. Returns false, after telling the user why, when the old
// table could not be read or the current one could not be written.
bool runFormatUpgrade(const std::string& oldTable, store::TableStore& store,
                      store::RecipeTable& current, backup::BackupService& backup,
                      toolkit::User& user);

}  // namespace savora::app
