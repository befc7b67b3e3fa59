#include "toolkit/uiw_controls.h"

#include <QAbstractButton>
#include <QAction>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolBar>

#include "platform/paths.h"
#include "toolkit/event_manager.h"
#include "toolkit/qt_text.h"
#include "toolkit/ui_event.h"

namespace savora::toolkit {

bool UIW_BUTTON::accepts(QObject* o) {
  return qobject_cast<QAbstractButton*>(o) || qobject_cast<QAction*>(o);
}

bool UIW_BUTTON::isChecked() const {
  if (auto* a = qobject_cast<QAction*>(object())) return a->isChecked();
  if (auto* b = qobject_cast<QAbstractButton*>(object())) return b->isChecked();
  return false;
}

void UIW_BUTTON::setChecked(bool checked) {
  if (auto* a = qobject_cast<QAction*>(object())) {
    a->setCheckable(true);
    a->setChecked(checked);
  } else if (auto* b = qobject_cast<QAbstractButton*>(object())) {
    b->setChecked(checked);
  }
}

void UIW_BUTTON::click() {
  if (auto* a = qobject_cast<QAction*>(object())) a->trigger();
  if (auto* b = qobject_cast<QAbstractButton*>(object())) b->click();
}

bool UIW_POP_UP_ITEM::accepts(QObject* o) {
  return qobject_cast<QAction*>(o);
}

bool UIW_STRING::accepts(QObject* o) {
  return qobject_cast<QLineEdit*>(o);
}
int UIW_STRING::maxLength() const {
  return static_cast<QLineEdit*>(widget())->maxLength();
}
void UIW_STRING::setMaxLength(int length) {
  static_cast<QLineEdit*>(widget())->setMaxLength(length);
}
void UIW_STRING::selectAll() {
  static_cast<QLineEdit*>(widget())->selectAll();
}

bool UIW_TEXT::accepts(QObject* o) {
  return qobject_cast<QPlainTextEdit*>(o) || qobject_cast<QTextEdit*>(o);
}

void UIW_TEXT::setReadOnly(bool readOnly) {
  if (auto* e = qobject_cast<QPlainTextEdit*>(object())) e->setReadOnly(readOnly);
  if (auto* e = qobject_cast<QTextEdit*>(object())) e->setReadOnly(readOnly);
}

bool UIW_PROMPT::accepts(QObject* o) {
  return qobject_cast<QLabel*>(o);
}

bool UIW_PICTURE::accepts(QObject* o) {
  return qobject_cast<QLabel*>(o) || qobject_cast<QMdiArea*>(o);
}

bool UIW_PICTURE::setImage(std::string_view fileName, int width, int height, bool fit) {
  const QString path = QString::fromStdString(platform::nativePath(fileName));
  QImageReader reader(path);
  QImage image = path.isEmpty() ? QImage() : reader.read();
  if (image.isNull()) {
    clearImage();
    return false;
  }
  if (width > 0 && height > 0 && (fit || image.width() > width || image.height() > height)) {
    image = image.scaled(width, height, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  }
  const QPixmap pixmap = QPixmap::fromImage(image);
  if (auto* label = qobject_cast<QLabel*>(object())) {
    label->setPixmap(pixmap);
    label->setProperty("hasImage", true);
  } else if (auto* area = qobject_cast<QMdiArea*>(object())) {
    area->setBackground(QBrush(pixmap));
    area->setProperty("hasImage", true);
  }
  return true;
}

void UIW_PICTURE::clearImage() {
  if (auto* label = qobject_cast<QLabel*>(object())) label->setPixmap(QPixmap());
  if (auto* area = qobject_cast<QMdiArea*>(object())) area->setBackground(QBrush(Qt::darkGray));
  if (object()) object()->setProperty("hasImage", false);
}

bool UIW_PICTURE::hasImage() const {
  return object() && object()->property("hasImage").toBool();
}

bool UIW_NOTEBOOK::accepts(QObject* o) {
  return qobject_cast<QTabWidget*>(o);
}
int UIW_NOTEBOOK::currentPage() const {
  return static_cast<QTabWidget*>(widget())->currentIndex();
}
void UIW_NOTEBOOK::setCurrentPage(int index) {
  static_cast<QTabWidget*>(widget())->setCurrentIndex(index);
}
int UIW_NOTEBOOK::pageCount() const {
  return static_cast<QTabWidget*>(widget())->count();
}

bool UIW_TOOL_BAR::accepts(QObject* o) {
  return qobject_cast<QToolBar*>(o);
}

void UIW_TOOL_BAR::remove(UI_WINDOW_OBJECT& button) {
  if (auto* a = qobject_cast<QAction*>(button.object()))
    static_cast<QToolBar*>(widget())->removeAction(a);
}

bool UIW_TOOL_BAR::contains(const UI_WINDOW_OBJECT& button) const {
  auto* a = qobject_cast<QAction*>(button.object());
  return a && static_cast<QToolBar*>(widget())->actions().contains(a);
}

bool UIW_POP_UP_MENU::accepts(QObject* o) {
  return qobject_cast<QMenu*>(o);
}

void UIW_POP_UP_MENU::clearAdded() {
  auto* menu = static_cast<QMenu*>(widget());
  for (QAction* a : menu->actions()) {
    if (a->property("addedItem").toBool()) {
      menu->removeAction(a);
      a->deleteLater();
    }
  }
}

void UIW_POP_UP_MENU::add(std::string_view text, int event, long value, bool checked) {
  auto* menu = static_cast<QMenu*>(widget());
  QAction* a = menu->addAction(toQt(text));
  a->setProperty("addedItem", true);
  a->setCheckable(checked);
  a->setChecked(checked);
  UIW_WINDOW* owner = window();
  QObject::connect(a, &QAction::triggered, a, [owner, event, value] {
    UI_EVENT_MANAGER::instance().post(owner, UI_EVENT(event, value));
  });
}

int UIW_POP_UP_MENU::count() const {
  return int(static_cast<QMenu*>(widget())->actions().size());
}

std::string UIW_POP_UP_MENU::itemText(int index) const {
  const auto actions = static_cast<QMenu*>(widget())->actions();
  return index >= 0 && index < actions.size() ? fromQt(actions[index]->text()) : std::string();
}

}  // namespace savora::toolkit
