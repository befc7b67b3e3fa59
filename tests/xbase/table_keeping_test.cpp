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
// program edits it.
void copyInPlace(const std::string& from, const std::string& to) {
  const std::string bytes = savora::testing::readFileBytes(from);
  std::ofstream(to, std::ios::binary | std::ios::in | std::ios::out)
      .write(bytes.data(), std::streamsize(bytes.size()));
}

// Another program renames record 1 to "Edited", changing the table and its index in place.
void editFirstName(const std::string& base) {
  // In a later clock tick than the close, as any program not racing this one would be.
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  const std::string side = base + "-side";
  for (const char* ext : {".dbf", ".fpt", ".cdx"})
    std::filesystem::copy_file(base + ext, side + ext);
  auto other = Table::open(side);
  other->go(1);
  other->setText(other->fieldIndex("NAME"), "Edited");
  other->close();
  for (const char* ext : {".dbf", ".fpt", ".cdx"}) copyInPlace(side + ext, base + ext);
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
