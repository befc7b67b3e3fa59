// Recipe e-mail and the update service.
#include "app/registration.h"

#include <memory>
#include <utility>

#include "app/installed_titles.h"
#include "app/main_window.h"
#include "app/settings.h"
#include "app/shared_tables.h"
#include "app/usage_counters.h"
#include "bookshelf/book_shelf_window.h"
#include "codes/program_codes.h"
#include "food/category_list_window.h"
#include "online/keychain_password_store.h"
#include "online/mail_window.h"
#include "online/online_settings.h"
#include "online/online_window.h"
#include "online/update_message_window.h"
#include "online/update_reminder.h"
#include "platform/log.h"
#include "platform/program_dirs.h"
#include "platform/text.h"
#include "store/table_store.h"
#include "toolkit/event_manager.h"
#include "toolkit/window_manager.h"

namespace savora::app {

using namespace savora::toolkit;

namespace {

// What the online windows keep for the whole run: the mail login, the password given this run
// (or kept in the desktop's secret store) and whether this run's exit has asked the reminder.
struct OnlineRun {
  online::MailLogin login = online::readMailLogin(installedTitlesPath());
  online::KeychainPasswordStore keychain;
  online::MailPassword password{keychain};
  bool reminderAsked = false;
};

}  // namespace

namespace {

// MAIL_WINDOW, opened or fronted, with the recipes added to it.
void openMail(MainWindow& main, const std::vector<online::MailRecipe>& recipes) {
  if (auto* mail = dynamic_cast<online::MailWindow*>(
          main.openWindow(codes::kKindMail, UI_EVENT(codes::kSendMail))))
    mail->addRecipes(recipes);
}

}  // namespace

void registerOnline(MainWindow& main, SharedTables& tables, store::TableStore& store, User& user,
                    RunServices run, std::function<void(online::MailWindowServices&)> tuneMail,
                    std::function<void(online::OnlineWindowServices&)> tuneOnline) {
  auto online = std::make_shared<OnlineRun>();
  main.registerWindow(
      codes::kKindMail, [&main, &tables, &store, &user, run, online, tuneMail](const UI_EVENT&) {
        online::MailSettings settings{
            run.settings.email.senderName, run.settings.email.senderAddress,
            run.settings.email.mailServer, online->login, [](const online::MailLogin& login) {
              platform::logIfFailed(online::writeMailLogin(installedTitlesPath(), login),
                                    "the mail login is not saved in " + installedTitlesPath());
            }};
        online::MailWindowServices services{recipeTables(main, tables, false), store, user,
                                            std::move(settings), online->password};
        services.countUse = [&usage = run.usage] { ++usage.email; };
        if (tables.catalogRecipes())
          services.catalogTables.emplace(recipeTables(main, tables, true));
        if (tuneMail) tuneMail(services);
        return std::make_unique<online::MailWindow>(std::move(services));
      });
  // The menu's command mails the front recipe window's recipe (which checks that it is saved)
  // or the recipe selected on the front bookshelf, of either shelf; values[0], when set, is the
  // recipe to mail and values[1] is 1 when it is the catalogue's.
  main.registerCommand(codes::kSendMail, [&main, &tables](const UI_EVENT& event) {
    auto mailRecipe = [&tables](long uid, bool catalog) {
      store::RecipeTable* recipes = catalog ? tables.catalogRecipes() : &tables.recipes();
      return online::MailRecipe{recipes ? recipes->nameOf(uid) : "", uid, catalog};
    };
    if (event.values[0] > 0) {
      openMail(main, {mailRecipe(event.values[0], event.values[1] != 0)});
      return;
    }
    UIW_WINDOW* front = UI_WINDOW_MANAGER::instance().front();
    if (front &&
        (front->kind() == codes::kKindRecipe || front->kind() == codes::kKindCatalogRecipe)) {
      front->post(UI_EVENT(codes::kSendMail));
      return;
    }
    std::vector<online::MailRecipe> recipes;
    // From a bookshelf, the recipe selected in its list is what goes.
    if (auto* shelf = dynamic_cast<bookshelf::BookShelfWindow*>(front)) {
      const bool catalog = shelf->shelf() == bookshelf::Shelf::Catalog;
      if (const long selected = shelf->selectedRecipe(); selected != 0)
        recipes.push_back(mailRecipe(selected, catalog));
    }
    openMail(main, recipes);
  });

  main.registerWindow(codes::kKindOnline, [&user, run, tuneOnline](const UI_EVENT&) {
    online::OnlineWindowServices services{
        user,
        online::readUpdateServer(installedTitlesPath()),
        platform::programDirectory(),
        run.state.title,
        kVersionText,
        {platform::formatText("%s v%s", run.state.title.c_str(), kVersionText)},
        run.state.updateInstaller};
    if (tuneOnline) tuneOnline(services);
    return std::make_unique<online::OnlineWindow>(std::move(services));
  });
  main.registerCommand(codes::kUpdateService, [&main, run](const UI_EVENT& event) {
    run.settings.updateServiceOption = 1;  // asking for the service switches the reminder on
    main.openWindow(codes::kKindOnline, event);
  });
  main.registerCommand(codes::kOnlineNews, [&main](const UI_EVENT& event) {
    main.openWindow(codes::kKindOnline, event);
  });
  main.setUpdateReminder([run, online] {
    if (online->reminderAsked || run.settings.updateServiceOption == 0) return false;
    online->reminderAsked = true;
    return online::reminderDue(platform::programDirectory(), online::currentMonth());
  });
  main.registerCommand(codes::kUpdateReminder, [&main, run](const UI_EVENT&) {
    UI_WINDOW_MANAGER::instance().add(std::make_unique<online::UpdateMessageWindow>(
        run.state.title,
        online::UpdateReminderActions{run.settings.updateServiceOption,
                                      [&main] { main.post(UI_EVENT(codes::kUpdateService)); },
                                      [&main] { main.leave(); }}));
  });
}

}  // namespace savora::app
