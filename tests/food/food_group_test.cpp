#include <gtest/gtest.h>

#include <QListWidget>

#include "food/category_list_window.h"
#include "food/food_group_table.h"
#include "program_folders.h"
#include "scripted_user.h"
#include "toolkit/event_manager.h"
#include "toolkit/object_store.h"
#include "window_objects.h"

namespace savora::food {
namespace {

using savora::testing::ScriptedUser;
using toolkit::Button;

class FoodGroupTest : public savora::testing::ProgramFoldersTest {
 protected:
  void SetUp() override {
    ProgramFoldersTest::SetUp();
    groups.open();
    groups.moveBrands = [this](long from, long to) { moves.emplace_back(from, to); };
  }
  std::vector<std::string> names() {
    std::vector<std::string> out;
    for (const auto& g : groups.groups()) out.push_back(g.name);
    return out;
  }

  ScriptedUser user;
  store::TableStore store{user};
  FoodGroupTable groups{store};
  std::vector<std::pair<long, long>> moves;
};

TEST_F(FoodGroupTest, GroupsKeepTheirShoppingListOrder) {
  const long dairy = groups.add("Dairy", true);
  const long produce = groups.add("  Fresh Produce ", true);
  const long canned = groups.add("Canned Goods", false);
  EXPECT_EQ(names(), (std::vector<std::string>{"Dairy", "Fresh Produce", "Canned Goods"}));
  EXPECT_TRUE(groups.swapOrder("canned goods", "DAIRY"));
  EXPECT_EQ(names(), (std::vector<std::string>{"Canned Goods", "Fresh Produce", "Dairy"}));
  EXPECT_EQ(groups.orderOf(canned), 1);
  EXPECT_TRUE(groups.perishableOf(produce));
  EXPECT_FALSE(groups.perishableOf(canned));
  EXPECT_EQ(groups.uidOf("fresh produce"), produce);
  EXPECT_EQ(groups.nameOf(dairy), "Dairy");
  // Missing groups: empty name, no UID, and an order after every group.
  EXPECT_EQ(groups.nameOf(99), "");
  EXPECT_EQ(groups.uidOf("Bakery"), 0);
  EXPECT_EQ(groups.orderOf(99), kMissingGroupOrder);
  EXPECT_FALSE(groups.perishableOf(0));
  EXPECT_EQ(groups.addWithUid(40, "Bakery", false), 40);
  EXPECT_EQ(groups.orderOf(40), 4);
}

TEST_F(FoodGroupTest, DeletingMovesBrandsAndAnyDeletionPacksAtClose) {
  const long dairy = groups.add("Dairy", true);
  const long frozen = groups.add("Frozen", true);
  groups.add("Snacks", false);
  EXPECT_TRUE(groups.remove("Dairy", std::string("frozen")));
  EXPECT_TRUE(groups.remove("snacks", std::nullopt));
  EXPECT_FALSE(groups.remove("Snacks", std::nullopt));
  EXPECT_EQ(moves, (std::vector<std::pair<long, long>>{{dairy, frozen}, {3, 0}}));
  EXPECT_EQ(names(), std::vector<std::string>{"Frozen"});
  groups.close();
  ASSERT_FALSE(user.statusHistory().empty());
  EXPECT_EQ(user.statusHistory().back().text, "Compressing Food Group Data...Please Wait.");
  groups.open();
  EXPECT_EQ(groups.table().recordCount(), 1u);
}

class CategoryListTest : public FoodGroupTest {
 protected:
  void SetUp() override {
    FoodGroupTest::SetUp();
    ASSERT_TRUE(savora::testing::openWindowObjects());
    groups.add("Dairy", true);
    groups.add("Canned Goods", false);
    window = std::make_unique<CategoryListWindow>(groups, user);
    list = window->Get<toolkit::UIW_VT_LIST>("LIST");
  }
  void TearDown() override {
    window.reset();
    savora::testing::closeWindowObjects();
  }
  void click(const char* button) {
    window->Get<toolkit::UIW_BUTTON>(button)->click();
    toolkit::UI_EVENT_MANAGER::instance().processAll();
  }
  std::unique_ptr<CategoryListWindow> window;
  toolkit::UIW_VT_LIST* list = nullptr;
};

TEST_F(CategoryListTest, NewOpenMoveAndDeleteThroughTheWindow) {
  EXPECT_EQ(list->count(), 2);
  user.expectMessage("Nothing to Open", "Select a group first, then click Open.");
  click("OPEN_BUTTON");
  user.expectMessage("Nothing to Delete", "Select a group first, then click Delete.");
  click("DELETE_BUTTON");

  user.answerPrompt("dairy");
  user.expectMessage("Wait!", "That name is already on the list.");
  click("NEW_BUTTON");
  user.answerPrompt("Fresh Produce");
  window->Get<toolkit::UIW_BUTTON>("PERISHABLE")->setChecked(true);
  click("NEW_BUTTON");
  ASSERT_EQ(list->count(), 3);
  EXPECT_EQ(list->text(), "Fresh Produce");
  EXPECT_TRUE(groups.perishableOf(groups.uidOf("Fresh Produce")));

  click("MOVE_UP");
  EXPECT_EQ(list->entry(1).text, "Fresh Produce");
  EXPECT_EQ(list->text(), "Fresh Produce");
  list->setCurrent(0);
  click("MOVE_UP");  // at the top: nothing happens
  EXPECT_EQ(list->entry(0).text, "Dairy");

  // Renaming to another group's name merges the two.
  list->setCurrent(list->findText("Canned Goods"));
  user.answerPrompt("DAIRY");
  click("OPEN_BUTTON");
  EXPECT_EQ(list->count(), 2);
  EXPECT_EQ(moves.back().second, groups.uidOf("Dairy"));
  // A new name renames the group.
  list->setCurrent(list->findText("Dairy"));
  user.answerPrompt("Dairy Case");
  click("OPEN_BUTTON");
  EXPECT_EQ(list->entry(0).text, "Dairy Case");

  user.expectMessage("Delete Food Group?", "Are you sure you want to delete Dairy Case?",
                     Button::Yes);
  click("DELETE_BUTTON");
  EXPECT_EQ(list->count(), 1);
  EXPECT_EQ(user.dialogs().size(), 4u);
}

TEST_F(CategoryListTest, TheCheckBoxFollowsTheSelectionAndOpenKeepsWhatWasTicked) {
  auto* perishable = window->Get<toolkit::UIW_BUTTON>("PERISHABLE");
  auto* rows = static_cast<QListWidget*>(list->widget());
  rows->setCurrentRow(list->findText("Dairy"));
  toolkit::UI_EVENT_MANAGER::instance().processAll();
  EXPECT_TRUE(perishable->isChecked());
  rows->setCurrentRow(list->findText("Canned Goods"));
  toolkit::UI_EVENT_MANAGER::instance().processAll();
  EXPECT_FALSE(perishable->isChecked());

  perishable->setChecked(true);
  user.answerPrompt("Canned Goods");  // the name kept, the flag changed
  click("OPEN_BUTTON");
  EXPECT_TRUE(groups.perishableOf(groups.uidOf("Canned Goods")));
  EXPECT_TRUE(perishable->isChecked());
}

}  // namespace
}  // namespace savora::food
