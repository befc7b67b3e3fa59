// The recipe e-mail windows driven as a user would: MAIL_WINDOW sending to a loopback mail
// server, MAIL_SETUP, the address book MAILING_LIST, and the recipe window's E-mail button.
#include <gtest/gtest.h>

#include <QTimer>
#include <filesystem>

#include "../recipe/recipe_edit_fixture.h"
#include "codes/program_codes.h"
#include "loopback_server.h"
#include "online/mail_setup_window.h"
#include "online/mail_window.h"
#include "online/mailing_list_window.h"
#include "recipe/recipe_window.h"
#include "screenshots.h"
#include "toolkit/event_codes.h"
#include "window_objects.h"

namespace savora::online {
namespace {

using savora::testing::LoopbackServer;
using savora::testing::readFileBytes;
using savora::testing::TempFolder;
using namespace savora::toolkit;

const char* const kSent = "Your e-mail message has been sent.";

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class MailWindowsTest : public recipe::RecipeEditTest {
 protected:
  void SetUp() override {
    RecipeEditTest::SetUp();
    ASSERT_TRUE(savora::testing::openWindowObjects());
    store::Recipe soup;
    soup.name = "Egg Soup";
    soup.servings = 4;
    soup.description = "Warming.";
    soup.instructions = "Simmer.\r\n.\r\n..\r\nServe.";
    soup.lines[0].quantity = "2";
    soup.lines[0].ingredient = egg;
    soupUid = recipes.save(0, chapter, soup, true);
  }
  void TearDown() override {
    savora::testing::closeWindowObjects();
    RecipeEditTest::TearDown();
  }

  // MAIL_WINDOW with the soup, sending to `port` as cook@example.org.
  MailWindow* openMail(int port) {
    server = "127.0.0.1:" + std::to_string(port);
    MailWindowServices services{tables,
                                store,
                                user,
                                {yourName, emailAddress, server, login,
                                 [this](const MailLogin& saved) { savedLogin = saved; }},
                                *runPassword};
    services.askPassword = [this](const std::string& name, const std::string&) {
      EXPECT_EQ(name, login.user);
      ++passwordQuestions;
      return typedPassword;
    };
    services.tuneServer = [this](MailServer& s) {
      s.connectTimeoutSeconds = 2;
      s.replyTimeoutSeconds = 3;
      s.trustedCertificates = trusted;
    };
    services.countUse = [this] { ++uses; };
    window = UI_WINDOW_MANAGER::instance().add(std::make_unique<MailWindow>(std::move(services)));
    window->addRecipes({{"Egg Soup", soupUid}, {"Egg Soup", soupUid}});
    return window;
  }
  void type(const char* field, const std::string& text) { window->Get(field)->setText(text); }
  void click(UIW_WINDOW* on, const char* button) {
    on->Get<UIW_BUTTON>(button)->click();
    UI_EVENT_MANAGER::instance().processAll();
  }
  bool isOpen(UIW_WINDOW* w) const { return UI_WINDOW_MANAGER::instance().contains(w); }
  // The window of a resource that is on screen now, or null.
  template <class T>
  T* shown(const char* resource) {
    for (UIW_WINDOW* w : UI_WINDOW_MANAGER::instance().windows()) {
      if (w->resourceName() == resource) return dynamic_cast<T*>(w);
    }
    return nullptr;
  }

  std::string yourName = "Pat Cook", emailAddress = "cook@example.org", server;
  MailLogin login{MailSecurity::Plain, "", false, ""};  // the loopback server has no TLS
  std::optional<MailLogin> savedLogin;
  MemoryPasswordStore keychain;
  std::unique_ptr<MailPassword> runPassword = std::make_unique<MailPassword>(keychain);
  std::optional<std::string> typedPassword;
  int passwordQuestions = 0;
  std::string trusted;
  int uses = 0;
  long soupUid = 0;
  MailWindow* window = nullptr;
  TempFolder inbox;
};

TEST_F(MailWindowsTest, SendsOneMessagePerAddressAndCloses) {
  LoopbackServer smtp("smtp", inbox.path().string());
  openMail(smtp.port());
  type("TO", "typed@example.org");
  window->setToList({"one@example.org", "two@example.org", "three@example.org"});
  type("SUBJECT", "Soup tonight");
  window->Get("MESSAGE")->setText("Try this:\n.\nbye");
  window->widget()->resize(560, 520);
  savora::testing::keepScreenshot(window->widget()->grab().toImage(), "MAIL_WINDOW.png");
  for (int i = 0; i < 4; ++i) user.expectMessage("Message Sent", kSent);
  click(window, "SEND_BUTTON");
  EXPECT_FALSE(isOpen(window));
  EXPECT_EQ(uses, 1);
  ASSERT_TRUE(std::filesystem::exists(inbox.path() / "msg-4.eml"));
  EXPECT_FALSE(std::filesystem::exists(inbox.path() / "msg-5.eml"));
  EXPECT_EQ(readFileBytes(inbox.path() / "msg-1.env"), "cook@example.org\ntyped@example.org\n");
  EXPECT_EQ(readFileBytes(inbox.path() / "msg-4.env"), "cook@example.org\nthree@example.org\n");
  const std::string message = readFileBytes(inbox.path() / "msg-2.eml");
  EXPECT_TRUE(contains(message, "Subject: Soup tonight\r\n")) << message;
  EXPECT_TRUE(contains(message, "To: one@example.org\r\n")) << message;
  // The personal message, then the recipe once, its "." and ".." lines intact.
  EXPECT_TRUE(
      contains(message, "\r\n\r\nTry this:\r\n.\r\nbye\r\n\r\nEgg Soup\r\n\r\nServes: 4\r\n"))
      << message;
  EXPECT_TRUE(contains(message, "Simmer.\r\n.\r\n..\r\nServe.")) << message;
  EXPECT_EQ(message.find("Egg Soup"), message.rfind("Egg Soup"));
}

TEST_F(MailWindowsTest, FailedAddressesStayInTheWindow) {
  LoopbackServer smtp("smtp", inbox.path().string());
  openMail(smtp.port());
  window->setToList({"one@example.org", "refused@example.org", "bad address@example.org"});
  user.expectMessage("Message Sent", kSent);
  user.answerNextMessage(Button::Ok);  // the server's refusal
  user.answerNextMessage(Button::Ok);  // the unusable address, refused before connecting
  click(window, "SEND_BUTTON");
  ASSERT_TRUE(isOpen(window));
  EXPECT_TRUE(contains(user.messages()[1].text, "550 no such mailbox")) << user.messages()[1].text;
  EXPECT_EQ(user.messages()[1].title, "Socket Error!");
  EXPECT_EQ(user.messages()[2].title, "Wait!");
  EXPECT_EQ(window->toList(),
            (std::vector<std::string>{"refused@example.org", "bad address@example.org"}));
  EXPECT_TRUE(window->widget()->isEnabled());
  EXPECT_EQ(window->Get("SEND_STATUS")->text(),
            "1 of 3 messages sent. The addresses listed were not sent to.");
}

TEST_F(MailWindowsTest, ARefusalBeforeSendingKeepsEverything) {
  struct Case {
    const char* name;
    std::string yourName, address, to;
    const char* title;
    const char* text;
  };
  const Case cases[] = {
      {"no setup", "", "cook@example.org", "a@b.org", "Wait!",
       "Please click Setup and enter your e-mail information first."},
      {"no address", "Pat", "cook@example.org", "", "Incomplete!",
       "You must enter the e-mail address of\r\nthe person you are sending mail to."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    yourName = c.yourName;
    emailAddress = c.address;
    openMail(1);
    type("TO", c.to);
    user.expectMessage(c.title, c.text);
    click(window, "SEND_BUTTON");
    EXPECT_TRUE(isOpen(window));
    EXPECT_EQ(window->Get("TO")->text(), c.to);
    EXPECT_EQ(uses, 0);
    UI_WINDOW_MANAGER::instance().closeAll();
  }
}

TEST_F(MailWindowsTest, TheProgramRunsOnWhileAServerIsSilent) {
  LoopbackServer silent("smtp-silent", inbox.path().string());
  openMail(silent.port());
  type("TO", "friend@example.org");
  bool ranDuringSend = false, windowDisabled = false;
  QTimer::singleShot(200, [&] {
    ranDuringSend = window->sending();
    windowDisabled = !window->widget()->isEnabled();
    window->post(UI_EVENT(S_CLOSE));  // asked to close meanwhile: after the send
  });
  user.answerNextMessage(Button::Ok);
  click(window, "SEND_BUTTON");
  EXPECT_EQ(user.messages().back().title, "Socket Error!");
  EXPECT_TRUE(user.messages().back().text.starts_with("Could not open socket.\r\n"));
  EXPECT_TRUE(ranDuringSend);
  EXPECT_TRUE(windowDisabled);
  EXPECT_FALSE(isOpen(window));
}

TEST_F(MailWindowsTest, ALongBodyIsCutReportedAndSent) {
  LoopbackServer smtp("smtp", inbox.path().string());
  openMail(smtp.port());
  type("TO", "friend@example.org");
  window->Get("MESSAGE")->setText(std::string(30000, 'x'));
  user.expectMessage("Too Much Text!",
                     "With so many recipes, your message is too long.\r\nThe message was "
                     "truncated.");
  user.expectMessage("Message Sent", kSent);
  click(window, "SEND_BUTTON");
  EXPECT_TRUE(std::filesystem::exists(inbox.path() / "msg-1.eml"));
}

// A server that asks for a login: the password is asked once per run and kept in memory, or in
// the secret store when the user chose to remember it; it is never in the settings.
TEST_F(MailWindowsTest, ThePasswordIsAskedOnceAndKeptWhereTheUserSaid) {
  TempFolder certificates;
  const auto [cert, key] = savora::testing::makeCertificate(certificates);
  LoopbackServer smtp("smtp-tls", inbox.path().string(), {cert, key});
  trusted = cert;
  for (const bool remember : {false, true}) {
    SCOPED_TRACE(remember ? "remembered" : "for this run");
    login = {MailSecurity::StartTls, "user", remember, ""};
    runPassword = std::make_unique<MailPassword>(keychain);  // a new run
    keychain.erase();
    passwordQuestions = 0;
    typedPassword = "secret";
    for (int send = 0; send < 2; ++send) {
      openMail(smtp.port());
      type("TO", "friend@example.org");
      user.expectMessage("Message Sent", kSent);
      click(window, "SEND_BUTTON");
    }
    EXPECT_EQ(passwordQuestions, 1);
    EXPECT_EQ(keychain.read(), remember ? std::optional<std::string>("secret") : std::nullopt);
  }
  // A password the server refuses is asked again at the next send, and leaves the store.
  runPassword = std::make_unique<MailPassword>(keychain);
  keychain.write("wrong");
  passwordQuestions = 0;
  openMail(smtp.port());
  type("TO", "friend@example.org");
  user.answerNextMessage(Button::Ok);  // the refusal, with the server's reply
  click(window, "SEND_BUTTON");
  ASSERT_TRUE(isOpen(window));
  EXPECT_EQ(user.messages().back().title, "Socket Error!");
  EXPECT_EQ(keychain.read(), std::nullopt);
  typedPassword = "secret";
  user.expectMessage("Message Sent", kSent);
  click(window, "SEND_BUTTON");
  EXPECT_EQ(passwordQuestions, 1);
  EXPECT_FALSE(isOpen(window));

  // No password given: nothing is sent and the window stays as it was.
  runPassword = std::make_unique<MailPassword>(keychain);
  keychain.erase();
  typedPassword.reset();
  openMail(smtp.port());
  type("TO", "friend@example.org");
  click(window, "SEND_BUTTON");
  EXPECT_TRUE(isOpen(window));
  EXPECT_EQ(window->Get("TO")->text(), "friend@example.org");
  EXPECT_FALSE(std::filesystem::exists(inbox.path() / "msg-6.eml"));
}

TEST_F(MailWindowsTest, SetupStoresTheServerAndLoginButNoPasswordInTheSettings) {
  openMail(25);
  click(window, "SETUP_BUTTON");
  auto* setup = shown<MailSetupWindow>("MAIL_SETUP");
  ASSERT_NE(setup, nullptr);
  EXPECT_EQ(setup->Get("E-MAIL_ADDRESS")->text(), "cook@example.org");
  setup->widget()->resize(440, 300);
  savora::testing::keepScreenshot(setup->widget()->grab().toImage(), "MAIL_SETUP.png");

  // An address that could add a header is refused; the window stays.
  setup->Get("E-MAIL_ADDRESS")->setText("cook@example.org\r\nBcc: all@example.org");
  user.answerNextMessage(Button::Ok);
  click(setup, "OK_BUTTON");
  EXPECT_TRUE(isOpen(setup));
  EXPECT_EQ(emailAddress, "cook@example.org");

  setup->Get("E-MAIL_ADDRESS")->setText(" pat@example.org ");
  setup->Get("SERVER_NAME")->setText("mail.example.org:587");
  setup->Get<UIW_COMBO_BOX>("SECURITY")->setCurrent(1);
  setup->Get("USER_NAME")->setText("pat");
  setup->Get("PASSWORD")->setText("hunter2");
  setup->Get<UIW_BUTTON>("REMEMBER_PASSWORD")->setChecked(true);
  click(setup, "OK_BUTTON");
  EXPECT_FALSE(isOpen(setup));
  EXPECT_EQ(emailAddress, "pat@example.org");
  EXPECT_EQ(server, "mail.example.org:587");
  ASSERT_TRUE(savedLogin);
  EXPECT_EQ(*savedLogin, (MailLogin{MailSecurity::StartTls, "pat", true, ""}));
  EXPECT_EQ(keychain.read(), "hunter2");

  // Unticking Remember takes the password out of the store; it stays known for this run.
  click(window, "SETUP_BUTTON");
  setup = shown<MailSetupWindow>("MAIL_SETUP");
  setup->Get<UIW_BUTTON>("REMEMBER_PASSWORD")->setChecked(false);
  click(setup, "OK_BUTTON");
  EXPECT_EQ(keychain.read(), std::nullopt);
}

// A login over Plain goes out only after the user confirmed it for that server in MAIL_SETUP.
TEST_F(MailWindowsTest, APlainLoginNeedsTheUsersConfirmationForThatServer) {
  LoopbackServer smtp("smtp", inbox.path().string());
  login = {MailSecurity::Plain, "pat", false, ""};
  typedPassword = "secret";
  openMail(smtp.port());
  type("TO", "friend@example.org");
  user.answerNextMessage(Button::Ok);
  click(window, "SEND_BUTTON");
  EXPECT_EQ(user.messages().back().title, "Wait!");
  EXPECT_TRUE(contains(user.messages().back().text, "without encryption, so it was not sent."));
  EXPECT_EQ(passwordQuestions, 0);

  const std::string question =
      "With Plain security your user name and password go to " + server +
      " without encryption,\r\nwhere anyone on the way can read them.\r\n\r\nSend them to "
      "this server unencrypted?";
  for (const Button answer : {Button::No, Button::Yes}) {
    click(window, "SETUP_BUTTON");
    auto* setup = shown<MailSetupWindow>("MAIL_SETUP");
    ASSERT_NE(setup, nullptr);
    EXPECT_EQ(setup->Get<UIW_COMBO_BOX>("SECURITY")->currentId(), 0);  // Plain
    user.expectMessage("Send Password Unencrypted?", question, answer);
    click(setup, "OK_BUTTON");
    EXPECT_EQ(isOpen(setup), answer == Button::No);
    if (isOpen(setup)) UI_WINDOW_MANAGER::instance().subtract(setup);
  }
  ASSERT_TRUE(savedLogin);
  EXPECT_EQ(savedLogin->plainLoginServer, server);
  // Confirmed once, not asked again for the same server.
  click(window, "SETUP_BUTTON");
  click(shown<MailSetupWindow>("MAIL_SETUP"), "OK_BUTTON");
  EXPECT_EQ(shown<MailSetupWindow>("MAIL_SETUP"), nullptr);

  user.expectMessage("Message Sent", kSent);
  click(window, "SEND_BUTTON");
  EXPECT_TRUE(std::filesystem::exists(inbox.path() / "msg-1.eml"));
}

TEST_F(MailWindowsTest, TheAddressBookAddsPicksAndHandsBackAddresses) {
  openMail(25);
  window->setToList({"kept@example.org"});
  click(window, "ADDRESS_BOOK_BUTTON");
  auto* book = shown<MailingListWindow>("MAILING_LIST");
  ASSERT_NE(book, nullptr);
  auto* mailList = book->Get<UIW_VT_LIST>("MAIL_LIST");
  auto* messageList = book->Get<UIW_VT_LIST>("MESSAGE_LIST");
  ASSERT_EQ(mailList->count(), 1);
  EXPECT_EQ(mailList->entry(0).text, "<new address>");
  EXPECT_EQ(messageList->count(), 1);

  // "<new address>" asks for one; a duplicate with trailing blanks is refused.
  for (const char* answer : {"amy@example.org", "zed@example.org"}) {
    user.answerPrompt(answer);
    book->Event(UI_EVENT(codes::mailing_list_window::kAddressChosen, mailList->count() - 1));
  }
  user.answerPrompt("AMY@example.org   ");
  user.answerNextMessage(Button::Ok);
  book->Event(UI_EVENT(codes::mailing_list_window::kAddressChosen, mailList->count() - 1));
  ASSERT_EQ(mailList->count(), 3);
  EXPECT_EQ(mailList->text(), "zed@example.org");  // the new entry is selected

  book->Event(UI_EVENT(codes::mailing_list_window::kAddressChosen, 0));
  book->Event(UI_EVENT(codes::mailing_list_window::kAddressChosen, 0));  // not twice
  EXPECT_EQ(messageList->count(), 2);

  // Editing is done in the address list, not in the message's.
  book->Event(UI_EVENT(codes::mailing_list_window::kMessageListSelected, 0));
  user.expectMessage("Wait!", "Edit addresses from the address list above.");
  click(book, "EDIT_BUTTON");
  book->Event(UI_EVENT(codes::mailing_list_window::kMailListSelected, 0));
  mailList->setCurrent(0);
  user.answerPrompt("amy@example.net");
  click(book, "EDIT_BUTTON");
  EXPECT_EQ(messageList->entry(1).text, "amy@example.net");

  mailList->setCurrent(1);  // zed
  user.expectMessage("Delete Address?", "Are you sure you want to delete zed@example.org?",
                     Button::Yes);
  click(book, "DELETE_BUTTON");
  EXPECT_EQ(mailList->count(), 2);

  book->widget()->resize(440, 440);
  savora::testing::keepScreenshot(book->widget()->grab().toImage(), "MAILING_LIST.png");
  click(book, "OK_BUTTON");
  EXPECT_FALSE(isOpen(book));
  EXPECT_EQ(window->toList(), (std::vector<std::string>{"kept@example.org", "amy@example.net"}));

  // The book keeps what was entered for the next message.
  click(window, "ADDRESS_BOOK_BUTTON");
  book = shown<MailingListWindow>("MAILING_LIST");
  ASSERT_NE(book, nullptr);
  EXPECT_EQ(book->Get<UIW_VT_LIST>("MAIL_LIST")->entry(0).text, "amy@example.net");
}

TEST_F(MailWindowsTest, ClearEmptiesTheMessageButKeepsTheRecipes) {
  openMail(25);
  type("TO", "a@b.org");
  type("SUBJECT", "s");
  window->Get("MESSAGE")->setText("m");
  window->setToList({"c@d.org"});
  click(window, "CLEAR_BUTTON");
  for (const char* field : {"TO", "SUBJECT", "MESSAGE"}) EXPECT_EQ(window->Get(field)->text(), "");
  EXPECT_TRUE(window->toList().empty());
  EXPECT_EQ(window->Get<UIW_VT_LIST>("RECIPES")->count(), 1);
}

// The recipe window's E-mail button mails only a saved recipe.
TEST_F(MailWindowsTest, TheRecipeWindowMailsOnlyASavedRecipe) {
  std::vector<long> mailed;
  auto open = [&](long uid) {
    recipe::RecipeWindowServices services{tables, user, media::MediaLookup({})};
    services.mail = [&](const store::Recipe& r) { mailed.push_back(r.uid); };
    auto* recipeWindow = UI_WINDOW_MANAGER::instance().add(
        std::make_unique<recipe::RecipeWindow>(services, chapter, uid));
    return recipeWindow;
  };
  auto* saved = open(soupUid);
  click(saved, "MAIL_BUTTON");
  EXPECT_EQ(mailed, std::vector<long>{soupUid});

  saved->Get("NAME")->setText("Egg Soup, changed");
  user.expectMessage("Wait!", "You must save this recipe before you can send it.");
  click(saved, "MAIL_BUTTON");
  auto* fresh = open(0);
  user.expectMessage("Wait!", "You must save this recipe before you can send it.");
  click(fresh, "MAIL_BUTTON");
  EXPECT_EQ(mailed.size(), 1u);
}

}  // namespace
}  // namespace savora::online
