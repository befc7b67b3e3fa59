#include <gtest/gtest.h>

#include "platform/file_ops.h"
#include "platform/program_dirs.h"
#include "scripted_user.h"
#include "store/recipe_table.h"
#include "temp_folder.h"

namespace savora::store {
namespace {

using savora::testing::ScriptedUser;
using savora::testing::TempFolder;

class RecipeTableTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(platform::setProgramDirectory(dir.str())); }

  static Recipe recipeNamed(const std::string& name) {
    Recipe r;
    r.name = name;
    r.servings = 4;
    return r;
  }
  // Writes raw records with the given identifiers, as a damaged or foreign table might hold.
  void writeRawIdentifiers(const std::vector<long>& uids) {
    RecipeTable table(store, "rc65");
    table.open();
    for (long uid : uids) {
      table.appendStart(uid);
      table.setText("NAME", "recipe " + std::to_string(uid));
      table.append();
    }
    table.close();
  }
  std::vector<long> identifiersInRecordOrder(RecipeTable& table) {
    std::vector<long> uids;
    xbase::Table& t = table.table();
    t.selectTag("");
    for (bool on = t.top(); on; on = t.skip(1)) uids.push_back(long(t.number(t.fieldIndex("UID"))));
    return uids;
  }

  TempFolder dir;
  ScriptedUser user;
  TableStore store{user};
};

TEST_F(RecipeTableTest, OpenRepairsDuplicateAndZeroIdentifiers) {
  writeRawIdentifiers({5, 5, 7});
  {
    RecipeTable table(store, "rc65");
    table.open();
    EXPECT_EQ(identifiersInRecordOrder(table), (std::vector<long>{5, 8, 7}));
    EXPECT_EQ(table.nextUid(), 9);
  }
  ASSERT_TRUE(platform::deleteFile("rc65.dbf") && platform::deleteFile("rc65.cdx"));
  EXPECT_TRUE(platform::deleteIfPresent("rc65.fpt"));
  writeRawIdentifiers({3, 0, 5});
  RecipeTable table(store, "rc65");
  table.open();
  EXPECT_EQ(identifiersInRecordOrder(table), (std::vector<long>{3, 6, 5}));
  EXPECT_TRUE(table.seek(6));
  EXPECT_EQ(table.nameOf(6), "recipe 0");
}

TEST_F(RecipeTableTest, SaveLoadRoundTripsEveryField) {
  RecipeTable table(store, "rc65");
  table.open();
  Recipe pie = recipeNamed("Apple Pie");
  pie.description = std::string(3000, 'd');
  pie.instructions = "Peel.\r\nBake at 425\xB0 for 45 minutes.";
  pie.media = {"pie.bmp", "crunch.wav", "pie.mpg"};
  for (int i = 0; i < kRecipeLines; ++i) {
    RecipeLine& line = pie.lines[size_t(i)];
    line.quantity = std::to_string(i + 1) + " 1/2";
    line.unit = i + 1;
    line.ingredient = i % 3 == 0 ? 60000 + i : 100 + i;
    line.info1 = "fresh";
    line.info2 = i == 22 ? std::string(500, 'n') : "chopped";
  }
  const long uid = table.save(0, 7, pie, true);
  EXPECT_EQ(uid, 1);
  EXPECT_EQ(store.recipesAdded(), 1);
  Recipe loaded;
  ASSERT_EQ(table.load(uid, loaded), 7);
  pie.uid = 1;
  pie.chapter = 7;
  EXPECT_EQ(loaded, pie);

  // Rewriting keeps the identifier and counts nothing new.
  loaded.name = "Dutch Apple Pie";
  loaded.lines[3] = RecipeLine{};
  EXPECT_EQ(table.save(uid, 8, loaded, false), uid);
  Recipe again;
  EXPECT_EQ(table.load(uid, again), 8);
  EXPECT_EQ(again.name, "Dutch Apple Pie");
  EXPECT_EQ(again.lines[3], RecipeLine{});
  EXPECT_EQ(store.recipesAdded(), 1);

  Recipe untouched = recipeNamed("keep me");
  EXPECT_EQ(table.load(0, untouched), 0);
  EXPECT_EQ(table.load(99, untouched), 0);
  EXPECT_EQ(untouched.name, "keep me");
  // A non-zero identifier that is not in the table is appended under that identifier.
  EXPECT_EQ(table.save(40, 7, recipeNamed("Imported"), false), 40);
  EXPECT_EQ(table.nameOf(40), "Imported");
  EXPECT_EQ(table.nextUid(), 41);
}

TEST_F(RecipeTableTest, MediaSplitsAtTheFirstTwoBars) {
  struct Case {
    const char* stored;
    std::array<std::string, 3> media;
  } cases[] = {{"", {"", "", ""}},
               {"photo.bmp", {"photo.bmp", "", ""}},
               {"photo.bmp|sound.wav", {"photo.bmp", "sound.wav", ""}},
               {"a|b|c", {"a", "b", "c"}},
               {"a|b|c|d", {"a", "b", "c|d"}},
               {"||video.mpg", {"", "", "video.mpg"}}};
  RecipeTable table(store, "rc65");
  table.open();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored);
    EXPECT_EQ(splitMedia(c.stored), c.media);
    const long uid = table.nextUid();
    table.appendStart(uid);
    table.setMemo("MEDIA", c.stored);
    table.append();
    Recipe r;
    table.load(uid, r);
    EXPECT_EQ(r.media, c.media);
  }
}

TEST_F(RecipeTableTest, WalksChaptersAndFindsNamesIgnoringCase) {
  RecipeTable table(store, "rc65");
  table.open();
  table.save(0, 2, recipeNamed("Soup"), false);
  table.save(0, 1, recipeNamed("Bread"), false);
  table.save(0, 2, recipeNamed("Salad"), false);
  table.save(0, 3, recipeNamed("Cake"), false);
  std::vector<std::string> names;
  for (auto name = table.first(2); name && table.chapterOfCurrent() == 2; name = table.next()) {
    names.push_back(*name);
  }
  EXPECT_EQ(names.size(), 2u);
  EXPECT_EQ(table.find("  SALAD ", 2), 3);
  EXPECT_EQ(table.find("salad", 1), 0);
  EXPECT_EQ(table.find("Cake", 3), 4);
  EXPECT_EQ(table.first(0), "Bread");  // chapter 0: from the top
  EXPECT_EQ(table.first(9), std::nullopt);
}

TEST_F(RecipeTableTest, DeletingARecipeClearsItsUsesAndFreesItsIdentifierUntilPacked) {
  RecipeTable table(store, "rc65");
  table.open();
  for (int i = 1; i <= 12; ++i) table.save(0, 1, recipeNamed("r" + std::to_string(i)), false);
  Recipe user1 = recipeNamed("uses twelve");
  user1.lines[0].ingredient = 30012;  // recipe 12 as an ingredient
  user1.lines[1].ingredient = 60012;  // brand 12
  user1.lines[2].ingredient = 12;     // ingredient 12
  const long uses = table.save(0, 1, user1, false);
  std::vector<std::string> calls;
  table.removeFromMenus = [&](long uid) { calls.push_back("menus " + std::to_string(uid)); };
  table.removeFromCategories = [&](long uid) {
    calls.push_back("categories " + std::to_string(uid));
  };

  table.remove(12);
  EXPECT_EQ(calls, (std::vector<std::string>{"menus 12", "categories 12"}));
  Recipe r;
  table.load(uses, r);
  EXPECT_EQ(r.lines[0].ingredient, 0);
  EXPECT_EQ(r.lines[1].ingredient, 60012);
  EXPECT_EQ(r.lines[2].ingredient, 12);
  EXPECT_FALSE(table.seek(12));
  table.remove(12);  // absent: nothing happens
  EXPECT_EQ(calls.size(), 2u);

  table.remove(uses);
  EXPECT_EQ(table.save(0, 1, recipeNamed("new"), true), 12);  // highest left is 11
}

TEST_F(RecipeTableTest, ReplacesUnitsFoodsAndBrandsInEveryLine) {
  RecipeTable table(store, "rc65");
  table.open();
  Recipe r = recipeNamed("mix");
  r.lines[0] = {"1", 4, 9, "", "", "", 0};
  r.lines[1] = {"2", 5, 60009, "", "", "", 0};
  r.lines[2] = {"3", 4, 30009, "", "", "", 0};
  const long uid = table.save(0, 1, r, false);
  table.replaceUnit(4, 6);
  table.replaceFood(9, 11);
  table.replaceBrand(9, 13);
  Recipe after;
  table.load(uid, after);
  EXPECT_EQ(after.lines[0].unit, 6);
  EXPECT_EQ(after.lines[0].ingredient, 11);
  EXPECT_EQ(after.lines[1].unit, 5);
  EXPECT_EQ(after.lines[1].ingredient, 60013);
  EXPECT_EQ(after.lines[2].unit, 6);
  EXPECT_EQ(after.lines[2].ingredient, 30009);  // another recipe, not food 9
}

TEST_F(RecipeTableTest, MoreThanTwentyDeletionsPackAtClose) {
  for (int deletions : {20, 21}) {
    SCOPED_TRACE(deletions);
    TempFolder own;
    ASSERT_TRUE(platform::setProgramDirectory(own.str()));
    ScriptedUser quiet;
    TableStore s(quiet);
    {
      RecipeTable table(s, "rc65");
      table.open();
      for (int i = 1; i <= 25; ++i) table.save(0, 1, recipeNamed("r" + std::to_string(i)), false);
      for (int i = 1; i <= deletions; ++i) table.remove(i);
      table.close();
    }
    const bool packed = deletions > 20;
    ASSERT_EQ(quiet.statusHistory().empty(), !packed);
    if (packed) {
      EXPECT_EQ(quiet.statusHistory()[0].title, "Packing Data File");
      EXPECT_EQ(quiet.statusHistory()[0].text,
                "Compressing Recipe Data...Please Wait (this may take several minutes).");
      EXPECT_FALSE(quiet.statusShown());
    }
    RecipeTable table(s, "rc65");
    table.open();
    EXPECT_EQ(table.table().recordCount(), packed ? 25u - 21u : 25u);
  }
}

TEST(RecipeTest, DiffersIgnoresWhatTheUserDidNotChange) {
  Recipe a, b;
  a.servings = 0;
  b.servings = 1;
  EXPECT_FALSE(recipesDiffer(a, b));
  EXPECT_TRUE(recipesDiffer(b, a));
  a.servings = 1;
  b.media[2] = "clip.wmv";
  EXPECT_FALSE(recipesDiffer(a, b));
  b.media[2] = "clip.mpg";
  EXPECT_TRUE(recipesDiffer(a, b));
  b = a;
  b.lines[22].info2 = "x";
  EXPECT_TRUE(recipesDiffer(a, b));
  b = a;
  b.lines[5].shownQuantity = "1 1/2 cups";  // a working value, not an edit
  EXPECT_FALSE(recipesDiffer(a, b));
}

}  // namespace
}  // namespace savora::store
