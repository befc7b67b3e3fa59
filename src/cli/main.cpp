// savora99-cli: the program's command-line companion. Qt is started without a display only to
// lay out text and write PDF files.
#include <QApplication>
#include <cstdlib>
#include <iostream>

#include "cli/cli_commands.h"
#include "toolkit/qt_canvas.h"

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  const std::vector<std::string> args(argv + 1, argv + argc);
  auto pdfCanvas = [](const std::string& path, double width,
                      double height) -> std::unique_ptr<savora::toolkit::Canvas> {
    auto canvas = savora::toolkit::QtCanvas::toPdf(path, width, height);
    if (!canvas->isActive()) return nullptr;
    return canvas;
  };
  return savora::cli::runCli(args, std::cout, std::cerr, pdfCanvas);
}
