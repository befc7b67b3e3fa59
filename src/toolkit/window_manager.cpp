#include "toolkit/window_manager.h"

#include <QCloseEvent>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <utility>

#include "toolkit/event_codes.h"
#include "toolkit/event_manager.h"
#include "toolkit/uiw_window.h"

namespace savora::toolkit {
namespace {

// Tells the window manager when the frame becomes the active window again.
class FrameActivation : public QObject {
 public:
  FrameActivation(UI_WINDOW_MANAGER& manager, QObject* parent)
      : QObject(parent), manager_(manager) {}
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::WindowActivate) manager_.frameActivated();
    return false;
  }

 private:
  UI_WINDOW_MANAGER& manager_;
};

// A child window's close button asks the window (S_CLOSE) instead of closing it, so the window
// can offer to save first; the same goes for the title-bar close of a window of its own.
class CloseToEvent : public QObject {
 public:
  CloseToEvent(UIW_WINDOW* window, QObject* parent) : QObject(parent), window_(window) {}
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::Close) return false;
    if (UI_WINDOW_MANAGER::instance().contains(window_)) {
      event->ignore();
      window_->post(UI_EVENT(S_CLOSE));
      return true;
    }
    return false;
  }

 private:
  UIW_WINDOW* window_;
};

// `placed` moved in from the edges of `room` that it runs past; one larger than the room keeps
// its top left corner in it.
QRect movedInside(QRect placed, const QRect& room) {
  if (placed.right() > room.right()) placed.moveRight(room.right());
  if (placed.bottom() > room.bottom()) placed.moveBottom(room.bottom());
  if (placed.left() < room.left()) placed.moveLeft(room.left());
  if (placed.top() < room.top()) placed.moveTop(room.top());
  return placed;
}

// A child window opens inside the frame's client area: no larger than the area (while its layout
// has room) and moved in where the frame's placement would let it run past the area's edges.
void keepInside(QMdiSubWindow* sub, const QRect& area) {
  QRect placed = sub->geometry();
  placed.setSize(placed.size().boundedTo(area.size()).expandedTo(sub->minimumSize()));
  sub->setGeometry(movedInside(placed, area));
}

// A child window opened from another one that it fits inside (a dialog, such as the servings
// of a recipe) opens centred over it rather than where the frame finds room.
void centreOverSmaller(QMdiSubWindow* sub, const QMdiSubWindow* from) {
  if (sub->width() >= from->width() || sub->height() >= from->height()) return;
  QRect placed = sub->geometry();
  placed.moveCenter(from->geometry().center());
  sub->setGeometry(placed);
}

// A child window cannot be made smaller than its layout needs: squeezed below that, its fields
// would lie on top of each other.
void keepLayoutRoom(QWidget* widget, QMdiSubWindow* sub) {
  if (QLayout* layout = widget->layout()) {
    widget->setMinimumSize(widget->minimumSize().expandedTo(layout->totalMinimumSize()));
  }
  sub->setMinimumSize(sub->minimumSizeHint());
  sub->resize(sub->size().expandedTo(sub->minimumSize()));
}

// A window of its own opens centred over the window it was opened from, and on the screen: no
// larger than the screen's free area and moved in from its edges.
void centreOver(QWidget* widget, const QWidget* over) {
  widget->resize(widget->size().expandedTo(widget->minimumSizeHint()));
  const QScreen* screen = over->screen();
  const QRect room = screen ? screen->availableGeometry() : QRect();
  if (room.isValid()) widget->resize(widget->size().boundedTo(room.size()));
  const QPoint centre = over->mapToGlobal(over->rect().center());
  QRect placed(QPoint(0, 0), widget->frameGeometry().size());
  placed.moveCenter(centre);
  if (room.isValid()) placed = movedInside(placed, room);
  widget->move(placed.topLeft());
}

}  // namespace

UI_WINDOW_MANAGER& UI_WINDOW_MANAGER::instance() {
  static UI_WINDOW_MANAGER manager;
  return manager;
}

void UI_WINDOW_MANAGER::setFrame(UIW_WINDOW* frame, QMdiArea* clientArea) {
  frame_ = frame;
  clientArea_ = frame ? clientArea : nullptr;
  returnTo_ = nullptr;
  if (frame && frame->widget()) frame->widget()->installEventFilter(new FrameActivation(*this, frame->widget()));
}

void UI_WINDOW_MANAGER::frameActivated() {
  UIW_WINDOW* owner = std::exchange(returnTo_, nullptr);
  if (!owner || !contains(owner) || std::chrono::steady_clock::now() > returnBy_) return;
  QTimer::singleShot(0, owner->widget(), [this, owner] {
    if (contains(owner)) bringToFront(owner);
  });
}

const UI_WINDOW_MANAGER::Shown* UI_WINDOW_MANAGER::find(const UIW_WINDOW* window) const {
  for (const auto& s : shown_) {
    if (s.window == window) return &s;
  }
  return nullptr;
}

bool UI_WINDOW_MANAGER::contains(const UIW_WINDOW* window) const {
  return find(window) != nullptr;
}

void UI_WINDOW_MANAGER::addOwned(std::unique_ptr<UIW_WINDOW> owned) {
  if (!owned) return;
  UIW_WINDOW* window = owned.get();
  QWidget* widget = window->widget();
  QMdiSubWindow* sub = nullptr;
  // The window in front when this one opened comes back to the front when this one goes.
  UIW_WINDOW* opener = front();
  if (clientArea_ && !window->isModal()) {
    const Shown* from = front() ? find(front()) : nullptr;
    QMdiSubWindow* fromSub = from ? from->subWindow : nullptr;
    sub = clientArea_->addSubWindow(widget);
    sub->setAttribute(Qt::WA_DeleteOnClose, false);
    sub->installEventFilter(new CloseToEvent(window, sub));
    keepLayoutRoom(widget, sub);
    sub->show();
    // Before the frame is on screen its area has no size of its own yet.
    if (clientArea_->isVisible()) {
      if (fromSub) centreOverSmaller(sub, fromSub);
      keepInside(sub, clientArea_->viewport()->rect());
    }
  } else {
    if (frame_ && frame_->widget()) {
      widget->setParent(frame_->widget(), Qt::Dialog);
      widget->setWindowModality(Qt::ApplicationModal);
      // Over the newest window of its own still open (a dialog that asked), else the child.
      QWidget* over = frame_->widget();
      if (const Shown* s = opener ? find(opener) : nullptr) over = s->subWindow;
      for (const Shown& s : shown_) {
        if (!s.subWindow && s.window->widget() && s.window->widget()->isVisible())
          over = s.window->widget();
      }
      centreOver(widget, over);
    }
    widget->installEventFilter(new CloseToEvent(window, widget));
    widget->show();
  }
  shown_.push_back({owned.release(), sub, opener});
  bringToFront(window);
}

void UI_WINDOW_MANAGER::subtract(UIW_WINDOW* window) {
  const auto it = std::find_if(shown_.begin(), shown_.end(),
                               [window](const Shown& s) { return s.window == window; });
  if (it == shown_.end()) return;
  if (it->subWindow) {
    it->subWindow->hide();
  } else if (window->widget()) {
    window->widget()->hide();
  }
  const Shown gone = *it;
  removed_.push_back(gone);
  shown_.erase(it);
  for (Shown& s : shown_) {
    if (s.owner == window) s.owner = gone.owner;
  }
  UI_EVENT_MANAGER::instance().forget(window);
  // The window a dialog came from stays in front when the dialog goes, also once the frame has
  // taken the focus back and handed it to whichever child it likes.
  if (UIW_WINDOW* owner = gone.owner; owner && contains(owner)) {
    bringToFront(owner);
    QTimer::singleShot(0, owner->widget(), [this, owner] {
      if (contains(owner)) bringToFront(owner);
    });
    // Under a window manager the frame may be activated again only later, and the client area
    // then activates a child of its own choosing: the owner is put back in front once more.
    returnTo_ = owner;
    returnBy_ = std::chrono::steady_clock::now() + kReturnWindow;
  }
}

void UI_WINDOW_MANAGER::destroyRemoved() {
  auto removed = std::move(removed_);
  removed_.clear();
  for (const Shown& s : removed) {
    if (s.subWindow) {
      if (clientArea_) clientArea_->removeSubWindow(s.subWindow);
      delete s.subWindow;  // and the window's widget with it
    }
    delete s.window;
  }
}

void UI_WINDOW_MANAGER::forget(UIW_WINDOW* window) {
  auto drop = [this](std::vector<Shown>& list, UIW_WINDOW* w) {
    const auto it =
        std::find_if(list.begin(), list.end(), [w](const Shown& s) { return s.window == w; });
    if (it == list.end()) return;
    QMdiSubWindow* sub = it->subWindow;
    list.erase(it);
    for (Shown& s : list) {
      if (s.owner == w) s.owner = nullptr;
    }
    if (sub) {
      if (clientArea_) clientArea_->removeSubWindow(sub);
      delete sub;  // and the window's widget with it
    }
  };
  drop(shown_, window);
  drop(removed_, window);
}

void UI_WINDOW_MANAGER::closeAll() {
  while (!shown_.empty()) subtract(shown_.back().window);
  destroyRemoved();
}

std::vector<UIW_WINDOW*> UI_WINDOW_MANAGER::windows() const {
  std::vector<UIW_WINDOW*> out;
  if (clientArea_) {
    // Children of the frame in the frame's stacking order, then windows of their own.
    for (QMdiSubWindow* sub : clientArea_->subWindowList(QMdiArea::StackingOrder)) {
      for (const auto& s : shown_) {
        if (s.subWindow == sub) out.push_back(s.window);
      }
    }
  }
  for (const auto& s : shown_) {
    if (!s.subWindow) out.push_back(s.window);
  }
  return out;
}

UIW_WINDOW* UI_WINDOW_MANAGER::front() const {
  if (clientArea_) {
    // The current child stays the front one while a window of its own has the focus.
    if (QMdiSubWindow* active = clientArea_->currentSubWindow()) {
      for (const auto& s : shown_) {
        if (s.subWindow == active) return s.window;
      }
    }
  }
  const auto all = windows();
  for (auto it = all.rbegin(); it != all.rend(); ++it) {
    if (const Shown* s = find(*it); s && s->subWindow) return *it;
  }
  return nullptr;
}

UIW_WINDOW* UI_WINDOW_MANAGER::findKind(int kind) const {
  if (UIW_WINDOW* f = front(); f && f->kind() == kind) return f;
  const auto all = windows();
  for (auto it = all.rbegin(); it != all.rend(); ++it) {
    if ((*it)->kind() == kind) return *it;
  }
  return nullptr;
}

void UI_WINDOW_MANAGER::bringToFront(UIW_WINDOW* window) {
  const Shown* s = find(window);
  if (!s) return;
  if (s->subWindow) {
    s->subWindow->show();
    if (clientArea_) clientArea_->setActiveSubWindow(s->subWindow);
    s->subWindow->raise();
  } else if (window->widget()) {
    window->widget()->raise();
    window->widget()->activateWindow();
  }
}

void UI_WINDOW_MANAGER::setExitFunction(std::function<bool()> exitFunction) {
  exitFunction_ = std::move(exitFunction);
}

bool UI_WINDOW_MANAGER::mayExit() {
  return !exitFunction_ || exitFunction_();
}

int UI_WINDOW_MANAGER::dispatch(UIW_WINDOW* to, const UI_EVENT& event) {
  if (event.type == L_EXIT) return L_EXIT;
  if (event.type == L_EXIT_FUNCTION) return mayExit() ? L_EXIT : 0;
  UIW_WINDOW* target = to ? to : frame_;
  if (!target) return 0;
  return target->Event(event);
}

}  // namespace savora::toolkit
