#include "toolkit/storable_text.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTextCursor>
#include <utility>

#include "platform/codepage.h"
#include "platform/text.h"

namespace savora::toolkit {
namespace {

// Where on screen (in UTF-16 units) character `position` of the text starts, and its length.
std::pair<int, int> screenRange(const QString& text, size_t position) {
  int start = 0;
  for (size_t i = 0; i < position && start < text.size(); ++i)
    start += text.at(start).isHighSurrogate() ? 2 : 1;
  const int length = start < text.size() && text.at(start).isHighSurrogate() ? 2 : 1;
  return {start, length};
}

// Brings forward every tab page that holds `field`, so the person sees the field being pointed at.
void showPagesOf(QWidget* field) {
  for (QWidget* page = field; page != nullptr; page = page->parentWidget()) {
    QWidget* stack = page->parentWidget();
    auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
    if (tabs && tabs->indexOf(page) >= 0) tabs->setCurrentWidget(page);
  }
}

bool refuse(User& user, QWidget* field, const QString& text, platform::UncodableCharacter found) {
  user.message("Wait!", "HAND", Buttons::Ok,
               platform::formatText("Character %zu of this text (U+%04X) cannot be stored. "
                                    "Please remove it or type another in its place.",
                                    found.position + 1, unsigned(found.codePoint)));
  showPagesOf(field);
  field->setFocus();
  const auto [start, length] = screenRange(text, found.position);
  if (auto* line = qobject_cast<QLineEdit*>(field)) {
    line->setSelection(start, length);
  } else if (auto* edit = qobject_cast<QPlainTextEdit*>(field)) {
    QTextCursor cursor = edit->textCursor();
    cursor.setPosition(start);
    cursor.setPosition(start + length, QTextCursor::KeepAnchor);
    edit->setTextCursor(cursor);
  }
  return false;
}

}  // namespace

bool fieldsStorable(UIW_WINDOW& window, User& user) {
  for (QWidget* field : window.widget()->findChildren<QWidget*>()) {
    QString text;
    if (auto* line = qobject_cast<QLineEdit*>(field); line && !line->isReadOnly()) {
      text = line->text();
    } else if (auto* edit = qobject_cast<QPlainTextEdit*>(field); edit && !edit->isReadOnly()) {
      text = edit->toPlainText();
    } else {
      continue;
    }
    if (const auto found = platform::firstUncodable(text.toStdString()))
      return refuse(user, field, text, *found);
  }
  return true;
}

}  // namespace savora::toolkit
