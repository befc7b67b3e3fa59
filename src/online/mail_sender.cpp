#include "online/mail_sender.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <ctime>

#include "online/mail_address.h"
#include "online/mail_text.h"

namespace savora::online {

namespace {

// Room kept for the transcript; a chattier server's rest is dropped.
constexpr size_t kTranscriptRoom = 16000;
// The longest a caller's window goes without being served during a send.
constexpr long kWaitStepMilliseconds = 50;

struct Exchange {
  std::string transcript;      // both directions, the login masked
  std::string replies;         // the server's side only
  std::string pendingCommand;  // the verb of the command last sent
  std::string refusedCommand;  // the verb of the first command the server refused
  bool refusedGreeting = false;
  bool authenticating = false;  // between AUTH and the server's last challenge (334)
  std::string upload;
  size_t uploaded = 0;
};

constexpr std::string_view kMasked = "****";

void keep(std::string& into, const char* data, size_t size) {
  if (into.size() < kTranscriptRoom)
    into.append(data, std::min(size, kTranscriptRoom - into.size()));
}

// A command as the transcript keeps it: the credentials of "AUTH <mechanism> <credentials>" and
// every answer to the server's challenges become "****", whatever the mechanism.
std::string maskedCommand(std::string_view command, bool authenticating) {
  const size_t end = command.find_first_of("\r\n");
  const std::string lineEnd(end == std::string_view::npos ? "" : command.substr(end));
  if (authenticating) return std::string(kMasked) + lineEnd;
  const std::string_view line = command.substr(0, end);
  const size_t mechanismEnd = line.find(' ', 5);
  if (mechanismEnd == std::string_view::npos) return std::string(command);
  return std::string(line.substr(0, mechanismEnd + 1)) + std::string(kMasked) + lineEnd;
}

bool startsWithIgnoreCase(std::string_view text, std::string_view start) {
  return text.size() >= start.size() &&
         std::equal(start.begin(), start.end(), text.begin(), [](char a, char b) {
           return std::toupper(static_cast<unsigned char>(a)) ==
                  std::toupper(static_cast<unsigned char>(b));
         });
}

int onDebug(CURL*, curl_infotype type, char* data, size_t size, void* context) {
  auto* exchange = static_cast<Exchange*>(context);
  const std::string_view text(data, size);
  if (type == CURLINFO_HEADER_IN) {
    keep(exchange->transcript, data, size);
    keep(exchange->replies, data, size);
    const bool refusal = !text.empty() && (text[0] == '4' || text[0] == '5');
    if (refusal && exchange->refusedCommand.empty() && !exchange->refusedGreeting) {
      if (exchange->pendingCommand.empty())
        exchange->refusedGreeting = true;
      else
        exchange->refusedCommand = exchange->pendingCommand;
    }
    exchange->authenticating = exchange->authenticating && text.rfind("334", 0) == 0;
  } else if (type == CURLINFO_HEADER_OUT) {
    const bool auth = startsWithIgnoreCase(text, "AUTH ");
    const std::string kept = auth || exchange->authenticating
                                 ? maskedCommand(text, exchange->authenticating)
                                 : std::string(text);
    keep(exchange->transcript, kept.data(), kept.size());
    if (auth) exchange->authenticating = true;
    if (!exchange->authenticating || auth)
      exchange->pendingCommand = std::string(text.substr(0, text.find_first_of(" \r\n")));
  }
  return 0;
}

size_t onRead(char* buffer, size_t size, size_t count, void* context) {
  auto* exchange = static_cast<Exchange*>(context);
  const size_t bytes = std::min(size * count, exchange->upload.size() - exchange->uploaded);
  std::copy_n(exchange->upload.data() + exchange->uploaded, bytes, buffer);
  exchange->uploaded += bytes;
  return bytes;
}

// Runs the exchange in short waits, calling `whileWaiting` between them, so the caller's windows
// stay alive however slowly the server answers (the time-outs still bound the whole exchange).
CURLcode perform(CURL* easy, const std::function<void()>& whileWaiting) {
  if (!whileWaiting) return curl_easy_perform(easy);
  CURLM* multi = curl_multi_init();
  if (!multi) return CURLE_OUT_OF_MEMORY;
  curl_multi_add_handle(multi, easy);
  CURLcode result = CURLE_OK;
  for (int running = 1; running;) {
    if (curl_multi_perform(multi, &running) != CURLM_OK) {
      result = CURLE_SEND_ERROR;
      break;
    }
    if (running) {
      curl_multi_poll(multi, nullptr, 0, kWaitStepMilliseconds, nullptr);
      whileWaiting();
    }
  }
  int left = 0;
  while (CURLMsg* message = curl_multi_info_read(multi, &left)) {
    if (message->msg == CURLMSG_DONE) result = message->data.result;
  }
  curl_multi_remove_handle(multi, easy);
  curl_multi_cleanup(multi);
  return result;
}

// What the server refused, said plainly.
std::string refusalText(const Exchange& exchange) {
  if (exchange.refusedGreeting) return "The mail server refused the connection.";
  const std::string& command = exchange.refusedCommand;
  if (command == "EHLO" || command == "HELO")
    return "Error occured while communicating with the mail server (SENDTO's HELO).";
  if (command == "STARTTLS") return "The mail server refused to start encryption (STARTTLS).";
  // Some servers answer a wrong login by falling silent rather than with a refusal.
  if (command == "AUTH" || (command.empty() && exchange.pendingCommand == "AUTH"))
    return "The mail server refused the user name or password.";
  if (command == "MAIL") return "The mail server refused the sender address.";
  if (command == "RCPT") return "The mail server refused the recipient address.";
  if (command == "DATA") return "The mail server refused the message.";
  if (!command.empty()) return "The mail server refused the command " + command + ".";
  return "The mail server ended the conversation before the message was sent.";
}

// What went wrong with the encrypted connection, or empty when it was not the encryption.
std::string encryptionText(CURLcode result, const std::string& reason) {
  switch (result) {
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_CERTPROBLEM:
      return "The mail server's certificate not trusted: " + reason;
    case CURLE_USE_SSL_FAILED:
      return "The mail server does not offer encryption (STARTTLS).";
    case CURLE_SSL_CONNECT_ERROR:
      return "Encryption with the mail server could not be set up: " + reason;
    default:
      return {};
  }
}

}  // namespace

MailServer parseMailServer(const std::string& text, MailSecurity security) {
  MailServer server;
  server.security = security;
  server.port = security == MailSecurity::Tls ? 465 : 25;
  std::string host(trimmedAddress(text));
  const size_t colon = host.rfind(':');
  if (colon != std::string::npos && host.find(':') == colon) {
    const std::string port = host.substr(colon + 1);
    if (!port.empty() && port.find_first_not_of("0123456789") == std::string::npos &&
        port.size() <= 5)
      server.port = std::stoi(port);
    host.resize(colon);
  }
  server.host = host;
  return server;
}

void MailMessage::setRecipients(const std::string& toAddress, const std::string& ccAddress,
                                const std::string& bccAddress) {
  if (toAddress.empty()) return;
  to = toAddress;
  if (!ccAddress.empty()) cc = ccAddress;
  if (!bccAddress.empty()) bcc = bccAddress;
}

int sendMail(MailMessage& message, const MailServer& server,
             const std::function<void()>& whileWaiting) {
  message.log.clear();
  message.loginRefused = false;
  for (const std::string* address : {&message.from, &message.to}) {
    if (std::string problem = mailAddressProblem(*address); !problem.empty()) {
      message.log = problem;
      return -2;
    }
  }
  for (const std::string* address : {&message.cc, &message.bcc, &message.replyTo}) {
    if (address->empty()) continue;
    if (std::string problem = mailAddressProblem(*address); !problem.empty()) {
      message.log = problem;
      return -2;
    }
  }
  if (server.host.empty() || server.host.find_first_of(" \t\r\n/@") != std::string::npos) {
    message.log = "The mail server name \"" + server.host + "\" is not usable.";
    return -1;
  }
  if (std::string problem = plainLoginProblem(server); !problem.empty()) {
    message.log = problem;
    return -2;
  }

  Exchange exchange;
  const std::time_t now = std::time(nullptr);
  const MailHeaders headers{message.fromName,
                            message.from,
                            message.to,
                            message.cc,
                            message.replyTo,
                            message.subject,
                            newMessageId(message.from, now)};
  exchange.upload = mailText(headers, message.body, now);

  CURL* easy = curl_easy_init();
  if (!easy) {
    message.log = "Could not start the network library.";
    return -1;
  }
  const char* scheme = server.security == MailSecurity::Tls ? "smtps://" : "smtp://";
  const bool ipv6 = server.host.find(':') != std::string::npos;
  const std::string url =
      scheme + (ipv6 ? "[" + server.host + "]" : server.host) + ":" + std::to_string(server.port);
  curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
  curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "smtp,smtps");
  curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, server.connectTimeoutSeconds);
  curl_easy_setopt(easy, CURLOPT_TIMEOUT, server.replyTimeoutSeconds);
  if (server.security == MailSecurity::StartTls)
    curl_easy_setopt(easy, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL));
  // The server must prove it is the one named: a certificate from a trusted authority, issued
  // for that host name.
  curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, 2L);
  char reason[CURL_ERROR_SIZE] = "";
  curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, reason);
  if (!server.trustedCertificates.empty())
    curl_easy_setopt(easy, CURLOPT_CAINFO, server.trustedCertificates.c_str());
  if (!server.user.empty()) {
    curl_easy_setopt(easy, CURLOPT_USERNAME, server.user.c_str());
    curl_easy_setopt(easy, CURLOPT_PASSWORD, server.password.c_str());
  }
  const std::string from = "<" + std::string(trimmedAddress(message.from)) + ">";
  curl_easy_setopt(easy, CURLOPT_MAIL_FROM, from.c_str());
  curl_slist* recipients = nullptr;
  for (const std::string* address : {&message.to, &message.cc, &message.bcc}) {
    if (address->empty()) continue;
    const std::string recipient = "<" + std::string(trimmedAddress(*address)) + ">";
    recipients = curl_slist_append(recipients, recipient.c_str());
  }
  curl_easy_setopt(easy, CURLOPT_MAIL_RCPT, recipients);
  curl_easy_setopt(easy, CURLOPT_UPLOAD, 1L);
  curl_easy_setopt(easy, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(exchange.upload.size()));
  curl_easy_setopt(easy, CURLOPT_READFUNCTION, &onRead);
  curl_easy_setopt(easy, CURLOPT_READDATA, &exchange);
  curl_easy_setopt(easy, CURLOPT_VERBOSE, 1L);
  curl_easy_setopt(easy, CURLOPT_DEBUGFUNCTION, &onDebug);
  curl_easy_setopt(easy, CURLOPT_DEBUGDATA, &exchange);

  const CURLcode result = perform(easy, whileWaiting);
  curl_slist_free_all(recipients);
  curl_easy_cleanup(easy);

  message.log = exchange.transcript;
  // A failure after AUTH and before MAIL FROM is a refused login (servers differ in how they
  // say so, and some close the connection instead of answering 535).
  message.loginRefused =
      result == CURLE_LOGIN_DENIED ||
      (result != CURLE_OK && exchange.transcript.find("\nAUTH ") != std::string::npos &&
       exchange.transcript.find("\nMAIL FROM") == std::string::npos);
  if (result == CURLE_OK) {
    message.log += "\nMessage sent successfully";
    return 0;
  }
  const std::string why = reason[0] ? reason : curl_easy_strerror(result);
  if (const std::string encryption = encryptionText(result, why); !encryption.empty()) {
    message.log += "\r\n" + encryption;
    return -2;
  }
  if (exchange.replies.empty()) {
    message.log += "Could not connect to the mail server " + server.host + ": " + why;
    return -1;
  }
  message.log +=
      "\r\n" + refusalText(exchange) + "\r\nThe mail server returned " + exchange.replies;
  return -2;
}

std::string plainLoginProblem(const MailServer& server) {
  if (server.security != MailSecurity::Plain || server.user.empty() || server.allowPlainLogin)
    return {};
  return "Your password would go to the mail server " + server.host +
         " without encryption, so it was not sent.\r\nChoose STARTTLS or TLS under Setup, or "
         "choose Plain there and confirm that this server may receive it unencrypted.";
}

}  // namespace savora::online
