// Files opened with the program (from its command line, a file manager, or a second start that
// handed them over): a backup is offered for restoring, any other file is imported.
#pragma once

#include <string>

#include "toolkit/ui_event.h"

namespace savora::app {

// The main window's command for the file: the restore of a chosen backup (".ck9", which asks
// before anything is replaced) or the import of a recipe file (which says what it cannot read).
toolkit::UI_EVENT openedFileEvent(const std::string& path);

}  // namespace savora::app
