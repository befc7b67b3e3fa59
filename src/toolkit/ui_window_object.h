// UI_WINDOW_OBJECT: one object of a loaded window (a widget, or an action of a menu or toolbar),
// with the operations every kind of object shares. The specialised kinds (buttons, fields, lists,
// ...) are in uiw_controls.h and uiw_lists.h. A window creates one wrapper per object on first
// lookup and owns it.
#pragma once

#include <QPointer>
#include <stdexcept>
#include <string>
#include <string_view>

class QObject;
class QWidget;

namespace savora::toolkit {

class UIW_WINDOW;

// A window lacks a child the program uses, or the child is of another kind. Thrown when a window
// is built, so a renamed widget is caught at once, with window and child named.
class MissingChild : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class UI_WINDOW_OBJECT {
 public:
  UI_WINDOW_OBJECT(QObject* object, UIW_WINDOW* window);
  virtual ~UI_WINDOW_OBJECT() = default;
  UI_WINDOW_OBJECT(const UI_WINDOW_OBJECT&) = delete;
  UI_WINDOW_OBJECT& operator=(const UI_WINDOW_OBJECT&) = delete;

  QObject* object() const { return object_; }
  // The widget, or null for a menu or toolbar action.
  QWidget* widget() const;
  UIW_WINDOW* window() const { return window_; }

  std::string name() const;
  // The numeric identifier (property "numid"), 0 when it has none.
  int numberID() const;
  // The command the object sends (property "event"), 0 when it sends none.
  int eventCode() const;
  int helpContext() const;

  // Text of a field, button, label, menu item or list's current entry.
  virtual std::string text() const;
  virtual void setText(std::string_view text);

  // Enabled: the user can select the object ("selectable" in the program's terms).
  bool isSelectable() const;
  void setSelectable(bool selectable);
  bool isVisible() const;
  void show(bool visible = true);
  void hide() { show(false); }
  void setFocus();
  bool hasFocus() const;

 private:
  QPointer<QObject> object_;
  UIW_WINDOW* window_;
};

}  // namespace savora::toolkit
