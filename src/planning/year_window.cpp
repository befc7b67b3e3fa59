#include "planning/year_window.h"

#include <algorithm>

#include "codes/program_codes.h"
#include "planning/named_list_window.h"
#include "planning/plan_documents.h"
#include "platform/text.h"
#include "toolkit/event_manager.h"
#include "toolkit/window_manager.h"

namespace savora::planning {

using namespace savora::toolkit;
using platform::formatText;

namespace {

using namespace savora::codes;
using namespace savora::codes::year_window;

// Month list m is the object "FIELD_%d" with 2 x (m + 1).
std::string monthListName(int month) {
  return formatText("FIELD_%d", 2 * (month + 1));
}

WindowSpec yearWindowSpec() {
  WindowSpec spec{"YEAR_WINDOW",
                  {{"YEAR_LIST", 0, ObjectKind::List},
                   {"WEEK_LIST", 0, ObjectKind::List},
                   {"MAGNIFY_BUTTON", 0, ObjectKind::Button},
                   {"DELETE_PLAN_BUTTON", 0, ObjectKind::Button},
                   {"REMOVE_BUTTON", 0, ObjectKind::Button},
                   {"SAVE_BUTTON", 0, ObjectKind::Button},
                   {"PRINT_BUTTON", 0, ObjectKind::Button},
                   {"LIST_BUTTON", 0, ObjectKind::Button},
                   {"CLOSE_BUTTON", 0, ObjectKind::Button}}};
  for (int month = 0; month < kMonthsInYear; ++month)
    spec.children.push_back({monthListName(month), 0, ObjectKind::List});
  return spec;
}

}  // namespace

const WindowSpec kYearWindowSpec = yearWindowSpec();

YearWindow::YearWindow(YearWindowServices services)
    : UIW_WINDOW(kYearWindowSpec.resource),
      services_(std::move(services)),
      choice_(services_.years, services_.user, kPlanTexts,
              {[this](long uid) { return write(uid); }, [this](long uid) { load(uid); },
               [this] { plans_->setFocus(); }, [this] { events_.refresh(); }}),
      events_(choice_, [this](const NamedListShown& shown) {
        showNamedList(*this, *plans_, shown);
      }) {
  resolve(kYearWindowSpec);
  for (int month = 0; month < kMonthsInYear; ++month)
    months_[size_t(month)] = Get<UIW_VT_LIST>(monthListName(month));
  plans_ = Get<UIW_VT_LIST>("YEAR_LIST");
  menus_ = Get<UIW_VT_LIST>("WEEK_LIST");
  Get("PRINT_BUTTON")->setSelectable(bool(services_.printing));
  Get("LIST_BUTTON")->setSelectable(bool(services_.list));

  postNewEntryClicks(*this, *plans_, choice_, kNewPlanClicked);

  WaitPointer wait(services_.user);
  fillMenus();
  events_.start({});
}

std::vector<long> YearWindow::monthMenus(int month) const {
  std::vector<long> uids;
  for (const ListEntry& entry : months_[size_t(month)]->entries()) uids.push_back(entry.id);
  return uids;
}

void YearWindow::fillMenus() {
  menus_->clear();
  for (const std::string& name : services_.weeks.names())
    menus_->add({name, services_.weeks.uidOf(name), kOpenMenu});
}

void YearWindow::menusChanged() {
  fillMenus();
  for (UIW_VT_LIST* month : months_) {
    for (int row = month->count() - 1; row >= 0; --row) {
      ListEntry entry = month->entry(row);
      entry.text = services_.weeks.nameOf(entry.id);
      if (entry.text.empty()) {
        month->remove(row);
      } else {
        month->setEntry(row, entry);
      }
    }
  }
}

void YearWindow::load(long uid) {
  for (UIW_VT_LIST* month : months_) month->clear();
  if (uid == -1) return;
  for (const ListItem& item : services_.years.entriesOf(uid)) {
    if (item.slot < 0 || item.slot >= kMonthsInYear) continue;
    // The menu's name: its first record that is not its media record.
    const std::string name = services_.weeks.nameOf(item.reference);
    if (name.empty()) continue;
    months_[size_t(item.slot)]->add({name, item.reference, kOpenMenu});
  }
}

bool YearWindow::write(long uid) {
  std::vector<ListItem> items;
  for (int month = 0; month < kMonthsInYear; ++month) {
    // A menu deleted since it was placed is not written back.
    for (long menu : monthMenus(month)) {
      if (!services_.weeks.nameOf(menu).empty()) items.push_back({month, menu});
    }
  }
  services_.years.replaceEntries(uid, items);
  return true;
}

int YearWindow::monthOf(const UI_WINDOW_OBJECT* object) const {
  for (int month = 0; month < kMonthsInYear; ++month) {
    if (months_[size_t(month)] == object) return month;
  }
  return -1;
}

void YearWindow::dropOnMonth(const UI_EVENT& event) {
  const int month = event.type - kDropOnJanuary;
  const int fromMonth = monthOf(event.source);
  if (event.source != menus_ && fromMonth < 0) return;
  auto* from = static_cast<UIW_VT_LIST*>(event.source);
  const int row = int(event.values[0]);
  if (row < 0 || row >= from->count()) return;
  const ListEntry dragged = from->entry(row);
  int at = int(event.values[2]);
  if (fromMonth >= 0) {
    // A menu dragged from a month moves.
    from->remove(row);
    if (fromMonth == month && at > row) --at;
  }
  UIW_VT_LIST* list = months_[size_t(month)];
  const ListEntry entry{dragged.text, dragged.id, kOpenMenu};
  if (at < 0 || at > list->count()) {
    at = list->add(entry);
  } else {
    list->insert(at, entry);
  }
  list->setCurrent(at);
  lastList_ = list;
  choice_.setModified();
}

void YearWindow::removeMenu() {
  if (menus_->hasFocus() || (lastList_ == menus_ && monthOf(lastList_) < 0)) {
    services_.user.message("Wait!", "HAND", Buttons::Ok,
                           "You can remove menus from the plan,\r\nbut you cannot delete "
                           "menus.\r\nGo to the Menu Window to delete menus.");
    return;
  }
  int month = -1;
  for (int m = 0; m < kMonthsInYear; ++m) {
    if (months_[size_t(m)]->hasFocus()) month = m;
  }
  if (month < 0) month = monthOf(lastList_);
  if (month < 0) return;
  UIW_VT_LIST* list = months_[size_t(month)];
  const int row = list->current();
  if (row < 0) return;
  if (services_.user.message(
          "Remove Menu?", "QUESTION", Buttons::YesNo,
          formatText("Remove %s from the plan?", list->entry(row).text.c_str())) != Button::Yes)
    return;
  list->remove(row);
  list->setCurrent(std::min(row, list->count() - 1));
  choice_.setModified();
}

void YearWindow::close() {
  if (closed_) return;
  closed_ = true;
  UI_WINDOW_MANAGER::instance().subtract(this);
}

int YearWindow::Event(const UI_EVENT& event) {
  const int code = event.type;
  if (code >= kDropOnJanuary && code <= kDropOnDecember) {
    dropOnMonth(event);
    return code;
  }
  if (saveOrLeaveNamedList(choice_, code, services_.exitState, [this] { close(); })) return code;
  switch (code) {
    case kPlanChosen:
      events_.chosen(listedNames(*plans_), plans_->current());
      break;
    case kNewPlanClicked:
      events_.newClicked();
      break;
    case kDropOnMagnifier:
      events_.renameDropped(listedNames(*plans_), renameRow(*this, *plans_, event));
      break;
    case kDeletePlan:
      events_.deleteAt(listedNames(*plans_), plans_->current());
      break;
    case kMenusChanged:
      menusChanged();
      break;
    case kMonthChosen:
    case kMenuSelected:
      lastList_ = event.source;
      break;
    case kRemove:
      removeMenu();
      break;
    case kOpenMenu: {
      const std::string name = services_.weeks.nameOf(event.values[1]);
      if (!name.empty() && services_.openMenu) services_.openMenu(name);
      break;
    }
    case codes::kPrint:
      if (services_.printing) {
        std::vector<std::vector<long>> months;
        for (int month = 0; month < kMonthsInYear; ++month) months.push_back(monthMenus(month));
        services_.printing->openSetup(print::documentJob(
            print::PrintKind::YearMenu, planDocument(currentPlan(), months, services_.weeks)));
      }
      break;
    case codes::kList:
      if (services_.list) services_.list(*this);
      break;
    default:
      return UIW_WINDOW::Event(event);
  }
  return code;
}

}  // namespace savora::planning
