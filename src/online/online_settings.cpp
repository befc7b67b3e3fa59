#include "online/online_settings.h"

#include "platform/ini_file.h"
#include "platform/text.h"

namespace savora::online {

namespace {

constexpr const char* kMailSection = "Mail";
constexpr const char* kUpdateSection = "Update";

struct SecurityName {
  MailSecurity security;
  const char* name;
};
constexpr SecurityName kSecurityNames[] = {{MailSecurity::Plain, "plain"},
                                           {MailSecurity::StartTls, "starttls"},
                                           {MailSecurity::Tls, "tls"}};

}  // namespace

MailLogin readMailLogin(const std::string& iniPath) {
  const platform::IniFile ini(iniPath);
  MailLogin login;
  const std::string security = ini.readString(kMailSection, "Security", "starttls");
  for (const auto& known : kSecurityNames) {
    if (platform::compareIgnoreCase(security, known.name) == 0) login.security = known.security;
  }
  login.user = ini.readString(kMailSection, "User");
  login.rememberPassword = ini.readInt(kMailSection, "Remember Password", 0) != 0;
  login.plainLoginServer = ini.readString(kMailSection, "Plain Login Server");
  return login;
}

bool writeMailLogin(const std::string& iniPath, const MailLogin& login) {
  platform::IniFile ini(iniPath);
  const char* security = "starttls";
  for (const auto& known : kSecurityNames) {
    if (known.security == login.security) security = known.name;
  }
  // A user name is one line: a line break would start another key.
  auto oneLine = [](const std::string& text) { return text.substr(0, text.find_first_of("\r\n")); };
  return ini.writeString(kMailSection, "Security", security) &&
         ini.writeString(kMailSection, "User", oneLine(login.user)) &&
         ini.writeString(kMailSection, "Remember Password", login.rememberPassword ? "1" : "0") &&
         ini.writeString(kMailSection, "Plain Login Server", oneLine(login.plainLoginServer));
}

bool MailLogin::plainLoginConfirmedFor(const std::string& serverName) const {
  return security == MailSecurity::Plain && !plainLoginServer.empty() &&
         platform::compareIgnoreCase(platform::trim(plainLoginServer),
                                     platform::trim(serverName)) == 0;
}

std::optional<std::string> updateServerAddress(const std::string& text) {
  const std::string trimmed = platform::trim(text);
  std::string scheme;
  for (const char* known : {"http://", "https://"}) {
    if (trimmed.size() > std::string(known).size() &&
        platform::compareIgnoreCase(trimmed.substr(0, std::string(known).size()), known) == 0)
      scheme = known;
  }
  if (scheme.empty()) return std::nullopt;
  std::string rest = trimmed.substr(scheme.size());
  if (!rest.empty() && rest.back() == '/') rest.pop_back();
  if (rest.empty() || rest.find_first_of("/?#@ \t") != std::string::npos) return std::nullopt;
  const size_t colon = rest.rfind(':');
  std::string host = rest, port = scheme == "https://" ? "443" : "80";
  if (colon != std::string::npos) {
    host = rest.substr(0, colon);
    port = rest.substr(colon + 1);
    if (port.empty() || port.size() > 5 ||
        port.find_first_not_of("0123456789") != std::string::npos || std::stol(port) < 1 ||
        std::stol(port) > 65535)
      return std::nullopt;
  }
  if (host.empty() || host.find(':') != std::string::npos) return std::nullopt;
  return scheme + host + ":" + port;
}

std::string readUpdateServer(const std::string& iniPath) {
  const std::string text =
      platform::IniFile(iniPath).readString(kUpdateSection, "Server", kDefaultUpdateServer);
  return updateServerAddress(text).value_or(kDefaultUpdateServer);
}

}  // namespace savora::online
