// The events of the list of names in the menu and plan windows, in one place for both: the list
// shown when the window opens, a name chosen, "<new ...>" clicked, a list asked for by name, a
// name dropped on Rename, and Delete. Each takes the names as the window lists them and the row
// acted on; when the names or the current one changed, it hands the window what to show.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "planning/named_list_choice.h"

namespace savora::planning {

// What the list of names shows: its entries, the row of the current name and the window's title.
struct NamedListShown {
  std::vector<std::string> entries;
  int currentRow = -1;
  std::string title;  // "Menu - Week 1", or "Menu" while "<new menu>" is current
};

class NamedListEvents {
 public:
  using Show = std::function<void(const NamedListShown&)>;
  NamedListEvents(NamedListChoice& choice, Show show);

  // Opens on the first of `preferred` that names a list, else on the first list, else on
  // "<new ...>".
  void start(const std::vector<std::string>& preferred);
  // The user chose the entry at `row`.
  void chosen(const std::vector<std::string>& entries, int row);
  // "<new ...>" was clicked while it is current: its question is asked again.
  void newClicked();
  // Another window asks for the list of this name.
  void asked(const std::string& name);
  // The name at `row` was dropped on Rename (or Rename clicked with it selected).
  void renameDropped(const std::vector<std::string>& entries, int row);
  // Delete with the name at `row` selected: the list selected next becomes current when the
  // deleted one was.
  void deleteAt(const std::vector<std::string>& entries, int row);
  // Shows the names and the current one as they are now.
  void refresh();

 private:
  NamedListChoice& choice_;
  Show show_;
};

}  // namespace savora::planning
