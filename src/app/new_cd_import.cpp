#include "app/new_cd_import.h"

#include "app/content_title.h"
#include "app/installed_titles.h"
#include "platform/file_ops.h"
#include "platform/ini_file.h"
#include "platform/log.h"
#include "platform/text.h"

namespace savora::app {
namespace {

constexpr const char* kSection = "General";

std::string titleKey(long index) { return platform::formatText("App%d", int(index)); }

}  // namespace

void registerInstalledTitle(long productNumber, const std::string& title) {
  platform::IniFile ini(installedTitlesPath());
  long freeKey = -1;
  for (long i = 0; i < kMaxInstalledTitles; ++i) {
    const std::string listed = ini.readString(kSection, titleKey(i));
    if (platform::equalsIgnoreCase(listed, title)) return;
    if (listed.empty() && freeKey < 0) freeKey = i;
  }
  const bool numberUsable = productNumber >= 0 && productNumber < kMaxInstalledTitles &&
                            ini.readString(kSection, titleKey(productNumber)).empty();
  const long key = numberUsable ? productNumber : freeKey;
  if (key >= 0)
    platform::logIfFailed(ini.writeString(kSection, titleKey(key), title),
                          "the title " + title + " is not listed as installed");
}

void finishNewCdImport(const AppState& state, toolkit::User& user) {
  toolkit::WaitPointer wait(user);
  const long product = platform::IniFile(cdInfoOnCd(state)).readInt(kSection, "Product Number", 0);
  registerInstalledTitle(product, state.title);
  if (!platform::fileExists(state.titleDirectory() + "\\cdinfo.ini")) installNewCd(state, user);
}

}  // namespace savora::app
