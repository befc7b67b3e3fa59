// Saving a book, chapter or category as its information window does, without the window: the
// name rules, items gone since they were read, the media list and what the bookshelves are told.
#include "bookshelf/shelf_item_save.h"

#include <functional>

#include "bookshelf_fixture.h"
#include "codes/program_codes.h"

namespace savora::bookshelf {
namespace {

class ShelfItemSaveTest : public BookshelfTest {
 protected:
  void SetUp() override {
    BookshelfTest::SetUp();
    desserts = books.add("Desserts", "Sweet things", "");
    mains = books.add("Main Dishes", "", "");
    cakes = chapters.add("Cakes", desserts, "", "");
    chapters.add("Pies", desserts, "", "");
    chapters.add("Stews", mains, "", "");
    favourites = categories.add("Favourites", "", "");
  }
  ShelfTables tables() { return {books, chapters, categories, recipes}; }
  ShelfItemSave item(ShelfItemType type, long uid, long book = 0) {
    return ShelfItemSave(tables(), Shelf::Recipes, user, type, uid, book);
  }

  long desserts = 0, mains = 0, cakes = 0, favourites = 0;
};

TEST_F(ShelfItemSaveTest, NewItemsAreAddedTrimmedAndCutToTheFieldWidth) {
  const struct {
    const char* name;
    ShelfItemType type;
    std::string typed;
    std::string stored;
  } cases[] = {
      {"book", ShelfItemType::Book, " \tBreads \t", "Breads"},
      {"chapter", ShelfItemType::Chapter, "Tarts ", "Tarts"},
      {"category", ShelfItemType::Category, "Quick", "Quick"},
      {"too long", ShelfItemType::Book, std::string(90, 'x'), std::string(kShelfNameWidth, 'x')},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ShelfItemSave save = item(c.type, 0, desserts);
    ASSERT_EQ(save.save({c.typed, "About it.", {}}), ShelfItemSaveResult::Saved);
    const std::optional<ShelfItem> record = shelfTableOf(tables(), c.type).get(save.uid());
    ASSERT_TRUE(record);
    EXPECT_EQ(record->name, c.stored);
    EXPECT_EQ(record->info, "About it.");
    EXPECT_EQ(save.stored().name, c.stored);
    if (c.type == ShelfItemType::Chapter) {
      EXPECT_EQ(chapters.bookOf(save.uid()), desserts);
    }
    EXPECT_EQ(user.statusHistory().back().text, "Saving...Please Wait.");
    EXPECT_FALSE(user.statusShown());
    // Saved again (Save, then OK), the same item is rewritten.
    ASSERT_EQ(save.save({c.typed, "Changed.", {}}), ShelfItemSaveResult::Saved);
    EXPECT_EQ(shelfTableOf(tables(), c.type).get(save.uid())->info, "Changed.");
  }
}

TEST_F(ShelfItemSaveTest, AMissingNameOrOneAnotherItemHoldsIsRefused) {
  const struct {
    const char* name;
    ShelfItemType type;
    long uid;
    long book;
    const char* typed;
    const char* icon;
    const char* text;
  } cases[] = {
      {"blank book", ShelfItemType::Book, 0, 0, " \t", "HAND", "You must give this book a name."},
      {"empty chapter", ShelfItemType::Chapter, 0, desserts, "", "HAND",
       "You must give this chapter a name."},
      {"another book's", ShelfItemType::Book, 0, 0, "main dishes", "EXCLAMATION",
       "A book with that name already exists!"},
      {"a chapter of its book", ShelfItemType::Chapter, 0, desserts, "CAKES", "EXCLAMATION",
       "A chapter with that name already exists!"},
      // Opened without its book, a chapter still compares within the book it is in.
      {"renamed like its book's other chapter", ShelfItemType::Chapter, cakes, 0, "Pies",
       "EXCLAMATION", "A chapter with that name already exists!"},
      {"a new category named like another", ShelfItemType::Category, 0, 0, "favourites",
       "EXCLAMATION", "A category with that name already exists!"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ShelfItemSave save = item(c.type, c.uid, c.book);
    const uint32_t records = shelfTableOf(tables(), c.type).table().recordCount();
    user.expectMessage("Wait!", c.text);
    EXPECT_EQ(save.save({c.typed, "", {}}), ShelfItemSaveResult::NameRefused);
    EXPECT_EQ(user.messages().back().icon, c.icon);
    EXPECT_EQ(shelfTableOf(tables(), c.type).table().recordCount(), records);
  }
  EXPECT_EQ(chapters.nameOf(cakes), "Cakes");
}

TEST_F(ShelfItemSaveTest, ANameHeldOnlyByThisItemOrInAnotherBookIsAccepted) {
  // A second category of the same name: saving it unchanged must rewrite it, not the first.
  const long twin = categories.add("Favourites", "", "");
  const struct {
    const char* name;
    ShelfItemType type;
    long uid;
    long book;
    const char* typed;
  } cases[] = {
      {"its own name in capitals", ShelfItemType::Book, desserts, 0, "DESSERTS"},
      {"another book's chapter", ShelfItemType::Chapter, 0, desserts, "Stews"},
      {"an unchanged name another category shares", ShelfItemType::Category, twin, 0, "Favourites"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ShelfItemSave save = item(c.type, c.uid, c.book);
    shelfTableOf(tables(), c.type).seek(1);  // other windows move the table to its first item
    ASSERT_EQ(save.save({c.typed, "saved", {}}), ShelfItemSaveResult::Saved);
    EXPECT_EQ(shelfTableOf(tables(), c.type).get(save.uid())->name, c.typed);
    EXPECT_EQ(shelfTableOf(tables(), c.type).get(save.uid())->info, "saved");
  }
  EXPECT_EQ(categories.get(favourites)->info, "");
}

TEST_F(ShelfItemSaveTest, AnItemOrBookGoneSinceReadingIsNotSaved) {
  const struct {
    const char* name;
    ShelfItemType type;
    long uid;
    long book;
    std::function<void()> meanwhile;
    const char* text;
  } cases[] = {
      {"item deleted", ShelfItemType::Book, desserts, 0,
       [&] { books.remove(desserts, chapters, recipes); },
       "This book has been changed or deleted elsewhere, so it cannot be saved."},
      {"item changed elsewhere", ShelfItemType::Category, favourites, 0,
       [&] { categories.rename("Favourites", "Favourites", "kept", ""); },
       "This category has been changed or deleted elsewhere, so it cannot be saved."},
      {"a new chapter's book deleted", ShelfItemType::Chapter, 0, mains,
       [&] { books.remove(mains, chapters, recipes); },
       "The book of this chapter has been deleted, so the chapter cannot be saved."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ShelfItemSave save = item(c.type, c.uid, c.book);
    c.meanwhile();
    user.expectMessage("Wait!", c.text);
    EXPECT_EQ(save.save({"Favourites", "stale", {}}), ShelfItemSaveResult::Refused);
    EXPECT_EQ(user.messages().back().icon, "HAND");
  }
  EXPECT_EQ(categories.get(favourites)->info, "kept");
  EXPECT_EQ(chapters.uidOf("Favourites"), -1);
}

TEST_F(ShelfItemSaveTest, AMediaListThatCannotBeWrittenStopsTheSave) {
  programDir.write("cmm", "a file where the folder belongs");
  user.expectMessage("Error!", "The photo, sound and video could not be saved.");
  EXPECT_EQ(item(ShelfItemType::Book, desserts).save({"Puddings", "", {"cake", "", ""}}),
            ShelfItemSaveResult::Refused);
  EXPECT_EQ(books.nameOf(desserts), "Desserts");
  EXPECT_FALSE(user.statusShown());
}

TEST_F(ShelfItemSaveTest, TheBookshelvesOfTheItemsShelfAreTold) {
  const struct {
    const char* name;
    Shelf shelf;
    int kind;
  } cases[] = {{"recipes", Shelf::Recipes, codes::kKindBookshelf},
               {"catalogue", Shelf::Catalog, codes::kKindCatalog}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ShelfItemSave save(tables(), c.shelf, user, ShelfItemType::Chapter, cakes, 0);
    const BookshelfNotice notice = save.savedNotice();
    EXPECT_EQ(notice.windowKind, c.kind);
    EXPECT_EQ(notice.event.type, codes::kShelfItemSaved);
    EXPECT_EQ(notice.event.values,
              (std::array<long, 4>{long(ShelfItemType::Chapter), cakes, 0, 0}));
  }
}

}  // namespace
}  // namespace savora::bookshelf
