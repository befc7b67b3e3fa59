// Unpacking an exchange archive into the program folder. The archive is unpacked into a staging
// folder first; only the names the import reads (the exchange tables, the maker's unit table and
// plain files of "cxp") are moved into place, so an archive that carries the user's own tables,
// program files or folder paths changes nothing of the user's data.
#pragma once

#include <string>

namespace savora::exchange {

// archive::kOk when every archive operation succeeded and the wanted files are in place;
// otherwise the archive library's code for what failed. No entry larger than a table can be is
// written, nor more than the disk has free (kErrorEntryTooLarge, kErrorInsufficientSpace).
int extractExchangeArchive(const std::string& archivePath);

}  // namespace savora::exchange
