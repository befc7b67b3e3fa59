#include "online/mail_sender.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstdio>

#include "online/mail_address.h"

namespace savora::online {

namespace {

// Room kept for the transcript; a chattier server's rest is dropped.
constexpr size_t kTranscriptRoom = 16000;
// The longest a caller's window goes without being served during a send.
constexpr long kWaitStepMilliseconds = 50;

std::string rfc5322Date(std::time_t now) {
  static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::tm local{};
  localtime_r(&now, &local);
  const long offsetMinutes = local.tm_gmtoff / 60;
  const long absolute = offsetMinutes < 0 ? -offsetMinutes : offsetMinutes;
  char text[64];
  std::snprintf(text, sizeof text, "%s, %02d %s %04d %02d:%02d:%02d %c%02ld%02ld",
                kDays[local.tm_wday], local.tm_mday, kMonths[local.tm_mon], local.tm_year + 1900,
                local.tm_hour, local.tm_min, local.tm_sec, offsetMinutes < 0 ? '-' : '+',
                absolute / 60, absolute % 60);
  return text;
}

// A header value on one line: line breaks become blanks, so they cannot start a new header.
std::string oneLine(std::string text) {
  std::replace(text.begin(), text.end(), '\r', ' ');
  std::replace(text.begin(), text.end(), '\n', ' ');
  return text;
}

// Every line end as CR LF.
std::string crlfLines(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 40);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      out += "\r\n";
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (text[i] == '\n') {
      out += "\r\n";
    } else {
      out += text[i];
    }
  }
  return out;
}

// The body as quoted-printable: servers refuse lines over 998 characters, and a body of
// Windows-1252 text is 8-bit, so every line goes out as short 7-bit lines that the reader's
// mail program joins and decodes back to the text as written.
std::string quotedPrintable(const std::string& crlfText) {
  constexpr size_t kLineRoom = 75;  // plus the "=" of a soft break
  static const char* const kHex = "0123456789ABCDEF";
  std::string out;
  size_t lineStart = 0;
  while (lineStart <= crlfText.size()) {
    size_t lineEnd = crlfText.find("\r\n", lineStart);
    if (lineEnd == std::string::npos) lineEnd = crlfText.size();
    size_t column = 0;
    for (size_t i = lineStart; i < lineEnd; ++i) {
      const auto c = static_cast<unsigned char>(crlfText[i]);
      const bool last = i + 1 == lineEnd;
      std::string piece;
      if ((c >= 33 && c <= 126 && c != '=') || ((c == ' ' || c == '\t') && !last)) {
        piece = char(c);
      } else {
        piece = {'=', kHex[c >> 4], kHex[c & 15]};
      }
      if (column + piece.size() > kLineRoom) {
        out += "=\r\n";
        column = 0;
      }
      out += piece;
      column += piece.size();
    }
    if (lineEnd == crlfText.size()) break;
    out += "\r\n";
    lineStart = lineEnd + 2;
  }
  return out;
}

struct Exchange {
  std::string transcript;  // both directions
  std::string replies;     // the server's side only
  std::string lastCommand;
  std::string upload;
  size_t uploaded = 0;
};

void keep(std::string& into, const char* data, size_t size) {
  if (into.size() < kTranscriptRoom)
    into.append(data, std::min(size, kTranscriptRoom - into.size()));
}

int onDebug(CURL*, curl_infotype type, char* data, size_t size, void* context) {
  auto* exchange = static_cast<Exchange*>(context);
  if (type == CURLINFO_HEADER_IN) {
    keep(exchange->transcript, data, size);
    keep(exchange->replies, data, size);
  } else if (type == CURLINFO_HEADER_OUT) {
    keep(exchange->transcript, data, size);
    const std::string_view command(data, size);
    exchange->lastCommand = std::string(command.substr(0, command.find_first_of(" \r\n")));
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

std::string refusalText(const std::string& command) {
  const std::string step = command == "EHLO" || command.empty() ? "HELO" : command;
  return "Error occured while communicating with the mail server (SENDTO's " + step + ").";
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

std::string mailText(const MailMessage& message, std::time_t now) {
  std::string text =
      "MIME-Version: 1.0\r\nContent-Type: text/plain; charset=iso-8859-1\r\n"
      "Content-Transfer-Encoding: quoted-printable\r\n";
  text += "Date: " + rfc5322Date(now) + "\r\n";
  text += "From: " + oneLine(message.from) + "\r\n";
  text += "To: " + oneLine(message.to) + "\r\n";
  if (!message.cc.empty()) text += "CC: " + oneLine(message.cc) + "\r\n";
  if (!message.replyTo.empty()) text += "Reply-To: " + oneLine(message.replyTo) + "\r\n";
  text += "Subject: " + oneLine(message.subject) + "\r\n\r\n";
  text += quotedPrintable(crlfLines(message.body));
  if (text.size() < 2 || text.compare(text.size() - 2, 2, "\r\n") != 0) text += "\r\n";
  return text;
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

  Exchange exchange;
  exchange.upload = mailText(message, std::time(nullptr));

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
  if (exchange.replies.empty()) {
    message.log += std::string("Could not connect to the mail server ") + server.host + ": " +
                   curl_easy_strerror(result);
    return -1;
  }
  message.log += "\r\n" + refusalText(exchange.lastCommand) + "\r\nThe mail server returned " +
                 exchange.replies;
  return -2;
}

}  // namespace savora::online
