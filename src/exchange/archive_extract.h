// Unpacking an exchange archive into the program folder. The archive is unpacked into a staging
// folder first; only the names the import reads (the exchange tables, the maker's unit table and
// plain files of "cxp") are moved into place, so an archive that carries the user's own tables,
// program files or folder paths changes nothing of the user's data.
#pragma once

#include <string>

namespace savora::exchange {

// True when every archive operation succeeded and the wanted files are in place.
bool extractExchangeArchive(const std::string& archivePath);

}  // namespace savora::exchange
