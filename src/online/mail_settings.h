// The mail settings as the program keeps them: the three texts of the settings file and the
// login kept in "SAVORA99.INI", bound by reference so MAIL_SETUP changes them in place.
#pragma once

#include <functional>
#include <string>

#include "online/online_settings.h"

namespace savora::online {

struct MailSettings {
  std::string& yourName;
  std::string& emailAddress;
  std::string& serverName;  // "host" or "host:port"
  MailLogin& login;
  // Writes the login where it is kept; called by MAIL_SETUP's OK.
  std::function<void(const MailLogin&)> saveLogin{};
};

}  // namespace savora::online
