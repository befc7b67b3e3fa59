#include <gtest/gtest.h>

#include <cstdlib>

#include "backup/backup_schedule.h"
#include "platform/file_ops.h"
#include "platform/program_dirs.h"
#include "scripted_user.h"
#include "temp_folder.h"

namespace savora::backup {
namespace {

using savora::testing::readFileBytes;
using savora::testing::ScriptedUser;
using savora::testing::TempFolder;

class BackupScheduleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(platform::setProgramDirectory(data.str()));
    ::setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
    EXPECT_TRUE(platform::writeWholeFile(automaticBackupPath(), "archive"));
  }
  TempFolder data, config;
  ScriptedUser user;
  store::TableStore store{user};
};

TEST_F(BackupScheduleTest, EveryTenthDayOfUseIsDue) {
  data.write("backup.cnt", "059");
  EXPECT_TRUE(isBackupDue(store, user, 6));
  EXPECT_EQ(readFileBytes(data.path() / "backup.cnt"), "060");
  // The same day again counts once more only because the counter is 0.
  EXPECT_FALSE(isBackupDue(store, user, 6));
  EXPECT_EQ(readFileBytes(data.path() / "backup.cnt"), "061");
  EXPECT_FALSE(isBackupDue(store, user, 6));
  EXPECT_EQ(readFileBytes(data.path() / "backup.cnt"), "061");
  EXPECT_FALSE(isBackupDue(store, user, 17));
  EXPECT_EQ(readFileBytes(data.path() / "backup.cnt"), "172");
}

TEST_F(BackupScheduleTest, FiveNewRecipesOrAMissingArchiveMakeItDue) {
  data.write("backup.cnt", "063");
  for (int i = 0; i < 4; ++i) store.countRecipeAdded();
  EXPECT_FALSE(isBackupDue(store, user, 6));
  store.countRecipeAdded();
  EXPECT_TRUE(isBackupDue(store, user, 6));
  EXPECT_EQ(store.recipesAdded(), 0);  // found due: the count starts again
  EXPECT_FALSE(isBackupDue(store, user, 6));
  ASSERT_TRUE(platform::deleteFile(automaticBackupPath()));
  EXPECT_TRUE(isBackupDue(store, user, 6));
}

TEST_F(BackupScheduleTest, CounterFileFormatsAndDamage) {
  EXPECT_EQ(backupCounterText(6, 0), "060");
  EXPECT_EQ(backupCounterText(25, 3), "253");
  writeBackupDone(9);
  EXPECT_EQ(readFileBytes(data.path() / "backup.cnt"), "090");
  data.write("backup.cnt", "x?");  // damaged: counted from nothing
  EXPECT_FALSE(isBackupDue(store, user, 2));
  EXPECT_EQ(readFileBytes(data.path() / "backup.cnt"), "021");
}

TEST_F(BackupScheduleTest, FeedbackIsAskedOnceWhenDue) {
  data.write("email.us");
  data.write("backup.cnt", "069");
  user.expectMessage(
      "Give Us Feedback!",
      "Thank you for using Savora!\r\n\r\nWe would love to hear what you think of it. "
      "Please send your comments\r\nand suggestions to us by e-mail or give us a call.");
  EXPECT_TRUE(isBackupDue(store, user, 7));
  EXPECT_EQ(user.messages().at(0).icon, "EXCLAMATION");
  EXPECT_FALSE(platform::fileExists("email.us"));
}

}  // namespace
}  // namespace savora::backup
