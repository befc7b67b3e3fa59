#include "toolkit/focused_edit.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace savora::toolkit {

namespace {

void apply(QLineEdit* line, FieldEdit edit) {
  switch (edit) {
    case FieldEdit::Cut:
      line->cut();
      break;
    case FieldEdit::Copy:
      line->copy();
      break;
    case FieldEdit::Paste:
      line->paste();
      break;
    case FieldEdit::Clear:
      line->del();
      break;
    case FieldEdit::SelectAll:
      line->selectAll();
      break;
    case FieldEdit::Undo:
      line->undo();
      break;
  }
}

void apply(QPlainTextEdit* text, FieldEdit edit) {
  switch (edit) {
    case FieldEdit::Cut:
      text->cut();
      break;
    case FieldEdit::Copy:
      text->copy();
      break;
    case FieldEdit::Paste:
      text->paste();
      break;
    case FieldEdit::Clear:
      text->textCursor().removeSelectedText();
      break;
    case FieldEdit::SelectAll:
      text->selectAll();
      break;
    case FieldEdit::Undo:
      text->undo();
      break;
  }
}

}  // namespace

bool editFocusedField(QWidget* root, FieldEdit edit) {
  QWidget* focused = QApplication::focusWidget();
  if (!root || !focused || !root->isAncestorOf(focused)) return false;
  if (auto* combo = qobject_cast<QComboBox*>(focused); combo && combo->lineEdit()) {
    apply(combo->lineEdit(), edit);
  } else if (auto* line = qobject_cast<QLineEdit*>(focused)) {
    apply(line, edit);
  } else if (auto* text = qobject_cast<QPlainTextEdit*>(focused)) {
    apply(text, edit);
  } else {
    return false;
  }
  return true;
}

}  // namespace savora::toolkit
