// A mail message as it goes over the wire after DATA (RFC 5322 and MIME). The program holds its
// texts as Windows-1252; the message carries them as UTF-8: header texts that are not plain
// ASCII as RFC 2047 encoded words, the body as quoted-printable UTF-8.
#pragma once

#include <ctime>
#include <string>

namespace savora::online {

struct MailHeaders {
  std::string fromName;  // the sender's name, may be empty
  std::string from, to, cc, replyTo, subject;
  std::string messageId;  // "<unique@domain>"
};

// Headers (From, To, CC, Reply-To, Subject, Date, Message-ID and the MIME headers; never BCC),
// a blank line and the body with CR LF line ends, quoted-printable (7-bit lines of at most 76
// characters, whatever the text holds). Header values lose their line breaks, so they cannot
// start another header.
std::string mailText(const MailHeaders& headers, const std::string& body, std::time_t now);

// A text for a header as RFC 2047 "Q" encoded words of UTF-8, folded so no line grows past 76
// characters; plain ASCII text that needs no encoding comes back as it is. `column` is where on
// its line the text begins (after "Subject: ").
std::string encodedHeaderText(const std::string& cp1252, size_t column);

// A fresh message identifier "<time.random@domain>" with the domain of the sender's address.
std::string newMessageId(const std::string& senderAddress, std::time_t now);

}  // namespace savora::online
