// The program's first start offers the starter kitchen once, whatever the answer.
#include <gtest/gtest.h>

#include "../app/app_fixture.h"
#include "app/program.h"
#include "food/food_group_table.h"
#include "food/unit_table.h"
#include "toolkit/event_codes.h"

namespace savora::app {
namespace {

using namespace savora::toolkit;
using savora::testing::ScriptedUser;

const char* const kOfferText =
    "Your lists of units, food groups and ingredients are empty.\r\n\r\nWould you like to start "
    "with a kitchen's units (US and metric, with their conversions) and food groups for the "
    "shopping list?";

// A first start: the fixture's mark that the offer was made is taken away.
struct FirstStart : ProgramFolders {
  FirstStart() {
    EXPECT_TRUE(platform::IniFile(installedTitlesPath()).removeKey("Kitchen", "Offered"));
    config.write("savora99/savorabackup.ck9");  // no backup due at exit
  }
};

int runAndLeave(const ProgramFolders& folders, ScriptedUser& user) {
  UI_EVENT_MANAGER::instance().clear();
  UI_EVENT_MANAGER::instance().post(nullptr, UI_EVENT(L_EXIT_FUNCTION));
  const int result = runProgram(folders.program.str(), user);
  UI_EVENT_MANAGER::instance().clear();
  return result;
}

// The number of units and food groups the program folder's tables hold.
std::pair<size_t, size_t> kitchenSize(const ProgramFolders& folders) {
  EXPECT_TRUE(platform::setProgramDirectory(folders.program.str()));
  ScriptedUser quiet;
  store::TableStore store(quiet);
  food::UnitTable units(store);
  food::FoodGroupTable groups(store);
  units.open();
  groups.open();
  size_t count = 0;
  for (auto name = units.firstName(true, {}); name; name = units.nextName()) ++count;
  return {count, groups.groups().size()};
}

TEST(FirstStartTest, DecliningTheKitchenLeavesTheListsEmptyAndIsNotAskedAgain) {
  FirstStart folders;
  ScriptedUser user;
  user.expectMessage("Set Up Your Kitchen?", kOfferText, Button::No);
  user.expectMessage("Exit Savora?", "\r\nExit Savora?", Button::Yes);
  EXPECT_EQ(runAndLeave(folders, user), 0);
  EXPECT_EQ(kitchenSize(folders), (std::pair<size_t, size_t>{0, 0}));

  ScriptedUser again;
  again.expectMessage("Exit Savora?", "\r\nExit Savora?", Button::Yes);
  EXPECT_EQ(runAndLeave(folders, again), 0);
}

TEST(FirstStartTest, AcceptingTheKitchenFillsUnitsAndFoodGroups) {
  FirstStart folders;
  ScriptedUser user;
  user.expectMessage("Set Up Your Kitchen?", kOfferText, Button::Yes);
  user.expectMessage("Exit Savora?", "\r\nExit Savora?", Button::Yes);
  EXPECT_EQ(runAndLeave(folders, user), 0);
  const auto [units, groups] = kitchenSize(folders);
  EXPECT_GE(units, 12u);
  EXPECT_GE(groups, 10u);
}

}  // namespace
}  // namespace savora::app
