#include "toolkit/qt_canvas.h"

#include <QFontMetricsF>
#include <QPageSize>
#include <QPrinter>
#include <cmath>

#include "toolkit/font_mapping.h"
#include "toolkit/qt_text.h"

namespace savora::toolkit {

QtCanvas::QtCanvas(QPrinter& printer) : printer_(&printer) {
  begin();
}

QtCanvas::QtCanvas(std::unique_ptr<QPrinter> owned)
    : owned_(std::move(owned)), printer_(owned_.get()) {
  begin();
}

std::unique_ptr<QtCanvas> QtCanvas::toPdf(const std::string& path, double widthInches,
                                          double heightInches) {
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer->setOutputFormat(QPrinter::PdfFormat);
  printer->setOutputFileName(QString::fromStdString(path));
  printer->setPageSize(QPageSize(QSizeF(widthInches, heightInches), QPageSize::Inch));
  printer->setFullPage(true);
  return std::unique_ptr<QtCanvas>(new QtCanvas(std::move(printer)));
}

QtCanvas::~QtCanvas() {
  if (painter_.isActive()) painter_.end();
}

void QtCanvas::begin() {
  printer_->setFullPage(true);
  if (!painter_.begin(printer_)) return;
  const double inset = kUnprintableInches * printer_->resolution();
  origin_ = QPointF(inset, inset);
  painter_.setPen(QPen(Qt::black));
  selectFont(LogFont{});
}

double QtCanvas::scale() const {
  return printer_->resolution() / kUnitsPerInch;
}

QPointF QtCanvas::toDevice(double x, double y) const {
  return origin_ + QPointF(x * scale(), y * scale());
}

void QtCanvas::selectFont(const LogFont& logFont) {
  QFont font = qFontOf(logFont);
  // Height in printer units, converted to device pixels.
  font.setPixelSize(std::max(1, int(std::lround(std::labs(logFont.height) * scale()))));
  painter_.setFont(font);
}

void QtCanvas::text(double x, double y, std::string_view text) {
  if (!painter_.isActive()) return;
  const QFontMetricsF metrics(painter_.font(), printer_);
  painter_.drawText(toDevice(x, y) + QPointF(0, metrics.ascent()), toQt(text));
}

double QtCanvas::textWidth(std::string_view text) {
  const QFontMetricsF metrics(painter_.font(), printer_);
  return metrics.horizontalAdvance(toQt(text)) / scale();
}

double QtCanvas::lineHeight() {
  const QFontMetricsF metrics(painter_.font(), printer_);
  return metrics.height() / scale();
}

void QtCanvas::line(double x1, double y1, double x2, double y2, double thickness) {
  if (!painter_.isActive()) return;
  painter_.setPen(QPen(Qt::black, thickness * scale()));
  painter_.drawLine(toDevice(x1, y1), toDevice(x2, y2));
}

void QtCanvas::fillRect(double x, double y, double width, double height) {
  if (!painter_.isActive()) return;
  painter_.fillRect(QRectF(toDevice(x, y), QSizeF(width * scale(), height * scale())), Qt::black);
}

void QtCanvas::newPage() {
  if (painter_.isActive()) printer_->newPage();
}

bool QtCanvas::finish() {
  if (!painter_.isActive()) return false;
  return painter_.end();
}

}  // namespace savora::toolkit
