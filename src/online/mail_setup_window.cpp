#include "online/mail_setup_window.h"

#include <iterator>

#include "codes/program_codes.h"
#include "online/mail_address.h"
#include "platform/text.h"
#include "toolkit/event_codes.h"
#include "toolkit/window_manager.h"

namespace savora::online {

using namespace savora::toolkit;

namespace {

// SECURITY's entries, in the order of the choices.
const MailSecurity kSecurities[] = {MailSecurity::Plain, MailSecurity::StartTls, MailSecurity::Tls};
const char* const kSecurityTexts[] = {"Plain (no encryption)", "STARTTLS", "TLS"};

}  // namespace

const WindowSpec kMailSetupSpec{"MAIL_SETUP",
                                {{"YOUR_NAME", 0, ObjectKind::String},
                                 {"E-MAIL_ADDRESS", 0, ObjectKind::String},
                                 {"SERVER_NAME", 0, ObjectKind::String},
                                 {"SECURITY", 0, ObjectKind::Combo},
                                 {"USER_NAME", 0, ObjectKind::String},
                                 {"PASSWORD", 0, ObjectKind::String},
                                 {"REMEMBER_PASSWORD", 0, ObjectKind::Button},
                                 {"OK_BUTTON", 0, ObjectKind::Button},
                                 {"CANCEL_BUTTON", 0, ObjectKind::Button}}};

MailSetupWindow::MailSetupWindow(MailSettings settings, MailPassword& password, User& user)
    : UIW_WINDOW(kMailSetupSpec.resource),
      settings_(std::move(settings)),
      password_(password),
      user_(user) {
  resolve(kMailSetupSpec);
  Get("YOUR_NAME")->setText(settings_.yourName);
  Get("E-MAIL_ADDRESS")->setText(settings_.emailAddress);
  Get("SERVER_NAME")->setText(settings_.serverName);
  Get("USER_NAME")->setText(settings_.login.user);
  Get<UIW_BUTTON>("REMEMBER_PASSWORD")->setChecked(settings_.login.rememberPassword);
  auto* security = Get<UIW_COMBO_BOX>("SECURITY");
  for (size_t i = 0; i < std::size(kSecurities); ++i) {
    security->add(ListEntry(kSecurityTexts[i], long(i)));
    if (kSecurities[i] == settings_.login.security) security->setCurrent(int(i));
  }
  closeOnEscape();
}

int MailSetupWindow::Event(const UI_EVENT& event) {
  if (event.type == codes::mail_setup_window::kOk) {
    ok();
    return event.type;
  }
  return UIW_WINDOW::Event(event);
}

// A login over a plain connection lets anyone on the way read the password: the user confirms
// it once per server; a server confirmed before is not asked about again.
bool MailSetupWindow::confirmPlainLogin(const std::string& server) {
  if (platform::compareIgnoreCase(settings_.login.plainLoginServer, server) == 0) return true;
  return user_.message("Send Password Unencrypted?", "EXCLAMATION", Buttons::YesNo,
                       platform::formatText(
                           "With Plain security your user name and password go to %s "
                           "without encryption,\r\nwhere anyone on the way can read them.\r\n\r\n"
                           "Send them to this server unencrypted?",
                           server.c_str())) == Button::Yes;
}

void MailSetupWindow::ok() {
  const std::string address = platform::trim(Get("E-MAIL_ADDRESS")->text());
  // An address that could add a header or a command is refused here, before it is ever sent.
  if (!address.empty()) {
    if (const std::string problem = mailAddressProblem(address); !problem.empty()) {
      user_.message("Wait!", "HAND", Buttons::Ok, problem);
      Get("E-MAIL_ADDRESS")->setFocus();
      return;
    }
  }
  const std::string server = platform::trim(Get("SERVER_NAME")->text());
  if (server.find_first_of(" \t/@") != std::string::npos) {
    user_.message("Wait!", "HAND", Buttons::Ok,
                  "Enter the mail server as its name, or as name:port (for example "
                  "mail.example.org:587).");
    Get("SERVER_NAME")->setFocus();
    return;
  }
  settings_.yourName = platform::trim(Get("YOUR_NAME")->text());
  settings_.emailAddress = address;
  settings_.serverName = server;

  MailLogin login;
  const long security = Get<UIW_COMBO_BOX>("SECURITY")->currentId();
  login.security = security >= 0 && security < long(std::size(kSecurities))
                       ? kSecurities[security]
                       : MailSecurity::StartTls;
  login.user = platform::trim(Get("USER_NAME")->text());
  login.rememberPassword = Get<UIW_BUTTON>("REMEMBER_PASSWORD")->isChecked();
  if (login.security == MailSecurity::Plain && !login.user.empty()) {
    if (!confirmPlainLogin(server)) {
      Get("SECURITY")->setFocus();
      return;
    }
    login.plainLoginServer = server;
  }

  const std::string typed = Get("PASSWORD")->text();
  if (!typed.empty()) {
    if (!password_.set(typed, login.rememberPassword))
      user_.message("Password Not Stored", "EXCLAMATION", Buttons::Ok,
                    "The desktop's password store did not take the password.\r\nIt is kept "
                    "until you leave the program and asked again next time.");
  } else if (!login.rememberPassword) {
    password_.forget();
  } else if (!settings_.login.rememberPassword) {
    // Remembering was just switched on: the password known this run goes to the store.
    if (const auto known = password_.known(false)) password_.set(*known, true);
  }
  settings_.login = login;
  if (settings_.saveLogin) settings_.saveLogin(login);
  UI_WINDOW_MANAGER::instance().subtract(this);
}

}  // namespace savora::online
