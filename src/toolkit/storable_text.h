// The tables keep text in Windows-1252; what the person types may hold more. Before a window
// saves, its text fields are checked, so that no character turns into '?' unseen.
#pragma once

#include "toolkit/uiw_window.h"
#include "toolkit/user.h"

namespace savora::toolkit {

// True when every editable text field of `window` holds only characters the tables can keep.
// Otherwise the person is told which character of which field cannot be stored, that field gets
// the focus with the character selected, and the text stays as typed.
bool fieldsStorable(UIW_WINDOW& window, User& user);

}  // namespace savora::toolkit
