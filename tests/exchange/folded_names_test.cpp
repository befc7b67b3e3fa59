// The in-memory name lookup of an import run against changes made to its table: by the run
// itself, and by anyone else (another window adding, deleting or renaming an ingredient).
#include "exchange/folded_names.h"
#include "exchange_fixture.h"
#include "platform/text.h"

namespace savora::exchange {
namespace {

struct ChangeCase {
  const char* change;
  std::function<void(food::IngredientTable&, FoldedNames&)> apply;
  const char* asked;
  bool found;
};

TEST_F(ExchangeTest, FoldedNamesFollowEveryChangeToTheTable) {
  const std::vector<ChangeCase> cases = {
      {"another letter case", [](auto&, auto&) {}, "BASIL", true},
      {"appended by the run",
       [](food::IngredientTable& t, FoldedNames& n) {
         t.save({"Thyme", "", false, 0, 0}, 0);
         n.appended("Thyme");
       },
       "thyme", true},
      {"appended by someone else",
       [](food::IngredientTable& t, auto&) {
         t.save({"sage", "", false, 0, 0}, 0);
       },
       "Sage", true},
      {"deleted",
       [](food::IngredientTable& t, auto&) {
         t.findByName("basil");
         t.deleteCurrent();
       },
       "basil", false},
      {"renamed in place",
       [](food::IngredientTable& t, auto&) {
         t.save({"dill", "", false, 0, 0}, t.uidOfText("mint"));
       },
       "mint", false},
  };
  for (const char* name : {"basil", "mint"}) ingredients.save({name, "", false, 0, 0}, 0);
  FoldedNames names(ingredients, food::kIngredientNameTag, "NAME");
  ASSERT_TRUE(names.find("mint"));
  for (const ChangeCase& c : cases) {
    SCOPED_TRACE(c.change);
    c.apply(ingredients, names);
    EXPECT_EQ(names.find(c.asked), c.found);
    if (c.found) EXPECT_TRUE(platform::equalsIgnoreCase(ingredients.text("NAME"), c.asked));
  }
}

}  // namespace
}  // namespace savora::exchange
