#include "toolkit/message_window.h"

#include <QApplication>
#include <QMessageBox>

#include "platform/text.h"
#include "toolkit/qt_text.h"

namespace savora::toolkit {
namespace {

QMessageBox::Icon iconOf(std::string_view name) {
  const std::string n = platform::toUpper(name);
  if (n == "QUESTION") return QMessageBox::Question;
  if (n == "ASTERISK" || n == "INFORMATION") return QMessageBox::Information;
  if (n == "EXCLAMATION") return QMessageBox::Warning;
  if (n == "HAND" || n == "ERROR" || n == "STOP") return QMessageBox::Critical;
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons buttonsOf(Buttons b) {
  switch (b) {
    case Buttons::Ok:
      return QMessageBox::Ok;
    case Buttons::OkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

}  // namespace

ZAF_MESSAGE_WINDOW::ZAF_MESSAGE_WINDOW(std::string_view title, std::string_view iconName,
                                       Buttons buttons, std::string_view text)
    : box_(new QMessageBox(iconOf(iconName), toQt(title), toQtLines(text), buttonsOf(buttons),
                           QApplication::activeWindow())),
      buttons_(buttons) {
  box_->setTextFormat(Qt::PlainText);
  if (buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel) {
    box_->setDefaultButton(QMessageBox::Yes);
  }
  // Escape and the title-bar close answer with the "negative" button.
  if (buttons == Buttons::YesNo) box_->setEscapeButton(QMessageBox::No);
}

ZAF_MESSAGE_WINDOW::~ZAF_MESSAGE_WINDOW() {
  delete box_;
}

Button ZAF_MESSAGE_WINDOW::Control() {
  box_->exec();
  QAbstractButton* clicked = box_->clickedButton();
  switch (clicked ? box_->standardButton(clicked) : QMessageBox::NoButton) {
    case QMessageBox::Ok:
      return Button::Ok;
    case QMessageBox::Yes:
      return Button::Yes;
    case QMessageBox::No:
      return Button::No;
    case QMessageBox::Cancel:
      return Button::Cancel;
    default:
      break;
  }
  switch (buttons_) {
    case Buttons::Ok:
      return Button::Ok;
    case Buttons::YesNo:
      return Button::No;
    default:
      return Button::Cancel;
  }
}

}  // namespace savora::toolkit
