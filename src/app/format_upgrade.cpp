#include "app/format_upgrade.h"

#include "backup/backup_schedule.h"
#include "platform/file_ops.h"
#include "platform/log.h"
#include "platform/program_dirs.h"
#include "platform/text.h"
#include "store/recipe_upgrade.h"
#include "xbase/error.h"

namespace savora::app {

using toolkit::Buttons;

bool upgradePending(const char* table) {
  return platform::fileExists(std::string(table) + ".cdx");
}

bool runFormatUpgrade(const std::string& oldTable, store::TableStore& store,
                      store::RecipeTable& current, backup::BackupService& backup,
                      toolkit::User& user) {
  if (!platform::equalsIgnoreCase(oldTable, "rc64")) {
    user.message("Upgrade", "INFORMATION", Buttons::Ok,
                 "The format of your recipe database file has been improved.\r\nSavora will backup "
                 "your data first and then upgrade the file.");
  }
  backup.backup(savora::backup::automaticBackupPath());

  toolkit::WaitPointer wait(user);
  try {
    toolkit::StatusScope status(
        user, "Upgrading File Format",
        "We have added some neat, new features to Savora.  The format of your recipe "
        "database files must be adjusted to accomodate the changes.  Please wait while we "
        "upgrade the recipe file format...(this may take several minutes).");
    store::upgradeRecipes(store, current, oldTable);
    if (platform::equalsIgnoreCase(oldTable, "recipe") ||
        platform::equalsIgnoreCase(oldTable, "rc63")) {
      // The old formats kept media lists as files in "cmm"; their contents are in the recipes
      // now.
      const std::string cmm = platform::programDirectory() + "cmm";
      for (const auto& entry : platform::listFolder(cmm + "\\*.*")) {
        if (!entry.isFolder)
          platform::logIfFailed(platform::deleteFile(cmm + "\\" + entry.name),
                                "an old media list stays: " + cmm + "\\" + entry.name);
      }
      platform::logIfFailed(platform::removeFolder(cmm),
                            "the old media lists' folder stays: " + cmm);
    }
  } catch (const xbase::Error& error) {
    user.message("Error!", "HAND", Buttons::Ok,
                 platform::formatText("The recipe file \"%s\" could not be upgraded.\r\n%s\r\nYour "
                                      "data was backed up first.",
                                      oldTable.c_str(), error.what()));
    return false;
  }
  user.message("Upgrade Complete", "INFORMATION", Buttons::Ok,
               "The recipe database file has been\r\nsuccessfully upgraded to the new format.");
  return true;
}

}  // namespace savora::app
