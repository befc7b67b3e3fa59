// Tables through their public interface: create, append, read back, positioning in record and
// tag order, seeks, deletes, edits, unique and descending tags, pack, memo compress, queries.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "platform/file.h"
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

// Record numbers in the selected order, walking from top to end.
std::vector<uint32_t> walk(Table& table) {
  std::vector<uint32_t> out;
  for (bool on = table.top(); on; on = table.skip()) out.push_back(table.recordNumber());
  return out;
}

TEST(TableTest, AppendedRecordsAndMemosSurviveReopening) {
  TempFolder folder;
  const std::string base = folder.str() + "recipes";
  {
    auto table = createRecipes(base);
    for (int uid = 1; uid <= 60; ++uid) appendRecipe(*table, uid);
    table->appendStart();
    table->setNumber(table->fieldIndex("UID"), 61);
    table->setMemo(table->fieldIndex("NOTES"), std::string(200000, 'L') + "end");
    table->append();
    table->close();
  }
  auto table = Table::open(base);
  ASSERT_TRUE(table);
  EXPECT_EQ(table->recordCount(), 61u);
  EXPECT_EQ(table->indexNote(), "");
  for (int uid = 1; uid <= 60; ++uid) {
    ASSERT_TRUE(table->go(uint32_t(uid)));
    EXPECT_EQ(recipeMismatch(*table, uid), "") << "record " << uid;
  }
  ASSERT_TRUE(table->go(61));
  EXPECT_EQ(table->memo(table->fieldIndex("NOTES")), std::string(200000, 'L') + "end");
  EXPECT_EQ(table->text(table->fieldIndex("NAME")), "");
  EXPECT_EQ(table->field(table->fieldIndex("KCAL")), "        ");
  // The header and layout other readers rely on.
  const std::string dbf = readFileBytes(base + ".dbf");
  EXPECT_EQ(uint8_t(dbf[0]), 0xF5);
  EXPECT_EQ(uint8_t(dbf[28]), 0x01);
  EXPECT_EQ(uint8_t(dbf[29]), 0x03);
  EXPECT_EQ(dbf.back(), '\x1A');
  const size_t bitmap = 32 + 5 * 32;  // sixth descriptor: BITMAP C 260
  EXPECT_EQ(dbf.substr(bitmap, 6), std::string("BITMAP"));
  EXPECT_EQ(uint8_t(dbf[bitmap + 16]), 260 % 256);
  EXPECT_EQ(uint8_t(dbf[bitmap + 17]), 260 / 256);
  EXPECT_EQ(Table::open(folder.str() + "missing"), nullptr);
}

TEST(TableTest, WritesTheDemoTableByteForByte) {
  const std::string lab = dataDir() + "lab/";
  TempFolder folder;
  const std::string base = folder.str() + "demo";
  auto table = Table::create(base,
                             {{"NAME", 'C', 12, 0},
                              {"QTY", 'N', 5, 1},
                              {"MADE", 'D', 8, 0},
                              {"OK", 'L', 1, 0},
                              {"NOTES", 'M', 10, 0}},
                             {{"NAME", "UPPER(NAME)", "", false, false},
                              {"QTY", "QTY", "", false, false},
                              {"MADE", "MADE", "", false, false}});
  const struct {
    const char *name, *qty, *made, *ok, *notes;
  } kRows[] = {{"Apple Pie", "2.5", "19980314", "T", "Mix flour and butter."},
               {"Banana", "-1", "", "F", ""},
               {"apple crumble", "12", "20000101", "", "Bake 40 min."}};
  for (const auto& row : kRows) {
    table->appendStart();
    table->setText(0, row.name);
    table->setText(1, row.qty);
    table->setText(2, row.made);
    table->setText(3, row.ok);
    table->setMemo(4, row.notes);
    table->append();
  }
  table->close();
  std::string ours = readFileBytes(base + ".dbf"), theirs = readFileBytes(lab + "demo.dbf");
  ASSERT_FALSE(theirs.empty()) << lab << "demo.dbf is missing";
  ASSERT_EQ(ours.size(), theirs.size());
  ours.replace(1, 3, theirs.substr(1, 3));  // the date of the last update
  EXPECT_EQ(ours, theirs);
  EXPECT_EQ(readFileBytes(base + ".fpt"), readFileBytes(lab + "demo.fpt"));
  // Bytes 36-51 of the index header are this library's mark and stamp, which other readers
  // ignore; the other tool leaves them zero.
  std::string ourIndex = readFileBytes(base + ".cdx"), theirIndex = readFileBytes(lab + "demo.cdx");
  ASSERT_EQ(ourIndex.size(), theirIndex.size());
  EXPECT_EQ(theirIndex.substr(36, 16), std::string(16, '\0'));
  ourIndex.replace(36, 16, theirIndex.substr(36, 16));
  EXPECT_EQ(ourIndex, theirIndex);
}

TEST(TableTest, TagOrderSeekAndSkip) {
  TempFolder folder;
  auto table = createRecipes(folder.str() + "r");
  for (int uid = 40; uid >= 1; --uid) appendRecipe(*table, uid);  // record r holds uid 41 - r
  ASSERT_TRUE(table->selectTag("chapname"));
  std::vector<uint32_t> expected(40);
  for (uint32_t r = 1; r <= 40; ++r) expected[r - 1] = r;
  std::sort(expected.begin(), expected.end(), [](uint32_t a, uint32_t b) {
    const int ua = 41 - int(a), ub = 41 - int(b);
    auto key = [](int uid) {
      return platform::formatText("%5d", recipeChapter(uid)) +
             platform::formatText("%-80s", recipeName(uid).c_str());
    };
    return std::make_pair(key(ua), a) < std::make_pair(key(ub), b);
  });
  EXPECT_EQ(walk(*table), expected);

  const int uid = 17;
  const std::string key = platform::formatText("%5d", recipeChapter(uid)) + recipeName(uid);
  EXPECT_EQ(table->seek(key), SeekResult::Found);
  EXPECT_EQ(recipeMismatch(*table, uid), "");
  // A shorter key pads with blanks: no record has a blank name, so this lands on the first
  // record of the chapter without finding it.
  EXPECT_EQ(table->seek(platform::formatText("%5d", recipeChapter(uid))), SeekResult::After);
  EXPECT_EQ(table->number(table->fieldIndex("CHAP_UID")), recipeChapter(uid));
  EXPECT_EQ(table->seek("99999"), SeekResult::End);
  EXPECT_TRUE(table->eof());
  EXPECT_EQ(table->recordNumber(), 41u);

  ASSERT_TRUE(table->selectTag("UID"));
  EXPECT_EQ(table->seek(23.0), SeekResult::Found);
  EXPECT_EQ(recipeMismatch(*table, 23), "");
  EXPECT_EQ(table->seek("  23"), SeekResult::Found);
  EXPECT_EQ(table->seek(23.5), SeekResult::After);
  EXPECT_EQ(recipeMismatch(*table, 24), "");
  EXPECT_TRUE(table->skip(3));
  EXPECT_EQ(recipeMismatch(*table, 27), "");
  EXPECT_TRUE(table->skip(-2));
  EXPECT_EQ(recipeMismatch(*table, 25), "");
  EXPECT_THROW(table->seek("Soup"), Error);

  // The ends: past the last record is end of file; before the first stays on it.
  ASSERT_TRUE(table->bottom());
  EXPECT_EQ(recipeMismatch(*table, 40), "");
  EXPECT_FALSE(table->skip());
  EXPECT_TRUE(table->eof());
  EXPECT_FALSE(table->skip());
  EXPECT_TRUE(table->skip(-1));
  EXPECT_EQ(recipeMismatch(*table, 40), "");
  ASSERT_TRUE(table->top());
  EXPECT_FALSE(table->skip(-1));
  EXPECT_TRUE(table->bof());
  EXPECT_EQ(recipeMismatch(*table, 1), "");

  EXPECT_FALSE(table->selectTag("NOSUCH"));
  EXPECT_EQ(table->selectedTag(), "UID");
  ASSERT_TRUE(table->selectTag(""));
  EXPECT_EQ(walk(*table).size(), 40u);
  EXPECT_THROW(table->seek("x"), Error);
  EXPECT_TRUE(table->checkIndex().empty());
}

TEST(TableTest, DeletedRecordsLeaveFilteredTagsAndRecallBringsThemBack) {
  TempFolder folder;
  auto table = createRecipes(folder.str() + "r");
  for (int uid = 1; uid <= 30; ++uid) appendRecipe(*table, uid);
  ASSERT_TRUE(table->go(5));
  table->deleteRecord();
  EXPECT_TRUE(table->deleted());
  ASSERT_TRUE(table->go(30));
  table->deleteRecord();
  table->selectTag("UID");
  std::vector<uint32_t> live = walk(*table);
  EXPECT_EQ(live.size(), 28u);
  EXPECT_EQ(std::count(live.begin(), live.end(), 5u), 0);
  EXPECT_EQ(table->seek(5.0), SeekResult::After);
  EXPECT_EQ(table->recordNumber(), 6u);
  EXPECT_EQ(table->seek(30.0), SeekResult::End);
  // Skipping from a deleted record in tag order goes on from where it would be.
  ASSERT_TRUE(table->go(5));
  ASSERT_TRUE(table->skip());
  EXPECT_EQ(table->recordNumber(), 6u);
  ASSERT_TRUE(table->go(5));
  ASSERT_TRUE(table->skip(-1));
  EXPECT_EQ(table->recordNumber(), 4u);

  ASSERT_TRUE(table->go(5));
  table->recall();
  EXPECT_EQ(table->seek(5.0), SeekResult::Found);
  EXPECT_FALSE(table->deleted());
  EXPECT_EQ(walk(*table).size(), 29u);
  table->selectTag("");
  EXPECT_EQ(walk(*table).size(), 30u);  // record order shows deleted records too
  ASSERT_TRUE(table->go(30));
  EXPECT_TRUE(table->deleted());
  EXPECT_EQ(table->recordCount(), 30u);
  EXPECT_TRUE(table->checkIndex().empty());
}

TEST(TableTest, EditsMoveKeysAndAreWrittenOnMove) {
  TempFolder folder;
  const std::string base = folder.str() + "r";
  auto table = createRecipes(base);
  for (int uid = 1; uid <= 30; ++uid) appendRecipe(*table, uid);
  ASSERT_TRUE(table->go(3));
  table->setText(table->fieldIndex("NAME"), "aaa first");
  table->setNumber(table->fieldIndex("UID"), 999);
  table->setMemo(table->fieldIndex("NOTES"), "changed");
  ASSERT_TRUE(table->go(4));  // the move writes record 3
  table->selectTag("NAME");
  ASSERT_TRUE(table->top());
  EXPECT_EQ(table->recordNumber(), 3u);
  table->selectTag("UID");
  ASSERT_TRUE(table->bottom());
  EXPECT_EQ(table->recordNumber(), 3u);
  EXPECT_EQ(table->seek(3.0), SeekResult::After);
  table->close();
  table = Table::open(base);
  ASSERT_TRUE(table->go(3));
  EXPECT_EQ(table->text(table->fieldIndex("NAME")), "aaa first");
  EXPECT_EQ(table->memo(table->fieldIndex("NOTES")), "changed");
  EXPECT_TRUE(table->checkIndex().empty());
  EXPECT_THROW(table->setText(table->fieldIndex("UID"), "12a"), Error);
  EXPECT_THROW(table->setNumber(table->fieldIndex("UID"), 123456), Error);
  EXPECT_THROW(table->setText(table->fieldIndex("NOTES"), "x"), Error);
  EXPECT_THROW(table->text(table->fieldIndex("NOSUCH")), Error);
  EXPECT_THROW(table->setText(table->fieldIndex("NOSUCH"), "x"), Error);
}

// Walks read the files through mapped views; what is written while they are open, in place or
// appended past them, is what the next walk reads.
TEST(TableTest, WalksSeeEveryWriteMadeSinceTheFilesWereMapped) {
  TempFolder folder;
  auto table = createRecipes(folder.str() + "r");
  for (int uid = 1; uid <= 30; ++uid) appendRecipe(*table, uid);
  const int name = table->fieldIndex("NAME"), notes = table->fieldIndex("NOTES");
  auto namesAndNotes = [&] {
    std::vector<std::string> seen;
    for (bool on = table->top(); on; on = table->skip())
      seen.push_back(table->text(name) + "|" + table->memo(notes));
    return seen;
  };
  const std::vector<std::string> before = namesAndNotes();  // maps both files
  ASSERT_EQ(before.size(), 30u);
  ASSERT_TRUE(table->go(3));
  table->setText(name, "changed in place");
  table->setMemo(notes, "a new memo");
  table->appendStart();  // writes record 3
  table->setNumber(table->fieldIndex("UID"), 31);
  table->setText(name, "appended");
  table->setMemo(notes, std::string(5000, 'm'));
  table->append();
  const std::vector<std::string> after = namesAndNotes();
  ASSERT_EQ(after.size(), 31u);
  EXPECT_EQ(after[2], "changed in place|a new memo");
  EXPECT_EQ(after[30], "appended|" + std::string(5000, 'm'));
  EXPECT_EQ(std::vector<std::string>(after.begin() + 3, after.begin() + 30),
            std::vector<std::string>(before.begin() + 3, before.end()));
}

TEST(TableTest, UniqueTagsKeepOneEntryPerKeyAndDescendingTagsWalkBackwards) {
  TempFolder folder;
  auto table = Table::create(folder.str() + "u", {{"CAT", 'C', 6, 0}, {"QTY", 'N', 6, 2}},
                             {{"CAT", "CAT", ".NOT. DELETED()", false, true},
                              {"QTYDESC", "QTY", ".NOT. DELETED()", true, false}});
  const struct {
    const char* cat;
    double qty;
  } kRows[] = {{"fruit", 2}, {"veg", -1.5}, {"fruit", 7.25}, {"nuts", 0}, {"veg", 3}};
  for (const auto& row : kRows) {
    table->appendStart();
    table->setText(0, row.cat);
    table->setNumber(1, row.qty);
    table->append();
  }
  table->selectTag("CAT");
  EXPECT_EQ(walk(*table), (std::vector<uint32_t>{1, 4, 2}));
  // Deleting the holder of a unique key hands the key to the next record that has it.
  ASSERT_TRUE(table->go(1));
  table->deleteRecord();
  EXPECT_EQ(walk(*table), (std::vector<uint32_t>{3, 4, 2}));
  ASSERT_TRUE(table->go(1));
  table->recall();
  EXPECT_EQ(walk(*table), (std::vector<uint32_t>{3, 4, 2}));

  table->selectTag("QTYDESC");
  EXPECT_EQ(walk(*table), (std::vector<uint32_t>{3, 5, 1, 4, 2}));
  EXPECT_EQ(table->seek(2.0), SeekResult::Found);
  EXPECT_EQ(table->recordNumber(), 1u);
  EXPECT_EQ(table->seek(5.0), SeekResult::After);  // next in descending order: 3
  EXPECT_EQ(table->recordNumber(), 5u);
  EXPECT_EQ(table->seek(-7.0), SeekResult::End);
  EXPECT_EQ(table->seek(100.0), SeekResult::After);
  EXPECT_EQ(table->recordNumber(), 3u);
  ASSERT_TRUE(table->bottom());
  EXPECT_EQ(table->recordNumber(), 2u);
  EXPECT_TRUE(table->checkIndex().empty());
}

TEST(TableTest, FieldAndMemoViewsEqualTheCopiedValuesAlsoAfterTheFilesGrow) {
  TempFolder folder;
  const std::string base = folder.str() + "recipes";
  {
    auto table = createRecipes(base);
    for (int uid = 1; uid <= 30; ++uid) appendRecipe(*table, uid);
  }
  auto table = Table::open(base);
  ASSERT_TRUE(table);
  const int notes = table->fieldIndex("NOTES");
  const int name = table->fieldIndex("NAME");
  auto viewsMismatch = [&]() -> std::string {
    for (int i = 0; i < int(table->fields().size()); ++i)
      if (table->fieldView(i) != table->field(i)) return "field " + std::to_string(i);
    if (table->memoView(notes) != table->memo(notes)) return "NOTES";
    if (table->memoView(name) != table->memo(name)) return "NAME as a memo";
    return "";
  };
  for (uint32_t r = 1; r <= 30; ++r) {
    ASSERT_TRUE(table->go(r));
    EXPECT_EQ(viewsMismatch(), "") << "record " << r;
    EXPECT_EQ(table->memoView(notes), recipeNotes(int(r)));
  }
  // Records and memos appended once the files are mapped lie past their views; a memo longer
  // than one read comes from the file in two.
  const std::string longNotes = std::string(5000, 'x') + "end";
  table->appendStart();
  table->setNumber(table->fieldIndex("UID"), 31);
  table->setMemo(notes, longNotes);
  EXPECT_EQ(table->memoView(notes), longNotes);  // still pending
  table->append();
  appendRecipe(*table, 32);
  const struct {
    uint32_t record;
    std::string notes;
  } kAfter[] = {{31, longNotes}, {32, recipeNotes(32)}, {1, recipeNotes(1)}, {29, recipeNotes(29)}};
  for (const auto& c : kAfter) {
    ASSERT_TRUE(table->go(c.record));
    EXPECT_EQ(viewsMismatch(), "") << "record " << c.record;
    EXPECT_EQ(table->memoView(notes), c.notes) << "record " << c.record;
  }
  // A changed memo shows before and after it is written.
  ASSERT_TRUE(table->go(2));
  table->setMemo(notes, "changed");
  EXPECT_EQ(table->memoView(notes), "changed");
  ASSERT_TRUE(table->go(3));
  ASSERT_TRUE(table->go(2));
  EXPECT_EQ(table->memoView(notes), "changed");
}

TEST(TableTest, PackRemovesDeletedRecordsAndCompactsMemos) {
  TempFolder folder;
  const std::string base = folder.str() + "r";
  auto table = createRecipes(base);
  for (int uid = 1; uid <= 45; ++uid) appendRecipe(*table, uid);
  for (int round = 0; round < 3; ++round) {  // leave replaced memos behind
    for (uint32_t r = 1; r <= 45; r += 2) {
      table->go(r);
      table->setMemo(table->fieldIndex("NOTES"), recipeNotes(int(r)) + " ");
      table->flush();
      table->setMemo(table->fieldIndex("NOTES"), recipeNotes(int(r)));
    }
  }
  table->flush();
  const size_t before = readFileBytes(base + ".fpt").size();
  table->compressMemo();
  const size_t compressed = readFileBytes(base + ".fpt").size();
  EXPECT_LT(compressed, before);
  for (uint32_t r = 1; r <= 45; ++r) {
    table->go(r);
    ASSERT_EQ(recipeMismatch(*table, int(r)), "") << r;
  }
  for (uint32_t r = 3; r <= 45; r += 3) {
    table->go(r);
    table->deleteRecord();
  }
  table->pack();
  EXPECT_EQ(table->recordCount(), 30u);
  EXPECT_LT(readFileBytes(base + ".fpt").size(), compressed);
  uint32_t r = 0;
  for (int uid = 1; uid <= 45; ++uid) {
    if (uid % 3 == 0) continue;
    ASSERT_TRUE(table->go(++r));
    EXPECT_FALSE(table->deleted());
    ASSERT_EQ(recipeMismatch(*table, uid), "") << "record " << r;
  }
  EXPECT_TRUE(table->checkIndex().empty());
  table->selectTag("UID");
  EXPECT_EQ(table->seek(44.0), SeekResult::Found);
  EXPECT_EQ(table->recordNumber(), 30u);
  table->close();
  EXPECT_FALSE(platform::fileExists(base + ".db$"));
  table = Table::open(base);
  EXPECT_EQ(table->recordCount(), 30u);
  EXPECT_EQ(table->indexNote(), "");
}

TEST(TableTest, ManyChangesKeepEveryTagConsistent) {
  TempFolder folder;
  auto table = createRecipes(folder.str() + "big");
  std::vector<int> uids(12000);
  for (size_t i = 0; i < uids.size(); ++i) uids[i] = int(i) + 1;
  std::mt19937 random(7);
  std::shuffle(uids.begin(), uids.end(), random);
  for (int uid : uids) appendRecipe(*table, uid);
  EXPECT_TRUE(table->checkIndex().empty());
  for (int i = 0; i < 2500; ++i) {
    table->go(1 + uint32_t(random() % uids.size()));
    switch (i % 3) {
      case 0:
        table->deleteRecord();
        break;
      case 1:
        table->setText(table->fieldIndex("NAME"), recipeName(int(random() % 50)));
        break;
      case 2:
        table->setNumber(table->fieldIndex("CHAP_UID"), double(random() % 30));
        break;
    }
  }
  table->flush();
  EXPECT_EQ(table->checkIndex(), std::vector<std::string>{});
  // The pages the live table keeps decoded agree with what a fresh reader finds on disk.
  {
    auto fresh = Table::open(folder.str() + "big");
    for (const char* tag : {"UID", "CHAPNAME", "NAME"}) {
      SCOPED_TRACE(tag);
      table->selectTag(tag);
      fresh->selectTag(tag);
      EXPECT_EQ(walk(*table), walk(*fresh));
    }
  }
  table->selectTag("UID");
  std::vector<uint32_t> order = walk(*table);
  std::set<uint32_t> unique(order.begin(), order.end());
  EXPECT_EQ(unique.size(), order.size());
  table->reindex();
  EXPECT_EQ(walk(*table), order);
}

TEST(TableTest, AppendCloseReopenKeepsTheIndexWithoutRebuilds) {
  TempFolder folder;
  const std::string base = folder.str() + "r";
  createRecipes(base)->close();
  for (int uid = 1; uid <= 40; ++uid) {
    OpenOptions options;
    options.tags = recipeTags();
    auto table = Table::open(base, options);
    ASSERT_EQ(table->indexNote(), "") << uid;
    appendRecipe(*table, uid);
    table->close();
  }
  OpenOptions options;
  options.verifyIndex = true;
  auto table = Table::open(base, options);
  EXPECT_EQ(table->indexNote(), "");
  EXPECT_EQ(table->recordCount(), 40u);
}

TEST(TableTest, QueriesFindExactlyTheMatchingLiveRecords) {
  TempFolder folder;
  auto table = createRecipes(folder.str() + "q");
  for (int uid = 1; uid <= 200; ++uid) appendRecipe(*table, uid);
  for (uint32_t r = 7; r <= 200; r += 7) {
    table->go(r);
    table->deleteRecord();
  }
  auto brute = [&](const std::function<bool(int)>& match) {
    std::set<uint32_t> out;
    for (uint32_t r = 1; r <= 200; ++r)
      if (r % 7 != 0 && match(int(r))) out.insert(r);
    return out;
  };
  auto run = [&](const std::string& filter) {
    std::set<uint32_t> out;
    for (bool on = table->queryFirst(filter); on; on = table->queryNext())
      out.insert(table->recordNumber());
    return out;
  };
  for (int chapter = 0; chapter <= 18; ++chapter) {
    SCOPED_TRACE(chapter);
    EXPECT_EQ(run(platform::formatText("CHAP_UID=%d", chapter)),
              brute([&](int uid) { return recipeChapter(uid) == chapter; }));
  }
  EXPECT_EQ(run("UID=17"), std::set<uint32_t>{17});
  EXPECT_EQ(run("UID=14"), std::set<uint32_t>{});
  const std::string name = recipeName(33);
  EXPECT_EQ(run("NAME=\"" + name + "\""), brute([&](int uid) { return recipeName(uid) == name; }));
  EXPECT_EQ(run("NAME=\"Soup\""),
            brute([](int uid) { return recipeName(uid).rfind("Soup", 0) == 0; }));
  EXPECT_EQ(run("SERVES=3 .AND. KCAL>100"),
            brute([](int uid) { return uid % 12 == 3 && uid % 900 + (uid % 10) / 10.0 > 100; }));
  EXPECT_THROW(table->queryFirst("NOSUCH=1"), Error);
}

TEST(TableTest, AFailedWriteMakesTheTableRefuseFurtherWrites) {
  TempFolder folder;
  const std::string base = folder.str() + "f";
  auto table = createRecipes(base);
  for (int uid = 1; uid <= 5; ++uid) appendRecipe(*table, uid);
  platform::WriteFaults::arm(3, platform::WriteFaults::Kind::Fail);
  EXPECT_THROW(appendRecipe(*table, 6), Error);
  platform::WriteFaults::disarm();
  try {
    appendRecipe(*table, 7);
    ADD_FAILURE() << "a write after a failure was accepted";
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("earlier write failed"), std::string::npos) << e.what();
  }
  EXPECT_THROW(table->pack(), Error);
  table.reset();
  table = Table::open(base);
  ASSERT_TRUE(table);
  EXPECT_EQ(table->recordCount(), 5u);
  EXPECT_TRUE(table->checkIndex().empty());
}

TEST(TableTest, InvalidDefinitionsAreRejectedBeforeWriting) {
  TempFolder folder;
  const struct {
    const char* what;
    std::vector<FieldSpec> fields;
    std::vector<TagSpec> tags;
  } kCases[] = {
      {"no fields", {}, {}},
      {"name too long", {{"ELEVENCHARS", 'C', 5, 0}}, {}},
      {"name with a blank", {{"MY NAME", 'C', 5, 0}}, {}},
      {"duplicate name", {{"A", 'C', 5, 0}, {"a", 'N', 5, 0}}, {}},
      {"numeric too wide", {{"A", 'N', 21, 0}}, {}},
      {"decimals leave no digits", {{"A", 'N', 3, 2}}, {}},
      {"unknown type", {{"A", 'X', 5, 0}}, {}},
      {"tag on a missing field", {{"A", 'C', 5, 0}}, {{"T", "B", "", false, false}}},
      {"tag name too long", {{"A", 'C', 5, 0}}, {{"TAGNAMELONG", "A", "", false, false}}},
      {"filter that is no condition", {{"A", 'C', 5, 0}}, {{"T", "A", "A", false, false}}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.what);
    EXPECT_THROW(Table::create(folder.str() + "bad", c.fields, c.tags), Error);
    EXPECT_FALSE(platform::fileExists(folder.str() + "bad.dbf"));
  }
}

}  // namespace
}  // namespace savora::xbase
