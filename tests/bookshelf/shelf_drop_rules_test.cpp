// What a drop on the bookshelf does, without the window: each kind of entry on each list and on
// the waste bin, from this shelf and from the other one, with the messages the person sees.
#include "bookshelf/shelf_drop_rules.h"

#include <array>
#include <functional>

#include "bookshelf/shelf_item_kind.h"
#include "bookshelf_fixture.h"

namespace savora::bookshelf {
namespace {

using toolkit::Button;

constexpr ShelfItemType kTypes[] = {ShelfItemType::Book, ShelfItemType::Chapter,
                                    ShelfItemType::Category, ShelfItemType::Recipe};
constexpr DropTarget kTargets[] = {DropTarget::Books, DropTarget::Chapters, DropTarget::Categories,
                                   DropTarget::Recipes, DropTarget::WasteBin};

std::string nameOf(ShelfItemType type, DropTarget target) {
  constexpr const char* kTargetNames[] = {"books", "chapters", "categories", "recipes",
                                          "waste bin"};
  return std::string(shelfItemKind(type).word) + " onto " + kTargetNames[size_t(target)];
}

class ShelfDropRulesTest : public BookshelfTest {
 protected:
  void SetUp() override {
    BookshelfTest::SetUp();
    desserts = books.add("Desserts", "", "");
    mains = books.add("Main Dishes", "", "");
    cakes = chapters.add("Cakes", desserts, "", "");
    pies = chapters.add("Pies", desserts, "", "");
    sponge = addRecipe(cakes, "Sponge Cake");
    apple = addRecipe(pies, "Apple Pie");
    goulash = addRecipe(chapters.add("Stews", mains, "", ""), "Goulash");
    recipes.reopen();
    favourites = categories.add("Favourites", "", "");
    quick = categories.add("Quick", "", "");
    categories.addRecipe(favourites, apple);
  }

  // An entry of each kind, and one of each list to drop on.
  long entryOf(ShelfItemType type) const {
    const long entries[] = {desserts, cakes, quick, sponge};
    return entries[size_t(type)];
  }
  long targetOf(DropTarget target) const {
    const long entries[] = {mains, pies, favourites, apple, -1};
    return entries[size_t(target)];
  }
  std::array<uint32_t, 4> recordCounts() {
    return {books.table().recordCount(), chapters.table().recordCount(),
            categories.table().recordCount(), recipes.table().recordCount()};
  }

  ShelfDropRules rules{{books, chapters, categories, recipes}, Shelf::Recipes, user};
  long desserts = 0, mains = 0, cakes = 0, pies = 0, sponge = 0, apple = 0, goulash = 0;
  long favourites = 0, quick = 0;
};

TEST_F(ShelfDropRulesTest, DropsThatCannotGoThereSayWhatCanAndChangeNothing) {
  const struct {
    ShelfItemType dragged;
    DropTarget target;
    const char* text;
  } cases[] = {
      {ShelfItemType::Book, DropTarget::Categories,
       "You cannot copy a book into a category.\r\nYou can only copy recipes into categories."},
      {ShelfItemType::Chapter, DropTarget::Categories,
       "You cannot copy a chapter into a category.\r\nYou can only copy recipes into categories."},
      {ShelfItemType::Category, DropTarget::Categories,
       "You cannot copy a category into another category.\r\nYou can only copy recipes into "
       "categories."},
      {ShelfItemType::Book, DropTarget::Books,
       "You cannot copy a book into another book.\r\nYou can only copy chapters into books."},
      {ShelfItemType::Category, DropTarget::Books,
       "You cannot copy a category into a book.\r\nYou can only copy chapters into books."},
      {ShelfItemType::Recipe, DropTarget::Books,
       "You cannot copy a recipe into a book.\r\nYou can only copy chapters into books."},
      {ShelfItemType::Book, DropTarget::Chapters,
       "You cannot copy a book into a chapter.\r\nYou can only copy recipes into chapters."},
      {ShelfItemType::Chapter, DropTarget::Chapters,
       "You cannot copy a chapter into another chapter.\r\nYou can only copy recipes into "
       "chapters."},
      {ShelfItemType::Category, DropTarget::Chapters,
       "You cannot copy a category into a chapter.\r\nYou can only copy recipes into chapters."},
  };
  const auto before = recordCounts();
  for (const auto& c : cases) {
    SCOPED_TRACE(nameOf(c.dragged, c.target));
    user.expectMessage("Error!", c.text);
    EXPECT_EQ(rules.drop(
                  {Shelf::Recipes, c.dragged, entryOf(c.dragged), c.target, targetOf(c.target), 0}),
              DropDone::Nothing);
    EXPECT_EQ(user.messages().back().icon, "EXCLAMATION");
  }
  EXPECT_EQ(recordCounts(), before);
}

TEST_F(ShelfDropRulesTest, DropsOfNothingOnNothingOrFromTheOtherShelfAreIgnored) {
  struct Case {
    std::string name;
    ShelfDrop drop;
  };
  std::vector<Case> cases = {
      {"nothing dragged", {Shelf::Recipes, ShelfItemType::Book, -1, DropTarget::WasteBin}},
      {"recipe below the last category",
       {Shelf::Recipes, ShelfItemType::Recipe, sponge, DropTarget::Categories, -1}},
      {"recipe below the last chapter",
       {Shelf::Recipes, ShelfItemType::Recipe, sponge, DropTarget::Chapters, -1}},
      {"chapter below the last book",
       {Shelf::Recipes, ShelfItemType::Chapter, cakes, DropTarget::Books, -1}},
  };
  for (ShelfItemType type : kTypes) {
    cases.push_back({nameOf(type, DropTarget::Recipes),
                     {Shelf::Recipes, type, entryOf(type), DropTarget::Recipes, apple}});
    // The other shelf's identifiers name other items: nothing here is touched, nothing asked.
    for (DropTarget target : kTargets) {
      cases.push_back({"catalogue " + nameOf(type, target),
                       {Shelf::Catalog, type, entryOf(type), target, targetOf(target)}});
    }
  }
  const auto before = recordCounts();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(rules.drop(c.drop), DropDone::Nothing);
  }
  EXPECT_TRUE(user.messages().empty());
  EXPECT_EQ(recordCounts(), before);
}

// Answered No first, Yes then; in an order where no change takes another row's items away.
TEST_F(ShelfDropRulesTest, AcceptedDropsAskFirstAndChangeTheShelfOnYes) {
  const struct {
    const char* name;
    ShelfDrop drop;
    const char* title;
    const char* question;
    DropDone done;
    std::function<bool()> changed;
  } cases[] = {
      {"recipe onto a category",
       {Shelf::Recipes, ShelfItemType::Recipe, sponge, DropTarget::Categories, quick},
       "Add Recipe to Category?",
       "Add Sponge Cake to Quick?",
       DropDone::RecipeFiled,
       [&] { return categories.isMember(quick, sponge); }},
      {"recipe onto a chapter",
       {Shelf::Recipes, ShelfItemType::Recipe, sponge, DropTarget::Chapters, pies},
       "Copy Recipe?",
       "Copy Sponge Cake to Pies?",
       DropDone::RecipeCopied,
       [&] { return recipes.find("Sponge Cake", pies) != 0; }},
      {"chapter onto another book",
       {Shelf::Recipes, ShelfItemType::Chapter, pies, DropTarget::Books, mains},
       "Copy Chapter?",
       "Copy the recipes in Pies to Main Dishes?",
       DropDone::ChapterCopied,
       [&] { return recipes.find("Apple Pie", chapters.uidOf("Pies", mains)) != 0; }},
      {"recipe onto the waste bin while its category is listed",
       {Shelf::Recipes, ShelfItemType::Recipe, apple, DropTarget::WasteBin, -1, favourites},
       "Remove Recipe?",
       "Are you sure you want to remove Apple Pie from Favourites?",
       DropDone::RecipeRemoved,
       [&] { return !categories.isMember(favourites, apple) && recipes.seek(apple); }},
      {"recipe onto the waste bin",
       {Shelf::Recipes, ShelfItemType::Recipe, goulash, DropTarget::WasteBin, -1},
       "Delete Recipe?",
       "Are you sure you want to delete Goulash?",
       DropDone::RecipeRemoved,
       [&] { return !recipes.seek(goulash); }},
      {"category onto the waste bin",
       {Shelf::Recipes, ShelfItemType::Category, quick, DropTarget::WasteBin, -1},
       "Delete Category?",
       "Are you sure you want to delete Quick?",
       DropDone::CategoryDeleted,
       [&] { return categories.uidOf("Quick") == -1; }},
      {"chapter onto the waste bin",
       {Shelf::Recipes, ShelfItemType::Chapter, cakes, DropTarget::WasteBin, -1},
       "Delete Chapter?",
       "Are you sure you want to delete Cakes?",
       DropDone::ChapterDeleted,
       [&] { return chapters.nameOf(cakes).empty(); }},
      {"book onto the waste bin",
       {Shelf::Recipes, ShelfItemType::Book, mains, DropTarget::WasteBin, -1},
       "Delete Book?",
       "Are you sure you want to delete Main Dishes?",
       DropDone::BookDeleted,
       [&] { return books.uidOf("Main Dishes") == -1; }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    user.expectMessage(c.title, c.question, Button::No);
    EXPECT_EQ(rules.drop(c.drop), DropDone::Nothing);
    EXPECT_FALSE(c.changed());
    user.expectMessage(c.title, c.question, Button::Yes);
    EXPECT_EQ(rules.drop(c.drop), c.done);
    EXPECT_TRUE(c.changed());
  }
}

TEST_F(ShelfDropRulesTest, AChapterDroppedOnItsOwnBookIsRefusedBeforeTheQuestion) {
  const auto before = recordCounts();
  user.expectMessage("Wait!", "Pies is already in Desserts.");
  EXPECT_EQ(rules.drop({Shelf::Recipes, ShelfItemType::Chapter, pies, DropTarget::Books, desserts}),
            DropDone::Nothing);
  EXPECT_EQ(recordCounts(), before);
}

}  // namespace
}  // namespace savora::bookshelf
