#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QImage>
#include <QWidget>
#include <chrono>
#include <thread>

#include "app/content_title.h"
#include "app/program.h"
#include "app_fixture.h"
#include "backup/backup_schedule.h"
#include "platform/file.h"
#include "platform/file_ops.h"
#include "store/recipe_table.h"
#include "toolkit/event_codes.h"
#include "toolkit/single_instance.h"

namespace savora::app {
namespace {

using namespace savora::toolkit;
using savora::testing::readFileBytes;
using savora::testing::ScriptedUser;
using savora::testing::TempFolder;

const char* const kExitQuestion = "\r\nExit Savora?";

// Runs the program in process with the exit requested at once.
int runAndLeave(const ProgramFolders& folders, ScriptedUser& user) {
  UI_EVENT_MANAGER::instance().clear();
  UI_EVENT_MANAGER::instance().post(nullptr, UI_EVENT(L_EXIT_FUNCTION));
  const int result = runProgram(folders.program.str(), user);
  UI_EVENT_MANAGER::instance().clear();
  return result;
}

TEST(ProgramTest, AMissingObjectFileEndsStartUpWithMinusOne) {
  TempFolder empty;
  ScriptedUser user;  // no message may appear
  EXPECT_EQ(runProgram(empty.str(), user), -1);
  EXPECT_FALSE(ObjectStore::isOpen());
  EXPECT_FALSE(std::filesystem::exists(empty.path() / "rc65.dbf"));
}

TEST(ProgramTest, AWholeRunCreatesTablesWritesItsFilesAndEndsCleanly) {
  ProgramFolders folders;
  ScriptedUser user;
  user.expectMessage("Exit Savora?", kExitQuestion, Button::No);
  user.expectMessage("Exit Savora?", kExitQuestion, Button::Yes);
  // No automatic backup exists yet, so leaving backs up first.
  user.expectMessage("Backup Complete",
                     "Your data was backed up to\r\n" + backup::automaticBackupPath());
  UI_EVENT_MANAGER::instance().clear();
  UI_EVENT_MANAGER::instance().post(nullptr, UI_EVENT(L_EXIT_FUNCTION));
  UI_EVENT_MANAGER::instance().post(nullptr, UI_EVENT(L_EXIT_FUNCTION));
  EXPECT_EQ(runProgram(folders.program.str(), user), 0);
  UI_EVENT_MANAGER::instance().clear();

  const auto& dir = folders.program.path();
  for (const char* file : {"rc65.dbf", "rc65.cdx", "rc65.fpt", "food.dbf", "unit.dbf", "unit.cdx",
                           "cat.dbf", "cat.cdx", "usage", "lastApp"}) {
    EXPECT_TRUE(std::filesystem::exists(dir / file)) << file;
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "init"));
  EXPECT_EQ(readFileBytes(dir / "lastApp"), "Savora 99");
  EXPECT_EQ(readFileBytes(dir / "usage").substr(0, 2), "1\n");
  const std::string settings = readFileBytes(folders.windowsFile("SAVORA5.INI"));
  EXPECT_EQ(settings.substr(0, settings.find('\n')), "Savora 99 Window Position:");
  EXPECT_EQ(std::count(settings.begin(), settings.end(), '\n'), 76);
  EXPECT_NE(readFileBytes(folders.windowsFile("SAVORA99.INI")).find("Version=6.998"),
            std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(folders.windowsFile("savorabackup.ck9")));
  EXPECT_FALSE(ObjectStore::isOpen());

  // The second run counts a second start; with the backup there it leaves at once.
  ScriptedUser again;
  again.expectMessage("Exit Savora?", kExitQuestion, Button::Yes);
  EXPECT_EQ(runAndLeave(folders, again), 0);
  EXPECT_EQ(readFileBytes(dir / "usage").substr(0, 2), "2\n");
}

TEST(ProgramTest, ANewCdGetsItsTitleDirectory) {
  ProgramFolders folders;
  TempFolder cd;
  cd.write("CDINFO.INI", "[General]\r\nApp Name=Bread Magic\r\nWeb Site=\r\n");
  cd.write("INTRO.MPG", "video");
  for (const char* picture :
       {"WALL640.BMP", "WALL800.BMP", "WALL124.BMP", "WALL128.BMP", "ABOUT.BMP"}) {
    cd.write(std::string("PICTURES/") + picture, picture);
  }
  cd.write("PICTURES/loaf.bmp", "photo");
  folders.program.write("drive", "d");
  folders.config.write("savora99/SAVORA99.INI",
                       "[Drives]\nD=" + cd.path().string() + "\n[Kitchen]\nOffered=1\n");
  folders.config.write("savora99/savorabackup.ck9");
  ScriptedUser user;
  user.expectMessage("A New Savora CD!", kNewCdQuestion, Button::No);
  user.expectMessage("Exit Savora?", kExitQuestion, Button::Yes);
  EXPECT_EQ(runAndLeave(folders, user), 0);
  const auto title = folders.program.path() / "Bread Magic";
  EXPECT_EQ(readFileBytes(title / "cdinfo.ini").substr(0, 9), "[General]");
  EXPECT_EQ(readFileBytes(title / "intro.mpg"), "video");
  EXPECT_EQ(readFileBytes(title / "pictures" / "wall640.bmp"), "WALL640.BMP");
  EXPECT_FALSE(std::filesystem::exists(title / "pictures" / "loaf.bmp"));  // compact: photos stay
  EXPECT_EQ(readFileBytes(folders.program.path() / "lastApp"), "Bread Magic");
}

TEST(ProgramTest, ACrashMarkerRebuildsTheIndexesOnce) {
  ProgramFolders folders;
  folders.program.write("init");
  folders.config.write("savora99/savorabackup.ck9");  // no backup due at exit
  ScriptedUser user;
  user.expectMessage(
      "Wait!",
      "Savora 99 was terminated abnormally the last time\r\nit was used. Please wait "
      "while the data file\r\nindex tables are rebuilt.");
  user.expectMessage("Exit Savora?", kExitQuestion, Button::Yes);
  EXPECT_EQ(runAndLeave(folders, user), 0);
  EXPECT_EQ(user.messages()[0].icon, "HAND");
  EXPECT_FALSE(std::filesystem::exists(folders.program.path() / "init"));

  ScriptedUser calm;
  calm.expectMessage("Exit Savora?", kExitQuestion, Button::Yes);
  EXPECT_EQ(runAndLeave(folders, calm), 0);
}

// An error that escapes start-up (here the indexes cannot be rebuilt) is shown with the file it
// names, and the run ends with 1 instead of an abort.
TEST(ProgramTest, AnErrorAtStartIsShownWithItsFileAndEndsTheRunWithOne) {
  ProgramFolders folders;
  folders.program.write("init");
  ScriptedUser user;
  user.expectTitle("Wait!");
  user.expectTitle("Error!");
  user.onMessage = [](const ScriptedUser::Message& shown) {  // every write from now on fails
    if (shown.title == "Wait!") platform::WriteFaults::arm(1, platform::WriteFaults::Kind::Fail);
  };
  const int result = runAndLeave(folders, user);
  platform::WriteFaults::disarm();
  EXPECT_EQ(result, 1);
  EXPECT_EQ(user.messages().back().text,
            "Savora must stop:\r\nrebuilding index book.cd$: Input/output error");
}

TEST(ProgramTest, ATableThatCannotBeReadIsNamedWithItsCauseAndTheOthersStillOpen) {
  ProgramFolders folders;
  const std::string cutHeader(20, '\x03');  // a table header cut off after 20 of its 32 bytes
  folders.program.write("unit.dbf", cutHeader);
  folders.config.write("savora99/savorabackup.ck9");  // no backup due at exit
  ScriptedUser user;
  user.expectMessage("Error!",
                     "These data files could not be opened:\r\nunit\r\nopening table unit.dbf: "
                     "the file is 20 bytes long, shorter than a table header");
  user.expectMessage("Exit Savora?", kExitQuestion, Button::Yes);
  EXPECT_EQ(runAndLeave(folders, user), 0);
  const auto& dir = folders.program.path();
  for (const char* file : {"book.dbf", "rc65.dbf", "food.dbf", "cat.dbf", "brand.dbf"}) {
    EXPECT_TRUE(std::filesystem::exists(dir / file)) << file;
  }
  EXPECT_EQ(readFileBytes(dir / "unit.dbf"), cutHeader);
}

TEST(ProgramTest, OldRecipeTablesAreUpgradedInOrderAfterStartUp) {
  ProgramFolders folders;
  ASSERT_TRUE(platform::setProgramDirectory(folders.program.str()));
  {
    ScriptedUser quiet;
    store::TableStore store(quiet);
    for (const char* name : {"recipe", "rc64"}) {
      store::RecipeTable old(store, name,
                             std::string(name) == "recipe" ? store::RecipeFormat::Oldest
                                                           : store::RecipeFormat::Current);
      old.open();
      store::Recipe r;
      r.name = std::string("From ") + name;
      old.save(0, 1, r, false);
      old.close();
    }
  }
  folders.program.write("cmm/old.cmm", "a\r\nb\r\nc\r\n");
  ScriptedUser user;
  user.expectMessage("Upgrade",
                     "The format of your recipe database file has been improved.\r\nSavora will "
                     "backup your data first and then upgrade the file.");
  user.expectMessage("Backup Complete",
                     "Your data was backed up to\r\n" + backup::automaticBackupPath());
  user.expectMessage(
      "Upgrade Complete",
      "The recipe database file has been\r\nsuccessfully upgraded to the new format.");
  user.expectMessage(
      "Backup Complete",
      "Your data was backed up to\r\n" + backup::automaticBackupPath());  // rc64: no notice
  user.expectMessage(
      "Upgrade Complete",
      "The recipe database file has been\r\nsuccessfully upgraded to the new format.");
  user.expectMessage("Exit Savora?", kExitQuestion, Button::Yes);
  // The upgrades run after start-up; leave once the second is done.
  int completed = 0;
  user.onMessage = [&](const ScriptedUser::Message& m) {
    if (m.title == "Upgrade Complete" && ++completed == 2) {
      UI_EVENT_MANAGER::instance().post(nullptr, UI_EVENT(L_EXIT_FUNCTION));
    }
  };
  UI_EVENT_MANAGER::instance().clear();
  EXPECT_EQ(runProgram(folders.program.str(), user), 0);
  UI_EVENT_MANAGER::instance().clear();

  const auto& dir = folders.program.path();
  for (const char* gone : {"recipe.dbf", "recipe.cdx", "rc64.dbf", "rc64.cdx", "cmm"}) {
    EXPECT_FALSE(std::filesystem::exists(dir / gone)) << gone;
  }
  ASSERT_TRUE(platform::setProgramDirectory(folders.program.str()));
  ScriptedUser quiet;
  store::TableStore store(quiet);
  store::RecipeTable rc65(store, "rc65");
  rc65.open();
  // Both old tables held recipe 1; the second keeps its place after the first.
  EXPECT_EQ(rc65.find("From recipe", 1), 1);
  EXPECT_NE(rc65.find("From rc64", 1), 0);
}

TEST(ProgramTest, ASecondCopyHandsItsFilesToTheFirstBeforeOpeningAnything) {
  ProgramFolders folders;
  SingleInstance running;
  int activations = 0;
  std::vector<std::string> handed;
  ASSERT_TRUE(running.listen("Savora 99", platform::windowsDirectory(),
                             [&](const std::vector<std::string>& files) {
                               ++activations;
                               handed = files;
                             }));
  ScriptedUser user;
  UI_EVENT_MANAGER::instance().clear();
  const std::string dir = folders.program.str();
  const std::vector<std::string> files = {"/home/cook/soups.mmf", "/home/cook/odd\nname %41.ck9"};
  EXPECT_EQ(runProgram({dir, dir}, user, files), 1);
  EXPECT_FALSE(std::filesystem::exists(folders.program.path() / "rc65.dbf"));
  for (int i = 0; i < 50 && activations == 0; ++i) {
    QCoreApplication::processEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_EQ(activations, 1);
  EXPECT_EQ(handed, files);
}

// Installed as the package installs it: the program in usr/bin, its files in usr/share/savora99.
// Two users start it at once; each gets the first start's kitchen offer and tables of their own
// in ~/.local/share/savora99, and nothing is written beside the program.
TEST(ProgramTest, TheInstalledProgramGivesEachUserTheirOwnDataFolder) {
  TempFolder root;
  const std::filesystem::path bin = root.path() / "usr/bin";
  const std::filesystem::path share = root.path() / "usr/share/savora99";
  std::filesystem::create_directories(bin);
  std::filesystem::create_directories(share);
  std::filesystem::copy_file(kBuiltProgramDir / "savora99", bin / "savora99");
  for (const char* file : {"OBJECTS.DAT", "SAVORA.HLP", "FOODS.DAT"})
    std::filesystem::copy_file(kBuiltProgramDir / file, share / file);

  const std::vector<std::filesystem::path> homes = {root.path() / "ann", root.path() / "bob"};
  std::vector<pid_t> children;
  for (const std::filesystem::path& home : homes) {
    std::filesystem::create_directories(home);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
      ::setenv("HOME", home.c_str(), 1);
      for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "SAVORA_HOME"}) ::unsetenv(name);
      ::execl((bin / "savora99").c_str(), "savora99", nullptr);
      ::_exit(127);
    }
    children.push_back(child);
  }
  // The kitchen offer waits for an answer once the tables are made.
  auto offered = [](const std::filesystem::path& home) {
    return std::filesystem::exists(home / ".local/share/savora99/rc65.cdx") &&
           readFileBytes(home / ".config/savora99/SAVORA99.INI").find("Offered=1") !=
               std::string::npos;
  };
  for (int i = 0; i < 200 && !(offered(homes[0]) && offered(homes[1])); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  for (const pid_t child : children) {
    int status = 0;
    EXPECT_EQ(::waitpid(child, &status, WNOHANG), 0);  // still running
    ::kill(child, SIGKILL);
    ::waitpid(child, &status, 0);
  }
  for (const std::filesystem::path& home : homes) EXPECT_TRUE(offered(home)) << home;
  for (const std::filesystem::path& folder : {bin, share})
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}),
              folder == bin ? 1 : 3);
}

}  // namespace
}  // namespace savora::app
