// The recipe e-mail's body and its delivery, one message per recipient, to a loopback server.
#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "../recipe/recipe_edit_fixture.h"
#include "loopback_server.h"
#include "online/recipe_mail_body.h"
#include "online/recipe_mail_delivery.h"

namespace savora::online {
namespace {

using recipe::RecipeEditTest;
using testing::LoopbackServer;

using RecipeMailTest = RecipeEditTest;

TEST_F(RecipeMailTest, BodyHoldsMessageAndRecipesWithoutEmptyLines) {
  store::Recipe soup;
  soup.name = "Egg Soup";
  soup.servings = 4;
  soup.description = "Warming.";
  soup.instructions = "Simmer.";
  soup.lines[0].quantity = "2";
  soup.lines[0].ingredient = egg;
  soup.lines[3].quantity = "1";
  soup.lines[3].unit = kCup;
  soup.lines[3].ingredient = flour;
  const long soupUid = recipes.save(0, chapter, soup, true);
  store::Recipe single = soup;
  single.name = "Egg for One";
  single.servings = 1;
  const long singleUid = recipes.save(0, chapter, single, true);

  const RecipeMailBody body = recipeMailBody(tables, "Try these!", {soupUid, singleUid});
  EXPECT_FALSE(body.tooLong);
  EXPECT_EQ(
      body.text,
      "Try these!\r\n\r\n"
      "Egg Soup\r\n\r\nServes: 4\r\nWarming.\r\n\r\n2 eggs\r\n1 cup flour\r\n\r\nSimmer.\r\n\r\n"
      "Egg for One\r\n\r\nWarming.\r\n\r\n2 eggs\r\n1 cup flour\r\n\r\nSimmer.\r\n\r\n");
}

TEST_F(RecipeMailTest, AnOverlongBodyIsCutAndReported) {
  store::Recipe big;
  big.name = "Big";
  big.instructions = std::string(40000, 'x');
  const long uid = recipes.save(0, chapter, big, true);
  const RecipeMailBody body = recipeMailBody(tables, "", {uid});
  EXPECT_TRUE(body.tooLong);
  EXPECT_EQ(body.text.size(), kMailBodyLimit);
}

TEST(RecipeMailDeliveryTest, OneMessagePerRecipientAndEachFailureTold) {
  testing::TempFolder inbox;
  LoopbackServer server("smtp", inbox.path().string());
  const MailSetup setup{"Cook", "cook@example.org", "127.0.0.1:" + std::to_string(server.port()),
                        MailSecurity::Plain};
  RecipeMail mail{"typed@example.org",
                  {"one@example.org", "refused@example.org", "three@example.org"},
                  "Recipes",
                  "Body\r\n.\r\n"};
  testing::ScriptedUser user;
  user.expectMessage("Message Sent", "Your e-mail message has been sent.");
  user.expectMessage("Message Sent", "Your e-mail message has been sent.");
  user.answerNextMessage(toolkit::Button::Ok);
  user.expectMessage("Message Sent", "Your e-mail message has been sent.");
  const MailDelivery delivery = deliverRecipeMail(user, setup, mail);
  EXPECT_EQ(delivery.sent, 3);
  EXPECT_EQ(delivery.failed, std::vector<std::string>{"refused@example.org"});
  const auto& refusal = user.messages()[2];
  EXPECT_EQ(refusal.title, "Socket Error!");
  EXPECT_NE(refusal.text.find("550 no such mailbox"), std::string::npos) << refusal.text;
  for (const char* n : {"1", "2", "3"})
    EXPECT_TRUE(std::filesystem::exists(inbox.path() / (std::string("msg-") + n + ".eml")));
  EXPECT_FALSE(std::filesystem::exists(inbox.path() / "msg-4.eml"));
  EXPECT_EQ(testing::readFileBytes(inbox.path() / "msg-1.env"),
            "cook@example.org\ntyped@example.org\n");
}

TEST(RecipeMailDeliveryTest, MissingSetupOrRecipientsAreRefusedBeforeConnecting) {
  testing::ScriptedUser user;
  user.expectMessage("Wait!", "Please click Setup and enter your e-mail information first.");
  EXPECT_FALSE(
      deliverRecipeMail(user, {"Cook", "", "127.0.0.1:1"}, {"a@b.org", {}, "", ""}).attempted);
  user.expectMessage("Incomplete!",
                     "You must enter the e-mail address of\r\nthe person you are sending mail to.");
  EXPECT_FALSE(
      deliverRecipeMail(user, {"Cook", "c@d.org", "127.0.0.1:1"}, {"  ", {}, "", ""}).attempted);
  user.answerNextMessage(toolkit::Button::Ok);
  const MailDelivery delivery = deliverRecipeMail(
      user, {"Cook", "c@d.org", "127.0.0.1:1", MailSecurity::Plain}, {"a@b.org", {}, "", ""});
  EXPECT_EQ(delivery.failed, std::vector<std::string>{"a@b.org"});
  EXPECT_EQ(user.messages().back().title, "Socket Error!");
  EXPECT_EQ(user.messages().back().text.rfind("Could not open socket.\r\nCould not connect", 0), 0u)
      << user.messages().back().text;

  // A login over a plain connection the user did not confirm: refused before the password is
  // asked for.
  user.expectMessage("Wait!",
                     "Your password would go to the mail server 127.0.0.1 without encryption, so "
                     "it was not sent.\r\nChoose STARTTLS or TLS under Setup, or choose Plain "
                     "there and confirm that this server may receive it unencrypted.");
  DeliveryHooks hooks;
  hooks.ready = [](MailSetup&) -> bool { throw std::logic_error("asked for the password"); };
  EXPECT_FALSE(deliverRecipeMail(user,
                                 {"Cook", "c@d.org", "127.0.0.1:1", MailSecurity::Plain, "pat"},
                                 {"a@b.org", {}, "", ""}, hooks)
                   .attempted);
}

}  // namespace
}  // namespace savora::online
