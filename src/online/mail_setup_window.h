// MAIL_SETUP: the sender's name and e-mail address, the mail server ("host" or "host:port"),
// its security (plain, STARTTLS, TLS) and login. OK stores them and closes; Cancel closes. A
// login over Plain is kept only once the user confirmed, for that server, that the password may
// go out unencrypted. The
// password field shows nothing: left empty it keeps the password already known, and it is kept
// in memory for this run or, with REMEMBER_PASSWORD ticked, in the desktop's secret store.
#pragma once

#include "online/mail_password.h"
#include "online/mail_settings.h"
#include "toolkit/uiw_window.h"
#include "toolkit/user.h"
#include "toolkit/window_spec.h"

namespace savora::online {

extern const toolkit::WindowSpec kMailSetupSpec;

class MailSetupWindow : public toolkit::UIW_WINDOW {
 public:
  // `settings` and `password` outlive the window.
  MailSetupWindow(MailSettings settings, MailPassword& password, toolkit::User& user);
  int Event(const toolkit::UI_EVENT& event) override;

 private:
  void ok();
  bool confirmPlainLogin(const std::string& server);

  MailSettings settings_;
  MailPassword& password_;
  toolkit::User& user_;
};

}  // namespace savora::online
