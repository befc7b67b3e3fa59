// INGREDIENT_LIST: the window object the unit list and the ingredient list share. It lists
// names in the order the list gives them, each shown with one leading blank, narrows them to
// the names that contain every word the user types into the list, and asks the two delete
// questions. New, Open and Delete of a record are the serving list's.
#pragma once

#include <functional>
#include <memory>

#include <string>
#include <vector>

#include "toolkit/type_ahead.h"
#include "toolkit/uiw_window.h"
#include "toolkit/user.h"
#include "toolkit/window_spec.h"

namespace savora::food {

extern const toolkit::WindowSpec kFoodListSpec;

class FoodListWindow : public toolkit::UIW_WINDOW {
 public:
  // The texts that tell the two lists apart.
  struct Texts {
    const char* title;
    const char* selectFirstIcon;  // icon of the "select first" messages
    const char* openFirst;        // shown for Open without a selection
    const char* deleteFirst;      // shown for Delete without a selection
    const char* deleteTitle;      // title of the two delete questions
  };

  int Event(const toolkit::UI_EVENT& event) override;

  // Reads the records again and shows those the search lets through, with `selectUid` current
  // (0: none). A record the search hides clears the search, so that it shows.
  void refresh(long selectUid);
  // The type-ahead buffer: a leading blank, then what the user has typed into the list.
  const std::string& searchText() const { return typeAhead_.text(); }

 protected:
  struct Item {
    std::string name;
    long uid = 0;
  };

  // Derived windows call refresh(0) once they are built.
  FoodListWindow(const Texts& texts, int kind, toolkit::User& user);

  // Every record, in the order the list shows them.
  virtual std::vector<Item> loadItems() = 0;
  virtual void newRecord() = 0;
  virtual void openRecord(long uid) = 0;
  // Deletes the record everywhere it is used.
  virtual void deleteRecord(long uid) = 0;
  // The name the delete questions give the record (by default the name shown).
  virtual std::string nameForQuestions(long uid, const std::string& shown);

  toolkit::User& user() { return user_; }
  // For an information window opened from the list: refreshes the list with the given record
  // current, unless the list has been closed meanwhile.
  std::function<void(long selectUid)> refresher();

 private:
  // Shows the items that contain every typed word; false when none does.
  bool fill();
  void typed(int character, bool shifted);
  void openSelected();
  void deleteSelected();

  Texts texts_;
  toolkit::User& user_;
  toolkit::UIW_VT_LIST* list_;
  toolkit::UIW_STRING* search_;
  toolkit::TypeAhead typeAhead_;
  std::vector<Item> items_;
  // Expires with the list, so a window that outlives it does not call back.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace savora::food
