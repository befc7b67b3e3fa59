// What the user meets when sending to the handheld: the probe with its "not found" message, the
// OK of the user choice (no user, the conduit install question and its messages), and the
// messages of the three exports. The handheld choice window and the windows holding the data
// call these; nothing here needs a display.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "handheld/handheld_export.h"
#include "toolkit/user.h"

namespace savora::handheld {

// What the program remembers of the handheld: the desktop folder and the user last chosen (also
// kept across runs in the settings file) and, for this run only, whether recipes are added to
// the file the handheld has not collected yet instead of replacing it (clear at start, so the
// first export of a run replaces).
struct HandheldMemory {
  std::string desktopFolder;
  std::string lastUser;
  bool append = false;
};

// Probes with the wait pointer; says "Palm Pilot Not Found" and gives nothing when there is no
// desktop installation. A found desktop folder is remembered.
std::optional<HandheldInstallation> findHandheld(toolkit::User& user, const std::string& dataFolder,
                                                 const Wait& wait, HandheldMemory& memory);

// The OK of the user choice. Recipes: `overwrite` clears the append flag, its absence sets it.
// Without a user it says so and gives nothing (the choice stays open). A user without the
// conduit is asked about installing it; Cancel gives nothing (the export is cancelled), OK
// installs it and tells the user to restart the sync manager. Gives the conduit folder to export
// into.
struct HandheldChoice {
  std::string userName;
  bool overwrite = true;
};
enum class ChoiceOutcome { Export, StayOpen, Cancelled };
struct ChoiceResult {
  ChoiceOutcome outcome = ChoiceOutcome::StayOpen;
  std::string conduit;
};
ChoiceResult confirmHandheldChoice(toolkit::User& user, const HandheldInstallation& installation,
                                   ConduitKind kind, const HandheldChoice& choice,
                                   const std::string& dataFolder, const std::string& productName,
                                   HandheldMemory& memory);

// The exports with their messages: a recipe window's recipe, the bookshelf's listed recipes
// (none: it says there is nothing to send) and the shopping list.
void sendRecipeToHandheld(toolkit::User& user, recipe::RecipeTables& tables,
                          const store::Recipe& recipe, const std::string& dataFolder,
                          const std::string& conduit, bool append);
void sendRecipesToHandheld(toolkit::User& user, recipe::RecipeTables& tables,
                           const std::vector<store::Recipe>& recipes, const std::string& dataFolder,
                           const std::string& conduit, bool append);
void sendShoppingListToHandheld(toolkit::User& user, const std::vector<planning::ShoppingRow>& rows,
                                const std::string& conduit);

}  // namespace savora::handheld
