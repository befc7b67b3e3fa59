#include "app/register_handheld.h"

#include <algorithm>
#include <memory>

#include "app/app_state.h"
#include "app/main_window.h"
#include "app/settings.h"
#include "codes/program_codes.h"
#include "handheld/handheld_download.h"
#include "handheld/palm_window.h"
#include "platform/program_dirs.h"
#include "toolkit/event_manager.h"
#include "toolkit/window_manager.h"

namespace savora::app {

using namespace savora::toolkit;

namespace {

// The windows that hold something to send, and what they send.
constexpr int kSendingKinds[] = {codes::kKindBookshelf, codes::kKindCatalog, codes::kKindRecipe,
                                 codes::kKindCatalogRecipe, codes::kKindShoppingList};

bool holdsSomethingToSend(const UIW_WINDOW* window) {
  return window && std::find(std::begin(kSendingKinds), std::end(kSendingKinds), window->kind()) !=
                       std::end(kSendingKinds);
}

}  // namespace

void registerHandheld(MainWindow& main, User& user, AppState& state, Settings& settings) {
  auto memory = std::make_shared<handheld::HandheldMemory>();
  memory->desktopFolder = settings.handheld.firstText;
  memory->lastUser = settings.handheld.secondText;
  main.registerCommand(
      codes::kHandheldDownload, [memory, &user, &state, &settings](const UI_EVENT&) {
        auto& manager = UI_WINDOW_MANAGER::instance();
        UIW_WINDOW* target = manager.front();
        if (!holdsSomethingToSend(target)) {
          user.message("Nothing to Download", "ASTERISK", Buttons::Ok,
                       "To download data to your Palm Pilot,\r\nopen the Recipe Bookshelf, Recipe, "
                       "or\r\nShopping List window.");
          return;
        }
        const std::string data = platform::programDirectory();
        auto installation =
            handheld::findHandheld(user, data, handheld::probeAnswerWait(data), *memory);
        if (!installation) return;
        const auto kind = target->kind() == codes::kKindShoppingList
                              ? handheld::ConduitKind::ShoppingList
                              : handheld::ConduitKind::Recipes;
        manager.add(std::make_unique<handheld::PalmWindow>(
            handheld::PalmWindow::Setup{std::move(*installation), kind, data, state.title}, *memory,
            user, [memory, target, &settings](const std::string& conduit, bool append) {
              settings.handheld.firstText = memory->desktopFolder;
              settings.handheld.secondText = memory->lastUser;
              // The window that asked may have closed while the choice was open.
              if (!UI_WINDOW_MANAGER::instance().contains(target)) return;
              UI_EVENT request(codes::kHandheldExport, append ? 1 : 0);
              request.text = conduit;
              UI_EVENT_MANAGER::instance().post(target, std::move(request));
            }));
      });
}

std::function<void(const store::Recipe&, const std::string&, bool)> recipeToHandheld(
    recipe::RecipeTables tables, User& user) {
  return [tables, &user](const store::Recipe& recipe, const std::string& conduit,
                         bool append) mutable {
    handheld::sendRecipeToHandheld(user, tables, recipe, platform::programDirectory(), conduit,
                                   append);
  };
}

std::function<void(const std::vector<long>&, const std::string&, bool)> shelfToHandheld(
    recipe::RecipeTables tables, User& user) {
  return [tables, &user](const std::vector<long>& uids, const std::string& conduit,
                         bool append) mutable {
    handheld::sendRecipesToHandheld(user, tables, recipe::loadRecipes(tables, uids),
                                    platform::programDirectory(), conduit, append);
  };
}

std::function<void(const planning::ShoppingList&, const std::string&)> listToHandheld(User& user) {
  return [&user](const planning::ShoppingList& list, const std::string& conduit) {
    handheld::sendShoppingListToHandheld(user, list.rows(), conduit);
  };
}

}  // namespace savora::app
