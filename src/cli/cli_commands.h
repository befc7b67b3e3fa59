// The commands of savora99-cli, the program's command-line companion for batch work on a
// program folder: writing recipes' text forms, printing recipes into a PDF, importing recipe
// files and exporting books, through the same layouts, importer and exporter as the program and
// without a window.
#pragma once

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "toolkit/canvas.h"

namespace savora::cli {

// Makes the canvas of a PDF file of the given paper size in inches; null when it cannot.
using PdfCanvasMaker = std::function<std::unique_ptr<toolkit::Canvas>(
    const std::string& path, double widthInches, double heightInches)>;

// Runs the command line (without the program name); the exit status: 0 done, 1 a recipe was
// not found or the output failed, 2 a malformed command line or a program folder that cannot
// be opened.
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const PdfCanvasMaker& pdfCanvas);

// The text of --help.
std::string cliHelp();

}  // namespace savora::cli
