#include "print/print_dialog_window.h"

#include <QApplication>
#include <QFileInfo>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "toolkit/qt_canvas.h"
#include "toolkit/user.h"

namespace savora::print {

namespace {

bool reportFailure(toolkit::User& user) {
  user.message("Print", "EXCLAMATION", toolkit::Buttons::Ok, "The printer could not be started.");
  return false;
}

}  // namespace

bool printWithDialog(toolkit::User& user, const PrintSettings& settings,
                     const std::function<bool(toolkit::Canvas&)>& draw,
                     const std::string& fileName) {
  const double width = settings.margins.paperWidth, height = settings.margins.paperHeight;
  if (QPrinterInfo::availablePrinters().isEmpty()) {
    const auto path = user.saveFileName("Save as PDF", "PDF (*.pdf)", fileName);
    if (!path) return false;
    const auto canvas = toolkit::QtCanvas::toPdf(*path, width, height);
    if (!canvas->isActive() || !draw(*canvas)) return reportFailure(user);
    return true;
  }
  QPrinter printer(QPrinter::HighResolution);
  // The print dialog's print-to-file offers the document's name.
  printer.setDocName(QFileInfo(QString::fromStdString(fileName)).completeBaseName());
  printer.setPageSize(QPageSize(QSizeF(width, height), QPageSize::Inch));
  QPrintDialog dialog(&printer, QApplication::activeWindow());
  if (dialog.exec() != QDialog::Accepted) return false;
  toolkit::QtCanvas canvas(printer);
  if (!canvas.isActive() || !draw(canvas)) return reportFailure(user);
  return true;
}

}  // namespace savora::print
