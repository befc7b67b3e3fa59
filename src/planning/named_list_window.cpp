#include "planning/named_list_window.h"

#include <QListWidget>

#include "codes/program_codes.h"
#include "toolkit/event_codes.h"
#include "toolkit/event_manager.h"

namespace savora::planning {

std::vector<std::string> listedNames(const toolkit::UIW_VT_LIST& names) {
  std::vector<std::string> texts;
  for (const toolkit::ListEntry& entry : names.entries()) texts.push_back(entry.text);
  return texts;
}

void showNamedList(toolkit::UIW_WINDOW& window, toolkit::UIW_VT_LIST& names,
                   const NamedListShown& shown) {
  names.clear();
  for (const std::string& name : shown.entries) names.add({name});
  names.setCurrent(shown.currentRow);
  window.setTitle(shown.title);
}

int renameRow(toolkit::UIW_WINDOW& window, const toolkit::UIW_VT_LIST& names,
              const toolkit::UI_EVENT& event) {
  if (event.source == window.Get("MAGNIFY_BUTTON")) return names.current();
  return event.source == &names ? int(event.values[0]) : -1;
}

void postNewEntryClicks(toolkit::UIW_WINDOW& window, toolkit::UIW_VT_LIST& names,
                        const NamedListChoice& choice, int event) {
  auto* list = static_cast<QListWidget*>(names.widget());
  QObject::connect(list, &QListWidget::itemClicked, list,
                   [&window, &choice, event](QListWidgetItem* item) {
                     if (item && !choice.hasName() &&
                         item->text() == QString::fromUtf8(choice.texts().newEntry))
                       window.post(toolkit::UI_EVENT(event));
                   });
}

bool saveOrLeaveNamedList(NamedListChoice& choice, int code, int* exitState,
                          const std::function<void()>& close) {
  switch (code) {
    case codes::kSave:
    case codes::kSaveRequest:
      if (!choice.save()) {
        toolkit::exitSaveFailed(exitState);
      } else if (code == codes::kSaveRequest) {
        close();
        toolkit::exitSaveDone(exitState);
      }
      return true;
    case toolkit::S_CLOSE:
      if (choice.close()) {
        close();
      } else {
        toolkit::exitSaveFailed(exitState);
      }
      return true;
    default:
      return false;
  }
}

}  // namespace savora::planning
