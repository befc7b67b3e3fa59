#include "exchange/exchange_scratch.h"

#include "platform/file_ops.h"
#include "platform/log.h"
#include "store/media_list.h"
#include "xbase/table.h"

namespace savora::exchange {
namespace {

bool runActive = false;

}  // namespace

const std::vector<std::string>& exchangeTableNames() {
  static const std::vector<std::string> names = {
      "mbookx", "bookx", "mchapx", "chapterx", "meal63x", "meal64x", "mrecipex", "recipex", "recip65x",
      "recip64x", "recip63x", "foodx", "unitx", "catx", "brandx", "mcategx", "categx", "weekx"};
  return names;
}

void removeExchangeFiles() {
  // Closed tables keep their files open; deleted scratch tables would hold their space until
  // then.
  xbase::Table::closeKeptTables();
  // What stays is deleted again before the next import or export uses these names.
  auto remove = [](const std::string& file) {
    platform::logIfFailed(platform::deleteIfPresent(file), "cannot delete " + file);
  };
  for (const std::string& table : exchangeTableNames()) {
    for (const char* extension : {".dbf", ".cdx", ".fpt"}) remove(table + extension);
  }
  for (const char* extension : {".dbf", ".cdx", ".fpt"})
    remove(std::string(kMakerUnitTable) + extension);
  for (const char* folder : {store::kExchangeMediaListFolder, kExtractStagingFolder}) {
    platform::logIfFailed(platform::removeFolderTree(folder),
                          std::string("cannot remove the folder ") + folder);
  }
}

std::unique_ptr<ExchangeScratch> ExchangeScratch::begin(toolkit::User& user) {
  if (runActive) {
    user.message("Wait!", "ASTERISK", toolkit::Buttons::Ok, kBusyText);
    return nullptr;
  }
  return std::unique_ptr<ExchangeScratch>(new ExchangeScratch());
}

ExchangeScratch::ExchangeScratch() {
  runActive = true;
  removeExchangeFiles();
}

ExchangeScratch::~ExchangeScratch() {
  removeExchangeFiles();
  runActive = false;
}

bool ExchangeScratch::running() { return runActive; }

}  // namespace savora::exchange
