// Where the online services connect, kept in "SAVORA99.INI" beside the installed titles:
//   [Update] Server=https://host:port or http://host:port  (the update service's web server)
//   [Mail]   Security=plain|starttls|tls (starttls when missing), User=<login name>,
//            Remember Password=0|1, Plain Login Server=<the server the user let have the login
//            without encryption, after a warning>
// The sender's name, address and mail server ("host" or "host:port") stay in the settings file;
// the password is never written here (see mail_password.h).
#pragma once

#include <optional>
#include <string>

#include "online/mail_sender.h"

namespace savora::online {

inline constexpr const char* kDefaultUpdateServer = "https://update.savora99.example:443";

struct MailLogin {
  MailSecurity security = MailSecurity::StartTls;
  std::string user;  // empty: the server asks for no login
  bool rememberPassword = false;
  // The mail server text ("host" or "host:port") for which the user confirmed that the login
  // may go out unencrypted; empty when none.
  std::string plainLoginServer;

  // Whether the login may go to `serverName` over a plain connection.
  bool plainLoginConfirmedFor(const std::string& serverName) const;

  bool operator==(const MailLogin&) const = default;
};

MailLogin readMailLogin(const std::string& iniPath);
[[nodiscard]] bool writeMailLogin(const std::string& iniPath, const MailLogin& login);

// The update server as configured, or the default when the key is missing or not usable.
std::string readUpdateServer(const std::string& iniPath);
// The server text as a base address "http://host:port" / "https://host:port" (the port added
// when missing), or nothing when it is not one.
std::optional<std::string> updateServerAddress(const std::string& text);

}  // namespace savora::online
