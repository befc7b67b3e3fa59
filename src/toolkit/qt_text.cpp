#include "toolkit/qt_text.h"

#include "platform/codepage.h"

namespace savora::toolkit {

QString toQt(std::string_view cp1252) {
  return QString::fromStdString(platform::utf8FromCp1252(cp1252));
}

std::string fromQt(const QString& text) {
  return platform::cp1252FromUtf8(text.toStdString());
}

QString toQtLines(std::string_view cp1252) {
  QString text = toQt(cp1252);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

}  // namespace savora::toolkit
