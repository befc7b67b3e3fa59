#include "toolkit/single_instance.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>

namespace savora::toolkit {
namespace {

constexpr int kConnectTimeoutMs = 500;

// Socket names are file names: derive a safe one from the title and the scope (the settings
// folder, so copies of two users, or of two test runs, do not meet).
QString socketName(const std::string& title, const std::string& scope) {
  const QByteArray key =
      QByteArray::fromStdString(title).toLower() + '|' + QByteArray::fromStdString(scope);
  return QStringLiteral("savora99-") +
         QString::fromLatin1(
             QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(16));
}

}  // namespace

SingleInstance::SingleInstance() = default;
SingleInstance::~SingleInstance() = default;

bool SingleInstance::activateRunning(const std::vector<std::string>& titles,
                                     const std::string& scope) {
  for (const std::string& title : titles) {
    QLocalSocket socket;
    socket.connectToServer(socketName(title, scope));
    if (!socket.waitForConnected(kConnectTimeoutMs)) continue;
    socket.write("activate\n");
    socket.waitForBytesWritten(kConnectTimeoutMs);
    socket.disconnectFromServer();
    return true;
  }
  return false;
}

bool SingleInstance::listen(const std::string& title, const std::string& scope,
                            std::function<void()> activate) {
  server_ = std::make_unique<QLocalServer>();
  const QString name = socketName(title, scope);
  if (!server_->listen(name)) {
    // A socket left behind by a copy that crashed: nobody answers on it, so take it over.
    QLocalServer::removeServer(name);
    if (!server_->listen(name)) return false;
  }
  QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(), [this, activate] {
    while (QLocalSocket* connection = server_->nextPendingConnection()) {
      QObject::connect(connection, &QLocalSocket::disconnected, connection, &QObject::deleteLater);
      if (activate) activate();
    }
  });
  return true;
}

}  // namespace savora::toolkit
