// The mail password in the desktop's secret store (through QtKeychain), under the service
// "savora99" and the key "mail server". Each call waits for the store's answer; a desktop
// without a store answers "nothing stored" and refuses writes.
#pragma once

#include "online/mail_password.h"

namespace savora::online {

class KeychainPasswordStore : public PasswordStore {
 public:
  std::optional<std::string> read() override;
  bool write(const std::string& password) override;
  void erase() override;
};

}  // namespace savora::online
