// Save and Close of the menu and plan windows, through their named-list rules, handing the result
// back to the exit check that may be waiting for the save.
#pragma once

#include <functional>

#include "planning/named_list_choice.h"

namespace savora::planning {

// Saves the current list; when saved and `closeAfter`, closes the window with `close`.
void saveNamedList(NamedListChoice& choice, bool closeAfter, int* exitState,
                   const std::function<void()>& close);
// Closes the window unless the save question was cancelled or the save failed.
void leaveNamedList(NamedListChoice& choice, int* exitState, const std::function<void()>& close);

}  // namespace savora::planning
