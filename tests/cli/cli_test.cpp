// savora99-cli end to end: a program folder of real tables, its recipes written as text and
// printed into a PDF that poppler's tools read back.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "../nutrition/nutrition_fixture.h"
#include "platform/file_ops.h"
#include "platform/folder_lock.h"

namespace savora::cli {
namespace {

struct Outcome {
  int status = -1;
  std::string out;
};

// Runs a shell command line, capturing its standard output.
Outcome run(const std::string& command) {
  Outcome r;
  FILE* pipe = ::popen((command + " 2>/dev/null").c_str(), "r");
  if (!pipe) return r;
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) r.out.append(buffer, n);
  const int status = ::pclose(pipe);
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

class CliTest : public nutrition::NutritionTest {
 protected:
  void SetUp() override {
    NutritionTest::SetUp();
    const long butter = food("butter", "1", kTablespoon, 100, 13, 90);
    const long rice = food("rice", "1", kCup, 200, 1, 10);
    pilaf = saveRecipe("Butter Pilaf", 4, {line("2", kCup, rice), line("4", kTablespoon, butter)},
                       0, "Melt the butter, stir in the rice and simmer until tender.");
  }

  std::string cli(const std::string& args) {
    return std::string(SAVORA_PROGRAM_DIR) + "/savora99-cli " + args + " --data " +
           programDir.str();
  }

  long pilaf = 0;
};

size_t at(const std::string& text, const std::string& part) {
  const size_t where = text.find(part);
  EXPECT_NE(where, std::string::npos) << part << " missing from:\n" << text;
  return where;
}

TEST_F(CliTest, HelpNamesTheCommandsAndBadCommandLinesFail) {
  const Outcome help = run(std::string(SAVORA_PROGRAM_DIR) + "/savora99-cli --help");
  EXPECT_EQ(help.status, 0);
  at(help.out, "text RECIPE...");
  at(help.out, "print RECIPE... --pdf FILE");
  EXPECT_EQ(run(cli("print Family/Breads/Butter\\ Pilaf")).status, 2);  // no --pdf
  EXPECT_EQ(run(cli("text Family/Breads/Nothing")).status, 1);
}

TEST_F(CliTest, TextWritesTheRecipeTextFormWithTheLabel) {
  const Outcome byName = run(cli("text 'Family/breads/butter pilaf' --label"));
  ASSERT_EQ(byName.status, 0);
  EXPECT_TRUE(
      byName.out.starts_with("Butter Pilaf\n\nBook: Family\nChapter: Breads\n\nServes: 4\n"));
  // 400 calories of rice and 400 of butter for 4 servings; 13.5 g of fat: 21 percent.
  at(byName.out, "Calories   200");
  at(byName.out, "Total Fat    14g                  21%\n");
  EXPECT_EQ(run(cli("text " + std::to_string(pilaf) + " --label")).out, byName.out);
}

TEST_F(CliTest, PrintWritesAPdfWhoseTextReadsInOrder) {
  const std::string pdf = programDir.str() + "/pilaf.pdf";
  ASSERT_EQ(
      run(cli("print " + std::to_string(pilaf) + " --paper sheet --label --pdf " + pdf)).status, 0);
  const Outcome info = run("pdfinfo " + pdf);
  ASSERT_EQ(info.status, 0);
  EXPECT_NE(info.out.find("Pages:           1\n"), std::string::npos) << info.out;
  const Outcome text = run("pdftotext -layout " + pdf + " -");
  ASSERT_EQ(text.status, 0);
  size_t last = 0;
  for (const char* part : {"Butter Pilaf",
                           "Makes 4 servings",
                           "2 cups rice",
                           "4 tablespoons butter",
                           "Melt the butter",
                           "Nutrition Facts",
                           "Amount Per Serving",
                           "Calories 200",
                           "Calories from Fat 0",
                           "% Daily Value*",
                           "Total Fat 14g",
                           "21%",
                           "Sodium 95mg",
                           "4%",
                           "Protein 0g",
                           "Vitamin A 0%",
                           "Vitamin C 0%",
                           "Calcium 0%",
                           "Iron 0%",
                           "* Percent Daily Values are based on a",
                           "2,000 calorie diet."}) {
    const size_t where = at(text.out, part);
    EXPECT_GE(where, last) << part << " out of order";
    last = where;
  }
}

}  // namespace
}  // namespace savora::cli

namespace savora::cli {
namespace {

// Runs a shell command line, capturing standard output and error together.
Outcome runBoth(const std::string& command) {
  return run("{ " + command + " 2>&1; }");
}

constexpr const char* kTwoRecipes =
    "MMMMM----- Recipe via Meal-Master (tm) v8.05\n"
    "\n"
    "      Title: Oat Cakes\n"
    " Categories: Breads\n"
    "      Yield: 6 servings\n"
    "\n"
    "      2 c  Oats\n"
    "      1 pn Salt\n"
    "\n"
    "  Bake.\n"
    "MMMMM\n"
    "\n"
    "MMMMM----- Recipe via Meal-Master (tm) v8.05\n"
    "\n"
    "      Title: Barley Water\n"
    " Categories: Drinks\n"
    "      Yield: 2 servings\n"
    "\n"
    "      1 c  Barley\n"
    "\n"
    "  Boil.\n"
    "MMMMM\n";

TEST_F(CliTest, ImportReadsRecipeFilesAndExportWritesTheBook) {
  const Outcome help = run(std::string(SAVORA_PROGRAM_DIR) + "/savora99-cli --help");
  at(help.out, "import FILE...");
  at(help.out, "export BOOK FILE");
  savora::testing::TempFolder files;
  files.write("two.mmf", kTwoRecipes);
  {
    // While the program holds the folder (this test stands in for it), nothing is imported.
    platform::FolderLock program;
    ASSERT_TRUE(program.tryLock(programDir.str() + platform::kFolderLockName));
    const Outcome refused = runBoth(cli("import " + files.str() + "two.mmf"));
    EXPECT_EQ(refused.status, 1);
    at(refused.out, "is in use");
  }
  const Outcome imported = run(cli("import " + files.str() + "two.mmf"));
  ASSERT_EQ(imported.status, 0);
  at(imported.out, files.str() + "two.mmf: 2 recipes imported into \"Downloaded Recipes\"\n");
  at(imported.out, "Downloaded Recipes / Breads: 1 recipe added\n");

  const Outcome exported = run(cli("export 'Downloaded Recipes' " + files.str() + "book.txt"));
  ASSERT_EQ(exported.status, 0);
  EXPECT_EQ(run("unzip -tq " + files.str() + "book.zel").status, 0);
  EXPECT_EQ(run(cli("export 'No Such Book' " + files.str() + "none.zel")).status, 1);

  // The archive imports again: the book exists, and the safe answer makes a new one.
  const Outcome again = run(cli("import " + files.str() + "book.zel"));
  ASSERT_EQ(again.status, 0);
  at(again.out, "2 recipes imported into \"Downloaded Recipes 1\"");
}

TEST_F(CliTest, ExportWritesMealMasterAndMasterCookFilesThatImportBack) {
  at(run(std::string(SAVORA_PROGRAM_DIR) + "/savora99-cli --help").out,
     "export --format mmf|mxp WHAT... FILE");
  savora::testing::TempFolder files;
  files.write("two.mmf", kTwoRecipes);
  ASSERT_EQ(run(cli("import " + files.str() + "two.mmf")).status, 0);

  // The extension chooses the format; a book goes out whole.
  const Outcome book = run(cli("export 'Downloaded Recipes' " + files.str() + "out.mmf"));
  ASSERT_EQ(book.status, 0);
  at(book.out, "2 recipes exported into " + files.str() + "out.mmf (Meal-Master)");
  // A chapter and a recipe, in the order named, in UTF-8.
  const Outcome picked = run(cli("export --format mxp --utf8 'Downloaded Recipes/Drinks' "
                                 "'Downloaded Recipes/Breads/Oat Cakes' " +
                                 files.str() + "picked.txt"));
  ASSERT_EQ(picked.status, 0);
  const std::string text = *platform::readWholeFile(files.str() + "picked.txt");
  EXPECT_LT(at(text, "Exported from  MasterCook"), at(text, "Barley Water"));
  EXPECT_LT(at(text, "Barley Water"), at(text, "Oat Cakes"));
  EXPECT_EQ(run(cli("export --format mmf 'Downloaded Recipes/Soups' " + files.str() + "x.mmf"))
                .status,
            1);
  EXPECT_EQ(run(cli("export --format doc 'Downloaded Recipes' " + files.str() + "x.doc")).status,
            2);

  const Outcome again = run(cli("import " + files.str() + "out.mmf"));
  ASSERT_EQ(again.status, 0);
  at(again.out, "2 recipes imported");
}

TEST_F(CliTest, ImportStopsAtAMalformedFileNamingRecipeAndLine) {
  savora::testing::TempFolder files;
  files.write("bad.mmf", std::string(kTwoRecipes) +
                             "\nMMMMM----- Recipe via Meal-Master (tm) v8.05\n\n"
                             "      Title: Lost\n      Yield: 1 servings\n");
  const Outcome failed = runBoth(cli("import " + files.str() + "bad.mmf"));
  EXPECT_EQ(failed.status, 1);
  at(failed.out, files.str() + "bad.mmf is not in the Savora,");
  at(failed.out, "Reading stopped at line 27, in recipe 3 (Lost).");
  EXPECT_EQ(run(cli("import " + files.str() + "missing.mmf")).status, 1);
  // Asked to, it leaves the bad recipe out, imports the rest and names what it left.
  const Outcome skipped = run(cli("import --skip-bad " + files.str() + "bad.mmf"));
  EXPECT_EQ(skipped.status, 0);
  at(skipped.out, "2 recipes imported");
  at(skipped.out, "recipe 3 (Lost), line 27");
}

// Every way an import can fail ends with exit status 1 and the cause, never an abort, and leaves
// no scratch table behind.
TEST_F(CliTest, FailuresExitWithTheirCauseAndLeaveNoScratchTables) {
  savora::testing::TempFolder files;
  ASSERT_EQ(run("/usr/bin/python3 -c \"import zipfile; z=zipfile.ZipFile('" + files.str() +
                "bad.zel','w'); z.writestr('recip65x.dbf','junk, no table'); z.close()\"")
                .status,
            0);
  const Outcome damaged = runBoth(cli("import " + files.str() + "bad.zel"));
  EXPECT_EQ(damaged.status, 1);
  at(damaged.out, "savora99-cli: ");
  at(damaged.out, "recip65x");
  for (const auto& entry : std::filesystem::directory_iterator(programDir.path()))
    EXPECT_FALSE(entry.path().filename().string().ends_with("x.dbf")) << entry.path();

  // A name that cannot be made absolute (the working folder is gone) is said, not aborted on.
  const Outcome lost = runBoth("mkdir " + files.str() + "gone && cd " + files.str() +
                               "gone && rmdir ../gone && " + cli("import lost.mmf"));
  EXPECT_EQ(lost.status, 1);
  at(lost.out, "savora99-cli: filesystem error: cannot make absolute path");
  at(lost.out, "lost.mmf");

  // A lock nobody can take is not a lock nobody holds.
  const std::string lock = programDir.str() + platform::kFolderLockName;
  std::filesystem::remove(lock);
  std::filesystem::create_directory(lock);
  files.write("two.mmf", kTwoRecipes);
  const Outcome unlockable = runBoth(cli("import " + files.str() + "two.mmf"));
  EXPECT_EQ(unlockable.status, 1);
  at(unlockable.out, "cannot be opened (Is a directory)");
  std::filesystem::remove(lock);

  // Text only reads: it runs while the program holds the folder, and writes no table.
  platform::FolderLock program;
  ASSERT_TRUE(program.tryLock(lock));
  const auto stamp = std::filesystem::last_write_time(programDir.path() / "rc65.dbf");
  const Outcome text = run(cli("text " + std::to_string(pilaf)));
  EXPECT_EQ(text.status, 0);
  at(text.out, "Butter Pilaf");
  EXPECT_EQ(std::filesystem::last_write_time(programDir.path() / "rc65.dbf"), stamp);
}

// An import killed part way leaves its mark; the next import says how far it came.
TEST_F(CliTest, AnImportCutShortIsToldAtTheNextImport) {
  savora::testing::TempFolder files;
  files.write("two.mmf", kTwoRecipes);
  ASSERT_EQ(run(cli("import " + files.str() + "two.mmf")).status, 0);
  // As a killed run of the same import leaves it: the two recipes came after the mark's UIDs.
  files.write("one.mmf", kTwoRecipes);
  std::ofstream(programDir.path() / "import.run") << files.str() << "big.mmf\n1\n1\n"
                                                  << pilaf + 1 << "\n";
  const Outcome next = runBoth(cli("import " + files.str() + "one.mmf"));
  EXPECT_EQ(next.status, 0);
  at(next.out, "The last import of big.mmf stopped after 2 recipes.");
  EXPECT_FALSE(std::filesystem::exists(programDir.path() / "import.run"));
}

// Installed (no build marker beside it), the companion works on the recipes where the program
// keeps them: $SAVORA_HOME, else $XDG_DATA_HOME/savora99; it never makes that folder itself.
TEST_F(CliTest, WithoutDataItUsesTheProgramsDataFolder) {
  savora::testing::TempFolder root;
  std::filesystem::create_directories(root.path() / "bin");
  std::filesystem::copy_file(SAVORA_PROGRAM_DIR "/savora99-cli", root.path() / "bin/savora99-cli");
  std::filesystem::create_directories(root.path() / "xdg");
  std::filesystem::create_directory_symlink(programDir.path(), root.path() / "xdg/savora99");
  const std::string command = root.str() + "bin/savora99-cli text 'Family/Breads/Butter Pilaf'";
  const std::string home = " HOME=" + root.str() + " ";
  for (const std::string& environment :
       {"-u SAVORA_HOME XDG_DATA_HOME=" + root.str() + "xdg" + home,
        "SAVORA_HOME=" + programDir.str() + " XDG_DATA_HOME=" + root.str() + "none" + home}) {
    SCOPED_TRACE(environment);
    const Outcome text = run("env " + environment + command);
    EXPECT_EQ(text.status, 0);
    EXPECT_TRUE(text.out.starts_with("Butter Pilaf\n")) << text.out;
  }
  EXPECT_EQ(run("env -u SAVORA_HOME XDG_DATA_HOME=" + root.str() + "none" + home + command).status,
            2);
  EXPECT_FALSE(std::filesystem::exists(root.path() / "none"));
}

}  // namespace
}  // namespace savora::cli
