#include "toolkit/ui_window_object.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QTextEdit>
#include <QVariant>
#include <QWidget>

#include "toolkit/qt_text.h"

namespace savora::toolkit {

UI_WINDOW_OBJECT::UI_WINDOW_OBJECT(QObject* object, UIW_WINDOW* window)
    : object_(object), window_(window) {}

QWidget* UI_WINDOW_OBJECT::widget() const {
  return qobject_cast<QWidget*>(object_.data());
}

std::string UI_WINDOW_OBJECT::name() const {
  return object_ ? object_->objectName().toStdString() : std::string();
}

int UI_WINDOW_OBJECT::numberID() const {
  return object_ ? object_->property("numid").toInt() : 0;
}

int UI_WINDOW_OBJECT::eventCode() const {
  return object_ ? object_->property("event").toInt() : 0;
}

int UI_WINDOW_OBJECT::helpContext() const {
  return object_ ? object_->property("helpContext").toInt() : 0;
}

std::string UI_WINDOW_OBJECT::text() const {
  QObject* o = object_;
  if (auto* a = qobject_cast<QAction*>(o)) return fromQt(a->text());
  if (auto* b = qobject_cast<QAbstractButton*>(o)) return fromQt(b->text());
  if (auto* l = qobject_cast<QLineEdit*>(o)) return fromQt(l->text());
  if (auto* l = qobject_cast<QLabel*>(o)) return fromQt(l->text());
  if (auto* t = qobject_cast<QPlainTextEdit*>(o)) {
    // The text as typed: toPlainText() would also turn non-breaking spaces into blanks.
    QString raw = t->document()->toRawText();
    raw.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    raw.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return fromQt(raw);
  }
  if (auto* t = qobject_cast<QTextEdit*>(o)) return fromQt(t->toPlainText());
  if (auto* c = qobject_cast<QComboBox*>(o)) return fromQt(c->currentText());
  if (auto* g = qobject_cast<QGroupBox*>(o)) return fromQt(g->title());
  if (auto* w = qobject_cast<QWidget*>(o)) return fromQt(w->windowTitle());
  return {};
}

void UI_WINDOW_OBJECT::setText(std::string_view text) {
  QObject* o = object_;
  const QString t = toQtLines(text);
  if (auto* a = qobject_cast<QAction*>(o)) {
    a->setText(t);
  } else if (auto* b = qobject_cast<QAbstractButton*>(o)) {
    b->setText(t);
  } else if (auto* l = qobject_cast<QLineEdit*>(o)) {
    l->setText(t);
  } else if (auto* l = qobject_cast<QLabel*>(o)) {
    l->setText(t);
  } else if (auto* e = qobject_cast<QPlainTextEdit*>(o)) {
    e->setPlainText(t);
  } else if (auto* e = qobject_cast<QTextEdit*>(o)) {
    e->setPlainText(t);
  } else if (auto* c = qobject_cast<QComboBox*>(o)) {
    if (c->isEditable()) c->setEditText(t);
  } else if (auto* g = qobject_cast<QGroupBox*>(o)) {
    g->setTitle(t);
  } else if (auto* w = qobject_cast<QWidget*>(o)) {
    w->setWindowTitle(t);
  }
}

bool UI_WINDOW_OBJECT::isSelectable() const {
  if (auto* a = qobject_cast<QAction*>(object_.data())) return a->isEnabled();
  if (auto* w = widget()) return w->isEnabled();
  return false;
}

void UI_WINDOW_OBJECT::setSelectable(bool selectable) {
  if (auto* a = qobject_cast<QAction*>(object_.data())) a->setEnabled(selectable);
  if (auto* w = widget()) w->setEnabled(selectable);
}

bool UI_WINDOW_OBJECT::isVisible() const {
  if (auto* a = qobject_cast<QAction*>(object_.data())) return a->isVisible();
  // Hidden means hidden by the program; a widget of a window not yet on screen still counts
  // as visible.
  if (auto* w = widget()) return !w->isHidden();
  return false;
}

void UI_WINDOW_OBJECT::show(bool visible) {
  if (auto* a = qobject_cast<QAction*>(object_.data())) a->setVisible(visible);
  if (auto* w = widget()) w->setVisible(visible);
}

void UI_WINDOW_OBJECT::setFocus() {
  if (auto* w = widget()) w->setFocus(Qt::OtherFocusReason);
}

bool UI_WINDOW_OBJECT::hasFocus() const {
  auto* w = widget();
  return w && w->hasFocus();
}

}  // namespace savora::toolkit
