// The printing surface that the print layouts draw on. Coordinates are printer units of 1/77 inch
// measured from the printable area's corner (0.25 inch in from the paper's edges); y grows down
// and names the top of a text line. The Qt canvas draws on a printer or into a PDF; tests use a
// recording canvas.
#pragma once

#include <string_view>

#include "toolkit/log_font.h"

namespace savora::toolkit {

class Canvas {
 public:
  static constexpr double kUnitsPerInch = 77.0;
  static constexpr double kUnprintableInches = 0.25;

  virtual ~Canvas() = default;

  // Later text uses this font; its height is in printer units (negative: character height
  // without internal leading, as in a LOGFONT).
  virtual void selectFont(const LogFont& font) = 0;
  virtual void text(double x, double y, std::string_view text) = 0;
  virtual double textWidth(std::string_view text) = 0;
  // Height of one line of the selected font.
  virtual double lineHeight() = 0;
  virtual void line(double x1, double y1, double x2, double y2, double thickness = 1.0) = 0;
  virtual void fillRect(double x, double y, double width, double height) = 0;
  virtual void newPage() = 0;
  // Ends the document; false when it could not be printed or written.
  virtual bool finish() = 0;
};

}  // namespace savora::toolkit
