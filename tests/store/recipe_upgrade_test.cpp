#include <gtest/gtest.h>

#include "platform/file_ops.h"
#include "platform/program_dirs.h"
#include "scripted_user.h"
#include "store/recipe_upgrade.h"
#include "temp_folder.h"

namespace savora::store {
namespace {

using savora::testing::ScriptedUser;
using savora::testing::TempFolder;

class RecipeUpgradeTest : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override { ASSERT_TRUE(platform::setProgramDirectory(dir.str())); }
  TempFolder dir;
  ScriptedUser user;
  TableStore store{user};
};

// Writes two recipes in the old table's own format, as the old program left them.
void writeOldTable(TableStore& store, const std::string& name) {
  const RecipeFormat format = formatOfOldTable(name);
  RecipeTable old(store, name, format);
  old.open();
  for (long uid : {4L, 9L}) {
    old.appendStart(uid);
    old.setNumber("CHAP_UID", 3);
    old.setText("NAME", uid == 4 ? "Pot Roast" : "Gravy");
    if (format == RecipeFormat::Oldest) {
      old.setText("DESCRIP", "Sunday dinner");
    } else {
      old.setMemo("DESCRIP", "Sunday dinner");
    }
    old.setMemo("INSTRUC", "Braise slowly.");
    old.setNumber("SERVE", 6);
    old.setText("QUAN1", "2");
    old.setNumber("UNIT1", 3);
    old.setNumber("INGR1", uid == 9 ? 30004 : 17);
    if (format == RecipeFormat::Current) {
      old.setMemo("MEDIA", "roast.bmp||roast.mpg");
      old.setMemo("1INFO1", "lean");
      old.setMemo("2INFO1", "trimmed");
    } else {
      old.setText("BITMAP", uid == 4 ? "C:\\SAVORA\\CMM\\roast.cmm" : "");
      old.setMemo("INFO1", "trimmed");
    }
    old.append();
  }
  old.close();
}

TEST_P(RecipeUpgradeTest, CopiesEveryRecipeKeepingIdentifiersAndDeletesTheOldTable) {
  const std::string name = GetParam();
  const RecipeFormat format = formatOfOldTable(name);
  writeOldTable(store, name);
  dir.write("cmm/roast.cmm", "roast.bmp\r\n\r\nroast.mpg\r\nignored fourth line\r\n");

  RecipeTable current(store, "rc65");
  current.open();
  upgradeRecipes(store, current, name);
  for (const char* ext : {".dbf", ".cdx", ".fpt"})
    EXPECT_FALSE(platform::fileExists(name + ext)) << ext;
  EXPECT_EQ(user.statusHistory().front().title, "Upgrading Recipes");
  EXPECT_EQ(user.statusHistory().front().text, "Upgrading Pot Roast");
  EXPECT_FALSE(user.statusShown());

  Recipe roast, gravy;
  ASSERT_EQ(current.load(4, roast), 3);
  ASSERT_EQ(current.load(9, gravy), 3);
  EXPECT_EQ(roast.name, "Pot Roast");
  EXPECT_EQ(roast.description, "Sunday dinner");
  EXPECT_EQ(roast.instructions, "Braise slowly.");
  EXPECT_EQ(roast.servings, 6);
  EXPECT_EQ(roast.media, (std::array<std::string, 3>{"roast.bmp", "", "roast.mpg"}));
  if (format == RecipeFormat::Current) {
    EXPECT_EQ(gravy.media, roast.media);
  } else {
    EXPECT_EQ(gravy.media, (std::array<std::string, 3>{"", "", ""}));  // no media list file
  }
  EXPECT_EQ(roast.lines[0].quantity, "2");
  EXPECT_EQ(roast.lines[0].unit, 3);
  EXPECT_EQ(roast.lines[0].ingredient, 17);
  EXPECT_EQ(gravy.lines[0].ingredient, 30004);  // still points at the roast: identifiers kept
  EXPECT_EQ(roast.lines[0].info1, format == RecipeFormat::Current ? "lean" : "");
  EXPECT_EQ(roast.lines[0].info2, "trimmed");
  EXPECT_EQ(current.nextUid(), 10);
}

INSTANTIATE_TEST_SUITE_P(OldFormats, RecipeUpgradeTest,
                         ::testing::Values("recipe", "rc63", "rc64"));

TEST(RecipeUpgradeMissingTest, AMissingOldTableChangesNothing) {
  TempFolder dir;
  ASSERT_TRUE(platform::setProgramDirectory(dir.str()));
  ScriptedUser user;
  TableStore store(user);
  RecipeTable current(store, "rc65");
  current.open();
  // Opening creates a missing table, so an absent old table upgrades to nothing.
  upgradeRecipes(store, current, "rc64");
  EXPECT_EQ(current.nextUid(), 1);
}

}  // namespace
}  // namespace savora::store
