// What the menu and plan windows share around their named-list rules: showing the list of names,
// clicks on "<new ...>", the row a Rename event is about, and Save and Close, handing the result
// back to the exit check that may be waiting for the save.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "planning/named_list_choice.h"
#include "planning/named_list_events.h"
#include "toolkit/uiw_window.h"

namespace savora::planning {

// The names a list object shows, top to bottom.
std::vector<std::string> listedNames(const toolkit::UIW_VT_LIST& names);
// Fills the list of names, selects the current one and titles the window.
void showNamedList(toolkit::UIW_WINDOW& window, toolkit::UIW_VT_LIST& names,
                   const NamedListShown& shown);
// The row a Rename event is about: the row dropped from the list of names, or the selected one
// when the Rename button (MAGNIFY_BUTTON) was clicked; -1 for anything else.
int renameRow(toolkit::UIW_WINDOW& window, const toolkit::UIW_VT_LIST& names,
              const toolkit::UI_EVENT& event);

// A click on "<new ...>" while it is current changes no selection: it posts `event` to the window
// so that the name is asked for again.
void postNewEntryClicks(toolkit::UIW_WINDOW& window, toolkit::UIW_VT_LIST& names,
                        const NamedListChoice& choice, int event);

// Save saves the current list; the exit check's save request saves and then closes the window
// with `close`; Close closes it unless the save question was cancelled or the save failed. False
// for any other event.
bool saveOrLeaveNamedList(NamedListChoice& choice, int code, int* exitState,
                          const std::function<void()>& close);

}  // namespace savora::planning
