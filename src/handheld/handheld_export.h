// Sending recipes and shopping lists to the handheld: the probe that reports the desktop sync
// installation and its users, the check and install of a conduit for one user, and the two
// conduit files (recipes, shopping list) written into the user's conduit folder.
//
// There is no handheld sync program on Linux: the probe and the two installers are outside
// programs found in the data folder under the names the sync installation uses, started
// detached; the waits for the probe's answer go through a function so tests need not sleep.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "recipe/recipe_tables.h"
#include "store/recipe.h"

namespace savora::planning {
struct ShoppingRow;
}

namespace savora::handheld {

struct HandheldUser {
  std::string name;
  std::string folder;  // relative to the desktop folder
};

struct HandheldInstallation {
  std::string desktopFolder;
  std::vector<HandheldUser> users;

  const HandheldUser* user(std::string_view name) const;
};

enum class ConduitKind { Recipes, ShoppingList };

inline constexpr const char* kProbeProgram = "palmdata.exe";
inline constexpr const char* kProbeAnswer = "palmdata.txt";
inline constexpr const char* kRecipeFile = "zelrecipes.txt";
inline constexpr const char* kShoppingFile = "zelslist.txt";
inline constexpr const char* kNotFoundTitle = "Palm Pilot Not Found";
inline constexpr const char* kNotFoundText =
    "You can download recipes and shopping lists to\r\nyour Palm Pilot with this feature.  "
    "However, you\r\nmust have a Palm Pilot installed to use it.";
inline constexpr const char* kExportFailed = "Unable to export data to Palm Conduit.";

// Waits the given number of seconds.
using Wait = std::function<void(int seconds)>;

// Starts the probe in the data folder and reads its answer, waiting 1, then 1, then 3 seconds
// for it. Nothing when the probe cannot be started, gives no answer or answers "-1".
std::optional<HandheldInstallation> probeHandheld(const std::string& dataFolder, const Wait& wait);
// The wait the program uses: up to the given seconds, returning as soon as the probe's answer in
// the data folder is complete.
Wait probeAnswerWait(const std::string& dataFolder);

// The user's conduit folder of the kind. The recipe conduit folder has one name, used for the
// check, the creation and the copy.
std::string conduitFolder(const HandheldInstallation& installation, const HandheldUser& user,
                          ConduitKind kind);
bool conduitInstalled(const HandheldInstallation& installation, const HandheldUser& user,
                      ConduitKind kind);

// The installers' command lines: the conduit installer with 2 (recipes) or 1 (shopping lists)
// and its library; the handheld installer with the user's name ("~" for each blank) and the
// handheld application.
std::string conduitInstallerCommand(const std::string& dataFolder, ConduitKind kind);
std::string handheldInstallerCommand(const std::string& dataFolder, const std::string& userName,
                                     ConduitKind kind);
// Starts both installers (without waiting for them) and creates the conduit folder; false when
// the folder could not be made.
bool installConduit(const HandheldInstallation& installation, const HandheldUser& user,
                    ConduitKind kind, const std::string& dataFolder);

// One recipe's record: name, tab, name, "~~", each non-empty line text followed by "~", "~", the
// instructions; line feeds inside become "~", tabs and carriage returns blanks. Ends in CR LF.
std::string recipeConduitRecord(recipe::RecipeTables& tables, const store::Recipe& recipe);
// Writes the records into the data folder's recipe file (appending or anew) and copies it into
// the conduit folder; false unless the file reached the conduit folder.
bool exportRecipes(recipe::RecipeTables& tables, const std::vector<store::Recipe>& recipes,
                   const std::string& dataFolder, const std::string& conduit, bool append);

// The shopping list's file: one record per unticked item and own item, CR LF line ends.
std::string shoppingConduitText(const std::vector<planning::ShoppingRow>& rows);
// Writes the shopping list's file anew in its conduit folder; false when it could not.
bool exportShoppingList(const std::vector<planning::ShoppingRow>& rows, const std::string& conduit);

}  // namespace savora::handheld
