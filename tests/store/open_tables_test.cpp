#include <gtest/gtest.h>

#include <filesystem>

#include "program_folders.h"
#include "scripted_user.h"
#include "store/open_tables.h"

namespace savora::store {
namespace {

using savora::testing::ScriptedUser;

TableDefinition definitionNamed(const char* name) {
  TableDefinition definition;
  definition.name = name;
  definition.fields = {{"UID", 'N', 8, 0}};
  definition.tags = {{kUidTag, "UID", kNotDeleted, false, false}};
  return definition;
}

class OpenTablesTest : public savora::testing::ProgramFoldersTest {
 protected:
  ScriptedUser user;
  TableStore store{user};
  TableModule books{store, definitionNamed("book")};
  TableModule units{store, definitionNamed("unit")};
  TableModule brands{store, definitionNamed("brand")};
};

TEST_F(OpenTablesTest, ATableThatCannotBeReadIsReportedByNameAndCauseAndTheOthersOpen) {
  programDir.write("unit.dbf", std::string(20, '\x03'));  // a header cut off after 20 bytes
  OpenTables tables;
  for (TableModule* module : {&books, &units, &brands}) tables.add(*module);

  const std::vector<OpenFailure> failed = tables.openAll();
  ASSERT_EQ(failed.size(), 1u);
  EXPECT_EQ(failed[0].table, "unit");
  EXPECT_EQ(failed[0].cause,
            "opening table unit.dbf: the file is 20 bytes long, shorter than a table header");
  EXPECT_TRUE(books.isOpen());
  EXPECT_FALSE(units.isOpen());
  EXPECT_TRUE(brands.isOpen());
}

TEST_F(OpenTablesTest, TheReportGivesEachTableAndOnTheNextLineItsCause) {
  reportOpenFailures(user, {});  // nothing failed: no message
  user.expectMessage("Error!",
                     "These data files could not be opened:\r\nunit\r\nthe header is cut"
                     "\r\nbrand\r\nthe memo file is missing");
  reportOpenFailures(user, {{"unit", "the header is cut"}, {"brand", "the memo file is missing"}});
  EXPECT_EQ(user.messages().back().icon, "HAND");
}

}  // namespace
}  // namespace savora::store
