// The functions of index expressions as other programs' tables use them: the key each one makes,
// tags over them kept in order, and a tag whose expression cannot be evaluated here.
#include <gtest/gtest.h>

#include "platform/file_ops.h"
#include "temp_folder.h"
#include "test_tables.h"
#include "xbase/error.h"
#include "xbase/index_key.h"
#include "xbase/key_expr.h"

namespace savora::xbase {
namespace {

using namespace savora::xbase::testing;
using savora::testing::readFileBytes;
using savora::testing::TempFolder;

TEST(KeyFunctionsTest, KeysOfEachFunction) {
  const std::vector<FieldDescriptor> fields = makeDbfHeader({{"UID", 'N', 0, 5, 0, 0},
                                                             {"NAME", 'C', 0, 10, 0, 0},
                                                             {"QTY", 'N', 0, 5, 1, 0},
                                                             {"MADE", 'D', 0, 8, 0, 0},
                                                             {"OK", 'L', 0, 1, 0, 0}},
                                                            false)
                                                  .fields;
  const std::string full = std::string(" ") + "    3" + "Soup      " + " -2.5" + "19980314" + "T";
  const std::string blank(full.size(), ' ');
  const struct {
    const char* expression;
    bool blankRecord;
    std::string key;  // keyLength bytes
  } kCases[] = {
      {"DTOC(MADE)", false, "03/14/98"},
      {"DTOC(MADE)", true, "  /  /  "},
      {"DTOC(MADE,1)", false, "19980314"},
      {"DTOS(MADE)", true, "        "},
      {"STR(UID,5)+STR(QTY,5,1)+DTOC(MADE)", false, "    3 -2.503/14/98"},
      {"SUBSTR(NAME,2,2)", false, "ou"},
      {"SUBSTR(NAME,3)", false, "up      "},
      {"LEFT(NAME,3)", false, "Sou"},
      {"RIGHT(NAME,4)", false, "    "},
      {"RIGHT(TRIM(NAME),3)", false, "oup"},
      {"ALLTRIM(STR(UID,5))+'|'", false, "3|    "},
      {"LTRIM(STR(UID,5))+'|'", false, "3|    "},
      {"TRIM(NAME)+'|'", false, "Soup|      "},
      {"RTRIM(NAME)+'|'", false, "Soup|      "},
      {"PADL(TRIM(NAME),6,'*')", false, "**Soup"},
      {"PADR(TRIM(NAME),6)", false, "Soup  "},
      {"PADL(NAME,3)", false, "Sou"},
      {"LOWER(NAME)", false, "soup      "},
      {"IIF(OK,NAME,'none')", false, "Soup      "},
      {"IIF(OK,NAME,'none')", true, "none      "},
      {"IIF(QTY>0,'pos','neg')", false, "neg"},
      {"IIF(OK,UID,0)", false, numberKey(3)},
      {"VAL(SUBSTR(STR(QTY,5,1),2))", false, numberKey(-2.5)},
      {"RECNO()", false, numberKey(7)},
      {"STR(RECNO(),4)+NAME", false, "   7Soup      "},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(std::string(c.expression) + (c.blankRecord ? " on a blank record" : ""));
    const Expression e = Expression::parse(c.expression, fields);
    const KeyFormat format = keyFormatFor(e);
    EXPECT_EQ(format.length, c.key.size());
    EXPECT_EQ(makeKey(e.evaluate(c.blankRecord ? blank : full, 7), format), c.key);
  }
  for (const char* bad : {"DTOC(NAME)", "DTOC(MADE,2)", "RIGHT(NAME,UID)", "PADL(UID,5)",
                          "IIF(UID,1,2)", "IIF(OK,1,'x')", "RECNO(1)", "PADR(NAME)"}) {
    SCOPED_TRACE(bad);
    EXPECT_THROW(Expression::parse(bad, fields), Error);
  }
}

TEST(KeyFunctionsTest, TagsOverTheseFunctionsFollowChanges) {
  TempFolder folder;
  const std::string base = folder.str() + "t";
  auto table =
      Table::create(base, {{"NAME", 'C', 10, 0}, {"MADE", 'D', 8, 0}},
                    {{"MADEBY", "DTOC(MADE)+PADL(TRIM(NAME),4,'.')", "", false, false},
                     {"BACKWARDS", "STR(999-RECNO(),3)", "", false, false},
                     {"KIND", "IIF(LEFT(NAME,1)='S',RIGHT(TRIM(NAME),2),'--')", "", false, false}});
  const struct {
    const char* name;
    const char* made;
  } kRows[] = {{"Soup", "19991231"}, {"Pie", "19980314"}, {"Stew", "19980314"}, {"Tart", ""}};
  for (const auto& row : kRows) {
    table->appendStart();
    table->setText(table->fieldIndex("NAME"), row.name);
    table->setText(table->fieldIndex("MADE"), row.made);
    table->append();
  }
  table->go(2);
  table->setText(table->fieldIndex("NAME"), "Salad");
  table->go(4);
  table->deleteRecord();
  table->pack();
  EXPECT_EQ(table->checkIndex(), std::vector<std::string>{});
  const struct {
    const char* tag;
    std::vector<uint32_t> records;
  } kOrders[] = {
      {"MADEBY", {2, 3, 1}},     // "03/14/98Sala", "03/14/98Stew", "12/31/99Soup"
      {"BACKWARDS", {3, 2, 1}},  // 996, 997, 998
      {"KIND", {2, 3, 1}},       // "ad", "ew", "up"
  };
  for (const auto& order : kOrders) {
    SCOPED_TRACE(order.tag);
    std::vector<uint32_t> records;
    for (const PageEntry& e : table->tagEntries(order.tag)) records.push_back(e.record);
    EXPECT_EQ(records, order.records);
  }
}

TEST(KeyFunctionsTest, ATagThatCannotBeEvaluatedLeavesTheOthersWorking) {
  TempFolder folder;
  const std::string base = folder.str() + "t";
  {
    auto table = createRecipes(base);
    for (int uid = 3; uid >= 1; --uid) appendRecipe(*table, uid);
  }
  // Rename the function of tag NAME to one no program knows; the text keeps its length.
  std::string cdx = readFileBytes(base + ".cdx");
  const size_t at = cdx.find("UPPER(NAME)");
  ASSERT_NE(at, std::string::npos);
  cdx.replace(at, 5, "UPPEX");
  ASSERT_TRUE(platform::writeWholeFile(base + ".cdx", cdx));

  auto table = Table::open(base);
  ASSERT_TRUE(table);
  EXPECT_EQ(table->indexNote(), "");
  EXPECT_EQ(table->tags().size(), 3u);
  EXPECT_NE(table->tagProblem("NAME").find("unknown function UPPEX"), std::string::npos)
      << table->tagProblem("NAME");
  EXPECT_EQ(table->tagProblem("UID"), "");
  EXPECT_FALSE(table->selectTag("NAME"));
  ASSERT_TRUE(table->selectTag("UID"));
  std::vector<int> uids;
  for (bool on = table->top(); on && uids.size() < 4; on = table->skip())
    uids.push_back(int(table->number(table->fieldIndex("UID"))));
  EXPECT_EQ(uids, (std::vector<int>{1, 2, 3}));
  const std::vector<std::string> problems = table->checkIndex();
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_NE(problems[0].find("tag NAME"), std::string::npos) << problems[0];
  EXPECT_THROW(table->tagEntries("NAME"), Error);
  // A change would leave the tag that cannot be kept behind the data.
  EXPECT_THROW(table->appendStart(), Error);
  table->close();

  std::string output;
  const int status = runCommand(std::string(SAVORA_TABLE_TOOL) + " --check " + base, output);
  EXPECT_EQ(status, 1) << output;
  EXPECT_NE(output.find("tag NAME cannot be used"), std::string::npos) << output;

  // The program that defines the table's tags gets the tag back.
  OpenOptions options;
  options.tags = recipeTags();
  table = Table::open(base, options);
  EXPECT_NE(table->indexNote().find("rebuilt"), std::string::npos) << table->indexNote();
  EXPECT_TRUE(table->selectTag("NAME"));
  EXPECT_EQ(table->checkIndex(), std::vector<std::string>{});
}

}  // namespace
}  // namespace savora::xbase
