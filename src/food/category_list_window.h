// CATEGORY_LIST: the food groups in shopping-list order, with new, open (rename or merge), move
// up and down, and delete.
#pragma once

#include "food/food_group_table.h"
#include "toolkit/uiw_window.h"
#include "toolkit/user.h"
#include "toolkit/window_spec.h"

namespace savora::food {

extern const toolkit::WindowSpec kCategoryListSpec;

class CategoryListWindow : public toolkit::UIW_WINDOW {
 public:
  CategoryListWindow(FoodGroupTable& groups, toolkit::User& user);
  int Event(const toolkit::UI_EVENT& event) override;

 private:
  void fill(long selectUid);
  void newGroup();
  void openGroup();
  void move(int step);
  void deleteGroup();
  std::string selectedName() const;

  FoodGroupTable& groups_;
  toolkit::User& user_;
  toolkit::UIW_VT_LIST* list_;
  toolkit::UIW_BUTTON* perishable_;
};

}  // namespace savora::food
