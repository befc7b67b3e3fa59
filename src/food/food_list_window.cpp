#include "food/food_list_window.h"

#include "codes/program_codes.h"
#include "platform/text.h"

namespace savora::food {

using namespace savora::toolkit;

namespace {

using namespace savora::codes;
using namespace savora::codes::food_list_window;

}  // namespace

const WindowSpec kFoodListSpec{"INGREDIENT_LIST",
                               {{"LIST", 0, ObjectKind::List},
                                {"SEARCH_STRING", 0, ObjectKind::String},
                                {"NEW_BUTTON", 0, ObjectKind::Button},
                                {"OPEN_BUTTON", 0, ObjectKind::Button},
                                {"DELETE_BUTTON", 0, ObjectKind::Button},
                                {"CLOSE_BUTTON", 0, ObjectKind::Button}}};

FoodListWindow::FoodListWindow(const Texts& texts, int kind, User& user)
    : UIW_WINDOW(kFoodListSpec.resource), texts_(texts), user_(user) {
  resolve(kFoodListSpec);
  list_ = Get<UIW_VT_LIST>("LIST");
  search_ = Get<UIW_STRING>("SEARCH_STRING");
  setTitle(texts.title);
  setNumberID(kind);
}

std::string FoodListWindow::nameForQuestions(long, const std::string& shown) {
  return shown;
}

std::function<void(long)> FoodListWindow::refresher() {
  return [this, alive = std::weak_ptr<bool>(alive_)](long select) {
    if (!alive.expired()) refresh(select);
  };
}

void FoodListWindow::refresh(long selectUid) {
  items_ = loadItems();
  fill();
  if (selectUid != 0 && list_->findId(selectUid) < 0) {
    typeAhead_.reset();
    fill();
  }
  search_->setText(typeAhead_.text());
  list_->setCurrent(list_->findId(selectUid));
}

bool FoodListWindow::fill() {
  list_->clear();
  for (const Item& item : items_) {
    // Entries are shown after one blank, as the type-ahead buffer begins with one.
    if (containsEveryWord(item.name, typeAhead_.text()))
      list_->add({" " + item.name, item.uid, kOpen});
  }
  return list_->count() > 0;
}

void FoodListWindow::typed(int character, bool shifted) {
  if (!typeAhead_.type(character, shifted)) return;
  // A character that would leave nothing to choose from is not taken.
  if (!fill() && character != kBackspaceCharacter) {
    typeAhead_.takeBack();
    fill();
  }
  search_->setText(typeAhead_.text());
  std::vector<std::string> shown;
  for (const ListEntry& entry : list_->entries()) shown.push_back(entry.text);
  list_->setCurrent(findByPrefix(typeAhead_.text(), shown));
}

int FoodListWindow::Event(const UI_EVENT& event) {
  switch (event.type) {
    case kNew:
      newRecord();
      break;
    case kOpen:
      openSelected();
      break;
    case kDelete:
      deleteSelected();
      break;
    case kTyped:
      typed(int(event.values[0]), event.values[1] != 0);
      break;
    default:
      return UIW_WINDOW::Event(event);
  }
  return event.type;
}

void FoodListWindow::openSelected() {
  if (list_->current() < 0) {
    user_.message("Nothing to Open", texts_.selectFirstIcon, Buttons::Ok, texts_.openFirst);
    return;
  }
  openRecord(list_->currentId());
}

void FoodListWindow::deleteSelected() {
  if (list_->current() < 0) {
    user_.message("Nothing to Delete", texts_.selectFirstIcon, Buttons::Ok, texts_.deleteFirst);
    return;
  }
  const long uid = list_->currentId();
  const std::string name = nameForQuestions(uid, platform::trim(list_->text()));
  if (user_.message(texts_.deleteTitle, "QUESTION", Buttons::YesNo,
                    platform::formatText("Are you sure you want to delete %s?", name.c_str())) !=
      Button::Yes) {
    return;
  }
  if (user_.message(texts_.deleteTitle, "QUESTION", Buttons::YesNo,
                    platform::formatText("%s will be removed\r\nfrom every recipe that calls for "
                                         "it.\r\n\r\nAre you sure you want to delete %s?",
                                         name.c_str(), name.c_str())) != Button::Yes) {
    return;
  }
  deleteRecord(uid);
  refresh(0);
}

}  // namespace savora::food
