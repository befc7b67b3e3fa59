// The in-memory name lookup of an import run against changes to its table, by the run itself and
// by anyone else (another window adding, deleting or renaming an ingredient).
#include "exchange/folded_names.h"
#include "exchange_fixture.h"

namespace savora::exchange {
namespace {

TEST_F(ExchangeTest, FoldedNamesFollowEveryChangeToTheTable) {
  for (const char* name : {"basil", "mint"}) ingredients.save({name, "", false, 0, 0}, 0);
  FoldedNames names(ingredients, food::kIngredientNameTag, "NAME");
  ASSERT_TRUE(names.find("MINT"));
  const long thyme = ingredients.save({"Thyme", "", false, 0, 0}, 0);
  names.appended("Thyme");  // by the run: kept without reading again
  EXPECT_EQ(names.uidOf("thyme"), thyme);

  ingredients.findByName("basil");
  ingredients.deleteCurrent();
  ingredients.save({"dill", "", false, 0, 0}, ingredients.uidOfText("mint"));
  EXPECT_EQ(names.uidOf("basil"), 0);  // deleted
  EXPECT_EQ(names.uidOf("mint"), 0);   // renamed
  const long sage = ingredients.save({"sage", "", false, 0, 0}, 0);
  EXPECT_EQ(names.uidOf("Sage"), sage);  // appended by someone else
}

}  // namespace
}  // namespace savora::exchange
