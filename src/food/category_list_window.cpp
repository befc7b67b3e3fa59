#include "food/category_list_window.h"

#include "codes/program_codes.h"
#include "platform/text.h"

namespace savora::food {

using namespace savora::toolkit;

namespace {

using namespace savora::codes;
using namespace savora::codes::category_list_window;

constexpr int kNameLength = 80;

}  // namespace

const WindowSpec kCategoryListSpec{"CATEGORY_LIST",
                                   {{"LIST", 0, ObjectKind::List},
                                    {"PERISHABLE", 0, ObjectKind::Button},
                                    {"NEW_BUTTON", 0, ObjectKind::Button},
                                    {"OPEN_BUTTON", 0, ObjectKind::Button},
                                    {"MOVE_UP", 0, ObjectKind::Button},
                                    {"MOVE_DOWN", 0, ObjectKind::Button},
                                    {"DELETE_BUTTON", 0, ObjectKind::Button}}};

CategoryListWindow::CategoryListWindow(FoodGroupTable& groups, User& user)
    : UIW_WINDOW(kCategoryListSpec.resource), groups_(groups), user_(user) {
  resolve(kCategoryListSpec);
  list_ = Get<UIW_VT_LIST>("LIST");
  perishable_ = Get<UIW_BUTTON>("PERISHABLE");
  fill(0);
}

void CategoryListWindow::fill(long selectUid) {
  list_->clear();
  for (const FoodGroup& group : groups_.groups()) list_->add({group.name, group.uid});
  list_->setCurrent(list_->findId(selectUid));
  // Selecting without the list's event: the check box follows here.
  if (list_->current() >= 0) perishable_->setChecked(groups_.perishableOf(list_->currentId()));
}

std::string CategoryListWindow::selectedName() const {
  return list_->current() < 0 ? std::string() : list_->text();
}

int CategoryListWindow::Event(const UI_EVENT& event) {
  switch (event.type) {
    case kNew:
      newGroup();
      break;
    case kOpen:
      openGroup();
      break;
    case kMoveUp:
      move(-1);
      break;
    case kMoveDown:
      move(1);
      break;
    case kDelete:
      deleteGroup();
      break;
    case kSelect:
      perishable_->setChecked(groups_.perishableOf(event.values[1]));
      break;
    default:
      return UIW_WINDOW::Event(event);
  }
  return event.type;
}

void CategoryListWindow::newGroup() {
  const auto name = user_.prompt("New Food Group Name",
                                 "Enter the name of your food group. For example, you could type "
                                 "\"Dairy,\" \"Fresh Produce,\" "
                                 "\"Canned Goods,\" etc...",
                                 kNameLength, "");
  if (!name || platform::trim(*name).empty()) return;
  if (list_->findText(platform::trim(*name)) >= 0) {
    user_.message("Wait!", "HAND", Buttons::Ok, "That name is already on the list.");
    return;
  }
  fill(groups_.add(*name, perishable_->isChecked()));
}

void CategoryListWindow::openGroup() {
  const std::string name = selectedName();
  if (name.empty()) {
    user_.message("Nothing to Open", "INFORMATION", Buttons::Ok,
                  "Select a group first, then click Open.");
    return;
  }
  const long uid = list_->currentId();
  // The check box shows the group's flag since it was selected; what the user ticked is kept.
  const auto answer =
      user_.prompt("Edit Food Group Name", "Change the food group name now by typing the new name.",
                   kNameLength, name);
  if (!answer || platform::trim(*answer).empty()) return;
  const std::string newName = platform::trim(*answer);
  const long other = groups_.uidOf(newName);
  if (other != 0 && other != uid) {
    // Another group's name: the two become one, the edited group's brands moving over.
    groups_.remove(name, newName);
    fill(other);
    return;
  }
  groups_.rename(name, newName, perishable_->isChecked());
  fill(uid);
}

void CategoryListWindow::move(int step) {
  const int row = list_->current();
  const int neighbour = row + step;
  if (row < 0 || neighbour < 0 || neighbour >= list_->count()) return;
  const long uid = list_->currentId();
  groups_.swapOrder(list_->entry(row).text, list_->entry(neighbour).text);
  fill(uid);
}

void CategoryListWindow::deleteGroup() {
  const std::string name = selectedName();
  if (name.empty()) {
    user_.message("Nothing to Delete", "INFORMATION", Buttons::Ok,
                  "Select a group first, then click Delete.");
    return;
  }
  if (user_.message("Delete Food Group?", "QUESTION", Buttons::YesNo,
                    platform::formatText("Are you sure you want to delete %s?", name.c_str())) !=
      Button::Yes) {
    return;
  }
  groups_.remove(name, std::nullopt);
  fill(0);
}

}  // namespace savora::food
