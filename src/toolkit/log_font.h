// A print font as the settings file stores it: the fields of a Windows LOGFONT, in its order.
#pragma once

#include <string>

namespace savora::toolkit {

struct LogFont {
  long height = -16;  // negative: character height in points * 20 / 15 (device units at 96 dpi)
  long width = 0;
  long escapement = 0;
  long orientation = 0;
  long weight = 700;  // 400 normal, 700 bold
  int italic = 0;
  int underline = 0;
  int strikeOut = 0;
  int charSet = 0;
  int outPrecision = 0;
  int clipPrecision = 0;
  int quality = 2;
  int pitchAndFamily = 18;
  std::string faceName = "Times New Roman";  // at most 31 characters

  bool operator==(const LogFont&) const = default;
};

}  // namespace savora::toolkit
