#include "toolkit/typed_keys.h"

#include <QKeyEvent>
#include <QWidget>

#include "toolkit/qt_text.h"
#include "toolkit/type_ahead.h"
#include "toolkit/uiw_window.h"

namespace savora::toolkit {
namespace {

class TypedKeyFilter : public QObject {
 public:
  TypedKeyFilter(UIW_WINDOW* window, int code, QObject* parent)
      : QObject(parent), window_(window), code_(code) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
      return false;
    }
    const long shifted = (key->modifiers() & Qt::ShiftModifier) ? 1 : 0;
    if (key->key() == Qt::Key_Backspace) {
      send(watched, kBackspaceCharacter, shifted);
      return true;
    }
    const QString text = key->text();
    if (text.isEmpty()) return false;
    for (const QChar c : text) {
      if (!c.isPrint()) return false;
    }
    for (const unsigned char c : fromQt(text)) send(watched, c, shifted);
    return true;
  }

 private:
  void send(QObject* from, long character, long shifted) {
    UI_EVENT e(code_, character, shifted);
    e.source = window_->wrap(from);
    window_->post(std::move(e));
  }

  UIW_WINDOW* window_;
  int code_;
};

}  // namespace

void deliverTypedKeys(QWidget* widget, UIW_WINDOW* window, int code) {
  widget->installEventFilter(new TypedKeyFilter(window, code, widget));
}

}  // namespace savora::toolkit
