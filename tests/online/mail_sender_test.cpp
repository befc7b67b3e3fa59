#include "online/mail_sender.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "loopback_server.h"
#include "online/mail_address.h"
#include "temp_folder.h"

namespace savora::online {
namespace {

using testing::LoopbackServer;
using testing::TempFolder;

MailServer loopback(int port) {
  MailServer server;
  server.host = "127.0.0.1";
  server.port = port;
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
  MailMessage message = greeting();
  message.body = std::string(2000, 'x') + "\ncaf\xE9 = 1 \n.\n";
  const std::string text = mailText(message, 0);
  const std::string body = text.substr(text.find("\r\n\r\n") + 4);
  size_t longest = 0;
  for (size_t start = 0, end; (end = body.find("\r\n", start)) != std::string::npos; start = end + 2)
    longest = std::max(longest, end - start);
  EXPECT_LE(longest, 76u);
  EXPECT_TRUE(contains(text, "Content-Transfer-Encoding: quoted-printable\r\n"));
  EXPECT_TRUE(contains(body, "\r\ncaf=E9 =3D 1=20\r\n.\r\n")) << body;
  EXPECT_EQ(body.find_first_of("\x80\xFF"), std::string::npos);

  TempFolder inbox;
  LoopbackServer server("smtp", inbox.path().string());
  EXPECT_EQ(sendMail(message, loopback(server.port())), 0) << message.log;
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
      {"smtp-rcpt-550", -2, "550 no such user"},
      {"smtp-data-554", -2, "554 no data today"},
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

TEST(MailSenderTest, StartTlsWithLogin) {
  testing::TempFolder folder, inbox;
  const auto [cert, key] = testing::makeCertificate(folder);
  LoopbackServer server("smtp-tls", inbox.path().string(), {cert, key});
  MailServer tls = loopback(server.port());
  tls.security = MailSecurity::StartTls;
  tls.trustedCertificates = cert;
  tls.user = "user";
  tls.password = "secret";
  MailMessage message = greeting();
  EXPECT_EQ(sendMail(message, tls), 0) << message.log;
  EXPECT_TRUE(std::filesystem::exists(inbox.path() / "msg-1.eml"));

  tls.password = "wrong";
  EXPECT_EQ(sendMail(message, tls), -2);
  EXPECT_FALSE(std::filesystem::exists(inbox.path() / "msg-2.eml"));
}

}  // namespace
}  // namespace savora::online
