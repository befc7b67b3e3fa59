#include "print/page_geometry.h"

#include "toolkit/canvas.h"

namespace savora::print {

PageGeometry pageGeometry(const Margins& m, PaperMode mode, CardStyle style) {
  constexpr double kUnits = toolkit::Canvas::kUnitsPerInch;
  constexpr double kBorder = toolkit::Canvas::kUnprintableInches;
  PageGeometry g;
  g.left = (m.left - kBorder) * kUnits;
  g.middle = ((m.paperWidth - m.right - m.left) / 2 + m.left - kBorder) * kUnits;
  g.right = (m.paperWidth - m.right - kBorder) * kUnits;
  g.top = (m.top - kBorder) * kUnits;
  g.bottom = (m.paperHeight - m.bottom - kBorder) * kUnits;
  if (style == CardStyle::Corner) {
    if (mode == PaperMode::FormattedCards) g.bottom -= kFormattedCornerRaise;
    if (mode == PaperMode::FourBySixCards) g.bottom -= kFourBySixCornerRaise;
  }
  return g;
}

}  // namespace savora::print
