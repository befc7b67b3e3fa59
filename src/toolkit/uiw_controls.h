// The simple kinds of window objects: buttons and menu items, text fields, prompts, pictures,
// tabs, toolbars and pop-up menus. Each kind says which Qt objects it wraps (accepts).
#pragma once

#include <string>
#include <string_view>

#include "toolkit/ui_window_object.h"

namespace savora::toolkit {

// Push button, check box or option button; also a menu item or toolbar button (UIW_POP_UP_ITEM).
class UIW_BUTTON : public UI_WINDOW_OBJECT {
 public:
  using UI_WINDOW_OBJECT::UI_WINDOW_OBJECT;
  static bool accepts(QObject* object);
  bool isChecked() const;
  void setChecked(bool checked);
  // Acts as if the user clicked it (sends its event).
  void click();
};

// A menu item or toolbar button (a Qt action).
class UIW_POP_UP_ITEM : public UIW_BUTTON {
 public:
  using UIW_BUTTON::UIW_BUTTON;
  static bool accepts(QObject* object);
};

// One-line text field.
class UIW_STRING : public UI_WINDOW_OBJECT {
 public:
  using UI_WINDOW_OBJECT::UI_WINDOW_OBJECT;
  static bool accepts(QObject* object);
  int maxLength() const;
  void setMaxLength(int length);
  void selectAll();
};

// Multi-line text field.
class UIW_TEXT : public UI_WINDOW_OBJECT {
 public:
  using UI_WINDOW_OBJECT::UI_WINDOW_OBJECT;
  static bool accepts(QObject* object);
  void setReadOnly(bool readOnly);
};

// A label.
class UIW_PROMPT : public UI_WINDOW_OBJECT {
 public:
  using UI_WINDOW_OBJECT::UI_WINDOW_OBJECT;
  static bool accepts(QObject* object);
};

// A bitmap picture: a label, or the frame's client area (the wallpaper).
class UIW_PICTURE : public UIW_PROMPT {
 public:
  using UIW_PROMPT::UIW_PROMPT;
  static bool accepts(QObject* object);
  // Shows the image file (a Windows-style or native name) in an area of width x height pixels
  // (0 x 0: the image's own size), scaled keeping its proportions when `fit`. Returns false, and
  // shows nothing, when the file cannot be read as an image.
  bool setImage(std::string_view fileName, int width = 0, int height = 0, bool fit = true);
  void clearImage();
  bool hasImage() const;
};

// Tabs.
class UIW_NOTEBOOK : public UI_WINDOW_OBJECT {
 public:
  using UI_WINDOW_OBJECT::UI_WINDOW_OBJECT;
  static bool accepts(QObject* object);
  int currentPage() const;
  void setCurrentPage(int index);
  int pageCount() const;
};

// A toolbar; its buttons are UIW_POP_UP_ITEMs.
class UIW_TOOL_BAR : public UI_WINDOW_OBJECT {
 public:
  using UI_WINDOW_OBJECT::UI_WINDOW_OBJECT;
  static bool accepts(QObject* object);
  // Takes a button off the toolbar (menus that share the action keep it).
  void remove(UI_WINDOW_OBJECT& button);
  bool contains(const UI_WINDOW_OBJECT& button) const;
};

// A pop-up menu whose items the program fills at run time (the window list).
class UIW_POP_UP_MENU : public UI_WINDOW_OBJECT {
 public:
  using UI_WINDOW_OBJECT::UI_WINDOW_OBJECT;
  static bool accepts(QObject* object);
  // Items added by the program; items from the window resource stay.
  void clearAdded();
  // Adds an item that sends `event` with values[0] = `value` to the menu's window.
  void add(std::string_view text, int event, long value, bool checked = false);
  int count() const;
  std::string itemText(int index) const;
};

}  // namespace savora::toolkit
