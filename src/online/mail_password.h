// The mail server's password. It is never written to a settings file: when the user asks to
// remember it, it goes to the desktop's secret store (a PasswordStore); otherwise it is asked
// once per run and kept in memory until the program ends.
#pragma once

#include <optional>
#include <string>

namespace savora::online {

// Where a remembered password is kept between runs.
class PasswordStore {
 public:
  virtual ~PasswordStore() = default;
  // The stored password, or nothing when none is stored or the store cannot be reached.
  virtual std::optional<std::string> read() = 0;
  // False when the store refused it.
  virtual bool write(const std::string& password) = 0;
  virtual void erase() = 0;
};

// A store that lives only as long as the object: tests, and desktops without a secret store.
class MemoryPasswordStore : public PasswordStore {
 public:
  std::optional<std::string> read() override { return stored_; }
  bool write(const std::string& password) override {
    stored_ = password;
    return true;
  }
  void erase() override { stored_.reset(); }

 private:
  std::optional<std::string> stored_;
};

// The password of this run.
class MailPassword {
 public:
  explicit MailPassword(PasswordStore& store) : store_(store) {}

  // The password known now: the one given this run, else (when remembering) the stored one.
  std::optional<std::string> known(bool remember);
  // Keeps the password for the run; remembering also stores it, not remembering removes any
  // stored one. False when the store refused it (it is still kept for the run).
  bool set(const std::string& password, bool remember);
  // The user no longer wants it remembered: the stored password is removed.
  void forget();
  // The server refused it: it is dropped for this run and from the store, so it is asked again.
  void refused();

 private:
  PasswordStore& store_;
  std::optional<std::string> session_;
};

}  // namespace savora::online
