#include "handheld/handheld_download.h"

#include "platform/text.h"

namespace savora::handheld {

using toolkit::Button;
using toolkit::Buttons;

namespace {

void exportFailed(toolkit::User& user) {
  user.message("Wait!", "HAND", Buttons::Ok, kExportFailed);
}

void finished(toolkit::User& user, const char* text) {
  user.message("Finished!", "INFORMATION", Buttons::Ok, text);
}

}  // namespace

std::optional<HandheldInstallation> findHandheld(toolkit::User& user, const std::string& dataFolder,
                                                 const Wait& wait, HandheldMemory& memory) {
  std::optional<HandheldInstallation> found;
  {
    toolkit::WaitPointer pointer(user);
    found = probeHandheld(dataFolder, wait);
  }
  if (!found) {
    user.message(kNotFoundTitle, "HAND", Buttons::Ok, kNotFoundText);
    return std::nullopt;
  }
  memory.desktopFolder = found->desktopFolder;
  return found;
}

ChoiceResult confirmHandheldChoice(toolkit::User& user, const HandheldInstallation& installation,
                                   ConduitKind kind, const HandheldChoice& choice,
                                   const std::string& dataFolder, const std::string& productName,
                                   HandheldMemory& memory) {
  if (kind == ConduitKind::Recipes) memory.append = !choice.overwrite;
  const HandheldUser* chosen = installation.user(choice.userName);
  if (!chosen) {
    user.message("Wait!", "HAND", Buttons::Ok, "You must choose a user.");
    return {};
  }
  memory.lastUser = chosen->name;
  if (!conduitInstalled(installation, *chosen, kind)) {
    const std::string question = platform::formatText(
        "%s will now install the %s conduit\r\non your Palm Pilot.", productName.c_str(),
        kind == ConduitKind::Recipes ? "recipe" : "shopping list");
    if (user.message("Install Conduits", "INFORMATION", Buttons::OkCancel, question) != Button::Ok)
      return {ChoiceOutcome::Cancelled, {}};
    if (!installConduit(installation, *chosen, kind, dataFolder)) {
      exportFailed(user);
      return {ChoiceOutcome::Cancelled, {}};
    }
    user.message("Restart HotSync Manager!", "INFORMATION", Buttons::Ok,
                 "The new conduit has been installed. Please\r\nexit the HotSync Manager if it is "
                 "running\r\n(icon is located on Task Bar next to the\r\nclock) and restart it for "
                 "the changes to\r\ntake effect.");
    user.message("HotSync", "INFORMATION", Buttons::Ok,
                 "Now, put your Pilot in the cradle and hot sync.");
  }
  return {ChoiceOutcome::Export, conduitFolder(installation, *chosen, kind)};
}

void sendRecipeToHandheld(toolkit::User& user, recipe::RecipeTables& tables,
                          const store::Recipe& recipe, const std::string& dataFolder,
                          const std::string& conduit, bool append) {
  if (!exportRecipes(tables, {recipe}, dataFolder, conduit, append)) return exportFailed(user);
  finished(user,
           "This recipe was downloaded successfully.  It will\r\nappear the next time you hot "
           "sync your Palm Pilot.");
}

void sendRecipesToHandheld(toolkit::User& user, recipe::RecipeTables& tables,
                           const std::vector<store::Recipe>& recipes, const std::string& dataFolder,
                           const std::string& conduit, bool append) {
  if (recipes.empty()) {
    user.message("Wait!", "HAND", Buttons::Ok,
                 "There are no recipes to download to your Palm Pilot.");
    return;
  }
  if (!exportRecipes(tables, recipes, dataFolder, conduit, append)) return exportFailed(user);
  finished(user,
           "The recipes were downloaded successfully.  They will\r\nappear the next time you hot "
           "sync your Palm Pilot.");
}

void sendShoppingListToHandheld(toolkit::User& user, const std::vector<planning::ShoppingRow>& rows,
                                const std::string& conduit) {
  if (!exportShoppingList(rows, conduit)) return exportFailed(user);
  finished(user,
           "The shopping list was downloaded successfully.  It\r\nwill appear the next time you "
           "hot sync your Palm Pilot.");
}

}  // namespace savora::handheld
