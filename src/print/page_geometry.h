// Where the printed area lies, in printer units (77 to the inch) from the printable corner.
#pragma once

#include "print/print_settings.h"

namespace savora::print {

struct PageGeometry {
  double left = 0;
  double middle = 0;
  double right = 0;
  double top = 0;
  double bottom = 0;
};

// The area of the margins; on cards of the corner style the bottom is raised clear of the
// corner decoration.
PageGeometry pageGeometry(const Margins& margins, PaperMode mode, CardStyle style);

// How far the corner style raises the bottom, and the corner decoration's size.
inline constexpr double kFormattedCornerRaise = 19;
inline constexpr double kFourBySixCornerRaise = 25;
inline constexpr double kCornerHeight = 38.5;
inline constexpr double kCornerShift = 100.1;

}  // namespace savora::print
