// The program holds Windows-1252 bytes; the screen holds Unicode. These convert at the boundary.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace savora::toolkit {

QString toQt(std::string_view cp1252);
std::string fromQt(const QString& text);
// Message texts keep "\r\n"; on screen a line break is '\n'.
QString toQtLines(std::string_view cp1252);

}  // namespace savora::toolkit
