#include "toolkit/font_mapping.h"

#include <cmath>
#include <cstdlib>

#include "toolkit/qt_text.h"

namespace savora::toolkit {

QFont qFontOf(const LogFont& lf) {
  QFont font(toQt(lf.faceName));
  const long height = std::labs(lf.height);
  font.setPointSizeF(height > 0 ? height * 72.0 / 96.0 : 12.0);
  font.setWeight(QFont::Weight(std::clamp<long>(lf.weight, 100, 900)));
  font.setItalic(lf.italic != 0);
  font.setUnderline(lf.underline != 0);
  font.setStrikeOut(lf.strikeOut != 0);
  if ((lf.pitchAndFamily & 0x03) == 1) font.setFixedPitch(true);
  return font;
}

LogFont logFontOf(const QFont& font, const LogFont& base) {
  LogFont lf = base;
  lf.height = -std::lround(font.pointSizeF() * 96.0 / 72.0);
  lf.weight = font.weight();
  lf.italic = font.italic() ? 1 : 0;
  lf.underline = font.underline() ? 1 : 0;
  lf.strikeOut = font.strikeOut() ? 1 : 0;
  lf.faceName = fromQt(font.family()).substr(0, 31);
  return lf;
}

}  // namespace savora::toolkit
