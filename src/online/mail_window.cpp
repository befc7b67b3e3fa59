#include "online/mail_window.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <algorithm>

#include "codes/program_codes.h"
#include "online/mail_setup_window.h"
#include "online/mailing_list_window.h"
#include "online/recipe_mail_body.h"
#include "online/recipe_mail_delivery.h"
#include "platform/text.h"
#include "toolkit/event_codes.h"
#include "toolkit/help_window.h"
#include "toolkit/qt_text.h"
#include "toolkit/window_manager.h"

namespace savora::online {

using namespace savora::toolkit;

namespace {

using namespace savora::codes::mail_window;

// The password dialog on screen: the typed characters are not shown.
std::optional<std::string> askPasswordOnScreen(const std::string& user, const std::string& server) {
  bool ok = false;
  const QString typed = QInputDialog::getText(
      QApplication::activeWindow(), QStringLiteral("Mail Server Password"),
      toQt(platform::formatText("Enter the password of %s on %s.", user.c_str(), server.c_str())),
      QLineEdit::Password, QString(), &ok);
  if (!ok) return std::nullopt;
  return fromQt(typed);
}

// Line ends as a message carries them.
std::string withCrLf(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c == '\n' && (out.empty() || out.back() != '\r')) out += '\r';
    out += c;
  }
  return out;
}

}  // namespace

const WindowSpec kMailWindowSpec{"MAIL_WINDOW",
                                 {{"TO", 0, ObjectKind::String},
                                  {"TO_LIST", 0, ObjectKind::List},
                                  {"SUBJECT", 0, ObjectKind::String},
                                  {"MESSAGE", 0, ObjectKind::Text},
                                  {"RECIPES", 0, ObjectKind::List},
                                  {"SEND_STATUS", 0, ObjectKind::Prompt},
                                  {"SEND_BUTTON", 0, ObjectKind::Button},
                                  {"CANCEL_BUTTON", 0, ObjectKind::Button},
                                  {"CLEAR_BUTTON", 0, ObjectKind::Button},
                                  {"ADDRESS_BOOK_BUTTON", 0, ObjectKind::Button},
                                  {"REMOVE_ADDRESS_BUTTON", 0, ObjectKind::Button},
                                  {"SETUP_BUTTON", 0, ObjectKind::Button},
                                  {"HELP_BUTTON", 0, ObjectKind::Button}}};

MailWindow::MailWindow(MailWindowServices services)
    : UIW_WINDOW(kMailWindowSpec.resource), services_(std::move(services)) {
  resolve(kMailWindowSpec);
  to_ = Get<UIW_STRING>("TO");
  toList_ = Get<UIW_VT_LIST>("TO_LIST");
  subject_ = Get<UIW_STRING>("SUBJECT");
  message_ = Get<UIW_TEXT>("MESSAGE");
  recipes_ = Get<UIW_VT_LIST>("RECIPES");
  status_ = Get<UIW_PROMPT>("SEND_STATUS");
  if (!services_.askPassword) services_.askPassword = askPasswordOnScreen;
}

void MailWindow::addRecipes(const std::vector<MailRecipe>& recipes) {
  for (const MailRecipe& recipe : recipes) {
    if (recipe.uid <= 0 || (recipe.catalog && !services_.catalogTables)) continue;
    // The two shelves number their recipes each on its own: a UID names a recipe with its shelf.
    const bool listed = std::ranges::any_of(listed_, [&recipe](const MailRecipe& r) {
      return r.uid == recipe.uid && r.catalog == recipe.catalog;
    });
    if (listed) continue;
    listed_.push_back(recipe);
    recipes_->add(ListEntry(recipe.name, recipe.uid));
  }
}

void MailWindow::setToList(const std::vector<std::string>& addresses) {
  toList_->clear();
  for (const std::string& address : addresses) toList_->add(ListEntry(address));
}

std::vector<std::string> MailWindow::toList() {
  std::vector<std::string> addresses;
  for (const ListEntry& entry : toList_->entries()) addresses.push_back(entry.text);
  return addresses;
}

int MailWindow::Event(const UI_EVENT& event) {
  // A send runs the event loop while it waits for the server: nothing may start another send or
  // take the window away under it. A close asked for meanwhile comes after the send.
  if (sending_) {
    if (event.type == S_CLOSE) closeAfterSend_ = true;
    return event.type;
  }
  switch (event.type) {
    case kSend:
      send();
      break;
    case kClear:
      clear();
      break;
    case kAddressBook:
      openAddressBook();
      break;
    case kSetup:
      openSetup();
      break;
    case kRemoveAddress:
      removeAddress();
      break;
    case L_HELP:
      HelpSystem::showContext(helpContext());
      break;
    default:
      return UIW_WINDOW::Event(event);
  }
  return event.type;
}

void MailWindow::clear() {
  to_->setText("");
  toList_->clear();
  subject_->setText("");
  message_->setText("");
}

void MailWindow::removeAddress() {
  if (const int row = toList_->current(); row >= 0) toList_->remove(row);
}

void MailWindow::openAddressBook() {
  auto book = std::make_unique<MailingListWindow>(
      services_.store, services_.user, [this](const std::vector<std::string>& chosen) {
        if (UI_WINDOW_MANAGER::instance().contains(this)) setToList(chosen);
      });
  if (!book->isOpen()) return;
  book->setMessageList(toList());
  UI_WINDOW_MANAGER::instance().add(std::move(book));
}

void MailWindow::openSetup() {
  UI_WINDOW_MANAGER::instance().add(
      std::make_unique<MailSetupWindow>(services_.settings, services_.password, services_.user));
}

bool MailWindow::completeLogin(MailSetup& setup) {
  if (setup.user.empty()) return true;
  const bool remember = services_.settings.login.rememberPassword;
  std::optional<std::string> password = services_.password.known(remember);
  if (!password) {
    password = services_.askPassword(setup.user, setup.serverName);
    if (!password) return false;
    services_.password.set(*password, remember);
  }
  setup.password = *password;
  return true;
}

void MailWindow::send() {
  WaitPointer wait(services_.user);
  std::vector<MailedRecipe> mailed;
  for (const MailRecipe& recipe : listed_)
    mailed.push_back({recipe.catalog ? &*services_.catalogTables : &services_.tables, recipe.uid});
  const RecipeMailBody body = recipeMailBody(withCrLf(message_->text()), mailed);
  const RecipeMail mail{to_->text(), toList(), subject_->text(), body.text};
  const MailSettings& settings = services_.settings;
  const MailSetup setup{settings.yourName,
                        settings.emailAddress,
                        settings.serverName,
                        settings.login.security,
                        settings.login.user,
                        "",
                        settings.login.plainLoginConfirmedFor(settings.serverName)};

  DeliveryHooks hooks;
  hooks.ready = [this, &body](MailSetup& ready) {
    if (body.tooLong)
      services_.user.message("Too Much Text!", "ASTERISK", Buttons::Ok,
                             "With so many recipes, your message is too long.\r\nThe message "
                             "was truncated.");
    if (!completeLogin(ready)) return false;
    sending_ = true;
    widget()->setEnabled(false);
    return true;
  };
  hooks.sending = [this](const std::string& address, int index, int count) {
    status_->setText(platform::formatText("Sending to %s (%d of %d)...",
                                          std::string(platform::trim(address)).c_str(), index + 1,
                                          count));
    QApplication::processEvents();
  };
  hooks.whileWaiting = [] { QApplication::processEvents(); };
  hooks.tuneServer = services_.tuneServer;

  const MailDelivery delivery = deliverRecipeMail(services_.user, setup, mail, hooks);
  sending_ = false;
  widget()->setEnabled(true);
  if (!delivery.attempted) {
    status_->setText("");
    return;
  }
  if (services_.countUse) services_.countUse();
  if (delivery.loginRefused) services_.password.refused();
  if (delivery.failed.empty() || closeAfterSend_) {
    // Closed once Send has finished, so every address was served first.
    post(UI_EVENT(S_CLOSE));
    return;
  }
  to_->setText("");
  setToList(delivery.failed);
  status_->setText(
      platform::formatText("%d of %zu messages sent. The addresses listed were not sent to.",
                           delivery.sent, delivery.failed.size() + size_t(delivery.sent)));
}

}  // namespace savora::online
