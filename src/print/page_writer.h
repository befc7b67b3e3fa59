// The pen of a print: the current line on the current card or page, the fonts of the print, and
// the moves every layout makes: lines down, word wrap, centred text, and going on to the next
// card position or page when the printed area is full.
//
// Every move makes progress: a word wider than the printed width is drawn (and clipped by the
// paper) on a line of its own, and a line taller than the whole area is drawn at the top of the
// area, so no layout can loop over empty pages.
#pragma once

#include <string_view>

#include "print/page_geometry.h"
#include "print/print_settings.h"
#include "toolkit/canvas.h"

namespace savora::print {

enum class Font { Title, Body, BodyBold, BodyItalic, BodyBoldItalic };

class PageWriter {
 public:
  PageWriter(toolkit::Canvas& canvas, const PrintSettings& settings);

  toolkit::Canvas& canvas() { return canvas_; }
  const PrintSettings& settings() const { return settings_; }
  const PageGeometry& geometry() const { return geometry_; }
  int cardPosition() const { return cardPosition_; }
  double y() const { return y_; }
  void setY(double y) { y_ = y; }

  void useFont(Font font);
  double lineHeight() { return canvas_.lineHeight(); }

  // Moves down by `lines` lines of the font in use, going on to the next card or page when the
  // following line would not fit.
  void lineDown(double lines = 1);
  // Moves down by a number of printer units (no continuation).
  void moveDown(double units) { y_ += units; }
  // Goes on to the next card or page unless `height` more units fit below the current line.
  void makeRoom(double height);
  // Goes on to the next card position or page now.
  void nextArea();
  // True once the pen has moved down from the top of the current card or page.
  bool areaUsed() const { return y_ > geometry_.top; }
  // Ends the current page; the next text starts on a fresh sheet (at the first card position).
  void nextSheet();

  // Draws the text at the left edge of the line (shifted clear of the card corner).
  void textAtLeft(std::string_view text, double indent = 0);
  void textAt(double x, std::string_view text);
  void centred(std::string_view text);
  // Word wrap between `left` and `right` from `x`: blanks and line ends part words, a tab
  // counts as two blanks, carriage returns are dropped. `indentContinuation` starts the first
  // continuation line 10 units in. Leaves the pen on the last line drawn.
  void wrap(std::string_view text, double x, double left, double right,
            bool indentContinuation = false);
  void wrap(std::string_view text, bool indentContinuation = false) {
    wrap(text, geometry_.left, geometry_.left, geometry_.right, indentContinuation);
  }

  // The left edge for a line starting at the current y: on corner-style cards a line near the
  // bottom starts clear of the corner decoration.
  double leftEdge(double left) const;

 private:
  void startArea();
  bool cornerCards() const;

  toolkit::Canvas& canvas_;
  PrintSettings settings_;
  PageGeometry geometry_;
  int cardPosition_ = 1;
  double y_ = 0;
  bool areaStarted_ = false;
};

}  // namespace savora::print
