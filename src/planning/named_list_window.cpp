#include "planning/named_list_window.h"

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

void saveNamedList(NamedListChoice& choice, bool closeAfter, int* exitState,
                   const std::function<void()>& close) {
  if (!choice.save()) {
    toolkit::exitSaveFailed(exitState);
    return;
  }
  if (!closeAfter) return;
  close();
  toolkit::exitSaveDone(exitState);
}

void leaveNamedList(NamedListChoice& choice, int* exitState, const std::function<void()>& close) {
  if (choice.close()) {
    close();
  } else {
    toolkit::exitSaveFailed(exitState);
  }
}

}  // namespace savora::planning
