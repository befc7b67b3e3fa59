#include "online/mail_sender.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>

#include "loopback_server.h"
#include "online/mail_address.h"
#include "online/mail_text.h"
#include "platform/codepage.h"
#include "strict_mail_parse.h"
#include "temp_folder.h"

namespace savora::online {
namespace {

using testing::LoopbackServer;
using testing::TempFolder;

MailServer loopback(int port) {
  MailServer server;
  server.host = "127.0.0.1";
  server.port = port;
  server.security = MailSecurity::Plain;
  server.connectTimeoutSeconds = 2;
  server.replyTimeoutSeconds = 3;
  return server;
}

MailMessage greeting() {
  MailMessage message;
  message.from = "cook@example.org";
  message.setRecipients("friend@example.org", "", "");
  message.subject = "Lasagna";
  message.body = "Layer it.";
  return message;
}

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(MailSenderTest, DeliversHeadersAndBodyIntact) {
  TempFolder inbox;
  LoopbackServer server("smtp", inbox.path().string());
  MailMessage message = greeting();
  message.setRecipients("friend@example.org", "aunt@example.org", "secret@example.org");
  message.subject = "Lasagna\r\nBcc: sneaky@example.org";
  message.body = ".starts with a dot\n.\n..\nend\r\nlast";
  ASSERT_EQ(sendMail(message, loopback(server.port())), 0) << message.log;
  EXPECT_TRUE(contains(message.log, "\nMessage sent successfully"));

  const std::string delivered = testing::readFileBytes(inbox.path() / "msg-1.eml");
  EXPECT_TRUE(contains(delivered, "From: cook@example.org\r\n"));
  EXPECT_TRUE(contains(delivered, "To: friend@example.org\r\n"));
  EXPECT_TRUE(contains(delivered, "CC: aunt@example.org\r\n"));
  EXPECT_TRUE(contains(delivered, "Subject: Lasagna  Bcc: sneaky@example.org\r\n"));
  EXPECT_FALSE(contains(delivered, "\r\nBcc:")) << delivered;
  EXPECT_FALSE(contains(delivered, "\r\nBCC:")) << delivered;
  // Date: Tue, 08 Dec 2026 17:10:00 +0000
  const size_t date = delivered.find("Date: ");
  ASSERT_NE(date, std::string::npos);
  EXPECT_EQ(delivered.find("\r\n", date) - date,
            std::string("Date: Tue, 08 Dec 2026 17:10:00 +0000").size());
  EXPECT_TRUE(contains(delivered, "\r\n\r\n.starts with a dot\r\n.\r\n..\r\nend\r\nlast\r\n"))
      << delivered;
  const std::string envelope = testing::readFileBytes(inbox.path() / "msg-1.env");
  EXPECT_EQ(envelope,
            "cook@example.org\nfriend@example.org\naunt@example.org\nsecret@example.org\n");
}

// Servers refuse lines over 998 characters, and the body is 8-bit text: it goes out as short
// quoted-printable lines that decode to the text as written.
TEST(MailSenderTest, LongLinesAndAccentsGoOutAsShortSevenBitLines) {
  const std::string text =
      mailText({"", "cook@example.org", "friend@example.org", "", "", "Lasagna", "<1@x.org>"},
               std::string(2000, 'x') + "\ncaf\xE9 = 1 \n.\n", 0);
  const std::string body = text.substr(text.find("\r\n\r\n") + 4);
  size_t longest = 0;
  for (size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos;
       start = end + 2)
    longest = std::max(longest, end - start);
  EXPECT_LE(longest, 76u);
  EXPECT_TRUE(contains(text, "Content-Transfer-Encoding: quoted-printable\r\n"));
  EXPECT_TRUE(contains(body, "\r\ncaf=C3=A9 =3D 1=20\r\n.\r\n")) << body;
  EXPECT_EQ(text.find_first_of("\x80\xFF"), std::string::npos);
}

// What a mail reader shows: each message is parsed by Python's strict parser, with no defects,
// and its subject, sender name and body read back as typed (Windows-1252 in the program).
TEST(MailSenderTest, NonAsciiSubjectNameAndBodyReadBackInAStrictParser) {
  if (!testing::strictMailParserAvailable()) GTEST_SKIP() << "/usr/bin/python3 is missing";
  struct Case {
    std::string name, subject, body;
  };
  const Case cases[] = {
      {"J\xF6rg M\xFCller", "Leek soup for Sunday \x96 pur\xE9e",
       "Leek \x96 potato pur\xE9e, \x80 3.50\nLine two \x93quoted\x94"},
      {"O'Brien, \"Chef\" (home)", std::string(60, 'a') + " " + std::string(40, '\xE9') + " =?x?=",
       std::string(300, '\xFC') + "\n.\nend"},
      {"", "Plain", "Plain body"},
  };
  TempFolder inbox;
  LoopbackServer server("smtp", inbox.path().string());
  int sent = 0;
  for (const Case& test : cases) {
    MailMessage message = greeting();
    message.fromName = test.name;
    message.subject = test.subject;
    message.body = test.body;
    ASSERT_EQ(sendMail(message, loopback(server.port())), 0) << message.log;
    const auto file = inbox.path() / ("msg-" + std::to_string(++sent) + ".eml");
    const testing::StrictlyParsedMail mail = testing::parseMailStrictly(file);
    EXPECT_EQ(mail.problem, "") << test.subject;
    EXPECT_EQ(mail.subject, platform::utf8FromCp1252(test.subject));
    EXPECT_EQ(mail.fromName, platform::utf8FromCp1252(test.name));
    EXPECT_EQ(mail.fromAddress, "cook@example.org");
    EXPECT_EQ(mail.body, platform::utf8FromCp1252(test.body) + "\n");
    EXPECT_FALSE(mail.messageId.empty());
  }
}

TEST(MailSenderTest, RefusalsAreFailuresWithTheServersReply) {
  struct Case {
    const char* mode;
    int result;
    const char* inLog;
  };
  const Case cases[] = {
      {"smtp-helo-5xx", -2,
       "Error occured while communicating with the mail server (SENDTO's HELO).\r\n"
       "The mail server returned 220 loopback ready\r\n554 no thanks"},
      {"smtp-rcpt-550", -2,
       "The mail server refused the recipient address.\r\nThe mail server returned "},
      {"smtp-rcpt-550", -2, "550 no such user"},
      {"smtp-data-554", -2, "The mail server refused the message."},
      {"smtp-data-554", -2, "554 no data today"},
      {"smtp-mail-550", -2, "The mail server refused the sender address."},
      {"smtp-close-mid-reply", -2, "The mail server returned 220 loopback ready"},
      {"smtp-multiline-greeting", 0, "220-loopback first line\r\n220 loopback ready"},
      {"smtp-silent", -1, "Could not connect to the mail server"},
  };
  TempFolder folder;
  for (const Case& test : cases) {
    LoopbackServer server(test.mode, folder.path().string());
    MailMessage message = greeting();
    EXPECT_EQ(sendMail(message, loopback(server.port())), test.result) << test.mode;
    EXPECT_TRUE(contains(message.log, test.inLog)) << test.mode << ":\n" << message.log;
  }
}

TEST(MailSenderTest, UnusableAddressesAreRefusedBeforeConnecting) {
  for (const char* address :
       {"a@b.org\r\nRCPT TO:<x@y.org>", "a@b.org\n", "<a@b.org>", "a b@c.org", "", "nobody"}) {
    EXPECT_FALSE(mailAddressProblem(address).empty()) << address;
    MailMessage message = greeting();
    message.to = address;
    EXPECT_EQ(sendMail(message, loopback(1)), -2) << address;
    EXPECT_FALSE(contains(message.log, "Could not connect")) << address;
  }
  EXPECT_EQ(mailAddressProblem("  friend@example.org "), "");
}

TEST(MailSenderTest, NoConnectionIsMinusOne) {
  int closedPort = 0;
  {
    TempFolder folder;
    LoopbackServer server("smtp-silent", folder.path().string());
    closedPort = server.port();
  }
  for (const char* host : {"no-such-host.invalid", "255.255.255.255", "127.0.0.1"}) {
    MailServer server = loopback(closedPort);
    server.host = host;
    MailMessage message = greeting();
    EXPECT_EQ(sendMail(message, server), -1) << host << "\n" << message.log;
  }
}

TEST(MailSenderTest, ServerTextsGiveHostAndPort) {
  EXPECT_EQ(parseMailServer("mail.example.org", MailSecurity::Plain).port, 25);
  EXPECT_EQ(parseMailServer("mail.example.org", MailSecurity::Tls).port, 465);
  const MailServer server = parseMailServer(" mail.example.org:587 ", MailSecurity::StartTls);
  EXPECT_EQ(server.host, "mail.example.org");
  EXPECT_EQ(server.port, 587);
}

}  // namespace
}  // namespace savora::online

namespace savora::online {
namespace {

// A login over STARTTLS to the loopback server, which proves itself with `certificate`.
MailServer verifiedLogin(const LoopbackServer& server, const std::string& certificate,
                         const char* password) {
  MailServer tls = loopback(server.port());
  tls.security = MailSecurity::StartTls;
  tls.trustedCertificates = certificate;
  tls.user = "user";
  tls.password = password;
  return tls;
}

// The server must prove who it is, the login travels only encrypted, and the transcript that a
// refusal shows never holds the credentials.
TEST(MailSenderTest, LoginsGoOnlyToAVerifiedServerAndStayOutOfTheTranscript) {
  testing::TempFolder folder, inbox;
  const auto [cert, key] = testing::makeCertificate(folder);
  LoopbackServer server("smtp-tls", inbox.path().string(), {cert, key});
  const MailServer tls = verifiedLogin(server, cert, "secret");
  MailMessage message = greeting();
  EXPECT_EQ(sendMail(message, tls), 0) << message.log;
  EXPECT_TRUE(std::filesystem::exists(inbox.path() / "msg-1.eml"));
  EXPECT_FALSE(contains(message.log, "secret")) << message.log;

  struct Case {
    const char* what;
    std::function<void(MailServer&)> change;
    const char* inLog;
  };
  const Case cases[] = {
      {"self-signed", [](MailServer& s) { s.trustedCertificates.clear(); },
       "The mail server's certificate not trusted: "},
      {"wrong host name", [](MailServer& s) { s.host = "localhost"; },
       "The mail server's certificate not trusted: "},
      {"plain login", [](MailServer& s) { s.security = MailSecurity::Plain; },
       "without encryption, so it was not sent."},
  };
  for (const Case& test : cases) {
    MailServer changed = tls;
    test.change(changed);
    EXPECT_EQ(sendMail(message, changed), -2) << test.what;
    EXPECT_TRUE(contains(message.log, test.inLog)) << test.what << ":\n" << message.log;
    for (const char* secret : {"secret", "AHVzZXIAc2VjcmV0"})
      EXPECT_FALSE(contains(message.log, secret)) << test.what << ":\n" << message.log;
  }
  EXPECT_FALSE(std::filesystem::exists(inbox.path() / "msg-2.eml"));

  // Plain with a login goes ahead only once the user confirmed it for the server.
  LoopbackServer plain("smtp", inbox.path().string());
  MailServer confirmed = loopback(plain.port());
  confirmed.user = "user";
  confirmed.password = "secret";
  EXPECT_EQ(sendMail(message, confirmed), -2);
  confirmed.allowPlainLogin = true;
  EXPECT_EQ(sendMail(message, confirmed), 0) << message.log;
}

// The transcript keeps what AUTH carries, and each answer to a challenge, only masked.
TEST(MailSenderTest, TheWrongPasswordsTranscriptIsMasked) {
  testing::TempFolder folder, inbox;
  const auto [cert, key] = testing::makeCertificate(folder);
  LoopbackServer server("smtp-tls", inbox.path().string(), {cert, key});
  const MailServer tls = verifiedLogin(server, cert, "wrong");
  MailMessage message = greeting();
  ASSERT_EQ(sendMail(message, tls), -2);
  EXPECT_TRUE(message.loginRefused);
  EXPECT_TRUE(contains(message.log, "The mail server refused the user name or password."));
  for (const char* secret : {"wrong", "AHVzZXIAd3Jvbmc", "dXNlcg", "d3Jvbmc"})
    EXPECT_FALSE(contains(message.log, secret)) << message.log;
  // "AUTH PLAIN <credentials>", or "AUTH PLAIN", the server's "334" and the credentials.
  EXPECT_TRUE(contains(message.log, "\nAUTH PLAIN ****\r\n") ||
              contains(message.log, "\nAUTH PLAIN\r\n334 \r\n****\r\n"))
      << message.log;
}

}  // namespace
}  // namespace savora::online
