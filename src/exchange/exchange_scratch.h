// The exchange scratch files: the "*x" exchange tables, the maker's unit table and the folder
// "cxp" that an import (or a text importer, or a book export) works on in the program folder.
// One ExchangeScratch object owns them for one exchange run: it deletes any leftovers when the run
// starts and everything again when the object goes away, on success, failure or a window closed
// mid-run. Only one run may hold them at a time.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "toolkit/user.h"

namespace savora::exchange {

// The folder an archive is unpacked into before the wanted names are taken out of it.
inline constexpr const char* kExtractStagingFolder = "xstaging";
// The maker's unit replacements an archive may carry.
inline constexpr const char* kMakerUnitTable = "unitzel";

inline constexpr const char* kBusyText =
    "An import or export is already running.\r\nPlease wait until it has finished.";

// The exchange table names without extension, each kept as ".dbf", ".cdx" and ".fpt".
const std::vector<std::string>& exchangeTableNames();

// Deletes every exchange table file, the maker's unit table and the folders "cxp" and the
// extraction staging folder with what they hold.
void removeExchangeFiles();


class ExchangeScratch {
 public:
  // Starts a run: nothing (after telling the user) while another run holds the files; otherwise
  // the files are cleared and the returned object owns them until it is destroyed.
  static std::unique_ptr<ExchangeScratch> begin(toolkit::User& user);
  ~ExchangeScratch();
  ExchangeScratch(const ExchangeScratch&) = delete;
  ExchangeScratch& operator=(const ExchangeScratch&) = delete;

  static bool running();

 private:
  ExchangeScratch();
};

}  // namespace savora::exchange
