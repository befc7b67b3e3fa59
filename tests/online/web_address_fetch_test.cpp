// Fetching a document by its web address: addresses cut into server and path, redirections
// followed, and a body without the response's head.
#include "online/web_address_fetch.h"

#include <gtest/gtest.h>

#include "loopback_server.h"
#include "platform/text.h"
#include "scripted_user.h"
#include "temp_folder.h"

namespace savora::online {
namespace {

using testing::LoopbackServer;
using testing::quickOptions;
using testing::ScriptedUser;
using testing::TempFolder;

TEST(WebAddressTest, CutsAnAddressIntoServerAndPath) {
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"example.org", "https://example.org", "/"},
      {"HTTP://Example.org:8080/pie?x=1", "HTTP://Example.org:8080", "/pie?x=1"},
      {" https://example.org/recipes/ ", "https://example.org", "/recipes/"},
      {"https://example.org#top", "https://example.org", "/"},
      {"https://example.org?q", "https://example.org", "/?q"}};
  for (const auto& [address, server, path] : cases) {
    const auto parts = splitWebAddress(address);
    ASSERT_TRUE(parts) << address;
    EXPECT_EQ(parts->server, server);
    EXPECT_EQ(parts->path, path);
  }
  for (const char* bad : {"ftp://example.org/x", "https:///x", "my recipes"})
    EXPECT_FALSE(splitWebAddress(bad)) << bad;
}

TEST(WebAddressFetchTest, FollowsARedirectionAndKeepsTheBodyAlone) {
  TempFolder served, local;
  const std::string page = "<html><body>Pie</body></html>";
  served.write("recipes/index.html", page);
  LoopbackServer server("http", served.path().string());
  ScriptedUser user;
  // The folder's address without its "/" is redirected to the one with it, whose last part is
  // empty.
  const auto file =
      fetchWebAddress(user, server.url() + "/recipes", local.path(), quickOptions(), false);
  ASSERT_TRUE(file);
  EXPECT_EQ(testing::readFileBytes(*file), page);

  const std::string missing = server.url() + "/recipes/none.html";
  EXPECT_FALSE(fetchWebAddress(user, missing, local.path(), quickOptions(), true));
  user.expectMessage(kFetchFailedTitle,
                     platform::formatText(kFetchFailedText, missing.c_str(), 404));
  EXPECT_FALSE(fetchWebAddress(user, missing, local.path(), quickOptions(), false));
}

}  // namespace
}  // namespace savora::online
