// Typed characters as window events: a list or combo box whose .ui property "keyEvent" names an
// event code hands the characters typed into it to its window instead of searching by itself.
#pragma once

class QWidget;

namespace savora::toolkit {

class UIW_WINDOW;

// From now on every key press on `widget` that types a printable character, and Backspace, is
// posted to `window` as UI_EVENT(code, character, shifted) and goes no further: the character
// is the Windows-1252 code (8 for Backspace), shifted is 1 while Shift is down. Arrows, Enter,
// Tab, Escape and keys held with Ctrl, Alt or Meta reach the widget untouched.
void deliverTypedKeys(QWidget* widget, UIW_WINDOW* window, int code);

}  // namespace savora::toolkit
