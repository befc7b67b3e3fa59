#include "print/page_writer.h"

#include <algorithm>
#include <string>

namespace savora::print {

namespace {

// Indent of the first continuation line when the caller asks for it.
constexpr double kContinuationIndent = 10;

}  // namespace

PageWriter::PageWriter(toolkit::Canvas& canvas, const PrintSettings& settings)
    : canvas_(canvas), settings_(settings) {
  cardPosition_ = settings_.onCards()
                      ? std::clamp(settings_.cardPosition, 1, cardPositions(settings_.paperMode))
                      : 1;
  startArea();
  useFont(Font::Body);
}

bool PageWriter::cornerCards() const {
  return settings_.onCards() && settings_.cardStyle == CardStyle::Corner;
}

void PageWriter::startArea() {
  Margins margins = settings_.margins;
  if (settings_.onCards()) margins = cardMargins(settings_.paperMode, cardPosition_, margins);
  geometry_ = pageGeometry(margins, settings_.paperMode, settings_.cardStyle);
  y_ = geometry_.top;
  if (!settings_.onCards()) return;
  // The card's decoration: a frame for the background style, a corner piece for the corner one.
  const double raise = settings_.paperMode == PaperMode::FormattedCards ? kFormattedCornerRaise
                                                                        : kFourBySixCornerRaise;
  if (settings_.cardStyle == CardStyle::Background) {
    const double x0 = geometry_.left - 8, x1 = geometry_.right + 8;
    const double y0 = geometry_.top - 8, y1 = geometry_.bottom + 8;
    canvas_.line(x0, y0, x1, y0, 0.5);
    canvas_.line(x1, y0, x1, y1, 0.5);
    canvas_.line(x1, y1, x0, y1, 0.5);
    canvas_.line(x0, y1, x0, y0, 0.5);
  } else {
    const double base = geometry_.bottom + raise;
    const double x = geometry_.left;
    canvas_.fillRect(x, base - 4, kCornerShift - 10, 4);
    canvas_.fillRect(x, base - kCornerHeight, 4, kCornerHeight);
    canvas_.line(x + 10, base - 10, x + kCornerShift - 20, base - 10, 1);
    canvas_.line(x + 10, base - 10, x + 10, base - kCornerHeight + 6, 1);
  }
}

void PageWriter::useFont(Font font) {
  toolkit::LogFont f = font == Font::Title ? settings_.titleFont : settings_.bodyFont;
  if (font == Font::BodyBold || font == Font::BodyBoldItalic) f.weight = 700;
  if (font == Font::Body || font == Font::BodyItalic) f.weight = 400;
  if (font == Font::BodyItalic || font == Font::BodyBoldItalic) f.italic = 1;
  canvas_.selectFont(f);
}

void PageWriter::nextArea() {
  if (settings_.onCards() && cardPosition_ < cardPositions(settings_.paperMode)) {
    ++cardPosition_;
  } else {
    canvas_.newPage();
    cardPosition_ = 1;
  }
  startArea();
}

void PageWriter::nextSheet() {
  canvas_.newPage();
  cardPosition_ = 1;
  startArea();
}

void PageWriter::makeRoom(double height) {
  // At the top of an area nothing more can be gained by moving on: draw here (clipped).
  if (y_ > geometry_.top && y_ + height > geometry_.bottom) nextArea();
}

void PageWriter::lineDown(double lines) {
  y_ += lines * lineHeight();
  makeRoom(lineHeight());
}

double PageWriter::leftEdge(double left) const {
  if (cornerCards() && y_ >= geometry_.bottom - kCornerHeight &&
      left < geometry_.left + kCornerShift)
    return left + kCornerShift;
  return left;
}

void PageWriter::textAtLeft(std::string_view text, double indent) {
  makeRoom(lineHeight());
  canvas_.text(leftEdge(geometry_.left) + indent, y_, text);
}

void PageWriter::textAt(double x, std::string_view text) {
  canvas_.text(x, y_, text);
}

void PageWriter::centred(std::string_view text) {
  makeRoom(lineHeight());
  const double width = canvas_.textWidth(text);
  const double x = std::max(geometry_.left, (geometry_.left + geometry_.right - width) / 2);
  canvas_.text(x, y_, text);
}

void PageWriter::wrap(std::string_view text, double x, double left, double right,
                      bool indentContinuation) {
  makeRoom(lineHeight());
  const double blank = canvas_.textWidth(" ");
  bool firstContinuation = true;
  bool lineHasWords = false;
  x = std::max(x, leftEdge(left));
  auto newLine = [&] {
    lineDown();
    x = leftEdge(left);
    if (indentContinuation && firstContinuation) x += kContinuationIndent;
    firstContinuation = false;
    lineHasWords = false;
  };

  std::string word;
  auto drawWord = [&] {
    if (word.empty()) return;
    const double width = canvas_.textWidth(word);
    // A word that does not fit goes to the next line, unless it already starts one: then it is
    // drawn there and clipped, so wrapping always moves on.
    if (lineHasWords && x + width > right) newLine();
    canvas_.text(x, y_, word);
    x += width;
    lineHasWords = true;
    word.clear();
  };
  for (const char c : text) {
    if (c == '\r') continue;
    if (c == ' ' || c == '\t') {
      drawWord();
      x += c == '\t' ? 2 * blank : blank;
    } else if (c == '\n') {
      drawWord();
      newLine();
    } else {
      word += c;
    }
  }
  drawWord();
}

}  // namespace savora::print
