// Delivers one plain-text message to an SMTP server and keeps the transcript of the exchange.
// Results: 0 when the server took the message, -1 when no connection could be made (a name that
// does not resolve, a refused or timed-out connection, a server that never greets), -2 when the
// server refused a step of the exchange, its certificate was not trusted, an address was
// unusable or the password would have gone out unencrypted; the log then says what failed,
// with the server's replies. The log never holds the login: what follows AUTH is masked.
#pragma once

#include <functional>
#include <string>

namespace savora::online {

enum class MailSecurity { Plain, StartTls, Tls };

struct MailServer {
  std::string host;  // name or dotted address
  int port = 25;
  MailSecurity security = MailSecurity::StartTls;
  std::string user;  // empty: no authentication
  std::string password;
  // The user confirmed sending the login to this server without encryption; otherwise a login
  // over a plain connection is refused before connecting.
  bool allowPlainLogin = false;
  std::string trustedCertificates;  // a CA file to trust besides the system's (tests use it)
  long connectTimeoutSeconds = 20;
  long replyTimeoutSeconds = 60;  // the whole exchange of one message
};

// "host" or "host:port"; the port defaults to 25, or 465 for TLS from the first byte.
MailServer parseMailServer(const std::string& text, MailSecurity security);

struct MailMessage {
  // Texts in Windows-1252, as the program holds them; the message carries them as UTF-8.
  std::string to, cc, bcc, replyTo, from, fromName, subject, body;
  std::string log;            // the transcript of the last send
  bool loginRefused = false;  // the last send failed because the server refused the login

  // Nothing is set when `to` is empty; CC and BCC only when given.
  void setRecipients(const std::string& toAddress, const std::string& ccAddress,
                     const std::string& bccAddress);
};

// Sends the message; `whileWaiting`, when given, is called often during the exchange so the
// caller can keep its windows alive.
int sendMail(MailMessage& message, const MailServer& server,
             const std::function<void()>& whileWaiting = {});

// Why the server may not be used as set up (a login over a plain connection the user did not
// confirm), or empty.
std::string plainLoginProblem(const MailServer& server);

}  // namespace savora::online
