#include "toolkit/qt_user.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QStandardPaths>

#include "platform/paths.h"
#include "toolkit/font_mapping.h"
#include "toolkit/message_window.h"
#include "toolkit/qt_text.h"
#include "toolkit/status_window.h"

namespace savora::toolkit {
namespace {

// The user's documents folder as the desktop names it (XDG_DOCUMENTS_DIR), or the home folder
// when it does not exist.
QString documentsFolder() {
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
}

}  // namespace

QString fileDialogStart(std::string_view start) {
  if (start.find_first_of("/\\") == std::string_view::npos)
    return QDir(documentsFolder()).filePath(QString::fromStdString(std::string(start)));
  return QString::fromStdString(platform::nativePath(start));
}

namespace {

std::optional<std::string> answerOf(const QString& file) {
  if (file.isEmpty()) return std::nullopt;
  return file.toStdString();
}

}  // namespace

Button QtUser::message(std::string_view title, std::string_view icon, Buttons buttons,
                       std::string_view text) {
  return ZAF_MESSAGE_WINDOW(title, icon, buttons, text).Control();
}

void QtUser::showStatus(std::string_view title, std::string_view text) {
  StatusWindow::show(title, text);
}

void QtUser::closeStatus() {
  StatusWindow::close();
}

void QtUser::beginWait() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
}
void QtUser::endWait() {
  QApplication::restoreOverrideCursor();
}
void QtUser::beep() {
  QApplication::beep();
}

std::optional<std::string> QtUser::prompt(std::string_view title, std::string_view text,
                                          int maxLength, std::string_view preset) {
  QInputDialog dialog(QApplication::activeWindow());
  dialog.setWindowTitle(toQt(title));
  dialog.setLabelText(toQtLines(text));
  dialog.setInputMode(QInputDialog::TextInput);
  dialog.setTextValue(toQt(preset));
  if (auto* field = dialog.findChild<QLineEdit*>()) {
    if (maxLength > 0) field->setMaxLength(maxLength);
  }
  if (auto* label = dialog.findChild<QLabel*>()) label->setWordWrap(true);  // long instructions
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return fromQt(dialog.textValue());
}

std::optional<std::string> QtUser::openFileName(std::string_view title, std::string_view filter,
                                                std::string_view startFolder) {
  return answerOf(QFileDialog::getOpenFileName(QApplication::activeWindow(), toQt(title),
                                               fileDialogStart(startFolder), toQt(filter)));
}

std::optional<std::string> QtUser::saveFileName(std::string_view title, std::string_view filter,
                                                std::string_view startFolder, Overwrite overwrite) {
  const QFileDialog::Options options = overwrite == Overwrite::CallerAsks
                                           ? QFileDialog::DontConfirmOverwrite
                                           : QFileDialog::Options();
  return answerOf(QFileDialog::getSaveFileName(QApplication::activeWindow(), toQt(title),
                                               fileDialogStart(startFolder), toQt(filter), nullptr,
                                               options));
}

std::optional<LogFont> QtUser::chooseFont(const LogFont& current) {
  bool ok = false;
  const QFont font = QFontDialog::getFont(&ok, qFontOf(current), QApplication::activeWindow());
  if (!ok) return std::nullopt;
  return logFontOf(font, current);
}

}  // namespace savora::toolkit
