#include "online/keychain_password_store.h"

#include <qt6keychain/keychain.h>

#include <QEventLoop>

namespace savora::online {

namespace {

constexpr const char* kService = "savora99";
constexpr const char* kKey = "mail server";

// Runs a store job to its end; true when it succeeded.
bool run(QKeychain::Job& job) {
  job.setAutoDelete(false);
  job.setKey(QString::fromLatin1(kKey));
  QEventLoop loop;
  QObject::connect(&job, &QKeychain::Job::finished, &loop, &QEventLoop::quit);
  job.start();
  loop.exec();
  return job.error() == QKeychain::NoError;
}

}  // namespace

std::optional<std::string> KeychainPasswordStore::read() {
  QKeychain::ReadPasswordJob job(QString::fromLatin1(kService));
  if (!run(job)) return std::nullopt;
  return job.textData().toLatin1().toStdString();  // the bytes as given
}

bool KeychainPasswordStore::write(const std::string& password) {
  QKeychain::WritePasswordJob job(QString::fromLatin1(kService));
  job.setTextData(QString::fromLatin1(password.data(), qsizetype(password.size())));
  return run(job);
}

void KeychainPasswordStore::erase() {
  QKeychain::DeletePasswordJob job(QString::fromLatin1(kService));
  run(job);
}

}  // namespace savora::online
