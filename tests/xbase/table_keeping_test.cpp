// A closed table's files are kept open by the process for a quick reopen. Whatever happened to
// them in between, a reopen must show the table as it is on disk, as a fresh open does, and what
// it writes must be what a fresh open finds.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "temp_folder.h"
#include "test_tables.h"

namespace savora::xbase {
namespace {

using namespace savora::xbase::testing;
using savora::testing::TempFolder;

// A table opened afresh with every tag compared to the data: the kept tables are not used.
std::unique_ptr<Table> openVerified(const std::string& base) {
  OpenOptions options;
  options.verifyIndex = true;
  return Table::open(base, options);
}

// Gives `to` the bytes of `from`, in place: the file stays the same file, as when another
// program writes it.
void copyInPlace(const std::string& from, const std::string& to) {
  const std::string bytes = savora::testing::readFileBytes(from);
  std::ofstream(to, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), std::streamsize(bytes.size()));
}

// Another program changes the table: the change is made on a copy whose files are then written
// back over those of `base`, in place.
void otherProgram(const std::string& base, const std::function<void(Table&)>& change) {
  const std::string side = base + "-side";
  for (const char* ext : {".dbf", ".fpt", ".cdx"})
    std::filesystem::copy_file(base + ext, side + ext,
                               std::filesystem::copy_options::overwrite_existing);
  auto other = Table::open(side);
  change(*other);
  other->close();
  for (const char* ext : {".dbf", ".fpt", ".cdx"}) copyInPlace(side + ext, base + ext);
}

void renameFirst(Table& table) {
  table.go(1);
  table.setText(table.fieldIndex("NAME"), "Edited");
}

// What a later open finds of a table of 10 recipes after `act` (our handle's and another
// program's doings, returning the name the table is opened by next), a reopen and 20 appends:
// the verifying open's note, the record count, the tags and every record in NAME order.
std::string afterOtherProgram(const std::function<std::string(const std::string& folder)>& act,
                              bool freshOpen) {
  TempFolder folder;
  auto table = createRecipes(folder.str() + "recipes");
  for (int uid = 1; uid <= 10; ++uid) appendRecipe(*table, uid);
  table->close();
  const std::string name = act(folder.str());
  if (freshOpen) Table::closeKeptTables();
  OpenOptions options;
  options.tags = recipeTags();
  table = Table::open(name, options);
  for (int uid = 201; uid <= 220; ++uid) appendRecipe(*table, uid);
  table->close();

  auto verified = openVerified(name);
  std::string found = "note: " + verified->indexNote() +
                      "\nrecords: " + std::to_string(verified->recordCount()) + "\ntags:";
  for (const TagSpec& tag : verified->tags()) found += " " + tag.name;
  verified->selectTag("NAME");
  for (bool on = verified->top(); on; on = verified->skip())
    found += "\n" + std::to_string(verified->recordNumber()) + " " +
             verified->text(verified->fieldIndex("NAME"));
  return found;
}

struct OtherProgramCase {
  const char* situation;
  std::function<std::string(const std::string& folder)> act;
  std::string survivor;  // what the other program wrote, found at the end
};

// The reopen must be as safe as a fresh open however the other program's change lines up with
// ours. It reads no file times, so a change within the clock tick of our last write (case 3)
// is no harder for it than any other.
TEST(TableKeepingTest, AReopenKeepsWhatAnotherProgramWroteAsAFreshOpenDoes) {
  const OtherProgramCase cases[] = {
      {"another program appends while our handle is open; ours changes a record and closes",
       [](const std::string& folder) {
         Table::closeKeptTables();  // our handle opens its files afresh
         auto ours = Table::open(folder + "recipes");
         otherProgram(folder + "recipes", [](Table& other) { appendRecipe(other, 99); });
         ours->go(3);
         ours->setText(ours->fieldIndex("NAME"), "Ours");
         ours->setMemo(ours->fieldIndex("NOTES"), "Our notes");
         ours->close();
         return folder + "recipes";
       },
       recipeName(99)},
      {"another program rewrites the index in place while our handle is open",
       [](const std::string& folder) {
         Table::closeKeptTables();
         auto ours = Table::open(folder + "recipes");
         std::vector<TagSpec> tags = recipeTags();
         tags.push_back({"KCAL", "KCAL", "", false, false});
         auto other = Table::create(folder + "other", recipeFields(), tags);
         for (int uid = 1; uid <= 10; ++uid) appendRecipe(*other, uid);
         other->close();
         copyInPlace(folder + "other.cdx", folder + "recipes.cdx");
         ours->close();
         return folder + "recipes";
       },
       "KCAL"},
      {"another program edits a record in place right after our close",
       [](const std::string& folder) {
         otherProgram(folder + "recipes", renameFirst);
         return folder + "recipes";
       },
       "Edited"},
      {"a table named exactly as the program names it appears beside the one it opened",
       [](const std::string& folder) {
         Table::open(folder + "Recipes")->close();  // opens recipes.dbf, by another case
         auto other = createRecipes(folder + "other");
         appendRecipe(*other, 77);
         other->close();
         for (const char* ext : {".dbf", ".fpt", ".cdx"})
           std::filesystem::rename(folder + "other" + ext, folder + "Recipes" + ext);
         return folder + "Recipes";
       },
       recipeName(77)},
      {"another program replaces the files by a copy with one record more",
       [](const std::string& folder) {
         for (const char* ext : {".dbf", ".fpt", ".cdx"})
           std::filesystem::copy_file(folder + "recipes" + ext, folder + "copy" + ext);
         auto other = Table::open(folder + "copy");
         appendRecipe(*other, 11);
         other->close();
         for (const char* ext : {".dbf", ".fpt", ".cdx"})
           std::filesystem::rename(folder + "copy" + ext, folder + "recipes" + ext);
         return folder + "recipes";
       },
       recipeName(11)},
      {"another handle of this process appends while ours is open",
       [](const std::string& folder) {
         auto ours = Table::open(folder + "recipes");
         auto other = Table::open(folder + "recipes");
         appendRecipe(*other, 11);
         other->close();
         ours->close();
         return folder + "recipes";
       },
       recipeName(11)},
      {"the table is created anew",
       [](const std::string& folder) {
         createRecipes(folder + "recipes")->close();
         return folder + "recipes";
       },
       "records: 20\n"},
  };
  for (const OtherProgramCase& c : cases) {
    SCOPED_TRACE(c.situation);
    const std::string reopened = afterOtherProgram(c.act, false);
    EXPECT_EQ(reopened, afterOtherProgram(c.act, true));
    EXPECT_EQ(reopened.rfind("note: \n", 0), 0u) << reopened;
    EXPECT_NE(reopened.find(c.survivor), std::string::npos) << reopened;
  }
}

TEST(TableKeepingTest, ManyReopenedChangesLeaveTheFilesAFreshOpenFindsWhole) {
  TempFolder folder;
  const std::string base = folder.str() + "recipes";
  createRecipes(base)->close();
  for (int uid = 1; uid <= 400; ++uid) {
    auto table = Table::open(base);
    appendRecipe(*table, uid);
    if (uid % 7 == 0) {  // delete an earlier one and rename another, through the tags
      ASSERT_TRUE(table->selectTag("UID"));
      ASSERT_EQ(table->seek(double(uid / 2)), SeekResult::Found);
      table->deleteRecord();
      ASSERT_TRUE(table->go(uint32_t(uid - 3)));
      table->setText(table->fieldIndex("NAME"), "Renamed " + std::to_string(uid));
    }
    table->close();
  }
  auto verified = openVerified(base);
  ASSERT_TRUE(verified);
  EXPECT_EQ(verified->indexNote(), "");
  EXPECT_EQ(verified->recordCount(), 400u);
  ASSERT_TRUE(verified->go(396));
  EXPECT_EQ(verified->text(verified->fieldIndex("NAME")), "Renamed 399");
  ASSERT_TRUE(verified->go(1));
  EXPECT_EQ(recipeMismatch(*verified, 1), "");
}

}  // namespace
}  // namespace savora::xbase
