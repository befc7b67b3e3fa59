// A closed table is kept open by the process for a quick reopen. Whatever happened to its files
// in between, a reopen must show the table as it is on disk, and what kept tables write must be
// what a fresh open finds.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "platform/text.h"
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

// Another program renames record 1 to "Edited", changing the table and its index in place.
void editFirstName(const std::string& base) {
  // In a later clock tick than the close, as any program not racing this one would be.
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  otherProgram(base, renameFirst);
}

struct ChangeBehind {
  const char* what;
  std::function<void(const std::string& base)> change;
  uint32_t records;       // what the reopened table then holds
  const char* firstName;  // NAME of record 1 then; null: as appended
};

TEST(TableKeepingTest, AReopenSeesWhatChangedBehindAClosedTable) {
  const ChangeBehind cases[] = {
      {"table and index edited in place by another program", editFirstName, 10, "Edited"},
      {"table replaced by a copy with one record more",
       [](const std::string& base) {
         const std::string copy = base + "-copy";
         for (const char* ext : {".dbf", ".fpt", ".cdx"})
           std::filesystem::copy_file(base + ext, copy + ext);
         auto other = Table::open(copy);
         appendRecipe(*other, 11);
         other->close();
         for (const char* ext : {".dbf", ".fpt", ".cdx"})
           std::filesystem::rename(copy + ext, base + ext);
       },
       11, nullptr},
      {"another handle appended while this one was open", {}, 11, nullptr},
      {"table created anew", [](const std::string& base) { createRecipes(base)->close(); }, 0,
       nullptr},
  };
  for (const ChangeBehind& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder folder;
    const std::string base = folder.str() + "recipes";
    auto table = createRecipes(base);
    for (int uid = 1; uid <= 10; ++uid) appendRecipe(*table, uid);
    if (c.change) {
      table->close();
      c.change(base);
    } else {
      auto other = Table::open(base);
      appendRecipe(*other, 11);
      other->close();
      table->close();
    }
    auto reopened = Table::open(base);
    ASSERT_TRUE(reopened);
    EXPECT_EQ(reopened->recordCount(), c.records);
    if (c.records > 0) {
      const std::string name = c.firstName ? c.firstName : recipeName(1);
      ASSERT_TRUE(reopened->selectTag("NAME"));
      ASSERT_EQ(reopened->seek(platform::toUpper(name)), SeekResult::Found);
      EXPECT_EQ(reopened->recordNumber(), 1u);
    }
    ASSERT_TRUE(reopened->selectTag("UID"));
    EXPECT_EQ(reopened->seek(double(c.records)) == SeekResult::Found, c.records > 0);
    reopened->close();
    EXPECT_EQ(openVerified(base)->indexNote(), "");
  }
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
