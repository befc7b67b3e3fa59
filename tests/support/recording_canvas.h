// A canvas for tests of printed layouts: records every drawing call as a line of text, with
// simple, predictable metrics (each character 6 units wide, a line as high as the font).
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "toolkit/canvas.h"

namespace savora::testing {

class RecordingCanvas : public toolkit::Canvas {
 public:
  void selectFont(const toolkit::LogFont& font) override {
    font_ = font;
    calls.push_back("font " + font.faceName + " " + std::to_string(font.height) + " " +
                    std::to_string(font.weight));
  }
  void text(double x, double y, std::string_view text) override {
    calls.push_back(format("text %.1f %.1f ", x, y) + std::string(text));
  }
  double textWidth(std::string_view text) override { return 6.0 * double(text.size()); }
  double lineHeight() override { return double(std::labs(font_.height)); }
  void line(double x1, double y1, double x2, double y2, double thickness) override {
    calls.push_back(format("line %.1f %.1f %.1f %.1f %.1f", x1, y1, x2, y2, thickness));
  }
  void fillRect(double x, double y, double width, double height) override {
    calls.push_back(format("rect %.1f %.1f %.1f %.1f", x, y, width, height));
  }
  void newPage() override {
    ++pages;
    calls.push_back("page");
  }
  bool finish() override {
    finished = true;
    return true;
  }

  std::vector<std::string> calls;
  int pages = 1;
  bool finished = false;

 private:
  static std::string format(const char* fmt, double a, double b, double c = 0, double d = 0,
                            double e = 0) {
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, fmt, a, b, c, d, e);
    return buffer;
  }
  toolkit::LogFont font_;
};

}  // namespace savora::testing
