// The program's command line and what it does with the files it is given.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/opened_files.h"
#include "codes/program_codes.h"

namespace savora::app {
namespace {

TEST(CommandLineTest, ReadsOptionsAndMakesFilesAbsolute) {
  const std::string here = std::filesystem::current_path().string();
  struct Case {
    std::vector<std::string> args;
    std::string data;
    std::vector<std::string> files;
    std::string error;
  };
  const std::vector<Case> cases = {
      {{}, "", {}, ""},
      {{"--data", "/srv/recipes", "a.mmf"}, "/srv/recipes", {here + "/a.mmf"}, ""},
      {{"../x/./b.mxp", "/abs/c.ck9"},
       "",
       {std::filesystem::path(here).parent_path().string() + "/x/b.mxp", "/abs/c.ck9"},
       ""},
      {{"--", "--odd-name.mmf"}, "", {here + "/--odd-name.mmf"}, ""},
      {{"--data"}, "", {}, "--data needs a folder"},
      {{"--frobnicate"}, "", {}, "unknown option --frobnicate"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.empty() ? "(none)" : c.args.front());
    const CommandLine line = parseCommandLine(c.args);
    EXPECT_EQ(line.dataFolder, c.data);
    EXPECT_EQ(line.files, c.files);
    EXPECT_EQ(line.error, c.error);
  }
  EXPECT_TRUE(parseCommandLine({"--help"}).help);
  EXPECT_TRUE(parseCommandLine({"--version"}).version);
}

TEST(CommandLineTest, ABackupIsOfferedForRestoringAndAnythingElseImported) {
  for (const auto& [path, code] : std::vector<std::pair<std::string, int>>{
           {"/home/cook/savorabackup.ck9", codes::kRestoreChosen},
           {"/home/cook/OLD.CK9", codes::kRestoreChosen},
           {"/home/cook/soups.mmf", codes::kImportFile},
           {"/home/cook/book.zel", codes::kImportFile},
           {"/home/cook/ck9", codes::kImportFile},
           {"/home/cook.ck9/notes.txt", codes::kImportFile}}) {
    SCOPED_TRACE(path);
    const toolkit::UI_EVENT event = openedFileEvent(path);
    EXPECT_EQ(event.type, code);
    EXPECT_EQ(event.text, path);
  }
}

}  // namespace
}  // namespace savora::app
