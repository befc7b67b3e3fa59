// The main window's import commands as the program registers them, and the import of a new
// recipe CD from the timer's question to the CD's installation.
#include "../exchange/exchange_fixture.h"
#include "app/content_title.h"
#include "app/new_cd_import.h"
#include "app/program.h"
#include "../online/loopback_server.h"
#include "app_fixture.h"
#include "codes/program_codes.h"
#include "platform/ini_file.h"
#include "platform/paths.h"
#include "platform/program_dirs.h"

namespace savora::app {
namespace {

using namespace savora::toolkit;
using savora::testing::readFileBytes;
using savora::testing::TempFolder;

const char* const kBackupQuestion = "Would you like to back up your recipe data before importing?";

class ImportCommandsTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    registerImports(window(), tables, store, user, backup, state);
  }
  void TearDown() override {
    platform::drives().clear();
    MainWindowTest::TearDown();
  }
  std::string installedTitles() { return readFileBytes(folders.windowsFile("SAVORA99.INI")); }
};

TEST_F(ImportCommandsTest, EveryImportDataCommandOffersABackupThenImportsTheChosenFile) {
  for (int command : codes::kImportDataCommands) {
    SCOPED_TRACE(command);
    const std::string missing = state.programDirectory + "gone.zel";
    user.expectMessage("Backup Data First?", kBackupQuestion, Button::No);
    user.answerFileDialog(missing);
    user.expectMessage("Wait!", "This file " + missing + " does not exist.");
    window().post(UI_EVENT(command));
    settle();
    user.verifyAllAnswered();
  }
}

TEST_F(ImportCommandsTest, ANewCdIsImportedThenInstalledAsATitle) {
  TempFolder cd, source;
  cd.write("CDINFO.INI", "[General]\r\nApp Name=Bread Magic\r\nProduct Number=7\r\n");
  cd.write("INTRO.MPG", "video");
  cd.write("PICTURES/WALL640.BMP", "wall");
  platform::drives().set('d', cd.str());
  state.cdDrive = 'd';
  {
    exchange::ArchiveBuilder archive(store, source.str());
    archive.book("bookx", 1, "Breads");
    archive.chapter("chapterx", 1, 1, "Loaves");
    archive.recipe("recip65x", 1, 1, "Rye");
    archive.pack(state.programDirectory + "import.zel");
  }
  folders.program.write("newcd");
  // Another title already holds "App0": the CD's own number is used.
  EXPECT_TRUE(
      platform::IniFile(installedTitlesPath()).writeString("General", "App0", "Savora 2000"));

  user.expectMessage("Import Data?",
                     "Would you like to add the Bread Magic recipes\r\nto your recipe database now?",
                     Button::Yes);
  user.expectMessage("Backup Data First?", kBackupQuestion, Button::No);
  user.expectTitle("Finished!");
  user.expectMessage("A New Savora CD!", kNewCdQuestion, Button::No);
  window().post(UI_EVENT(codes::kTimer));
  settle();
  user.verifyAllAnswered();

  EXPECT_GT(tables.recipes().find("Rye", tables.chapters().uidOf(
                                             "Loaves", tables.books().uidOf("Breads"))),
            0);
  EXPECT_TRUE(isInstalledTitle("Bread Magic"));
  EXPECT_TRUE(isInstalledTitle("Savora 2000"));
  EXPECT_NE(installedTitles().find("App7=Bread Magic"), std::string::npos);
  const auto title = folders.program.path() / "Bread Magic";
  EXPECT_EQ(readFileBytes(title / "cdinfo.ini").substr(0, 9), "[General]");
  EXPECT_EQ(readFileBytes(title / "pictures" / "wall640.bmp"), "wall");

  // The follow-up ran once: the next import is an ordinary one.
  user.expectMessage("Backup Data First?", kBackupQuestion, Button::No);
  user.answerFileDialog(std::nullopt);
  window().post(UI_EVENT(codes::kImportData));
  settle();
}

TEST_F(ImportCommandsTest, ARecipeFileDroppedInTheDownloadFolderIsImported) {
  TempFolder source;
  EXPECT_TRUE(platform::makeFolder(state.programDirectory + "download"));
  {
    exchange::ArchiveBuilder archive(store, source.str());
    archive.book("bookx", 1, "Soups");
    archive.chapter("chapterx", 1, 1, "Hot");
    archive.recipe("recip65x", 1, 1, "Broth");
    archive.pack(state.programDirectory + "download/soups.zel");
  }
  user.expectMessage("New Recipes!",
                     "New recipes were found in the DOWNLOAD folder.\r\nSavora will move them to " +
                         state.programDirectory + "\r\nand import them now.");
  user.expectTitle("Finished!");
  window().post(UI_EVENT(codes::kTimer));
  settle();
  user.verifyAllAnswered();
  EXPECT_GT(tables.recipes().find("Broth",
                                  tables.chapters().uidOf("Hot", tables.books().uidOf("Soups"))),
            0);
  EXPECT_TRUE(platform::fileExists("soups.zel"));  // moved out of the download folder
}

TEST_F(ImportCommandsTest, ImportFromWebFetchesThePageByItsAddressAndItsPhoto) {
  TempFolder served;
  testing::LoopbackServer server("http", served.path().string());
  served.write("photo.jpg", "jpeg bytes");
  served.write("pie/index.html",
               "<html><script type=\"application/ld+json\">{\"@type\": \"Recipe\", "
               "\"name\": \"Web Pie\", \"recipeYield\": \"6\", \"recipeInstructions\": "
               "\"Bake.\", \"image\": [\"" +
                   server.url() + "/photo.jpg\"]}</script></html>");
  user.answerPrompt(server.url() + "/pie/");
  user.expectTitle("Finished!");
  window().post(UI_EVENT(codes::kImportFromWeb));
  settle();
  user.verifyAllAnswered();
  const long book = tables.books().uidOf("Web Recipes");
  store::Recipe pie;
  ASSERT_GT(tables.recipes().load(
                tables.recipes().find("Web Pie", tables.chapters().uidOf("Miscellaneous", book)),
                pie),
            0);
  EXPECT_EQ(pie.servings, 6);
  EXPECT_EQ(pie.media[0], state.programDirectory + "photos/web-1.jpg");
  EXPECT_EQ(readFileBytes(pie.media[0]), "jpeg bytes");

  // An address that is no web page's is told, and nothing is imported.
  user.answerPrompt(server.url() + "/gone.html");
  user.expectMessage("Unable to Download", server.url() +
                                               "/gone.html could not be fetched: the web server "
                                               "answered 404.");
  window().post(UI_EVENT(codes::kImportFromWeb));
  settle();
  user.verifyAllAnswered();
}

TEST(InstalledTitleTest, ANewTitleTakesItsNumberOrTheFirstFreeKeyAndNeverReplacesAnother) {
  struct Row {
    const char* before;  // SAVORA99.INI
    long number;
    const char* expected;  // the key the title must be found under
  };
  const Row rows[] = {
      {"", 7, "App7=Bread Magic"},
      {"[General]\nApp0=Savora 2000\n", 0, "App1=Bread Magic"},
      {"[General]\nApp0=Savora 2000\nApp1=Cakes\n", 250, "App2=Bread Magic"},
      {"[General]\nApp0=Savora 2000\nApp3=bread magic\n", 5, "App3=bread magic"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.expected);
    ProgramFolders folders;
    if (*row.before) folders.config.write("savora99/SAVORA99.INI", row.before);
    registerInstalledTitle(row.number, "Bread Magic");
    const std::string written = readFileBytes(folders.windowsFile("SAVORA99.INI"));
    EXPECT_NE(written.find(row.expected), std::string::npos) << written;
    EXPECT_EQ(written.find("App5="), std::string::npos);
    if (std::string(row.before).find("Savora 2000") != std::string::npos) {
      EXPECT_NE(written.find("App0=Savora 2000"), std::string::npos);
    }
  }
}

}  // namespace
}  // namespace savora::app
