#include "bookshelf/recipe_list_fill.h"

#include "bookshelf/category_table.h"
#include "bookshelf/chapter_table.h"
#include "store/recipe_table.h"

namespace savora::bookshelf {
namespace {

// Adds the chapter's recipes (those in `category` unless it is any) to `list`.
void addChapterRecipes(long chapter, long category, CategoryTable& categories,
                       store::RecipeTable& recipes, std::vector<ShelfEntry>& list) {
  if (!recipes.isOpen()) return;
  for (auto name = recipes.first(chapter); name && recipes.chapterOfCurrent() == chapter;
       name = recipes.next()) {
    const long uid = recipes.uidOfCurrent();
    if (category == kAnyItem || categories.isMember(category, uid)) {
      list.push_back({uid, std::move(*name)});
    }
  }
}

}  // namespace

std::vector<ShelfEntry> fillRecipeList(long book, long chapter, long category,
                                       ChapterTable& chapters, CategoryTable& categories,
                                       store::RecipeTable& recipes) {
  std::vector<ShelfEntry> list;
  if (book != kAnyItem && chapter != kAnyItem) {
    addChapterRecipes(chapter, category, categories, recipes, list);
  } else if (book != kAnyItem) {
    for (const ShelfEntry& bookChapter : chapters.chaptersOf(book)) {
      addChapterRecipes(bookChapter.uid, category, categories, recipes, list);
    }
  } else if (chapter == kAnyItem && category != kAnyItem) {
    for (long member : categories.membersOf(category)) {
      if (recipes.isOpen() && recipes.seek(member))
        list.push_back({member, recipes.nameOf(member)});
    }
  }
  return list;
}

}  // namespace savora::bookshelf
