#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "program_folders.h"
#include "scripted_user.h"
#include "store/table_module.h"
#include "xbase/error.h"

namespace savora::store {
namespace {

using savora::testing::ScriptedUser;

TableDefinition notesDefinition() {
  TableDefinition definition;
  definition.name = "notes";
  definition.fields = {{"UID", 'N', 8, 0}, {"NAME", 'C', 20, 0}, {"NOTE", 'M', 4, 0}};
  definition.tags = {{kUidTag, "UID", kNotDeleted, false, false}};
  return definition;
}

class TableModuleTest : public savora::testing::ProgramFoldersTest {
 protected:
  ScriptedUser user;
  TableStore store{user};
  TableModule notes{store, notesDefinition()};
};

TEST_F(TableModuleTest, EveryWriteOnAClosedTableThrowsNamingTheTable) {
  const struct {
    const char* name;
    std::function<void()> write;
  } cases[] = {
      {"appendStart", [&] { notes.appendStart(1); }},
      {"append", [&] { notes.append(); }},
      {"storeRecord", [&] { notes.storeRecord(0, [] {}); }},
      {"deleteCurrent", [&] { notes.deleteCurrent(); }},
      {"setNumber", [&] { notes.setNumber("UID", 1); }},
      {"setFittedNumber", [&] { notes.setFittedNumber("UID", 1); }},
      {"setText", [&] { notes.setText("NAME", "x"); }},
      {"setMemo", [&] { notes.setMemo("NOTE", "x"); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      c.write();
      ADD_FAILURE() << "no error";
    } catch (const xbase::Error& error) {
      EXPECT_NE(std::string(error.what()).find("notes"), std::string::npos) << error.what();
    }
  }
  EXPECT_FALSE(std::filesystem::exists(programDir.path() / "notes.dbf"));
}

TEST_F(TableModuleTest, ATableThatCannotBeReadThrowsWithTheCauseAndStaysClosed) {
  notes.open();
  notes.close();
  std::filesystem::resize_file(programDir.path() / "notes.dbf", 20);  // inside the 32-byte header

  try {
    notes.open();
    FAIL() << "opened a cut table";
  } catch (const xbase::Error& error) {
    EXPECT_STREQ(error.what(),
                 "opening table notes.dbf: the file is 20 bytes long, shorter than a table header");
  }
  EXPECT_FALSE(notes.isOpen());
  // Looking up finds nothing rather than failing again.
  EXPECT_FALSE(notes.first(kUidTag));
  EXPECT_FALSE(notes.seekUid(1));
  EXPECT_EQ(std::filesystem::file_size(programDir.path() / "notes.dbf"), 20u);
}

}  // namespace
}  // namespace savora::store
