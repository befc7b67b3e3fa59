// NEW_BOOK: the small dialog that asks for a name (a new one, or a changed one) on behalf of
// another window, with an optional "Perishable" check box. OK hands the name back to the caller
// as an event: 10020 for a new name, 10021 for a changed one, the text the name and values[0]
// the check box (1 checked).
#pragma once

#include <string>

#include "toolkit/uiw_window.h"
#include "toolkit/user.h"
#include "toolkit/window_spec.h"

namespace savora::bookshelf {

extern const toolkit::WindowSpec kNewBookSpec;

struct NewNameRequest {
  std::string title;      // the dialog's title
  std::string helpText;   // what to type, above the field
  std::string name;       // the field's first text
  bool changing = false;  // a changed name (10021) rather than a new one (10020)
  bool askPerishable = false;
  bool perishable = false;  // the check box's first state
};

class NewBookWindow : public toolkit::UIW_WINDOW {
 public:
  // The answer goes to `caller`, unless it has left the screen by then.
  NewBookWindow(toolkit::UIW_WINDOW* caller, NewNameRequest request, toolkit::User& user);
  int Event(const toolkit::UI_EVENT& event) override;

 private:
  void ok();

  toolkit::UIW_WINDOW* caller_;
  NewNameRequest request_;
  toolkit::User& user_;
  toolkit::UIW_STRING* name_;
  toolkit::UIW_BUTTON* perishable_;
};

}  // namespace savora::bookshelf
