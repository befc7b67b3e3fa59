// The installer of a verified update: "install.exe" taken out of the downloaded archive into a
// folder of its own, so the program exits into that very program and never into one found
// elsewhere (the program folder, PATH).
#pragma once

#include <filesystem>
#include <optional>

namespace savora::online {

// Writes the archive held in `download` (after its HTTP headers) to `folder`/update.zip and
// takes "install.exe" out of it into `folder`, emptied first, as an executable file. Nothing
// when the archive is unreadable or holds no installer; `folder` is then removed.
std::optional<std::filesystem::path> unpackInstaller(const std::filesystem::path& download,
                                                     const std::filesystem::path& folder);

}  // namespace savora::online
