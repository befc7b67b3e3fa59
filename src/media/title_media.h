// Copying a content title's media folders from its CD into its title directory.
#pragma once

#include <string>
#include <vector>

#include "toolkit/user.h"

namespace savora::media {

// Copies the CD folders "tips" and "pictures" (with their subfolders) from `cdRoot` ("D:") into
// `targetDirectory`, replacing files already there; the status window names each file ("Copying
// %s...", title "Copying Files"). Entries whose names start with "." are skipped; a file that
// cannot be copied is passed over and the copy goes on. Returns the files and folders that could
// not be written.
[[nodiscard]] std::vector<std::string> copyTitleMedia(const std::string& cdRoot,
                                                      const std::string& targetDirectory,
                                                      toolkit::User& user);

}  // namespace savora::media
