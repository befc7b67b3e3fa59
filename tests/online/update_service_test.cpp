// The update service's news, version check, reminder counts and download end, with the news and
// update fetched from a loopback web server.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "loopback_server.h"
#include "online/update_download.h"
#include "online/update_news.h"
#include "online/update_reminder.h"
#include "platform/process.h"
#include "scripted_user.h"
#include "temp_folder.h"
#include "update_signing.h"

namespace savora::online {
namespace {

using testing::LoopbackServer;
using testing::ScriptedUser;
using testing::TempFolder;

std::filesystem::path fetch(const std::string& server, const std::string& path,
                            const TempFolder& into, ScriptedUser& user, bool* succeeded = nullptr) {
  DownloadOptions options{"Savora99 v6.998", 2, 2};
  HttpDownload download(user, options);
  download.start(server, path, into.path());
  while (download.active()) download.step();
  if (succeeded) *succeeded = download.succeeded();
  return download.file();
}

// Only news that names a newer version, signed with the maker's key, starts the update; the
// proof lines are not shown.
TEST(UpdateNewsTest, ASignedNewerVersionDecidesWhetherToDownload) {
  testing::TestSigningKey maker, stranger;
  const std::string archive = "PK archive bytes";
  TempFolder served, local;
  served.write("Savora2000/news.txt", "Hello cooks!\nVersion 7.000 is here.\nA file is missing" +
                                          std::string(270, '-') + "|after\n" +
                                          testing::signedNews("7.000", archive, maker));
  served.write("old/news.txt", testing::signedNews("6.998", archive, maker));
  served.write("none/news.txt", "No version today");
  served.write("stranger/news.txt", testing::signedNews("7.000", archive, stranger));
  std::string forged = testing::signedNews("6.999", archive, maker);
  forged.replace(forged.find("6.999"), 5, "7.000");  // an older update passed off as newer
  served.write("forged/news.txt", forged);
  LoopbackServer server("http", served.path().string());
  ScriptedUser user;
  auto check = [&](const char* path) {
    return checkNews(user, fetch(server.url(), path, local, user), "6.998", "Savora99",
                     maker.publicKeyHex());
  };

  NewsCheck fetched = check("/Savora2000/news.txt");
  EXPECT_TRUE(fetched.newer);
  EXPECT_EQ(fetched.proof.sha256, testing::sha256Hex(archive));
  // The notice's 287 characters are gone; line feeds are line breaks.
  EXPECT_EQ(fetched.news.substr(0, 44), "Hello cooks!\r\nVersion 7.000 is here.\r\n|after");
  EXPECT_EQ(fetched.news.find("Update SHA-256"), std::string::npos) << fetched.news;
  EXPECT_EQ(fetched.news.find("signature"), std::string::npos) << fetched.news;

  user.expectMessage("Download Not Necessary",
                     "You already have the most recent version of Savora99.\r\n\r\nDownload "
                     "stopped.");
  EXPECT_FALSE(check("/old/news.txt").newer);
  EXPECT_FALSE(check("/none/news.txt").newer);  // no version: no update, and nothing to say
  for (const char* unsigned_ : {"/stranger/news.txt", "/forged/news.txt"}) {
    user.expectMessage("Update Not Downloaded",
                       "The update server offers version 7.000, but without a valid signature "
                       "from the maker of Savora99.\r\nThe update was not downloaded, and "
                       "Savora99 was not changed.");
    EXPECT_FALSE(check(unsigned_).newer) << unsigned_;
  }

  // A 404 page and a missing file are no connection, not news.
  user.answerNextMessage(toolkit::Button::Ok);
  EXPECT_FALSE(check("/gone/news.txt").newer);
  EXPECT_EQ(user.messages().back().title, "Error!");
  user.answerNextMessage(toolkit::Button::Ok);
  EXPECT_FALSE(checkNews(user, local.path() / "nothing.txt", "6.998", "Savora99").newer);
}

// The maker's signing script writes news that the program accepts.
TEST(UpdateNewsTest, TheSigningScriptsNewsIsAccepted) {
  TempFolder folder;
  const std::string key = folder.str() + "key.pem", archive = folder.str() + "update.zip";
  folder.write("update.zip", "PK archive bytes");
  const std::string make =
      "openssl genpkey -algorithm ed25519 -out " + key + " && openssl pkey -in " + key +
      " -pubout -outform DER | tail -c 32 |"
      " od -An -v -tx1 | tr -d ' \\n' > " +
      folder.str() + "public.hex && " + SAVORA_SOURCE_DIR "/scripts/sign-update " + key +
      " 7.000 " + archive + " > " + folder.str() + "news.txt";
  if (std::system(make.c_str()) != 0) GTEST_SKIP() << "openssl is missing";
  const std::string news = testing::readFileBytes(folder.path() / "news.txt");
  const auto proof = updateProof(news, "7.000");
  ASSERT_TRUE(proof) << news;
  EXPECT_EQ(proof->sha256, testing::sha256Hex("PK archive bytes"));
  EXPECT_TRUE(isSignedBy(*proof, testing::readFileBytes(folder.path() / "public.hex")));
  EXPECT_FALSE(isSignedBy(*proof, kUpdatePublicKey));
}

TEST(UpdateNewsTest, ShortTextsAreReadWithinTheirEnd) {
  EXPECT_EQ(serverVersion("xx Version"), "");
  EXPECT_EQ(serverVersion("Version 7.0"), "7.0");
  EXPECT_EQ(serverVersion("nothing"), std::nullopt);
  TempFolder local;
  local.write("news.txt", "HTTP/1.0 200 OK\r\n\r\nA file is missing");
  EXPECT_EQ(readNews(local.path() / "news.txt"), "");
}

TEST(UpdateReminderTest, RemindsAtThreeExitsAfterTheMonthChanged) {
  TempFolder data;
  EXPECT_FALSE(reminderDue(data.path(), 10));  // a new installation starts its month now
  EXPECT_EQ(testing::readFileBytes(data.path() / "update.cnt"), "10");
  resetReminder(data.path(), 11);
  EXPECT_FALSE(reminderDue(data.path(), 11));
  EXPECT_TRUE(reminderDue(data.path(), 12));
  EXPECT_TRUE(reminderDue(data.path(), 12));
  EXPECT_TRUE(reminderDue(data.path(), 12));
  EXPECT_FALSE(reminderDue(data.path(), 12));  // the fourth exit stamps the month
  EXPECT_EQ(testing::readFileBytes(data.path() / "update.cnt"), "12");
  EXPECT_EQ(testing::readFileBytes(data.path() / "remind.cnt"), "0");
  EXPECT_FALSE(reminderDue(data.path(), 12));
}

// Only a complete archive with the announced checksum and an installer leaves an update
// pending, and its installer is the one taken out of it; anything else is deleted and reported.
TEST(UpdateDownloadTest, OnlyTheAnnouncedArchiveLeavesItsInstallerPending) {
  TempFolder scratch, served, local;
  testing::TestSigningKey maker;
  const std::string archive = testing::updateArchive(scratch, "installed.txt");
  const std::string withoutInstaller = testing::updateArchive(scratch, "x", false);
  std::string tampered = archive;
  tampered[tampered.size() / 2] ^= 1;
  const UpdateProof proof = *updateProof(testing::signedNews("7.000", archive, maker), "7.000");

  struct Case {
    const char* what;
    std::string served;
    UpdateProof proof;
    const char* refusal;  // nullptr: pending
  };
  const Case cases[] = {
      {"announced", archive, proof, nullptr},
      {"tampered", tampered, proof,
       "The downloaded update is not the one the update server announced: its SHA-256 checksum "
       "differs.\r\nThe download was deleted, and Savora99 was not changed."},
      {"no installer", withoutInstaller,
       *updateProof(testing::signedNews("7.000", withoutInstaller, maker), "7.000"),
       "The downloaded update holds no installer (install.exe).\r\nThe download was deleted, "
       "and Savora99 was not changed."},
  };
  LoopbackServer server("http", served.path().string());
  for (const Case& test : cases) {
    SCOPED_TRACE(test.what);
    served.write("Savora2000/update.zip", test.served);
    ScriptedUser user;
    HttpDownload download(user, {"Savora99 v6.998", 2, 2});
    download.start(server.url(), "/Savora2000/update.zip", local.path());
    while (download.active()) download.step();
    if (test.refusal)
      user.expectMessage("Download Failed", test.refusal);
    else
      user.expectMessage("Update Successful!",
                         "Savora99 was successfully updated, however, you\r\nmust exit Savora99 "
                         "for the changes to take effect.");
    const auto installer =
        finishUpdateDownload(user, download, test.proof, local.path() / "update", "Savora99");
    EXPECT_EQ(installer.has_value(), !test.refusal);
    EXPECT_EQ(std::filesystem::exists(local.path() / "update.zip"), !test.refusal);
    if (installer) {
      EXPECT_EQ(*installer, local.path() / "update" / "install.exe");
      // It is the archive's own installer, and it runs.
      EXPECT_TRUE(platform::startProgramFile(installer->string(), {}, local.str()));
      const auto marker = local.path() / "installed.txt";
      for (int i = 0; i < 500 && !std::filesystem::exists(marker); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
      EXPECT_TRUE(std::filesystem::exists(marker));
    }
  }

  // A download cut short is not an update either.
  LoopbackServer truncated("http-truncated", served.path().string());
  ScriptedUser user;
  user.answerNextMessage(toolkit::Button::Ok);  // the transfer's own report
  HttpDownload download(user, {"Savora99 v6.998", 2, 2});
  download.start(truncated.url(), "/Savora2000/update.zip", local.path());
  while (download.active()) download.step();
  user.answerNextMessage(toolkit::Button::Ok);
  EXPECT_FALSE(finishUpdateDownload(user, download, proof, local.path() / "update", "Savora99"));
  EXPECT_FALSE(std::filesystem::exists(local.path() / "update.zip"));
}

}  // namespace
}  // namespace savora::online
