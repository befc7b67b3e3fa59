// The edit commands of a window (cut, copy, paste, clear, select all, undo) act on the text field
// that has the keyboard focus, whichever field that is.
#pragma once

class QWidget;

namespace savora::toolkit {

enum class FieldEdit { Cut, Copy, Paste, Clear, SelectAll, Undo };

// Applies the command to the focused line, text or editable combo field when it lies inside
// `root`; false when no such field has the focus.
bool editFocusedField(QWidget* root, FieldEdit edit);

}  // namespace savora::toolkit
