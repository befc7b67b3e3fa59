// UIW_WINDOW: a window built from its named object in OBJECTS.DAT, with a handler for numbered
// events. Program windows derive from it, resolve the children they use in their constructor
// (Get throws MissingChild naming window and child), and override Event.
#pragma once

#include <QPointer>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "toolkit/ui_event.h"
#include "toolkit/ui_window_object.h"
#include "toolkit/uiw_controls.h"
#include "toolkit/uiw_lists.h"
#include "toolkit/window_spec.h"

class QWidget;
class QObject;

namespace savora::toolkit {

class UIW_WINDOW {
 public:
  // Builds the window object `resourceName`; throws MissingChild when OBJECTS.DAT lacks it.
  explicit UIW_WINDOW(const std::string& resourceName);
  virtual ~UIW_WINDOW();
  UIW_WINDOW(const UIW_WINDOW&) = delete;
  UIW_WINDOW& operator=(const UIW_WINDOW&) = delete;

  // Handles one event; returns the event's code, or L_EXIT to end the event loop. The default
  // closes the window on S_CLOSE and ignores everything else.
  virtual int Event(const UI_EVENT& event);
  // True while the window holds changes the user has not saved (asked by the exit check).
  virtual bool hasUnsavedChanges() const { return false; }

  // Posts an event to this window.
  void post(UI_EVENT event);
  // Escape posts S_CLOSE to this window: a modal dialog's Cancel key, which the frame's own
  // Escape shortcut does not reach.
  void closeOnEscape();

  QWidget* widget() const { return root_; }
  const std::string& resourceName() const { return resourceName_; }
  // Numeric identifier: its hundreds give the window's kind (400 recipe, 1700 bookshelf, ...).
  int numberID() const { return numberID_; }
  void setNumberID(int id) { numberID_ = id; }
  int kind() const { return numberID_ / 100 * 100; }
  std::string title() const;
  void setTitle(std::string_view title);
  int helpContext() const;
  // A modal window is shown on its own above the frame instead of inside it.
  bool isModal() const { return modal_; }
  void setModal(bool modal) { modal_ = modal; }

  // The child named `name` ("NUMID_TITLE" is the window's title) or with numeric identifier
  // `numid`, as kind T. Throws MissingChild when there is none or it is of another kind.
  template <class T = UI_WINDOW_OBJECT>
  T* Get(std::string_view name) {
    return as<T>(findObject(name), name);
  }
  template <class T = UI_WINDOW_OBJECT>
  T* Get(int numid) {
    return as<T>(findObject(numid), "numid " + std::to_string(numid));
  }
  // Resolves every child of a spec; throws MissingChild on the first that is missing or of
  // another kind.
  void resolve(const WindowSpec& spec);

  // Like Get, but null when there is no such child.
  template <class T = UI_WINDOW_OBJECT>
  T* Find(std::string_view name) {
    QObject* o = findObject(name);
    return o ? dynamic_cast<T*>(wrap(o)) : nullptr;
  }

  // The wrapper of one of this window's objects, created on first use.
  UI_WINDOW_OBJECT* wrap(QObject* object);
  // The window a widget belongs to, or null.
  static UIW_WINDOW* owning(QObject* object);

 protected:
  // Hands a lookup failure to MissingChild with the window's name.
  [[noreturn]] void missing(std::string_view child, std::string_view why) const;

 private:
  template <class T>
  T* as(QObject* o, std::string_view what) {
    if (!o) missing(what, "not found");
    if (T* typed = dynamic_cast<T*>(wrap(o))) return typed;
    missing(what, "is of another kind");
  }
  QObject* findObject(std::string_view name) const;
  QObject* findObject(int numid) const;
  void connectEvents();

  std::string resourceName_;
  QPointer<QWidget> root_;
  int numberID_ = 0;
  bool modal_ = false;
  std::map<QObject*, std::unique_ptr<UI_WINDOW_OBJECT>> objects_;
};

}  // namespace savora::toolkit
