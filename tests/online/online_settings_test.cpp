// Where the online services connect ("SAVORA99.INI") and where the mail password is kept.
#include "online/online_settings.h"

#include <gtest/gtest.h>

#include "online/mail_password.h"
#include "temp_folder.h"

namespace savora::online {
namespace {

TEST(OnlineSettingsTest, UpdateServerIsAWebAddressWithAPort) {
  const std::pair<const char*, std::optional<std::string>> cases[] = {
      {"http://updates.example.org", "http://updates.example.org:80"},
      {"updates.example.org:8443", std::nullopt},
      {"HTTPS://updates.example.org/", "https://updates.example.org:443"},
      {" http://127.0.0.1:8080 ", "http://127.0.0.1:8080"},
      {"ftp://updates.example.org", std::nullopt},
      {"updates.example.org", std::nullopt},
      {"http://", std::nullopt},
      {"http://host:0", std::nullopt},
      {"http://host:99999", std::nullopt},
      {"http://host:80x", std::nullopt},
      {"http://host/path", std::nullopt},
      {"http://user@host", std::nullopt},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(updateServerAddress(text), expected) << text;

  testing::TempFolder folder;
  const std::string ini = folder.str() + "SAVORA99.INI";
  EXPECT_EQ(readUpdateServer(ini), kDefaultUpdateServer);
  folder.write("SAVORA99.INI",
               "[General]\nVersion=6.998\n[Update]\nServer=https://u.example:8443\n");
  EXPECT_EQ(readUpdateServer(ini), "https://u.example:8443");
  folder.write("SAVORA99.INI", "[Update]\nServer=gopher://u.example\n");
  EXPECT_EQ(readUpdateServer(ini), kDefaultUpdateServer);
}

TEST(OnlineSettingsTest, MailLoginRoundTripsWithoutAPassword) {
  testing::TempFolder folder;
  const std::string ini = folder.str() + "SAVORA99.INI";
  EXPECT_EQ(readMailLogin(ini).security, MailSecurity::StartTls);  // the default
  folder.write("SAVORA99.INI", "[General]\nApp0=Savora 2000\n");
  const MailLogin login{MailSecurity::Plain, "pat\r\nEvil=1", true, "Mail.example.org:25"};
  ASSERT_TRUE(writeMailLogin(ini, login));
  const MailLogin read = readMailLogin(ini);
  EXPECT_EQ(read, (MailLogin{MailSecurity::Plain, "pat", true, "Mail.example.org:25"}));
  // The confirmation of a plain login holds for that server only.
  EXPECT_TRUE(read.plainLoginConfirmedFor(" mail.example.org:25"));
  EXPECT_FALSE(read.plainLoginConfirmedFor("mail.example.org:587"));
  EXPECT_FALSE((MailLogin{MailSecurity::Plain, "", false, ""}).plainLoginConfirmedFor(""));
  const std::string text = testing::readFileBytes(folder.path() / "SAVORA99.INI");
  EXPECT_NE(text.find("App0=Savora 2000"), std::string::npos);
  EXPECT_EQ(text.find("Evil"), std::string::npos);
}

TEST(MailPasswordTest, KeptForTheRunOrInTheStoreAsTheUserChose) {
  MemoryPasswordStore store;
  {
    MailPassword run(store);
    EXPECT_EQ(run.known(true), std::nullopt);
    EXPECT_TRUE(run.set("secret", false));
    EXPECT_EQ(run.known(false), "secret");
    EXPECT_EQ(store.read(), std::nullopt);  // never stored when not remembered
    run.set("secret", true);
  }
  MailPassword nextRun(store);
  EXPECT_EQ(nextRun.known(false), std::nullopt);  // not remembering: asked again
  EXPECT_EQ(nextRun.known(true), "secret");
  nextRun.forget();
  EXPECT_EQ(MailPassword(store).known(true), std::nullopt);
}

}  // namespace
}  // namespace savora::online
