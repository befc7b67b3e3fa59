#include "toolkit/single_instance.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>
#include <memory>

namespace savora::toolkit {
namespace {

constexpr int kConnectTimeoutMs = 500;

// The request: "activate", then one line "open <path>" per file, the path percent-encoded so
// that no name can break the lines.
QByteArray request(const std::vector<std::string>& files) {
  QByteArray text = "activate\n";
  for (const std::string& file : files)
    text += "open " + QByteArray::fromStdString(file).toPercentEncoding() + '\n';
  return text;
}

std::vector<std::string> filesOf(const QByteArray& request) {
  std::vector<std::string> files;
  for (const QByteArray& line : request.split('\n')) {
    if (line.startsWith("open "))
      files.push_back(QByteArray::fromPercentEncoding(line.mid(5)).toStdString());
  }
  return files;
}

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
                                     const std::string& scope,
                                     const std::vector<std::string>& files) {
  for (const std::string& title : titles) {
    QLocalSocket socket;
    socket.connectToServer(socketName(title, scope));
    if (!socket.waitForConnected(kConnectTimeoutMs)) continue;
    socket.write(request(files));
    while (socket.bytesToWrite() > 0 && socket.waitForBytesWritten(kConnectTimeoutMs)) {
    }
    socket.disconnectFromServer();
    return true;
  }
  return false;
}

bool SingleInstance::listen(const std::string& title, const std::string& scope, HandOver activate) {
  server_ = std::make_unique<QLocalServer>();
  const QString name = socketName(title, scope);
  if (!server_->listen(name)) {
    // A socket left behind by a copy that crashed: nobody answers on it, so take it over.
    QLocalServer::removeServer(name);
    if (!server_->listen(name)) return false;
  }
  QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(), [this, activate] {
    while (QLocalSocket* connection = server_->nextPendingConnection()) {
      // The request is complete when the second start hangs up.
      auto received = std::make_shared<QByteArray>();
      QObject::connect(connection, &QLocalSocket::readyRead, connection,
                       [connection, received] { *received += connection->readAll(); });
      QObject::connect(connection, &QLocalSocket::disconnected, connection,
                       [connection, received, activate] {
                         *received += connection->readAll();
                         connection->deleteLater();
                         if (activate) activate(filesOf(*received));
                       });
    }
  });
  return true;
}

}  // namespace savora::toolkit
