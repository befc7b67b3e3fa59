// MAILING_LIST: the address book (table "email") and the recipients chosen for one message.
// MAIL_LIST shows every address in table order followed by "<new address>"; choosing an address
// puts it on MESSAGE_LIST, choosing "<new address>" asks for one. Edit and Delete work on
// MAIL_LIST's current address; OK hands MESSAGE_LIST to the compose window. The table is open
// while the window is, and closed (packed after a deletion) with it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "online/email_address_table.h"
#include "toolkit/uiw_window.h"
#include "toolkit/user.h"
#include "toolkit/window_spec.h"

namespace savora::store {
class TableStore;
}

namespace savora::online {

extern const toolkit::WindowSpec kMailingListSpec;

inline constexpr const char* kNewAddressEntry = "<new address>";

class MailingListWindow : public toolkit::UIW_WINDOW {
 public:
  using Chosen = std::function<void(const std::vector<std::string>& addresses)>;
  // Opens the table; when it cannot be opened the user is told and isOpen() is false.
  MailingListWindow(store::TableStore& store, toolkit::User& user, Chosen chosen);
  ~MailingListWindow() override;

  bool isOpen() const { return book_.isOpen(); }
  void setMessageList(const std::vector<std::string>& addresses);
  int Event(const toolkit::UI_EVENT& event) override;

 private:
  // Fills MAIL_LIST from the table and makes `select` current (the first entry when not found).
  void reload(const std::string& select = {});
  void choose(int row);
  void addToMessage(const std::string& address);
  void edit();
  void remove();
  void ok();

  EmailAddressTable book_;
  toolkit::User& user_;
  Chosen chosen_;
  toolkit::UIW_VT_LIST* mailList_;
  toolkit::UIW_VT_LIST* messageList_;
  bool messageListLast_ = false;  // the user worked in MESSAGE_LIST last
};

}  // namespace savora::online
