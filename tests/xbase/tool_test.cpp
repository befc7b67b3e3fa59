// savora99-table run as a separate program on tables written by the library.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "platform/file_ops.h"
#include "platform/text.h"
#include "temp_folder.h"
#include "test_tables.h"

namespace savora::xbase {
namespace {

using namespace savora::xbase::testing;
using savora::testing::readFileBytes;
using savora::testing::TempFolder;

std::string tool(const std::string& arguments, int& status) {
  std::string output;
  status = runCommand(std::string(SAVORA_TABLE_TOOL) + " " + arguments + " 2>&1", output);
  return output;
}

TEST(TableToolTest, PrintsStructureAndRecordsAsCsv) {
  TempFolder folder;
  const std::string base = folder.str() + "recipes";
  {
    auto table = createRecipes(base);
    for (int uid = 1; uid <= 3; ++uid) appendRecipe(*table, uid);
    table->go(2);
    table->setText(table->fieldIndex("NAME"), "Pie, \"deep\" dish");
    table->deleteRecord();
    table->go(3);
    table->setText(table->fieldIndex("NAME"),
                   "Cr\xE8me br\xFBl\xE9"
                   "e");  // Windows-1252
  }
  int status = -1;
  const std::string out = tool(base + ".dbf", status);
  EXPECT_EQ(status, 0) << out;
  for (const std::string& expected :
       {std::string("version 0xF5"), std::string("3 records"), std::string("BITMAP     C   260  0"),
        std::string("KCAL       N     8  1"),
        std::string("CHAPNAME   key STR(CHAP_UID,5)+NAME for .NOT. DELETED()"),
        std::string("RECNO,DELETED,UID,CHAP_UID,NAME,KCAL,SERVES,BITMAP,NOTES\n"),
        std::string("\n2,*,2,") + std::to_string(recipeChapter(2)) + ",\"Pie, \"\"deep\"\" dish\",",
        std::string("\"Notes of recipe 1.\r\n"), std::string(",Crème brûlée,")}) {
    EXPECT_NE(out.find(expected), std::string::npos) << expected << "\n--- in ---\n" << out;
  }
}

TEST(TableToolTest, ListsATagInItsOrderAndChecksTheIndex) {
  TempFolder folder;
  const std::string base = folder.str() + "t";
  std::string oldIndex;
  {
    auto table = createRecipes(base);
    for (int uid = 5; uid >= 1; --uid) appendRecipe(*table, uid);
    table->go(3);
    table->deleteRecord();
    table->close();
    oldIndex = readFileBytes(base + ".cdx");
    table = Table::open(base);
    appendRecipe(*table, 6);
  }
  int status = -1;
  EXPECT_EQ(tool("--tag uid " + base, status), "5,1\n4,2\n2,4\n1,5\n6,6\n");
  EXPECT_EQ(status, 0);
  std::string out = tool("--check " + base, status);
  EXPECT_EQ(status, 0) << out;
  EXPECT_EQ(out, "3 tags agree with the data\n");

  // An index from before the last append: the check names the difference.
  ASSERT_TRUE(platform::writeWholeFile(base + ".cdx", oldIndex));
  out = tool("--check " + base, status);
  EXPECT_EQ(status, 1) << out;
  EXPECT_NE(out.find("does not match"), std::string::npos) << out;

  tool("--tag NOSUCH " + base, status);
  EXPECT_EQ(status, 2);
  tool(folder.str() + "missing", status);
  EXPECT_EQ(status, 2);
  tool("", status);
  EXPECT_EQ(status, 2);
}

TEST(TableToolTest, CheckFailsOnAnUnreadableIndexAndNamesTheTagThatDisagrees) {
  const struct {
    const char* what;
    std::function<void(const std::string& base)> damage;
    std::string expected;  // a line of the check's answer
  } kCases[] = {
      {"a record's name changed behind the index",
       [](const std::string& base) {
         std::string dbf = readFileBytes(base + ".dbf");
         const auto header = size_t(uint8_t(dbf[8])) | size_t(uint8_t(dbf[9])) << 8;
         dbf.replace(header + 1 + 5 + 5, 3, "Zzz");  // record 1: deleted flag, UID, CHAP_UID
         ASSERT_TRUE(platform::writeWholeFile(base + ".dbf", dbf));
       },
       "tag NAME: 1 of its 3 keys differ from the data, e.g. record 1 is in the tag as \"" +
           platform::toUpper(recipeName(1)) + "\" but its data makes \"ZZZ"},
      {"the tag directory pointed at a page of zeros",
       [](const std::string& base) {
         std::string cdx = readFileBytes(base + ".cdx");
         const uint32_t zeros = uint32_t(cdx.size());
         for (size_t i = 0; i < 4; ++i) cdx[i] = char((zeros >> (8 * i)) & 0xFF);
         ASSERT_TRUE(platform::writeWholeFile(base + ".cdx", cdx + std::string(512, '\0')));
       },
       "is not the root of a tree"},
      {"a structural index whose directory holds no tags",
       [](const std::string& base) {
         ASSERT_TRUE(platform::writeWholeFile(base + ".cdx", CdxFile::buildImage({})));
       },
       "the index holds no tags"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.what);
    TempFolder folder;
    const std::string base = folder.str() + "t";
    auto table = createRecipes(base);
    for (int uid = 1; uid <= 3; ++uid) appendRecipe(*table, uid);
    table->close();
    c.damage(base);
    int status = -1;
    const std::string out = tool("--check " + base, status);
    EXPECT_EQ(status, 1) << out;
    EXPECT_NE(out.find(c.expected), std::string::npos) << out;
  }
}

TEST(TableToolTest, CountsWholeRecordsTheHeaderLeftUncounted) {
  TempFolder folder;
  const std::string base = folder.str() + "t";
  auto table = createRecipes(base);
  for (int uid = 1; uid <= 4; ++uid) appendRecipe(*table, uid);
  table->close();
  std::string dbf = readFileBytes(base + ".dbf");
  dbf.replace(4, 4, std::string(4, '\0'));  // the header's record count
  ASSERT_TRUE(platform::writeWholeFile(base + ".dbf", dbf));
  int status = -1;
  const std::string out = tool(base, status);
  EXPECT_EQ(status, 0) << out;
  EXPECT_NE(out.find(", 4 records,"), std::string::npos) << out;
  EXPECT_NE(out.find("\n4,,4,"), std::string::npos) << out;
}

TEST(TableToolTest, AnswersHelpAndPointsFromACompanionFileToItsTable) {
  int status = -1;
  const std::string help = tool("--help", status);
  EXPECT_EQ(status, 0);
  EXPECT_NE(help.find("usage: savora99-table"), std::string::npos) << help;
  for (const char* companion : {"recipes.cdx", "recipes.FPT", "old.dbt"}) {
    SCOPED_TRACE(companion);
    const std::string out = tool(std::string("/tmp/") + companion, status);
    EXPECT_EQ(status, 2);
    const std::string name(companion);
    EXPECT_NE(out.find(name.substr(0, name.find('.')) + ".dbf"), std::string::npos) << out;
  }
}

// As installed (no build marker beside it) the tool finds a table named without a folder in the
// data folder the program uses, or in the one --data names; the current folder comes first.
TEST(TableToolTest, TakesABareTableNameFromTheProgramsDataFolder) {
  TempFolder root;
  std::filesystem::create_directories(root.path() / "bin");
  std::filesystem::copy_file(SAVORA_TABLE_TOOL, root.path() / "bin/savora99-table");
  for (const auto& [folder, records] : std::vector<std::pair<std::string, int>>{
           {"home/.local/share/savora99", 1}, {"other", 2}, {"here", 3}}) {
    std::filesystem::create_directories(root.path() / folder);
    auto table = createRecipes(root.str() + folder + "/recipes");
    for (int uid = 1; uid <= records; ++uid) appendRecipe(*table, uid);
  }
  const std::string run = "cd " + root.str() +
                          "here && env -u XDG_DATA_HOME -u SAVORA_HOME HOME=" + root.str() +
                          "home " + root.str() + "bin/savora99-table ";
  for (const auto& [arguments, records] : std::vector<std::pair<std::string, std::string>>{
           {"recipes", ", 3 records,"},
           {"../home/.local/share/savora99/recipes.dbf", ", 1 records,"},
           {"--data " + root.str() + "other recipes", ", 2 records,"}}) {
    SCOPED_TRACE(arguments);
    std::string out;
    EXPECT_EQ(runCommand(run + arguments + " 2>&1", out), 0) << out;
    EXPECT_NE(out.find(records), std::string::npos) << out;
  }
  std::filesystem::remove(root.path() / "here/recipes.dbf");
  std::string out;
  EXPECT_EQ(runCommand(run + "recipes 2>&1", out), 0) << out;
  EXPECT_NE(out.find(", 1 records,"), std::string::npos) << out;
}

}  // namespace
}  // namespace savora::xbase
