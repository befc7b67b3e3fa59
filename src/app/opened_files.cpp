#include "app/opened_files.h"

#include <strings.h>

#include "codes/program_codes.h"

namespace savora::app {

toolkit::UI_EVENT openedFileEvent(const std::string& path) {
  const size_t dot = path.find_last_of("./");
  const bool backup =
      dot != std::string::npos && path[dot] == '.' && ::strcasecmp(path.c_str() + dot, ".ck9") == 0;
  toolkit::UI_EVENT event(backup ? codes::kRestoreChosen : codes::kImportFile);
  event.text = path;
  return event;
}

}  // namespace savora::app
