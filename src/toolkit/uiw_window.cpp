#include "toolkit/uiw_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolBar>
#include <QVariant>
#include <QWidget>

#include "toolkit/event_codes.h"
#include "toolkit/event_manager.h"
#include "toolkit/help_window.h"
#include "toolkit/object_store.h"
#include "toolkit/qt_text.h"
#include "toolkit/typed_keys.h"
#include "toolkit/window_manager.h"

namespace savora::toolkit {
namespace {

const char* const kOwnerProperty = "savoraWindow";

std::unique_ptr<UI_WINDOW_OBJECT> makeWrapper(QObject* o, UIW_WINDOW* w) {
  if (qobject_cast<QAction*>(o)) return std::make_unique<UIW_POP_UP_ITEM>(o, w);
  if (qobject_cast<QAbstractButton*>(o)) return std::make_unique<UIW_BUTTON>(o, w);
  if (qobject_cast<QLineEdit*>(o)) return std::make_unique<UIW_STRING>(o, w);
  if (qobject_cast<QPlainTextEdit*>(o) || qobject_cast<QTextEdit*>(o)) {
    return std::make_unique<UIW_TEXT>(o, w);
  }
  if (qobject_cast<QListWidget*>(o)) return std::make_unique<UIW_VT_LIST>(o, w);
  if (qobject_cast<QComboBox*>(o)) return std::make_unique<UIW_COMBO_BOX>(o, w);
  if (qobject_cast<QTabWidget*>(o)) return std::make_unique<UIW_NOTEBOOK>(o, w);
  if (qobject_cast<QToolBar*>(o)) return std::make_unique<UIW_TOOL_BAR>(o, w);
  if (qobject_cast<QMenu*>(o)) return std::make_unique<UIW_POP_UP_MENU>(o, w);
  if (qobject_cast<QLabel*>(o) || qobject_cast<QMdiArea*>(o))
    return std::make_unique<UIW_PICTURE>(o, w);
  return std::make_unique<UI_WINDOW_OBJECT>(o, w);
}

// Enter or Return that no child of the window takes presses the window's default button, as it
// would in a dialog.
class DefaultButtonOnEnter : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
    for (QPushButton* button : static_cast<QWidget*>(watched)->findChildren<QPushButton*>()) {
      if (button->isDefault() && button->isVisible() && button->isEnabled()) {
        button->click();
        return true;
      }
    }
    return false;
  }
};

// F1 on a highlighted menu item opens the help page of its command (the item's helpContext),
// as F1 on a window opens the window's.
class MenuItemHelp : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
      return false;
    auto* key = static_cast<QKeyEvent*>(event);
    auto* menu = static_cast<QMenu*>(watched);
    if (key->key() != Qt::Key_F1 || !menu->activeAction()) return false;
    const int context = menu->activeAction()->property("helpContext").toInt();
    if (context == 0) return false;
    key->accept();  // the frame's own F1 (help on the window) stays out of it
    if (event->type() == QEvent::KeyPress) {
      for (QWidget* open = QApplication::activePopupWidget(); open;
           open = QApplication::activePopupWidget())
        open->close();
      HelpSystem::showContext(context);
    }
    return true;
  }
};

}  // namespace

UIW_WINDOW::UIW_WINDOW(const std::string& resourceName) : resourceName_(resourceName) {
  root_ = ObjectStore::load(resourceName);
  if (!root_) missing(resourceName, "is not in the object file");
  root_->setProperty(kOwnerProperty, QVariant::fromValue(reinterpret_cast<quintptr>(this)));
  numberID_ = root_->property("numid").toInt();
  modal_ = root_->property("modal").toBool();
  connectEvents();
  if (!qobject_cast<QDialog*>(root_.data()))
    root_->installEventFilter(new DefaultButtonOnEnter(root_));
}

UIW_WINDOW::~UIW_WINDOW() {
  UI_EVENT_MANAGER::instance().forget(this);
  UI_WINDOW_MANAGER::instance().forget(this);
  objects_.clear();
  delete root_.data();
}

int UIW_WINDOW::Event(const UI_EVENT& event) {
  if (event.type == S_CLOSE) UI_WINDOW_MANAGER::instance().subtract(this);
  return event.type;
}

void UIW_WINDOW::post(UI_EVENT event) {
  UI_EVENT_MANAGER::instance().post(this, std::move(event));
}

void UIW_WINDOW::closeOnEscape() {
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), root_);
  QObject::connect(escape, &QShortcut::activated, root_, [this] { post(UI_EVENT(S_CLOSE)); });
}

std::string UIW_WINDOW::title() const {
  return root_ ? fromQt(root_->windowTitle()) : std::string();
}

void UIW_WINDOW::setTitle(std::string_view title) {
  if (root_) root_->setWindowTitle(toQt(title));
}

int UIW_WINDOW::helpContext() const {
  return root_ ? root_->property("helpContext").toInt() : 0;
}

UI_WINDOW_OBJECT* UIW_WINDOW::wrap(QObject* object) {
  auto& slot = objects_[object];
  // A wrapper whose object was destroyed must not stand for a new object at the same address.
  if (!slot || slot->object() != object) slot = makeWrapper(object, this);
  return slot.get();
}

UIW_WINDOW* UIW_WINDOW::owning(QObject* object) {
  for (QObject* o = object; o; o = o->parent()) {
    const QVariant owner = o->property(kOwnerProperty);
    if (owner.isValid()) return reinterpret_cast<UIW_WINDOW*>(owner.value<quintptr>());
  }
  return nullptr;
}

void UIW_WINDOW::resolve(const WindowSpec& spec) {
  for (const ChildSpec& child : spec.children) {
    UI_WINDOW_OBJECT* object = child.name.empty() ? Get(child.numid) : Get(child.name);
    if (child.numid && object->numberID() != child.numid && child.name != "NUMID_TITLE") {
      missing(child.name, "has numid " + std::to_string(object->numberID()) + ", not " +
                              std::to_string(child.numid));
    }
    bool fits = true;
    switch (child.kind) {
      case ObjectKind::Any:
        break;
      case ObjectKind::Button:
        fits = dynamic_cast<UIW_BUTTON*>(object);
        break;
      case ObjectKind::MenuItem:
        fits = dynamic_cast<UIW_POP_UP_ITEM*>(object);
        break;
      case ObjectKind::String:
        fits = dynamic_cast<UIW_STRING*>(object);
        break;
      case ObjectKind::Text:
        fits = dynamic_cast<UIW_TEXT*>(object);
        break;
      case ObjectKind::Prompt:
        fits = dynamic_cast<UIW_PROMPT*>(object);
        break;
      case ObjectKind::Picture:
        fits = dynamic_cast<UIW_PICTURE*>(object);
        break;
      case ObjectKind::List:
        fits = dynamic_cast<UIW_VT_LIST*>(object);
        break;
      case ObjectKind::Combo:
        fits = dynamic_cast<UIW_COMBO_BOX*>(object);
        break;
      case ObjectKind::Notebook:
        fits = dynamic_cast<UIW_NOTEBOOK*>(object);
        break;
      case ObjectKind::ToolBar:
        fits = dynamic_cast<UIW_TOOL_BAR*>(object);
        break;
      case ObjectKind::PopUpMenu:
        fits = dynamic_cast<UIW_POP_UP_MENU*>(object);
        break;
    }
    if (!fits)
      missing(child.name.empty() ? "numid " + std::to_string(child.numid) : child.name,
              "is of another kind");
  }
}

void UIW_WINDOW::missing(std::string_view child, std::string_view why) const {
  throw MissingChild("window " + resourceName_ + ": " + std::string(child) + " " +
                     std::string(why));
}

QObject* UIW_WINDOW::findObject(std::string_view name) const {
  if (!root_) return nullptr;
  const QString wanted = QString::fromUtf8(name.data(), qsizetype(name.size()));
  if (wanted == QLatin1String("NUMID_TITLE") || root_->objectName() == wanted) return root_;
  return root_->findChild<QObject*>(wanted);
}

QObject* UIW_WINDOW::findObject(int numid) const {
  if (!root_) return nullptr;
  if (root_->property("numid").toInt() == numid) return root_;
  for (QObject* o : root_->findChildren<QObject*>()) {
    if (o->property("numid").toInt() == numid) return o;
  }
  return nullptr;
}

void UIW_WINDOW::connectEvents() {
  QList<QObject*> all = root_->findChildren<QObject*>();
  for (QObject* o : all) {
    if (auto* menu = qobject_cast<QMenu*>(o)) menu->installEventFilter(new MenuItemHelp(menu));
    const int code = o->property("event").toInt();
    if (const int keyCode = o->property("keyEvent").toInt(); keyCode != 0) {
      if (auto* widget = qobject_cast<QWidget*>(o)) deliverTypedKeys(widget, this, keyCode);
    }
    auto send = [this, o](int type, long v0 = 0, long v1 = 0) {
      UI_EVENT e(type, v0, v1);
      e.source = wrap(o);
      post(std::move(e));
    };
    if (auto* list = qobject_cast<DragList*>(o)) {
      if (list->property("dragDrop").toBool()) list->enableDragDrop();
      if (code) {
        QObject::connect(list, &QListWidget::currentRowChanged, list, [list, code, send](int row) {
          const QListWidgetItem* item = list->item(row);
          send(code, row, item ? long(item->data(Qt::UserRole).toLongLong()) : 0);
        });
      }
      if (const int checkCode = list->property("checkEvent").toInt()) {
        // Only the user's ticks arrive here: the list's own changes block its signals.
        QObject::connect(list, &QListWidget::itemChanged, list,
                         [list, checkCode, send](QListWidgetItem* item) {
                           if (item->flags() & Qt::ItemIsUserCheckable)
                             send(checkCode, list->row(item), item->checkState() == Qt::Checked);
                         });
      }
      QObject::connect(
          list, &QListWidget::itemActivated, list, [list, send](QListWidgetItem* item) {
            const int entryEvent = item->data(Qt::UserRole + 1).toInt();
            if (entryEvent)
              send(entryEvent, list->row(item), long(item->data(Qt::UserRole).toLongLong()));
          });
      continue;
    }
    if (o->property("dropEvent").toInt() != 0) {
      if (auto* widget = qobject_cast<QWidget*>(o)) acceptEntryDrops(widget);
    }
    if (!code) continue;
    if (auto* action = qobject_cast<QAction*>(o)) {
      QObject::connect(action, &QAction::triggered, action, [send, code] { send(code); });
    } else if (auto* button = qobject_cast<QAbstractButton*>(o)) {
      QObject::connect(button, &QAbstractButton::clicked, button, [send, code] { send(code); });
    } else if (auto* combo = qobject_cast<QComboBox*>(o)) {
      QObject::connect(combo, &QComboBox::activated, combo, [combo, send, code](int index) {
        send(code, index, long(combo->itemData(index, Qt::UserRole).toLongLong()));
      });
    } else if (auto* line = qobject_cast<QLineEdit*>(o)) {
      QObject::connect(line, &QLineEdit::returnPressed, line, [send, code] { send(code); });
    }
  }
}

}  // namespace savora::toolkit
