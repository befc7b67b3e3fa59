// One pass of an import over the exchange bookshelf tables: its books, their chapters and
// recipes, then the recipe references and categories of what was copied. The recipe pass reads
// "bookx", "chapterx", "recip65x", "categx"; the catalogue pass "mbookx", "mchapx", "meal64x",
// "mcategx". Recipes of both passes go into the user's recipe table and are filed in chapters
// on the user's bookshelf, the only recipes menus refer to.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "bookshelf/book_table.h"
#include "bookshelf/category_table.h"
#include "bookshelf/chapter_table.h"
#include "bookshelf/shelf_tables.h"
#include "exchange/food_translation.h"
#include "store/recipe_table.h"

namespace savora::exchange {

// The user's bookshelf an import files into.
using UserShelf = bookshelf::ShelfTables;

// An older exchange recipe table that is upgraded into the pass's recipe table first.
struct OldRecipeTable {
  const char* name;
  store::RecipeFormat format;
};

struct PassTables {
  const char* books;
  const char* chapters;
  const char* recipes;
  const char* categories;
  std::vector<OldRecipeTable> oldRecipes;
};

const PassTables& recipePassTables();
const PassTables& cataloguePassTables();

inline constexpr const char* kExistingBookTitle = "Add to Existing Book?";
inline constexpr const char* kExistingBookText =
    "The book that you are trying to import,\r\n%s, already exists.\r\nYou can add new recipes "
    "to the existing\r\nbook or create a new book altogether.\r\n\r\nWould you like to add to the "
    "existing book?";

// A free book name for a book that exists: "%s %d" with the counter 1, 2, 3 ..., the name cut
// so that the counter always fits the name field.
std::string freeBookName(bookshelf::BookTable& books, const std::string& name);

// The exchange media list `stored` (a name in "cxp") copied into a new list in "cmm"; "" when it
// names nothing or all three references are empty.
std::string rehomeMediaList(const std::string& stored);

class ShelfPass {
 public:
  ShelfPass(store::TableStore& store, UserShelf user, FoodTranslation& food,
            const PassTables& tables);
  ~ShelfPass();

  // Opens the exchange tables (upgrading older recipe tables) and positions on the first book.
  void open();
  // Imports the next book with its chapters and recipes; false when no book was left.
  bool importNextBook();
  // The closing work once every book is in: recipe references, then categories.
  void close();

  // The new UID of an exchange recipe: -1 when it was skipped as a duplicate, nothing when the
  // pass never met it.
  std::optional<long> newUidOf(long exchangeRecipe) const;
  long lastBook() const { return lastBook_; }
  long firstChapter() const { return firstChapter_; }
  int recipesAdded() const { return recipesAdded_; }
  // Recipes not added because the same recipe was already in the chapter under that name.
  int duplicatesSkipped() const { return duplicatesSkipped_; }
  // Recipes added as "Name (2)" because a different recipe had their name.
  int recipesRenamed() const { return recipesRenamed_; }
  // Recipes added per user chapter.
  const std::map<long, int>& addedByChapter() const { return addedByChapter_; }
  // Every user recipe this pass created, in order.
  const std::vector<long>& addedRecipes() const { return added_; }

 private:
  struct ExchangeChapter {
    long uid;
    long book;
    std::string name, info, bitmap;
  };
  // User recipe UIDs by folded name, in one target chapter.
  using ChapterNames = std::unordered_map<std::string, long>;

  long importBook(long exchangeBook);
  // The name a recipe goes in under: its own when the chapter has no recipe of that name, else
  // "Name (2)", "Name (3)" ... past different recipes; nothing when a recipe of one of those
  // names is the same (importing a file twice adds nothing).
  std::optional<std::string> nameInChapter(const ChapterNames& taken, const store::Recipe& recipe);
  bool sameAsUserRecipe(long userRecipe, const store::Recipe& incoming);
  void importChapter(const ExchangeChapter& chapter, long targetBook);
  void renumberRecipeReferences();
  void mergeCategories();

  store::TableStore& store_;
  UserShelf user_;
  FoodTranslation& food_;
  const PassTables& names_;
  std::unique_ptr<store::TableModule> books_, chapters_, categories_;
  std::unique_ptr<store::RecipeTable> recipes_;
  std::vector<long> bookOrder_;
  size_t nextBook_ = 0;
  std::map<long, std::vector<ExchangeChapter>> chaptersByBook_;
  std::map<long, long> newUids_;
  std::vector<long> added_;
  long lastBook_ = 0;
  long firstChapter_ = 0;
  int recipesAdded_ = 0;
  int duplicatesSkipped_ = 0;
  int recipesRenamed_ = 0;
  std::map<long, int> addedByChapter_;
};

}  // namespace savora::exchange
