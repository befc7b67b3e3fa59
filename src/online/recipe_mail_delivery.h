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
  MailSecurity security = MailSecurity::StartTls;
  std::string user;  // for servers that ask for a login
  std::string password;
  bool plainLoginConfirmed = false;  // the user let this server have the login unencrypted
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
  bool loginRefused = false;  // the server refused the user name or password
};

// What a window hooks into a delivery; every hook may be left empty.
struct DeliveryHooks {
  // Called once the setup and recipients passed their checks, before the first connection;
  // may complete the setup (the password) and returns false to send nothing.
  std::function<bool(MailSetup& setup)> ready;
  // Called before each message, with its recipient and its place among `count` messages.
  std::function<void(const std::string& address, int index, int count)> sending;
  // Called often while a message is under way, so the caller's windows stay alive.
  std::function<void()> whileWaiting;
  // Adjusts the server before sending (time-outs, trusted certificates).
  std::function<void(MailServer&)> tuneServer;
};

MailDelivery deliverRecipeMail(toolkit::User& user, const MailSetup& setup, const RecipeMail& mail,
                               const DeliveryHooks& hooks = {});

}  // namespace savora::online
