#include "online/mailing_list_window.h"

#include "codes/program_codes.h"
#include "online/address_book.h"
#include "toolkit/event_codes.h"
#include "toolkit/window_manager.h"
#include "xbase/error.h"

namespace savora::online {

using namespace savora::toolkit;

namespace {
using namespace savora::codes::mailing_list_window;
}

const WindowSpec kMailingListSpec{"MAILING_LIST",
                                  {{"MAIL_LIST", 0, ObjectKind::List},
                                   {"MESSAGE_LIST", 0, ObjectKind::List},
                                   {"ADD_BUTTON", 0, ObjectKind::Button},
                                   {"EDIT_BUTTON", 0, ObjectKind::Button},
                                   {"DELETE_BUTTON", 0, ObjectKind::Button},
                                   {"REMOVE_BUTTON", 0, ObjectKind::Button},
                                   {"OK_BUTTON", 0, ObjectKind::Button},
                                   {"CANCEL_BUTTON", 0, ObjectKind::Button}}};

MailingListWindow::MailingListWindow(store::TableStore& store, User& user, Chosen chosen)
    : UIW_WINDOW(kMailingListSpec.resource),
      book_(store),
      user_(user),
      chosen_(std::move(chosen)) {
  resolve(kMailingListSpec);
  mailList_ = Get<UIW_VT_LIST>("MAIL_LIST");
  messageList_ = Get<UIW_VT_LIST>("MESSAGE_LIST");
  try {
    book_.open();
  } catch (const xbase::Error& error) {
    user_.message("Error!", "HAND", Buttons::Ok, error.what());
    return;
  }
  reload();
  closeOnEscape();
}

MailingListWindow::~MailingListWindow() {
  try {
    book_.close();
  } catch (const xbase::Error& error) {
    user_.message("Error!", "HAND", Buttons::Ok, error.what());
  }
}

void MailingListWindow::setMessageList(const std::vector<std::string>& addresses) {
  messageList_->clear();
  for (const std::string& address : addresses) addToMessage(address);
}

void MailingListWindow::reload(const std::string& select) {
  mailList_->clear();
  for (const std::string& address : book_.addresses())
    mailList_->add(ListEntry(address, 0, kAddressChosen));
  mailList_->add(ListEntry(kNewAddressEntry, 0, kAddressChosen));
  const int found = select.empty() ? -1 : mailList_->findText(select);
  mailList_->setCurrent(found >= 0 ? found : 0);
}

int MailingListWindow::Event(const UI_EVENT& event) {
  switch (event.type) {
    case kAddressChosen:
      messageListLast_ = false;
      choose(int(event.values[0]));
      break;
    case kAdd:
      choose(mailList_->current());
      break;
    case kMailListSelected:
      messageListLast_ = false;
      break;
    case kMessageListSelected:
      messageListLast_ = true;
      break;
    case kEdit:
      edit();
      break;
    case kDelete:
      remove();
      break;
    case kRemove:
      if (const int row = messageList_->current(); row >= 0) messageList_->remove(row);
      break;
    case kOk:
      ok();
      break;
    default:
      return UIW_WINDOW::Event(event);
  }
  return event.type;
}

void MailingListWindow::choose(int row) {
  if (row < 0 || row >= mailList_->count()) return;
  if (row == mailList_->count() - 1) {  // "<new address>"
    const std::string added = askNewAddress(user_, book_);
    if (!added.empty()) reload(added);
    return;
  }
  addToMessage(mailList_->entry(row).text);
}

void MailingListWindow::addToMessage(const std::string& address) {
  if (messageList_->findText(address) < 0) messageList_->add(ListEntry(address));
}

void MailingListWindow::edit() {
  if (messageListLast_) {
    user_.message("Wait!", "INFORMATION", Buttons::Ok,
                  "Edit addresses from the address list above.");
    return;
  }
  const int row = mailList_->current();
  if (row < 0 || row >= mailList_->count() - 1) return;
  const std::string old = mailList_->entry(row).text;
  const std::string edited = askEditedAddress(user_, book_, old);
  if (edited.empty()) return;
  // The message's copy follows the edit, so it is sent to the address as it is now.
  if (const int onMessage = messageList_->findText(old); onMessage >= 0)
    messageList_->setEntry(onMessage, ListEntry(edited));
  reload(edited);
}

void MailingListWindow::remove() {
  const int row = mailList_->current();
  if (row < 0 || row >= mailList_->count() - 1) return;
  const std::string address = mailList_->entry(row).text;
  if (!askDeleteAddress(user_, book_, address)) return;
  mailList_->remove(row);
  mailList_->setCurrent(std::min(row, mailList_->count() - 1));
}

void MailingListWindow::ok() {
  std::vector<std::string> addresses;
  for (const ListEntry& entry : messageList_->entries()) addresses.push_back(entry.text);
  if (chosen_) chosen_(addresses);
  UI_WINDOW_MANAGER::instance().subtract(this);
}

}  // namespace savora::online
