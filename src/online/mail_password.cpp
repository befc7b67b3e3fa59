#include "online/mail_password.h"

namespace savora::online {

std::optional<std::string> MailPassword::known(bool remember) {
  if (session_) return session_;
  if (!remember) return std::nullopt;
  session_ = store_.read();
  return session_;
}

bool MailPassword::set(const std::string& password, bool remember) {
  session_ = password;
  if (!remember) {
    store_.erase();
    return true;
  }
  return store_.write(password);
}

void MailPassword::forget() {
  store_.erase();
}

void MailPassword::refused() {
  session_.reset();
  store_.erase();
}

}  // namespace savora::online
