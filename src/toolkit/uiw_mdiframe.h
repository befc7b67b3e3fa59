// UIW_MDIFRAME: the main frame window (a QMainWindow form with a menu bar, toolbar, status bar and
// an MDI client area) that holds the program's child windows. Closing it asks the window
// manager's exit function; the frame closes only when that allows it.
#pragma once

#include <string>

#include "toolkit/uiw_window.h"

class QMdiArea;
class QMainWindow;

namespace savora::toolkit {

class UIW_MDIFRAME : public UIW_WINDOW {
 public:
  // Builds the frame from its window object, which must be a main window with an MDI area.
  explicit UIW_MDIFRAME(const std::string& resourceName);
  ~UIW_MDIFRAME() override;

  QMainWindow* mainWindow() const;
  QMdiArea* mdiArea() const { return mdiArea_; }
  // Text in the status bar.
  void setStatusText(std::string_view text);

 private:
  QMdiArea* mdiArea_ = nullptr;
};

}  // namespace savora::toolkit
