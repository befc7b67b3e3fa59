// Sending a print to real output: Qt's print dialog to any installed printer (its print-to-file
// writes a PDF), or, on a machine without printers, straight to a "Save as PDF" file dialog.
#pragma once

#include <functional>
#include <string>

#include "print/print_settings.h"
#include "toolkit/canvas.h"

namespace savora::toolkit {
class User;
}

namespace savora::print {

// Draws the print through `draw` (which finishes the canvas and says whether that worked).
// Cancelling a dialog prints nothing; a printer or file that cannot be started is reported.
// Returns whether the print was made. `fileName` is the name a PDF is offered under.
bool printWithDialog(toolkit::User& user, const PrintSettings& settings,
                     const std::function<bool(toolkit::Canvas&)>& draw,
                     const std::string& fileName = "Savora.pdf");

}  // namespace savora::print
