// Print fonts are stored as LOGFONT values; Qt draws with QFont. These map one onto the other.
#pragma once

#include <QFont>

#include "toolkit/log_font.h"

namespace savora::toolkit {

// A negative LOGFONT height is the character height in device units at 96 per inch; a positive
// one includes the internal leading (taken here as the same size).
QFont qFontOf(const LogFont& logFont);
// The LOGFONT of a chosen font; fields Qt knows nothing of keep the values of `base`.
LogFont logFontOf(const QFont& font, const LogFont& base);

}  // namespace savora::toolkit
