// Delivers one plain-text message to an SMTP server and keeps the transcript of the exchange.
// Results: 0 when the server took the message, -1 when no connection could be made (a name that
// does not resolve, a refused or timed-out connection, a server that never greets), -2 when the
// server refused a step of the exchange or an address was unusable; the log then tells why,
// with the server's replies.
#pragma once

#include <ctime>
#include <functional>
#include <string>

namespace savora::online {

enum class MailSecurity { Plain, StartTls, Tls };

struct MailServer {
  std::string host;  // name or dotted address
  int port = 25;
  MailSecurity security = MailSecurity::Plain;
  std::string user;  // empty: no authentication
  std::string password;
  std::string trustedCertificates;  // a CA file to trust besides the system's (tests use it)
  long connectTimeoutSeconds = 20;
  long replyTimeoutSeconds = 60;  // the whole exchange of one message
};

// "host" or "host:port"; the port defaults to 25, or 465 for TLS from the first byte.
MailServer parseMailServer(const std::string& text, MailSecurity security);

struct MailMessage {
  std::string to, cc, bcc, replyTo, from, subject, body;
  std::string log;  // the transcript of the last send
  bool loginRefused = false;  // the last send failed because the server refused the login

  // Nothing is set when `to` is empty; CC and BCC only when given.
  void setRecipients(const std::string& toAddress, const std::string& ccAddress,
                     const std::string& bccAddress);
};

// Sends the message; `whileWaiting`, when given, is called often during the exchange so the
// caller can keep its windows alive.
int sendMail(MailMessage& message, const MailServer& server,
             const std::function<void()>& whileWaiting = {});

// The message as it goes over the wire after DATA: headers (From, To, CC, Reply-To, Subject,
// Date as RFC 5322, no BCC), a blank line and the body with CR LF line ends, quoted-printable
// (7-bit lines of at most 76 characters, whatever the text holds).
std::string mailText(const MailMessage& message, std::time_t now);

}  // namespace savora::online
