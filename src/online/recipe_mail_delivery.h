// Sending a recipe e-mail: one message per recipient (the typed address first, then the picked
// ones in order), each result told to the user. Addresses that failed are returned so the
// compose window can stay open with them.
#pragma once

#include <string>
#include <vector>

#include "online/mail_sender.h"
#include "toolkit/user.h"

namespace savora::online {

struct MailSetup {
  std::string yourName;
  std::string emailAddress;
  std::string serverName;  // "host" or "host:port"
  MailSecurity security = MailSecurity::Plain;
  std::string user;  // for servers that ask for a login
  std::string password;
};

struct RecipeMail {
  std::string to;                   // typed by the user; may be empty
  std::vector<std::string> toList;  // picked from the address book
  std::string subject;
  std::string body;
};

struct MailDelivery {
  bool attempted = false;  // false when setup or recipients were missing
  int sent = 0;
  std::vector<std::string> failed;
};

// `tuneServer` lets a caller adjust the server (time-outs, trusted certificates) before sending.
MailDelivery deliverRecipeMail(toolkit::User& user, const MailSetup& setup, const RecipeMail& mail,
                               const std::function<void()>& whileWaiting = {},
                               const std::function<void(MailServer&)>& tuneServer = {});

}  // namespace savora::online
