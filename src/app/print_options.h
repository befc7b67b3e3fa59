// The print settings as the settings file keeps them, turned into the print set-up's settings
// and back.
#pragma once

#include "app/settings.h"
#include "print/print_settings.h"

namespace savora::app {

print::PrintSettings printSettingsOf(const PrintSettings& stored);
// Keeps what the set-up changed: margins, paper size, fonts and the six options.
void keepPrintSettings(PrintSettings& stored, const print::PrintSettings& settings);

}  // namespace savora::app
