// The update service's news, version check, reminder counts and download end, with the news and
// update fetched from a loopback web server.
#include <gtest/gtest.h>

#include <chrono>

#include "loopback_server.h"
#include "online/update_download.h"
#include "online/update_news.h"
#include "online/update_reminder.h"
#include "scripted_user.h"
#include "temp_folder.h"

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

TEST(UpdateNewsTest, VersionDecidesWhetherToDownload) {
  TempFolder served, local;
  served.write("Savora2000/news.txt", "Hello cooks!\nVersion 7.000 is here.\nA file is missing" +
                                          std::string(270, '-') + "|after");
  served.write("old/news.txt", "Version 6.998\n");
  served.write("none/news.txt", "No version today");
  LoopbackServer server("http", served.path().string());
  ScriptedUser user;

  NewsCheck check = checkNews(user, fetch(server.url(), "/Savora2000/news.txt", local, user),
                              "6.998", "Savora99");
  EXPECT_TRUE(check.newer);
  // The notice's 287 characters are gone; line feeds are line breaks.
  EXPECT_EQ(check.news, "Hello cooks!\r\nVersion 7.000 is here.\r\n|after");

  user.expectMessage("Download Not Necessary",
                     "You already have the most recent version of Savora99.\r\n\r\nDownload "
                     "stopped.");
  EXPECT_FALSE(
      checkNews(user, fetch(server.url(), "/old/news.txt", local, user), "6.998", "Savora99")
          .newer);
  EXPECT_TRUE(
      checkNews(user, fetch(server.url(), "/none/news.txt", local, user), "6.998", "Savora99")
          .newer);

  // A 404 page and a missing file are no connection, not news.
  user.answerNextMessage(toolkit::Button::Ok);
  EXPECT_FALSE(
      checkNews(user, fetch(server.url(), "/gone/news.txt", local, user), "6.998", "Savora99")
          .newer);
  EXPECT_EQ(user.messages().back().title, "Error!");
  user.answerNextMessage(toolkit::Button::Ok);
  EXPECT_FALSE(checkNews(user, local.path() / "nothing.txt", "6.998", "Savora99").newer);
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

TEST(UpdateDownloadTest, OnlyACompleteArchiveLeavesAnUpdatePending) {
  TempFolder served, local;
  served.write("Savora2000/update.zip", std::string(3000, 'z'));
  {
    LoopbackServer server("http", served.path().string());
    ScriptedUser user;
    HttpDownload download(user, {"Savora99 v6.998", 2, 2});
    download.start(server.url(), "/Savora2000/update.zip", local.path());
    while (download.active()) download.step();
    EXPECT_EQ(download.file(), local.path() / "update.zip");
    user.expectMessage("Update Successful!",
                       "Savora99 was successfully updated, however, you\r\nmust exit Savora99 "
                       "for the changes to take effect.");
    EXPECT_TRUE(finishUpdateDownload(user, download, "Savora99"));
    EXPECT_TRUE(std::filesystem::exists(download.file()));
  }
  LoopbackServer truncated("http-truncated", served.path().string());
  ScriptedUser user;
  user.answerNextMessage(toolkit::Button::Ok);  // the transfer's own report
  HttpDownload download(user, {"Savora99 v6.998", 2, 2});
  download.start(truncated.url(), "/Savora2000/update.zip", local.path());
  while (download.active()) download.step();
  user.answerNextMessage(toolkit::Button::Ok);
  EXPECT_FALSE(finishUpdateDownload(user, download, "Savora99"));
  EXPECT_FALSE(std::filesystem::exists(local.path() / "update.zip"));
}

}  // namespace
}  // namespace savora::online
