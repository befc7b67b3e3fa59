// The update service's windows against a loopback web server: ONLINE_WINDOW's news, version
// check, stepped update download and cancel, and the reminder UPDATE_MESSAGE in the exit check.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "../app/app_fixture.h"
#include "app/program.h"
#include "app/usage_counters.h"
#include "backup/backup_schedule.h"
#include "codes/program_codes.h"
#include "loopback_server.h"
#include "online/online_window.h"
#include "online/update_message_window.h"
#include "online/update_reminder.h"
#include "screenshots.h"
#include "store/recipe.h"
#include "store/recipe_table.h"
#include "toolkit/event_codes.h"
#include "update_signing.h"
#include "window_objects.h"

namespace savora::online {
namespace {

using savora::testing::LoopbackServer;
using savora::testing::readFileBytes;
using savora::testing::TempFolder;
using namespace savora::toolkit;
using Stage = OnlineWindow::Stage;

class OnlineWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(savora::testing::openWindowObjects()); }
  void TearDown() override { savora::testing::closeWindowObjects(); }

  OnlineWindow* open(const std::string& url) {
    window = UI_WINDOW_MANAGER::instance().add(
        std::make_unique<OnlineWindow>(OnlineWindowServices{user,
                                                            url,
                                                            data.path(),
                                                            "Savora 99",
                                                            "6.998",
                                                            {"Savora 99 v6.998", 2, 2},
                                                            pendingInstaller,
                                                            maker.publicKeyHex()}));
    return window;
  }
  void click(const char* button) {
    window->Get<UIW_BUTTON>(button)->click();
    UI_EVENT_MANAGER::instance().processAll();
  }
  // Takes steps by hand until the window reaches `stage` (the queue is not run meanwhile).
  void stepUntil(Stage stage) {
    window->Event(UI_EVENT(codes::online_window::kDownload));
    for (int i = 0; i < 200 && window->stage() != stage; ++i) {
      UI_EVENT_MANAGER::instance().clear();
      window->Event(UI_EVENT(codes::online_window::kNextStep));
    }
    UI_EVENT_MANAGER::instance().clear();
    ASSERT_EQ(window->stage(), stage);
  }
  std::string status() { return window->Get("STATUS")->text(); }

  savora::testing::ScriptedUser user;
  TempFolder served, data, scratch;
  savora::testing::TestSigningKey maker;
  std::string pendingInstaller;
  OnlineWindow* window = nullptr;
};

TEST_F(OnlineWindowTest, OpensWithTheLastNewsAndItsTitle) {
  data.write("news.txt", "HTTP/1.0 200 OK\r\nServer: x\r\n\r\nFresh herbs!\nVersion 6.998");
  open("http://127.0.0.1:1");
  EXPECT_EQ(window->title(), "Savora 99 Update Service");
  EXPECT_EQ(window->Get("NEWS")->text(), "Fresh herbs!\nVersion 6.998");
  window->widget()->resize(560, 440);
  savora::testing::keepScreenshot(window->widget()->grab().toImage(), "ONLINE_WINDOW.png");
}

TEST_F(OnlineWindowTest, TheServersVersionAndTheArchivesProofDecideWhatIsInstalled) {
  struct Case {
    const char* version;
    bool tampered;
    const char* title;
    const char* status;
  };
  const Case cases[] = {
      {"7.000", false, "Update Successful!", "Status:  Download complete."},
      {"7.000", true, "Download Failed", "Status:  The update could not be downloaded."},
      {"6.998", false, "Download Not Necessary",
       "Status:  Download Complete.  You have the most recent version."},
  };
  const std::string archive = savora::testing::updateArchive(scratch, "installed.txt");
  LoopbackServer http("http", served.path().string());
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.version) + (c.tampered ? " tampered" : ""));
    served.write("Savora2000/news.txt", savora::testing::signedNews(c.version, archive, maker));
    served.write("Savora2000/update.zip", c.tampered ? archive + "more" : archive);
    pendingInstaller.clear();
    std::filesystem::remove(data.path() / "update.zip");
    open(http.url());
    user.answerNextMessage(Button::Ok);
    click("DOWNLOAD_BUTTON");
    EXPECT_EQ(user.messages().back().title, c.title);
    const bool pending = c.status == cases[0].status;
    EXPECT_EQ(pendingInstaller, pending ? (data.path() / "update" / "install.exe").string() : "");
    EXPECT_EQ(std::filesystem::exists(data.path() / "update.zip"), pending);
    EXPECT_EQ(status(), c.status);
    EXPECT_EQ(window->Get("NEWS")->text(),
              std::string("Fresh herbs!\nVersion ") + c.version + "\n");
    // Looking for updates resets the reminder.
    EXPECT_EQ(readFileBytes(data.path() / "update.cnt"), std::to_string(currentMonth()));
    EXPECT_EQ(readFileBytes(data.path() / "remind.cnt"), "0");
    UI_WINDOW_MANAGER::instance().closeAll();
  }
}

TEST_F(OnlineWindowTest, NoServerMeansNoConnectionAndNoUpdate) {
  LoopbackServer closing("http-close", served.path().string());
  open(closing.url());
  user.answerNextMessage(Button::Ok);  // the transfer's own report
  user.expectMessage("Error!",
                     "No connection could be made to the update server.\r\nPlease check your "
                     "internet connection and try again, or visit our web site with your "
                     "browser.");
  click("DOWNLOAD_BUTTON");
  EXPECT_EQ(pendingInstaller, "");
  EXPECT_EQ(status(), "Status:  Download Complete.  You have the most recent version.");
  EXPECT_TRUE(window->Get("DOWNLOAD_BUTTON")->isSelectable());
}

TEST_F(OnlineWindowTest, CancellingTheUpdateAsksAndYesLeavesNothing) {
  served.write("Savora2000/news.txt", savora::testing::signedNews("7.000", "update", maker));
  LoopbackServer stalled("http-stalled-update", served.path().string());
  for (const Button answer : {Button::No, Button::Yes}) {
    open(stalled.url());
    stepUntil(Stage::Update);
    window->Event(UI_EVENT(codes::online_window::kNextStep));  // the download runs
    EXPECT_TRUE(status().starts_with("Status:  Downloading...Read the news while you wait!  "))
        << status();
    window->Event(UI_EVENT(codes::online_window::kDownload));  // ignored while it runs
    EXPECT_EQ(window->stage(), Stage::Update);
    user.expectMessage("Cancel Download?", "Do you want to stop downloading the update?", answer);
    window->Event(UI_EVENT(codes::online_window::kCancel));
    UI_EVENT_MANAGER::instance().clear();
    const bool yes = answer == Button::Yes;
    EXPECT_EQ(UI_WINDOW_MANAGER::instance().contains(window), !yes);
    EXPECT_EQ(window->stage(), yes ? Stage::Idle : Stage::Update);
    UI_WINDOW_MANAGER::instance().closeAll();  // closing ends the download too
    EXPECT_EQ(pendingInstaller, "");
    EXPECT_FALSE(std::filesystem::exists(data.path() / "update.zip"));
  }
}

// The main window's online commands and the reminder in its exit check.
class OnlineCommandsTest : public app::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    // A backup made today: leaving runs no automatic backup in these tests.
    std::filesystem::create_directories(
        std::filesystem::path(backup::automaticBackupPath()).parent_path());
    std::ofstream(backup::automaticBackupPath()) << "backup";
    backup::writeBackupDone(backup::todayDayOfMonth());
    state.title = "Savora 99";
    app::registerOnline(window(), tables, store, user, {state, settings, usage});
  }
  void leave() {
    user.expectMessage("Exit Savora?", "\r\nExit Savora?", Button::Yes);
    window().post(UI_EVENT(L_EXIT_FUNCTION));
    settle();
  }
  UIW_WINDOW* reminder() {
    for (UIW_WINDOW* w : UI_WINDOW_MANAGER::instance().windows()) {
      if (w->resourceName() == "UPDATE_MESSAGE") return w;
    }
    return nullptr;
  }
  app::UsageCounters usage;
};

TEST_F(OnlineCommandsTest, ShownAtExitWhenTheMonthChangedAndCancelLeaves) {
  resetReminder(folders.program.path(), currentMonth() % 12 + 1);  // another month
  leave();
  UIW_WINDOW* shown = reminder();
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->title(), "Update Savora 99?");
  EXPECT_FALSE(state.exitConfirmed);
  EXPECT_EQ(readFileBytes(folders.program.path() / "remind.cnt"), "1");
  shown->widget()->resize(420, 190);
  savora::testing::keepScreenshot(shown->widget()->grab().toImage(), "UPDATE_MESSAGE.png");
  shown->Get<UIW_BUTTON>("DISPLAY_BUTTON")->setChecked(true);
  shown->Get<UIW_BUTTON>("CANCEL_BUTTON")->click();
  settle();
  EXPECT_EQ(settings.updateServiceOption, 0);
  EXPECT_TRUE(state.exitConfirmed);
}

TEST_F(OnlineCommandsTest, OkOpensTheUpdateServiceAndTheProgramStays) {
  resetReminder(folders.program.path(), currentMonth() % 12 + 1);
  leave();
  ASSERT_NE(reminder(), nullptr);
  reminder()->Get<UIW_BUTTON>("OK_BUTTON")->click();
  settle();
  EXPECT_FALSE(state.exitConfirmed);
  EXPECT_NE(UI_WINDOW_MANAGER::instance().findKind(codes::kKindOnline), nullptr);
  EXPECT_EQ(settings.updateServiceOption, 1);
}

TEST_F(OnlineCommandsTest, NotShownThisMonthAfterThreeOrWhenSwitchedOff) {
  struct Case {
    const char* name;
    int month;
    const char* reminders;
    int reminderSwitch;
  };
  const int now = currentMonth(), other = currentMonth() % 12 + 1;
  const Case cases[] = {{"checked this month", now, "0", 1},
                        {"reminded three times", other, "3", 1},
                        {"switched off", other, "0", 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    resetReminder(folders.program.path(), c.month);
    folders.program.write("remind.cnt", c.reminders);
    settings.updateServiceOption = c.reminderSwitch;
    state.exitConfirmed = false;
    UI_EVENT_MANAGER::instance().resetExit();
    main.reset();
    app::registerOnline(window(), tables, store, user, {state, settings, usage});
    leave();
    EXPECT_EQ(reminder(), nullptr);
    EXPECT_TRUE(state.exitConfirmed);
  }
}

TEST_F(OnlineCommandsTest, TheMailCommandOpensOneMailWindowWithTheRecipesAskedFor) {
  store::Recipe soup;
  soup.name = "Egg Soup";
  const long uid = tables.recipes().save(0, 1, soup, true);
  window().post(UI_EVENT(codes::kSendMail));
  settle();
  auto* mail = UI_WINDOW_MANAGER::instance().findKind(codes::kKindMail);
  ASSERT_NE(mail, nullptr);
  EXPECT_EQ(mail->resourceName(), "MAIL_WINDOW");
  EXPECT_EQ(mail->Get<UIW_VT_LIST>("RECIPES")->count(), 0);
  // A saved recipe window's E-mail comes with its recipe: the same window gets it.
  window().post(UI_EVENT(codes::kSendMail, uid));
  settle();
  EXPECT_EQ(UI_WINDOW_MANAGER::instance().findKind(codes::kKindMail), mail);
  ASSERT_EQ(mail->Get<UIW_VT_LIST>("RECIPES")->count(), 1);
  EXPECT_EQ(mail->Get<UIW_VT_LIST>("RECIPES")->entry(0).text, "Egg Soup");
  // The update service's command switches the reminder back on.
  settings.updateServiceOption = 0;
  window().post(UI_EVENT(codes::kUpdateService));
  settle();
  EXPECT_EQ(settings.updateServiceOption, 1);
  EXPECT_NE(UI_WINDOW_MANAGER::instance().findKind(codes::kKindOnline), nullptr);
}

}  // namespace
}  // namespace savora::online
