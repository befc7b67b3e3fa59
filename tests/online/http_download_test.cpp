#include "online/http_download.h"

#include <gtest/gtest.h>

#include <chrono>

#include "loopback_server.h"
#include "online/download_file_name.h"
#include "scripted_user.h"
#include "temp_folder.h"

namespace savora::online {
namespace {

using testing::LoopbackServer;
using testing::quickOptions;
using testing::ScriptedUser;
using testing::TempFolder;

TEST(DownloadFileNameTest, ShortensTheLastPartOfThePath) {
  const std::pair<const char*, const char*> cases[] = {
      {"/Savora2000/news.txt", "news.txt"},
      {"/Savora2000/updatefile.zip", "updatefi.zip"},
      {"/x.a?c", "x.a.HTM"},
      {"/noextension", "noextens."},
      {"/a.b/c.tar.gz", "c.gz"}};
  for (const auto& [path, name] : cases) EXPECT_EQ(downloadFileName(path), name) << path;
}

// Steps the download to its end, failing the test when it would run for more than 20 s.
void runToEnd(HttpDownload& download) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (download.active()) {
    ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the download never ended";
    download.step();
  }
}

TEST(HttpDownloadTest, StoresTheWholeResponseInSteps) {
  TempFolder served, local;
  const std::string news(5000, 'n');
  served.write("Savora2000/news.txt", "Version 7.000\n" + news);
  LoopbackServer server("http", served.path().string());
  ScriptedUser user;
  HttpDownload download(user, quickOptions());
  download.start(server.url(), "/Savora2000/news.txt", local.path());
  runToEnd(download);

  EXPECT_TRUE(download.succeeded());
  EXPECT_EQ(download.file(), local.path() / "news.txt");
  EXPECT_EQ(lastDownloadedFile(), local.path() / "news.txt");
  const std::string stored = testing::readFileBytes(download.file());
  EXPECT_EQ(stored.rfind("HTTP/1.0 200", 0), 0u) << stored.substr(0, 40);
  const size_t body = stored.find("\r\n\r\n");
  ASSERT_NE(body, std::string::npos);
  EXPECT_EQ(stored.substr(body + 4), "Version 7.000\n" + news);
  EXPECT_EQ(download.received(), static_cast<std::int64_t>(stored.size()));
}

TEST(HttpDownloadTest, ResponsesThatDoNotCountAsDownloaded) {
  TempFolder served, local;
  LoopbackServer files("http", served.path().string());
  {
    ScriptedUser user;  // a 404 is stored but not a success, and needs no message
    HttpDownload download(user, quickOptions());
    download.start(files.url(), "/Savora2000/update.zip", local.path());
    runToEnd(download);
    EXPECT_FALSE(download.succeeded());
    EXPECT_EQ(download.status(), 404);
  }
  for (const char* mode : {"http-close", "http-truncated", "http-silent"}) {
    LoopbackServer server(mode, served.path().string());
    ScriptedUser user;
    user.answerNextMessage(toolkit::Button::Ok);
    HttpDownload download(user, quickOptions());
    download.start(server.url(), "/Savora2000/update.zip", local.path());
    runToEnd(download);
    EXPECT_FALSE(download.succeeded()) << mode;
    ASSERT_EQ(user.messages().size(), 1u) << mode;
    EXPECT_EQ(user.messages()[0].title, "NetManager") << mode;
  }
}

TEST(HttpDownloadTest, ConnectionFailuresAreToldWithTheirCaptions) {
  TempFolder local;
  {
    ScriptedUser user;
    user.expectMessage("no-such-host.invalid", "Could not get IP address!");
    HttpDownload download(user, quickOptions());
    download.start("http://no-such-host.invalid", "/news.txt", local.path());
    runToEnd(download);
    EXPECT_FALSE(download.succeeded());
  }
  int closedPort = 0;
  {
    TempFolder served;
    LoopbackServer server("http", served.path().string());
    closedPort = server.port();
  }
  ScriptedUser user;
  user.answerNextMessage(toolkit::Button::Ok);
  HttpDownload download(user, quickOptions());
  download.start("http://127.0.0.1:" + std::to_string(closedPort), "/news.txt", local.path());
  runToEnd(download);
  ASSERT_EQ(user.messages().size(), 1u);
  EXPECT_EQ(user.messages()[0].title, "NetManager");
  EXPECT_NE(user.messages()[0].text.find("Error connecting socket!!"), std::string::npos);
}

TEST(HttpDownloadTest, CancelEndsATransferAsFailed) {
  TempFolder served, local;
  LoopbackServer server("http-silent", served.path().string());
  ScriptedUser user;
  HttpDownload download(user, quickOptions());
  download.start(server.url(), "/update.zip", local.path());
  EXPECT_TRUE(download.active());
  download.cancel();
  EXPECT_FALSE(download.active());
  EXPECT_FALSE(download.succeeded());
}

}  // namespace
}  // namespace savora::online
