// YEAR_WINDOW (kind 1100): the plan window. Twelve month lists (FIELD_2, FIELD_4, ...
// FIELD_24) that menus are dragged onto from WEEK_LIST; the list of plans YEAR_LIST ending with
// "<new plan>"; renaming by a drop on the Rename button; deleting; saving, and the save
// question on choosing another plan and on closing. Opening a menu item asks for the menu window.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "planning/named_list_choice.h"
#include "planning/named_list_events.h"
#include "planning/week_table.h"
#include "planning/year_table.h"
#include "print/print_service.h"
#include "toolkit/uiw_window.h"
#include "toolkit/user.h"
#include "toolkit/window_spec.h"

namespace savora::planning {

extern const toolkit::WindowSpec kYearWindowSpec;

class YearWindow;

struct YearWindowServices {
  YearTable& years;
  WeekTable& weeks;
  toolkit::User& user;
  // Opens the menu window on the menu of this name.
  std::function<void(const std::string& menu)> openMenu{};
  std::shared_ptr<print::PrintService> printing{};
  std::function<void(YearWindow& window)> list{};
  int* exitState = nullptr;
};

class YearWindow : public toolkit::UIW_WINDOW {
 public:
  explicit YearWindow(YearWindowServices services);

  int Event(const toolkit::UI_EVENT& event) override;
  bool hasUnsavedChanges() const override { return choice_.modified(); }

  const std::string& currentPlan() const { return choice_.current(); }
  // The menu UIDs of a month list, top to bottom (0 January ... 11 December).
  std::vector<long> monthMenus(int month) const;

 private:
  void fillMenus();
  // Menus were made, renamed or deleted elsewhere: the lists show them as they are now.
  void menusChanged();
  void load(long uid);
  bool write(long uid);
  void dropOnMonth(const toolkit::UI_EVENT& event);
  void removeMenu();
  void close();
  int monthOf(const toolkit::UI_WINDOW_OBJECT* object) const;

  YearWindowServices services_;
  NamedListChoice choice_;
  NamedListEvents events_;
  std::array<toolkit::UIW_VT_LIST*, kMonthsInYear> months_{};
  toolkit::UIW_VT_LIST* plans_;
  toolkit::UIW_VT_LIST* menus_;
  toolkit::UI_WINDOW_OBJECT* lastList_ = nullptr;
  bool closed_ = false;
};

}  // namespace savora::planning
