// MAIL_WINDOW: a recipe e-mail being written: the typed address (TO), the addresses picked from
// the address book (TO_LIST), the subject, the personal message and the recipes sent with it.
// Send delivers one message per address while the window, disabled, shows how far it got; the
// rest of the program keeps running. When every message went out the window closes; otherwise it
// stays with the addresses that failed.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "online/mail_password.h"
#include "online/mail_settings.h"
#include "online/recipe_mail_delivery.h"
#include "recipe/recipe_tables.h"
#include "toolkit/uiw_window.h"
#include "toolkit/user.h"
#include "toolkit/window_spec.h"

namespace savora::store {
class TableStore;
}

namespace savora::online {

extern const toolkit::WindowSpec kMailWindowSpec;

struct MailWindowServices {
  recipe::RecipeTables tables;  // the user's recipes the message carries
  store::TableStore& store;     // the address book's table
  toolkit::User& user;
  MailSettings settings;
  MailPassword& password;
  // Asks for the mail server's password, hidden as it is typed; nothing when cancelled. Null:
  // a password dialog on screen.
  std::function<std::optional<std::string>(const std::string& user, const std::string& server)>
      askPassword{};
  // Adjusts the server before sending (tests: short time-outs, a test certificate).
  std::function<void(MailServer&)> tuneServer{};
  // Counts a send in the program's use counters.
  std::function<void()> countUse{};
  // The catalogue's recipes, when the catalogue is installed.
  std::optional<recipe::RecipeTables> catalogTables{};
};

struct MailRecipe {
  std::string name;
  long uid = 0;
  bool catalog = false;  // a recipe of the catalogue, not of the user's bookshelf
};

class MailWindow : public toolkit::UIW_WINDOW {
 public:
  explicit MailWindow(MailWindowServices services);

  // Adds recipes to RECIPES; one already listed is not listed twice, and a catalogue recipe
  // without the catalogue's tables not at all.
  void addRecipes(const std::vector<MailRecipe>& recipes);
  // Replaces TO_LIST (the address book's OK).
  void setToList(const std::vector<std::string>& addresses);
  std::vector<std::string> toList();
  bool sending() const { return sending_; }

  int Event(const toolkit::UI_EVENT& event) override;

 private:
  void send();
  void clear();
  void openAddressBook();
  void openSetup();
  void removeAddress();
  // The password for a server that asks for a login; false when the user gave none.
  bool completeLogin(MailSetup& setup);

  MailWindowServices services_;
  toolkit::UIW_STRING* to_;
  toolkit::UIW_VT_LIST* toList_;
  toolkit::UIW_STRING* subject_;
  toolkit::UIW_TEXT* message_;
  toolkit::UIW_VT_LIST* recipes_;
  toolkit::UIW_PROMPT* status_;
  std::vector<MailRecipe> listed_;  // what RECIPES lists, in its order
  bool sending_ = false;
  bool closeAfterSend_ = false;
};

}  // namespace savora::online
