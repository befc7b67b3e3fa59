#include "toolkit/uiw_mdiframe.h"

#include <QCloseEvent>
#include <QMainWindow>
#include <QMdiArea>
#include <QStatusBar>

#include "toolkit/event_codes.h"
#include "toolkit/event_manager.h"
#include "toolkit/qt_text.h"
#include "toolkit/window_manager.h"

namespace savora::toolkit {
namespace {

// The frame's close button is one more way to leave: it passes the exit function, and ends the
// event loop when the function allows it.
class FrameCloseFilter : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::Close) return false;
    if (UI_WINDOW_MANAGER::instance().mayExit()) {
      UI_EVENT_MANAGER::instance().post(nullptr, UI_EVENT(L_EXIT));
      event->accept();
      return false;
    }
    event->ignore();
    return true;
  }
};

}  // namespace

UIW_MDIFRAME::UIW_MDIFRAME(const std::string& resourceName) : UIW_WINDOW(resourceName) {
  if (!mainWindow()) missing(resourceName, "is not a main window");
  mdiArea_ = widget()->findChild<QMdiArea*>();
  if (!mdiArea_) missing("MDI area", "not found");
  widget()->installEventFilter(new FrameCloseFilter(widget()));
}

UIW_MDIFRAME::~UIW_MDIFRAME() {
  if (UI_WINDOW_MANAGER::instance().frame() == this) {
    UI_WINDOW_MANAGER::instance().closeAll();
    UI_WINDOW_MANAGER::instance().setFrame(nullptr, nullptr);
  }
}

QMainWindow* UIW_MDIFRAME::mainWindow() const {
  return qobject_cast<QMainWindow*>(widget());
}

void UIW_MDIFRAME::setStatusText(std::string_view text) {
  mainWindow()->statusBar()->showMessage(toQt(text));
}

}  // namespace savora::toolkit
