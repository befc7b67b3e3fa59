#include "app/print_options.h"

namespace savora::app {

print::PrintSettings printSettingsOf(const PrintSettings& stored) {
  print::PrintSettings s;
  // The six option lines hold, in file order: reduce space, two columns, two on a page, print
  // nutrition, the card style (1 corner) and the paper mode (0 formatted cards, 1 four-by-six
  // cards, 2 standard sheet, 3 custom paper); print::readOptions reads them.
  print::readOptions(stored.options, s);
  const PageMeasurements& p = stored.page;
  s.margins = {p.leftMargin,   p.rightMargin, p.topMargin,
               p.bottomMargin, p.paperWidth,  p.paperHeight};
  s.titleFont = stored.titleFont;
  s.bodyFont = stored.bodyFont;
  // The stored top margin tells which card a print on cards starts at.
  for (int position = 1; position <= print::cardPositions(s.paperMode); ++position) {
    if (print::cardMargins(s.paperMode, position, s.margins).top == s.margins.top)
      s.cardPosition = position;
  }
  return s;
}

void keepPrintSettings(PrintSettings& stored, const print::PrintSettings& s) {
  stored.options = print::storedOptions(s);
  stored.page = {s.margins.left,   s.margins.right,      s.margins.top,
                 s.margins.bottom, s.margins.paperWidth, s.margins.paperHeight};
  stored.titleFont = s.titleFont;
  stored.bodyFont = s.bodyFont;
}

}  // namespace savora::app
