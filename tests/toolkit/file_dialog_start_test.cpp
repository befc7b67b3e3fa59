// Where save dialogs open and the file names they suggest.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

#include "temp_folder.h"
#include "toolkit/qt_user.h"
#include "toolkit/user.h"

namespace savora::toolkit {
namespace {

TEST(SuggestedFileNameTest, KeepsTheNameAndDropsWhatCannotStandInAFileName) {
  struct Case {
    const char* name;
    const char* expected;
  };
  const Case cases[] = {
      {"Onion Soup", "Onion Soup.txt"},
      {"  Mom's Bread  ", "Mom's Bread.txt"},
      {"Soup/Stew: Winter", "Soup-Stew- Winter.txt"},
      {"C:\\Temp\\x", "C--Temp-x.txt"},
      {"Line\nbreak", "Line-break.txt"},
      {"", "Recipes.txt"},
      {"..", "Recipes.txt"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(suggestedFileName(c.name, ".txt", "Recipes"), c.expected);
  }
}

// A start without a folder opens in the documents folder the desktop names, or in the home
// folder when that does not exist; a start with a folder opens there.
TEST(FileDialogStartTest, ANameAloneStartsInTheDocumentsFolder) {
  testing::TempFolder home;
  const std::optional<std::string> oldHome =
      std::getenv("HOME") ? std::optional<std::string>(std::getenv("HOME")) : std::nullopt;
  const std::optional<std::string> oldConfig =
      std::getenv("XDG_CONFIG_HOME") ? std::optional<std::string>(std::getenv("XDG_CONFIG_HOME"))
                                     : std::nullopt;
  ::setenv("HOME", home.path().c_str(), 1);
  ::setenv("XDG_CONFIG_HOME", (home.path() / ".config").c_str(), 1);
  std::filesystem::create_directories(home.path() / ".config");
  std::ofstream(home.path() / ".config" / "user-dirs.dirs")
      << "XDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n";

  const QString homePath = QString::fromStdString(home.path().string());
  EXPECT_EQ(fileDialogStart("Menu.pdf"), homePath + "/Menu.pdf");
  std::filesystem::create_directories(home.path() / "Papers");
  EXPECT_EQ(fileDialogStart("Menu.pdf"), homePath + "/Papers/Menu.pdf");
  EXPECT_EQ(fileDialogStart(""), homePath + "/Papers");
  EXPECT_EQ(fileDialogStart(home.str() + "backup.ck9").toStdString(), home.str() + "backup.ck9");

  oldHome ? (void)::setenv("HOME", oldHome->c_str(), 1) : (void)::unsetenv("HOME");
  oldConfig ? (void)::setenv("XDG_CONFIG_HOME", oldConfig->c_str(), 1)
            : (void)::unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace savora::toolkit
