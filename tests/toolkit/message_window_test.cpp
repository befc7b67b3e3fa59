#include <gtest/gtest-spi.h>

#include <QAbstractButton>
#include <QMessageBox>
#include <QTimer>

#include "scripted_user.h"
#include "toolkit/message_window.h"
#include "toolkit_fixture.h"

namespace savora::toolkit {
namespace {

// Presses `button` of the message box once it is shown, and records what the box showed.
struct Presser {
  explicit Presser(QMessageBox::StandardButton toPress) : button(toPress) {}
  QMessageBox::StandardButton button;
  QString text, title;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  int buttonCount = 0;
  void arm(ZAF_MESSAGE_WINDOW& window) {
    QMessageBox* box = window.box();
    QTimer::singleShot(0, box, [this, box] {
      text = box->text();
      title = box->windowTitle();
      icon = box->icon();
      buttonCount = int(box->buttons().size());
      if (button == QMessageBox::NoButton) {
        box->reject();  // closed without a button (Escape or the title bar)
      } else {
        box->button(button)->click();
      }
    });
  }
};

TEST(MessageWindowTest, ShowsTitleIconButtonsAndLineBrokenTextAndReturnsTheButton) {
  ZAF_MESSAGE_WINDOW window(
      "Wait!", "hand", Buttons::YesNoCancel,
      "A menu with that name already exists.\r\nTo edit a menu name, drag it.");
  Presser presser(QMessageBox::No);
  presser.arm(window);
  EXPECT_EQ(window.Control(), Button::No);
  EXPECT_EQ(presser.title, "Wait!");
  EXPECT_EQ(presser.text, "A menu with that name already exists.\nTo edit a menu name, drag it.");
  EXPECT_EQ(presser.icon, QMessageBox::Critical);
  EXPECT_EQ(presser.buttonCount, 3);
}

TEST(MessageWindowTest, IconNamesInAnyCaseAndClosingWithoutAButton) {
  struct Case {
    const char* icon;
    QMessageBox::Icon expected;
  } cases[] = {{"QUESTION", QMessageBox::Question},
               {"Asterisk", QMessageBox::Information},
               {"EXCLAMATION", QMessageBox::Warning},
               {"information", QMessageBox::Information},
               {"ERROR", QMessageBox::Critical}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.icon);
    ZAF_MESSAGE_WINDOW window("Title", c.icon, Buttons::Ok, "text");
    Presser presser(QMessageBox::Ok);
    presser.arm(window);
    EXPECT_EQ(window.Control(), Button::Ok);
    EXPECT_EQ(presser.icon, c.expected);
  }
  ZAF_MESSAGE_WINDOW yesNo("Exit Savora?", "QUESTION", Buttons::YesNo, "\r\nExit Savora?");
  Presser escape(QMessageBox::NoButton);
  escape.arm(yesNo);
  EXPECT_EQ(yesNo.Control(), Button::No);
  EXPECT_EQ(escape.text, "\nExit Savora?");
}

TEST(ScriptedUserTest, AnswersExpectedMessagesAndFailsOnSurprises) {
  savora::testing::ScriptedUser user;
  user.expectMessage("Exit Savora?", "\r\nExit Savora?", Button::Yes);
  user.answerNextMessage(Button::No);
  EXPECT_EQ(user.message("Exit Savora?", "QUESTION", Buttons::YesNo, "\r\nExit Savora?"),
            Button::Yes);
  EXPECT_EQ(user.message("Anything", "HAND", Buttons::YesNo, "at all"), Button::No);
  ASSERT_EQ(user.messages().size(), 2u);
  EXPECT_EQ(user.messages()[1].icon, "HAND");

  EXPECT_NONFATAL_FAILURE(user.message("Wait!", "HAND", Buttons::Ok, "surprise"),
                          "unexpected message");
  user.expectMessage("Wait!", "expected text");
  EXPECT_NONFATAL_FAILURE(user.message("Wait!", "HAND", Buttons::Ok, "other text"), "message text");
  user.expectMessage("Never", "shown");
  EXPECT_NONFATAL_FAILURE(user.verifyAllAnswered(), "expected message never came");

  user.answerPrompt("Week 1");
  user.answerFileDialog(std::nullopt);
  EXPECT_EQ(user.prompt("New Menu Name", "Enter the name", 80, ""), "Week 1");
  EXPECT_EQ(user.openFileName("Restore Savora Data...", "Backup Files (*.ck9)", "\\"),
            std::nullopt);
  EXPECT_EQ(user.dialogs(), (std::vector<std::string>{"New Menu Name", "Restore Savora Data..."}));
}

}  // namespace
}  // namespace savora::toolkit
