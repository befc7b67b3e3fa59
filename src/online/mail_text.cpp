#include "online/mail_text.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <random>

#include "online/mail_address.h"
#include "platform/codepage.h"

namespace savora::online {

namespace {

constexpr const char* kHex = "0123456789ABCDEF";
// RFC 5322 asks for header lines of at most 78 characters; encoded words are kept to 75.
constexpr size_t kHeaderLineRoom = 76;
constexpr size_t kEncodedWordRoom = 75;
constexpr std::string_view kEncodedWordStart = "=?UTF-8?Q?";
constexpr std::string_view kEncodedWordEnd = "?=";

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

bool isPlainAscii(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c < 0x7F; }) &&
         text.find("=?") == std::string::npos;
}

// The characters an encoded word may carry as they are, even inside a display name.
bool passesUnencoded(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
         std::string_view("!*+-/").find(char(c)) != std::string_view::npos;
}

// The Q encoding of one UTF-8 character (a lead byte and its continuation bytes).
std::string qEncoded(std::string_view character) {
  if (character == " ") return "_";
  if (character.size() == 1 && passesUnencoded(static_cast<unsigned char>(character[0])))
    return std::string(character);
  std::string out;
  for (char c : character) {
    const auto byte = static_cast<unsigned char>(c);
    out += {'=', kHex[byte >> 4], kHex[byte & 15]};
  }
  return out;
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

// Servers refuse lines over 998 characters and UTF-8 is 8-bit, so every line goes out as short
// 7-bit lines that the reader's mail program joins and decodes back to the text as written.
std::string quotedPrintable(const std::string& crlfText) {
  constexpr size_t kLineRoom = 75;  // plus the "=" of a soft break
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

// "Name <address>", the name as it is when it is a plain phrase, quoted when it holds specials,
// encoded when it is not ASCII.
std::string mailbox(const std::string& name, const std::string& address, size_t column) {
  const std::string trimmed(trimmedAddress(address));
  const std::string phrase = oneLine(name);
  if (phrase.find_first_not_of(' ') == std::string::npos) return trimmed;
  if (!isPlainAscii(phrase)) return encodedHeaderText(phrase, column) + " <" + trimmed + ">";
  const bool plainPhrase = std::all_of(phrase.begin(), phrase.end(), [](char c) {
    return passesUnencoded(static_cast<unsigned char>(c)) || c == ' ' ||
           std::string_view("#$%&'=?^_`{|}~").find(c) != std::string_view::npos;
  });
  if (plainPhrase) return phrase + " <" + trimmed + ">";
  std::string quoted = "\"";
  for (char c : phrase) {
    if (c == '"' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + "\" <" + trimmed + ">";
}

}  // namespace

std::string encodedHeaderText(const std::string& cp1252, size_t column) {
  const std::string text = oneLine(cp1252);
  if (isPlainAscii(text) && column + text.size() <= kHeaderLineRoom) return text;
  const std::string utf8 = platform::utf8FromCp1252(text);
  const size_t frame = kEncodedWordStart.size() + kEncodedWordEnd.size();
  // The first word shares its line with the header's name; the others start a folded line.
  size_t room =
      column + kEncodedWordRoom <= kHeaderLineRoom ? kEncodedWordRoom : kHeaderLineRoom - column;
  std::string out, word;
  auto closeWord = [&] {
    if (!out.empty()) out += "\r\n ";
    out += std::string(kEncodedWordStart) + word + std::string(kEncodedWordEnd);
    word.clear();
    room = kEncodedWordRoom;
  };
  for (size_t i = 0; i < utf8.size();) {
    size_t length = 1;
    while (i + length < utf8.size() &&
           (static_cast<unsigned char>(utf8[i + length]) & 0xC0) == 0x80)
      ++length;
    const std::string piece = qEncoded(std::string_view(utf8).substr(i, length));
    if (!word.empty() && frame + word.size() + piece.size() > room) closeWord();
    word += piece;
    i += length;
  }
  if (!word.empty() || out.empty()) closeWord();
  return out;
}

std::string newMessageId(const std::string& senderAddress, std::time_t now) {
  const std::string_view address = trimmedAddress(senderAddress);
  const size_t at = address.rfind('@');
  std::string domain(at == std::string_view::npos ? std::string_view() : address.substr(at + 1));
  const bool usable = !domain.empty() && std::all_of(domain.begin(), domain.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-';
  });
  if (!usable) domain = "savora99.invalid";
  std::random_device random;
  const unsigned long long unique = (static_cast<unsigned long long>(random()) << 32) ^ random();
  char id[48];
  std::snprintf(id, sizeof id, "%lld.%016llx", static_cast<long long>(now), unique);
  return "<" + std::string(id) + "@" + domain + ">";
}

std::string mailText(const MailHeaders& headers, const std::string& body, std::time_t now) {
  std::string text =
      "MIME-Version: 1.0\r\nContent-Type: text/plain; charset=UTF-8\r\n"
      "Content-Transfer-Encoding: quoted-printable\r\n";
  text += "Date: " + rfc5322Date(now) + "\r\n";
  text += "Message-ID: " + oneLine(headers.messageId) + "\r\n";
  text += "From: " + mailbox(headers.fromName, headers.from, 6) + "\r\n";
  text += "To: " + oneLine(headers.to) + "\r\n";
  if (!headers.cc.empty()) text += "CC: " + oneLine(headers.cc) + "\r\n";
  if (!headers.replyTo.empty()) text += "Reply-To: " + oneLine(headers.replyTo) + "\r\n";
  text += "Subject: " + encodedHeaderText(headers.subject, 9) + "\r\n\r\n";
  text += quotedPrintable(crlfLines(platform::utf8FromCp1252(body)));
  if (text.size() < 2 || text.compare(text.size() - 2, 2, "\r\n") != 0) text += "\r\n";
  return text;
}

}  // namespace savora::online
