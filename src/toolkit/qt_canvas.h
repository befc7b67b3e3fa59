// The canvas on a QPrinter: a real printer, or a PDF file.
#pragma once

#include <QFont>
#include <QPainter>
#include <memory>
#include <string>

#include "toolkit/canvas.h"

class QPrinter;

namespace savora::toolkit {

class QtCanvas : public Canvas {
 public:
  // Draws on a printer that the caller set up (and keeps alive).
  explicit QtCanvas(QPrinter& printer);
  // Draws into a PDF file of the given paper size in inches.
  static std::unique_ptr<QtCanvas> toPdf(const std::string& path, double paperWidthInches = 8.5,
                                         double paperHeightInches = 11.0);
  ~QtCanvas() override;

  bool isActive() const { return painter_.isActive(); }

  void selectFont(const LogFont& font) override;
  void text(double x, double y, std::string_view text) override;
  double textWidth(std::string_view text) override;
  double lineHeight() override;
  void line(double x1, double y1, double x2, double y2, double thickness) override;
  void fillRect(double x, double y, double width, double height) override;
  void newPage() override;
  bool finish() override;

 private:
  QtCanvas(std::unique_ptr<QPrinter> owned);
  void begin();
  double scale() const;  // device pixels per printer unit
  QPointF toDevice(double x, double y) const;

  std::unique_ptr<QPrinter> owned_;
  QPrinter* printer_;
  QPainter painter_;
  QPointF origin_;  // the printable area's corner on the device
};

}  // namespace savora::toolkit
