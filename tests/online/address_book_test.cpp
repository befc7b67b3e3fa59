// The address book table and its entry rules.
#include "online/address_book.h"

#include <gtest/gtest.h>

#include "program_folders.h"
#include "scripted_user.h"

namespace savora::online {
namespace {

class AddressBookTest : public testing::ProgramFoldersTest {
 protected:
  void SetUp() override {
    ProgramFoldersTest::SetUp();
    book.open();
  }
  testing::ScriptedUser user;
  store::TableStore store{user};
  EmailAddressTable book{store};
};

TEST_F(AddressBookTest, AddsEditsAndDeletesInTableOrder) {
  user.answerPrompt("zed@example.org  ");
  EXPECT_EQ(askNewAddress(user, book), "zed@example.org");
  user.answerPrompt("amy@example.org");
  EXPECT_EQ(askNewAddress(user, book), "amy@example.org");
  EXPECT_EQ(book.addresses(), (std::vector<std::string>{"zed@example.org", "amy@example.org"}));

  user.answerPrompt("ZED@example.org ");  // the same address again, in other letters
  user.expectMessage("Wait!",
                     "That e-mail address is already on your list.\r\nTo edit a menu name, drag "
                     "the name over\r\nand drop it on the magnifying glass icon.");
  EXPECT_EQ(askNewAddress(user, book), "");
  user.answerPrompt("amy@example.org\r\nBcc: x@y.org");
  user.answerNextMessage(toolkit::Button::Ok);
  EXPECT_EQ(askNewAddress(user, book), "");

  user.answerPrompt("Zed@Example.org");  // an edit may change only the letter case
  EXPECT_EQ(askEditedAddress(user, book, "zed@example.org"), "Zed@Example.org");
  user.expectMessage("Delete Address?", "Are you sure you want to delete amy@example.org?",
                     toolkit::Button::Yes);
  EXPECT_TRUE(askDeleteAddress(user, book, "amy@example.org"));
  book.close();  // packs
  book.open();
  EXPECT_EQ(book.addresses(), std::vector<std::string>{"Zed@Example.org"});
  user.answerPrompt("bob@example.org");
  askNewAddress(user, book);
  EXPECT_EQ(book.addresses(), (std::vector<std::string>{"Zed@Example.org", "bob@example.org"}));
}

}  // namespace
}  // namespace savora::online
