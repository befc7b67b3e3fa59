// Tables written by other xBase programs, read by the library; and tables written by the
// library, read by other programs (Debian's python3-dbf and python3-dbfread, the format notes'
// cdxdump.py). The foreign tables are kept in tests/xbase/data, so a missing one is a failure;
// only the tests that run an outside program skip when it is not there.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/file_ops.h"
#include "platform/text.h"
#include "temp_folder.h"
#include "test_tables.h"
#include "xbase/error.h"

namespace savora::xbase {
namespace {

using namespace savora::xbase::testing;
using savora::testing::readFileBytes;
using savora::testing::TempFolder;

std::vector<uint32_t> tagRecords(Table& table, const std::string& tag) {
  std::vector<uint32_t> out;
  for (const PageEntry& e : table.tagEntries(tag)) out.push_back(e.record);
  return out;
}

TEST(ForeignFilesTest, EveryTableOpensAndReadsCompletely) {
  const std::string data = dataDir();
  const struct {
    const char* path;  // what it exercises
    uint32_t records;
    size_t tags;
  } kTables[] = {
      {"dbd-xbase/rooms", 42, 5},             // 0x03 with 5 tags, 3 FOR filters; 0x0A terminator
      {"dbd-xbase/test", 3, 0},               // 0x83 with a .dbt memo, a deleted record
      {"dbfread/memotest", 3, 0},             // 0x30, .FPT of 512-byte blocks, upper-case extension
      {"dbffile/vfp9_memo_bs1", 5, 0},        // memo block size 1
      {"infused-dbf/dbase_30", 34, 0},        // header says .cdx, none there
      {"infused-dbf/dbase_83", 67, 0},        // dBASE III memo
      {"infused-dbf/polygon", 1, 0},          // no fields at all
      {"infused-dbf/foxprodb/calls", 16, 2},  // 4-byte integer keys, 2-byte leaf entries
      {"infused-dbf/foxprodb/contacts", 5, 2},  // long field names cut to ten characters
      {"infused-dbf/foxprodb/setup", 3, 1},     // 50-byte character keys
      {"infused-dbf/foxprodb/types", 2, 1},     // 1-byte leaf entries
      {"php-xbase/Foxpro2", 3, 0},              // 0xF5 with text and binary memos
      {"php-xbase/pr90", 5, 0},                 // a 300-byte character field
  };
  for (const auto& t : kTables) {
    SCOPED_TRACE(t.path);
    OpenOptions options;
    options.readOnly = true;
    std::unique_ptr<Table> table;
    ASSERT_NO_THROW(table = Table::open(data + t.path, options));
    ASSERT_TRUE(table);
    EXPECT_EQ(table->recordCount(), t.records);
    EXPECT_EQ(table->tags().size(), t.tags);
    uint32_t seen = 0;
    for (bool on = table->go(1); on; on = table->skip()) {
      ++seen;
      for (size_t f = 0; f < table->fields().size(); ++f)
        ASSERT_NO_THROW(table->memo(int(f))) << "record " << seen << " field " << f;
    }
    EXPECT_EQ(seen, t.records);
    EXPECT_EQ(table->checkIndex(), std::vector<std::string>{});
  }
}

TEST(ForeignFilesTest, ValuesMemosAndTagOrdersAreRight) {
  const std::string data = dataDir();
  OpenOptions options;
  options.readOnly = true;

  auto rooms = Table::open(data + "dbd-xbase/rooms", options);
  ASSERT_TRUE(rooms);
  EXPECT_EQ(tagRecords(*rooms, "FILM"), (std::vector<uint32_t>{36, 37, 29, 30, 31, 32}));
  const std::vector<uint32_t> facility = tagRecords(*rooms, "FACILITY");
  ASSERT_EQ(facility.size(), 42u);
  EXPECT_EQ(std::vector<uint32_t>(facility.begin(), facility.begin() + 4),
            (std::vector<uint32_t>{1, 42, 18, 19}));  // blanks, then Audio in record order
  EXPECT_EQ(tagRecords(*rooms, "MAIN").size(), 21u);
  rooms->selectTag("ROOMNAME");
  EXPECT_EQ(rooms->seek("FILM 2"), SeekResult::Found);
  EXPECT_EQ(rooms->recordNumber(), 30u);
  EXPECT_EQ(rooms->text(1), "Film");

  auto contacts = Table::open(data + "infused-dbf/foxprodb/contacts", options);
  ASSERT_TRUE(contacts);
  EXPECT_EQ(tagRecords(*contacts, "TYPE_ID"), (std::vector<uint32_t>{2, 4, 5, 1, 3}));
  contacts->selectTag("CONTACT_ID");
  EXPECT_EQ(contacts->seek(4.0), SeekResult::Found);
  EXPECT_EQ(contacts->text(contacts->fieldIndex("FIRST_NAME")), "Margaret");

  auto memotest = Table::open(data + "dbfread/memotest", options);
  ASSERT_TRUE(memotest);
  ASSERT_TRUE(memotest->go(3));
  EXPECT_TRUE(memotest->deleted());
  EXPECT_EQ(memotest->text(0), "Deleted Guy");
  EXPECT_EQ(memotest->memo(2), "Deleted Guy memo");

  auto dbase3 = Table::open(data + "dbd-xbase/test", options);
  ASSERT_TRUE(dbase3);
  ASSERT_TRUE(dbase3->go(2));
  EXPECT_TRUE(dbase3->deleted());
  EXPECT_EQ(dbase3->memo(dbase3->fieldIndex("NOTE")), "This is a memo for record 2");

  auto pr90 = Table::open(data + "php-xbase/pr90", options);
  ASSERT_TRUE(pr90);
  const int note = pr90->fieldIndex("NOTE");
  EXPECT_EQ(pr90->width(note), 300u);
  EXPECT_EQ(pr90->header().recordLength, 505u);

  auto missingIndex = Table::open(data + "infused-dbf/dbase_30", options);
  ASSERT_TRUE(missingIndex);
  EXPECT_NE(missingIndex->indexNote().find("missing"), std::string::npos);
}

TEST(ForeignFilesTest, ForeignIndexesAreUpdatedInPlace) {
  const std::string data = dataDir();
  const struct {
    const char* table;  // what it exercises
    const char* field;
    const char* tag;
  } kCases[] = {{"dbd-xbase/rooms", "ROOMNAME", "FILM"},  // written by FoxPro itself
                {"infused-dbf/foxprodb/setup", "KEY_NAME", "KEY_NAME"}};  // 2-byte leaf entries
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.table);
    TempFolder folder;
    const std::string name = std::filesystem::path(c.table).filename().string();
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(data + c.table).parent_path())) {
      if (entry.path().stem() != name) continue;
      const auto copy = folder.path() / entry.path().filename();
      std::filesystem::copy_file(entry.path(), copy);
      std::filesystem::permissions(copy, std::filesystem::perms::owner_write,
                                   std::filesystem::perm_options::add);
    }
    auto table = Table::open(folder.str() + name);
    ASSERT_TRUE(table) << data << c.table << " was not copied";
    ASSERT_EQ(table->indexNote(), "");
    const uint32_t before = uint32_t(table->tagEntries(c.tag).size());
    for (int i = 0; i < 60; ++i) {
      table->appendStart();
      table->setText(table->fieldIndex(c.field), "FILM " + std::to_string(100 + i));
      if (table->fieldIndex("FACILITY") >= 0) table->setText(table->fieldIndex("FACILITY"), "Film");
      table->append();
    }
    table->go(2);
    table->deleteRecord();
    table->go(3);
    table->setText(table->fieldIndex(c.field), "AAA moved");
    table->close();
    table = Table::open(folder.str() + name);
    EXPECT_EQ(table->indexNote(), "");
    EXPECT_EQ(table->checkIndex(), std::vector<std::string>{});
    EXPECT_EQ(table->tagEntries(c.tag).size(), before + 60);
  }
}

TEST(ForeignFilesTest, ATableWithoutItsMemoFileFailsWithANamedError) {
  const std::string data = dataDir();
  ASSERT_TRUE(std::filesystem::is_regular_file(data + "dbfread/no_memofile.dbf"));
  OpenOptions options;
  options.readOnly = true;
  try {
    Table::open(data + "dbfread/no_memofile", options);
    ADD_FAILURE() << "opened";
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("no_memofile.fpt is missing"), std::string::npos)
        << e.what();
  }
}

TEST(ForeignFilesTest, AnIndexLeftBehindByAnOlderCopyIsRebuilt) {
  const std::string lab = dataDir() + "lab/";
  const struct {
    const char* what;
    bool grow;
  } kCases[] = {{"table grew after the index was saved", true},
                {"table shrank after the index was saved", false}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.what);
    TempFolder folder;
    for (const char* ext : {".dbf", ".fpt", ".cdx"})
      ASSERT_TRUE(platform::copyFile(lab + "items" + ext, folder.str() + "items" + ext));
    const std::string base = folder.str() + "items";
    const std::string oldIndex = readFileBytes(base + ".cdx");
    {
      auto table = Table::open(base);
      ASSERT_EQ(table->indexNote(), "");
      if (c.grow) {
        for (int i = 0; i < 3; ++i) {
          table->appendStart();
          table->setText(table->fieldIndex("NAME"), "zz appended " + std::to_string(i));
          table->setNumber(table->fieldIndex("QTY"), 5);
          table->append();
        }
      } else {
        for (uint32_t r = 1; r <= 1500; r += 2) {
          table->go(r);
          table->deleteRecord();
        }
        table->pack();
      }
      table->close();
    }
    ASSERT_TRUE(platform::writeWholeFile(base + ".cdx", oldIndex));
    auto table = Table::open(base);
    EXPECT_NE(table->indexNote().find("does not match"), std::string::npos) << table->indexNote();
    EXPECT_EQ(table->checkIndex(), std::vector<std::string>{});
    EXPECT_EQ(tagRecords(*table, "NAME").size(), table->recordCount());
  }
}

// python3-dbf 0.96 honours the wide character field convention only for its 'clp' tables, which
// have no .fpt memos, and rejects a FoxPro table holding such a field. So dbfread reads the full
// table, python3-dbf reads it without the wide field in FoxPro mode, and the wide field alone
// in a memo-less table read as 'clp'.
TEST(ForeignFilesTest, DebianPythonReadersReadOurTables) {
  std::string probe;
  if (runCommand("/usr/bin/python3 -c 'import dbf, dbfread' 2>&1", probe) != 0)
    GTEST_SKIP() << "/usr/bin/python3 lacks the dbf and dbfread modules: " << probe;
  TempFolder folder;
  const struct {
    const char *name, *price, *notes;
    bool deleted;
  } kRows[] = {{"Cr\xE8me br\xFBl\xE9"
                "e",
                "12.5", "Caramelise the top.\r\nServe cold.", false},
               {"Gone", "-3", "deleted record's memo", true},
               {"No memo", "", "", false},
               {"Long", "99999.99", nullptr, false}};
  auto write = [&](const std::string& name, bool wide, bool memo) {
    std::vector<FieldSpec> fields = {{"NAME", 'C', 20, 0}, {"PRICE", 'N', 8, 2}};
    if (wide) fields.push_back({"BITMAP", 'C', 260, 0});
    if (memo) fields.push_back({"NOTES", 'M', 10, 0});
    auto table = Table::create(folder.str() + name, fields,
                               {{"NAME", "UPPER(NAME)", ".NOT. DELETED()", false, false}});
    for (const auto& row : kRows) {
      table->appendStart();
      table->setText(0, row.name);
      table->setText(1, row.price);
      if (wide) table->setText(2, std::string(255, '.') + row.name);
      if (memo) table->setMemo(wide ? 3 : 2, row.notes ? row.notes : std::string(5000, 'm') + "!");
      table->append();
      if (row.deleted) table->deleteRecord();
    }
    table->close();
  };
  write("full", true, true);
  write("fox", false, true);
  write("wide", true, false);
  const std::string script = R"(
import dbf, dbfread
folder = ')" + folder.str() + R"('
table = dbfread.DBF(folder + 'full.dbf', encoding='cp1252', load=True)
for r in table.deleted:
    print('dbfread deleted', r['NAME'])
for r in table:
    print('dbfread', r['NAME'], r['PRICE'], len(r['BITMAP']), r['BITMAP'][-6:], len(r['NOTES'] or ''), (r['NOTES'] or '')[:8].replace('\r\n', '|'))
t = dbf.Table(folder + 'fox.dbf', codepage='cp1252')
t.open(dbf.READ_ONLY)
for r in t:
    notes = r.notes or ''
    print('dbf', dbf.is_deleted(r), r.name.strip(), r.price, len(notes), notes[:8].replace('\r\n', '|'))
t.close()
t = dbf.Table(folder + 'wide.dbf', codepage='cp1252', dbf_type='clp')
t.open(dbf.READ_ONLY)
for r in t:
    print('dbf wide', len(r.bitmap), r.bitmap.rstrip()[-6:])
t.close()
)";
  std::ofstream(folder.str() + "check.py") << script;
  std::string output;
  ASSERT_EQ(runCommand("/usr/bin/python3 " + folder.str() + "check.py 2>&1", output), 0) << output;
  const std::string creme =
      "Cr\xC3\xA8me br\xC3\xBBl\xC3\xA9"
      "e";  // UTF-8 out of Python
  const std::string expected =
      "dbfread deleted Gone\n"
      "dbfread " +
      creme +
      " 12.5 260 .Cr\xC3\xA8me 32 Carameli\n"
      "dbfread No memo None 260 .No me 0 \n"
      "dbfread Long 99999.99 259 ..Long 5001 mmmmmmmm\n"
      "dbf False " +
      creme +
      " 12.5 32 Carameli\n"
      "dbf True Gone -3.0 21 deleted \n"
      "dbf False No memo None 0 \n"
      "dbf False Long 99999.99 5001 mmmmmmmm\n"
      "dbf wide 260 .Cr\xC3\xA8me\n"
      "dbf wide 260 ..Gone\n"
      "dbf wide 260 .No me\n"
      "dbf wide 260 ..Long\n";
  EXPECT_EQ(output, expected);
}

TEST(ForeignFilesTest, CdxDumpReadsOurTagsInOurOrder) {
  const std::string cdxdump = sharedDir() + "/formats/xbase-foxpro/tools/cdxdump.py";
  if (!std::filesystem::is_regular_file(cdxdump))
    GTEST_SKIP() << "the format notes' cdxdump.py is absent";
  std::string probe;
  if (runCommand("/usr/bin/python3 -c 'pass' 2>&1", probe) != 0) GTEST_SKIP() << "no python";
  TempFolder folder;
  const std::string base = folder.str() + "dump";
  auto table = createRecipes(base);
  for (int uid = 1500; uid >= 1; --uid) appendRecipe(*table, uid);
  for (uint32_t r = 1; r <= 1500; r += 11) {
    table->go(r);
    table->deleteRecord();
  }
  table->close();
  table = Table::open(base);
  std::string output;
  ASSERT_EQ(
      runCommand("/usr/bin/python3 " + cdxdump + " " + base + ".cdx UID CHAPNAME NAME", output), 0)
      << output;
  // Lines "   <hex key>  <text>  rec=N" follow each "tag NAME ..." line.
  std::map<std::string, std::vector<uint32_t>> dumped;
  std::string current;
  std::istringstream lines(output);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("tag ", 0) == 0) current = platform::trim(line.substr(4, 10));
    const size_t rec = line.rfind("rec=");
    if (rec != std::string::npos)
      dumped[current].push_back(uint32_t(std::stoul(line.substr(rec + 4))));
  }
  for (const char* tag : {"UID", "CHAPNAME", "NAME"}) {
    SCOPED_TRACE(tag);
    EXPECT_EQ(dumped[tag], tagRecords(*table, tag));
    EXPECT_EQ(dumped[tag].size(), 1500u - 137u);
  }
}

}  // namespace
}  // namespace savora::xbase
