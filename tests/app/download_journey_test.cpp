// Recipe files dropped into the "download" folder, through the program's own start-up: a run
// moves the first file into the program directory, reads it with the "Extracting" status, asks
// about its new units and ingredients (the person ticks "Automatically Add to List") and files
// its recipes in the book its format names. A dropped file never replaces one already there.
#include <QTimer>
#include <filesystem>

#include "app/program.h"
#include "app_fixture.h"
#include "codes/program_codes.h"
#include "exchange/exchange_import.h"
#include "exchange/import_item_window.h"
#include "platform/file_ops.h"
#include "toolkit/event_codes.h"
#include "toolkit/uiw_controls.h"

namespace savora::app {
namespace {

using namespace savora::toolkit;
using savora::testing::readFileBytes;
using savora::testing::ScriptedUser;

const char* const kExitQuestion = "\r\nExit Savora?";

constexpr const char* kMealMaster =
    "MMMMM----- Recipe via Meal-Master (tm) v8.05\n\n      Title: Porridge\n"
    " Categories: Breakfast, Quick\n      Yield: 2 servings\n\n      1 c  Oats\n"
    "      2 c  Milk\n\n  Stir while it simmers.\nMMMMM\n";

// As MasterCook writes it on Windows: carriage returns before every newline.
constexpr const char* kMasterCook =
    "                     * Exported from MasterCook *\r\n\r\n"
    "                                Hash\r\n\r\n"
    "Recipe By     : Aunt May\r\n"
    "Serving Size  : 4     Preparation Time :0:00\r\n"
    "Categories    : Suppers                          Quick\r\n\r\n"
    "  Amount  Measure       Ingredient -- Preparation Method\r\n"
    "--------  ------------  --------------------------------\r\n"
    "       2  tablespoons   oil\r\n"
    "       3                potatoes -- diced\r\n\r\n"
    "Fry.\r\n";

std::string newRecipesText(const std::string& programDirectory) {
  return "New recipes were found in the DOWNLOAD folder.\r\nSavora will move them to " +
         programDirectory + "\r\nand import them now.";
}

// Runs the program on `folders` until the import it starts has finished, then leaves: the import
// of `openFile` when one is given (as a file manager opens it with the program), otherwise of the
// download folder's file. The timer's first tick is posted as soon as the program runs (instead
// of eight seconds later); the person ticks "Automatically Add to List" in every matching dialog.
void runUntilImported(const ProgramFolders& folders, ScriptedUser& user,
                      const std::string& openFile = {}) {
  if (openFile.empty()) user.expectMessage("New Recipes!", newRecipesText(folders.program.str()));
  user.expectTitle("Finished!");
  user.expectMessage("Exit Savora?", kExitQuestion, Button::Yes);
  user.onMessage = [](const ScriptedUser::Message& message) {
    if (message.title == "Finished!")
      UI_EVENT_MANAGER::instance().post(nullptr, UI_EVENT(L_EXIT_FUNCTION));
  };
  bool ticked = false;
  int dialogs = 0;
  QTimer person;
  QObject::connect(&person, &QTimer::timeout, [&] {
    UI_WINDOW_MANAGER& windows = UI_WINDOW_MANAGER::instance();
    // "init" is written just before the event loop starts.
    if (!ticked && openFile.empty() && windows.frame() &&
        std::filesystem::exists(folders.program.path() / "init")) {
      ticked = true;
      UI_EVENT_MANAGER::instance().post(nullptr, UI_EVENT(codes::kTimer));
    }
    for (UIW_WINDOW* open : windows.windows()) {
      if (!dynamic_cast<exchange::ImportItemWindow*>(open)) continue;
      auto* alwaysAdd = open->Get<UIW_BUTTON>("ALWAYS_ADD");
      if (alwaysAdd->isChecked()) continue;
      ++dialogs;
      alwaysAdd->click();
    }
  });
  person.start(10);
  UI_EVENT_MANAGER::instance().clear();
  const std::string dir = folders.program.str();
  std::vector<std::string> openFiles;
  if (!openFile.empty()) openFiles.push_back(openFile);
  EXPECT_EQ(runProgram({dir, dir}, user, openFiles), 0);
  UI_EVENT_MANAGER::instance().clear();
  EXPECT_EQ(dialogs, 1);  // ticked for the units, the box holds for the ingredients too
}

bool showedStatus(const ScriptedUser& user, const std::string& title, const std::string& text) {
  for (const ScriptedUser::Status& status : user.statusHistory()) {
    if (status.title == title && status.text == text) return true;
  }
  return false;
}

// The recipe's name, servings and lines ("quantity unit ingredient") as the program folder keeps
// them, found by book and chapter name; empty when it is not there.
std::vector<std::string> storedRecipe(const ProgramFolders& folders, const std::string& book,
                                      const std::string& chapter, const std::string& name) {
  EXPECT_TRUE(platform::setProgramDirectory(folders.program.str()));
  ScriptedUser quiet;
  store::TableStore store(quiet);
  SharedTables tables(store);
  EXPECT_TRUE(tables.openAll().empty());
  std::vector<std::string> shown;
  const long chapterUid = tables.chapters().uidOf(chapter, tables.books().uidOf(book));
  store::Recipe recipe;
  if (chapterUid > 0 && tables.recipes().load(tables.recipes().find(name, chapterUid), recipe)) {
    shown.push_back(recipe.name + " serves " + std::to_string(recipe.servings));
    for (const store::RecipeLine& line : recipe.lines) {
      if (line.ingredient == 0) continue;
      shown.push_back(line.quantity + " " + tables.units().readRecord(line.unit).name + " " +
                      tables.ingredients().read(line.ingredient).value_or(food::Ingredient{}).name);
    }
  }
  tables.closeAll();
  return shown;
}

TEST(DownloadJourneyTest, EachRunImportsTheNextDroppedFileIntoTheBookOfItsFormat) {
  ProgramFolders folders;
  folders.config.write("savora99/savorabackup.ck9");  // no backup due at exit
  folders.program.write("download/a-porridge.mmf", kMealMaster);
  folders.program.write("download/b-hash.mxp", kMasterCook);
  const std::filesystem::path& dir = folders.program.path();

  ScriptedUser first;
  runUntilImported(folders, first);
  EXPECT_TRUE(showedStatus(first, "Extracting Recipes", "Extracting Porridge"));
  EXPECT_EQ(readFileBytes(dir / "a-porridge.mmf"), kMealMaster);  // moved out of the folder
  EXPECT_FALSE(std::filesystem::exists(dir / "download" / "a-porridge.mmf"));
  EXPECT_TRUE(std::filesystem::exists(dir / "download" / "b-hash.mxp"));  // the next run's
  EXPECT_EQ(storedRecipe(folders, "Downloaded Recipes", "Breakfast", "Porridge"),
            (std::vector<std::string>{"Porridge serves 2", "1 cup oats", "2 cup milk"}));

  ScriptedUser second;
  runUntilImported(folders, second);
  EXPECT_TRUE(showedStatus(second, "Extracting Recipes", "Extracting Hash"));
  EXPECT_FALSE(std::filesystem::exists(dir / "download" / "b-hash.mxp"));
  EXPECT_EQ(
      storedRecipe(folders, "MasterCook Recipes", "Suppers", "Hash"),
      (std::vector<std::string>{"Hash serves 4", "2 tablespoon oil", "3  potatoes"}));
  EXPECT_EQ(storedRecipe(folders, "Downloaded Recipes", "Breakfast", "Porridge").size(), 3u);
}

TEST(DownloadJourneyTest, AFileOpenedWithTheProgramIsImportedWhereItLies) {
  ProgramFolders folders;
  folders.config.write("savora99/savorabackup.ck9");  // no backup due at exit
  savora::testing::TempFolder documents;
  const std::string file = documents.write("porridge.mmf", kMealMaster).string();
  ScriptedUser user;
  runUntilImported(folders, user, file);
  EXPECT_EQ(storedRecipe(folders, "Downloaded Recipes", "Breakfast", "Porridge"),
            (std::vector<std::string>{"Porridge serves 2", "1 cup oats", "2 cup milk"}));
  EXPECT_EQ(readFileBytes(file), kMealMaster);  // left where it was
}

class DownloadFolderTest : public MainWindowTest {};

TEST_F(DownloadFolderTest, ADroppedFileNeverReplacesAFileOfTheProgramDirectory) {
  MainWindow& main = window();
  const std::string bookTable = readFileBytes(folders.program.path() / "book.dbf");
  ASSERT_FALSE(bookTable.empty());
  folders.program.write("download/BOOK.DBF", "not a table");
  user.expectMessage("New Recipes!", newRecipesText(state.programDirectory));
  main.post(UI_EVENT(codes::kTimer));
  settle();
  EXPECT_EQ(readFileBytes(folders.program.path() / "book.dbf"), bookTable);
  EXPECT_EQ(main.newContent().fileToImport(), state.programDirectory + "BOOK-2.DBF");
  EXPECT_EQ(readFileBytes(folders.program.path() / "BOOK-2.DBF"), "not a table");
}

}  // namespace
}  // namespace savora::app
