#include "bookshelf/shelf_edits.h"

#include <vector>

#include "platform/text.h"
#include "store/media_list.h"

namespace savora::bookshelf {

using platform::formatText;
using toolkit::Button;
using toolkit::Buttons;

long copyRecipe(store::RecipeTable& recipes, long recipe, long chapter, bool reopen) {
  store::Recipe copy;
  if (!recipes.isOpen() || !recipes.seek(recipe)) return 0;
  recipes.load(recipe, copy);
  copy.uid = 0;
  copy.chapter = chapter;
  return recipes.save(0, chapter, copy, reopen);
}

namespace {

// The book's chapter named like `source`, made from the source when the book has none.
long targetChapterFor(const ShelfItem& source, long book, ChapterTable& chapters, bool& created) {
  if (const long existing = chapters.uidOf(source.name, book); existing != -1) return existing;
  const store::MediaReferences media = store::readMediaList(source.bitmap);
  std::string bitmap;
  if (!media[0].empty() || !media[1].empty() || !media[2].empty()) {
    // A list of its own: editing the copy's pictures must not change the source's.
    bitmap = store::writeMediaList("", media).value_or("");
  }
  created = true;
  return chapters.add(source.name, book, source.info, bitmap);
}

}  // namespace

ChapterCopy copyChapter(long chapter, long book, ChapterTable& chapters,
                        store::RecipeTable& recipes) {
  ChapterCopy result;
  const std::optional<ShelfItem> source = chapters.get(chapter);
  if (!source || !recipes.isOpen()) return result;
  // Checked before anything is made: copying a chapter into itself would only double it.
  if (chapters.uidOf(source->name, book) == chapter) return result;

  std::vector<long> sourceRecipes;
  for (auto name = recipes.first(chapter); name && recipes.chapterOfCurrent() == chapter;
       name = recipes.next()) {
    sourceRecipes.push_back(recipes.uidOfCurrent());
  }
  result.targetChapter = targetChapterFor(*source, book, chapters, result.createdChapter);
  for (size_t i = 0; i < sourceRecipes.size(); ++i) {
    // One reopen after the last copy instead of one per copy: each reopen walks the whole
    // table, which would make a large chapter's copy quadratic.
    const bool last = i + 1 == sourceRecipes.size();
    if (copyRecipe(recipes, sourceRecipes[i], result.targetChapter, last) != 0)
      ++result.recipesCopied;
  }
  return result;
}

bool ShelfEdits::confirm(const char* title, const std::string& text) {
  return user_.message(title, "QUESTION", Buttons::YesNo, text) == Button::Yes;
}

void ShelfEdits::nothingToDelete(const char* text) {
  user_.message("Nothing to Delete", "INFORMATION", Buttons::Ok, text);
}

bool ShelfEdits::deleteBook(long book) {
  const std::string name = book > 0 ? tables_.books.nameOf(book) : std::string();
  if (name.empty()) {
    nothingToDelete("Select a book and then click Delete.");
    return false;
  }
  std::string question = formatText("Are you sure you want to delete %s?", name.c_str());
  // Its recipes leave every menu too: the question names what the menus lose.
  if (tables_.recipes.menuUses) {
    std::vector<long> recipes;
    for (const ShelfEntry& chapter : tables_.chapters.chaptersOf(book)) {
      const std::vector<long> ofChapter = tables_.chapters.recipesOf(chapter.uid, tables_.recipes);
      recipes.insert(recipes.end(), ofChapter.begin(), ofChapter.end());
    }
    if (const std::string uses = tables_.recipes.menuUses(recipes); !uses.empty())
      question += "\r\n\r\nIts recipes are also taken off these menus: " + uses + ".";
  }
  if (!confirm("Delete Book?", question)) return false;
  toolkit::WaitPointer wait(user_);
  return tables_.books.remove(book, tables_.chapters, tables_.recipes);
}

bool ShelfEdits::deleteChapter(long chapter) {
  const std::string name = chapter > 0 ? tables_.chapters.nameOf(chapter) : std::string();
  if (name.empty()) {
    nothingToDelete("Select a chapter and then click Delete.");
    return false;
  }
  if (!confirm("Delete Chapter?", formatText("Are you sure you want to delete %s?", name.c_str())))
    return false;
  toolkit::WaitPointer wait(user_);
  return tables_.chapters.remove(chapter, tables_.recipes);
}

bool ShelfEdits::deleteCategory(long category) {
  const std::string name = category > 0 ? tables_.categories.nameOf(category) : std::string();
  if (name.empty()) {
    nothingToDelete("Select a category and then click Delete.");
    return false;
  }
  if (!confirm("Delete Category?", formatText("Are you sure you want to delete %s?", name.c_str())))
    return false;
  return tables_.categories.remove(category);
}

bool ShelfEdits::deleteRecipe(long recipe) {
  const std::string name = recipe > 0 ? tables_.recipes.nameOf(recipe) : std::string();
  if (name.empty()) {
    nothingToDelete("Select a recipe and then click Delete.");
    return false;
  }
  if (!confirm("Delete Recipe?", formatText("Are you sure you want to delete %s?", name.c_str())))
    return false;
  toolkit::WaitPointer wait(user_);
  tables_.recipes.remove(recipe);
  return true;
}

bool ShelfEdits::removeFromCategory(long recipe, long category) {
  const std::string name = recipe > 0 ? tables_.recipes.nameOf(recipe) : std::string();
  if (name.empty()) {
    nothingToDelete("Select a recipe and then click Delete.");
    return false;
  }
  const std::string categoryName = tables_.categories.nameOf(category);
  if (!confirm("Remove Recipe?", formatText("Are you sure you want to remove %s from %s?",
                                            name.c_str(), categoryName.c_str())))
    return false;
  tables_.categories.removeRecipe(recipe, category);
  return true;
}

bool ShelfEdits::deleteListedRecipe(long recipe, long listedCategory) {
  return recipe > 0 && listedCategory > 0 ? removeFromCategory(recipe, listedCategory)
                                          : deleteRecipe(recipe);
}

bool ShelfEdits::addToCategory(long recipe, long category) {
  const std::string name = recipe > 0 ? tables_.recipes.nameOf(recipe) : std::string();
  const std::string categoryName =
      category > 0 ? tables_.categories.nameOf(category) : std::string();
  if (name.empty() || categoryName.empty()) return false;
  if (!confirm("Add Recipe to Category?",
               formatText("Add %s to %s?", name.c_str(), categoryName.c_str())))
    return false;
  // A recipe filed already is told so by the category table.
  return tables_.categories.addRecipe(category, recipe) != -1;
}

bool ShelfEdits::copyRecipeTo(long recipe, long chapter) {
  const std::string name = recipe > 0 ? tables_.recipes.nameOf(recipe) : std::string();
  if (name.empty()) {
    user_.message("Wait!", "HAND", Buttons::Ok, "No recipe has been selected.");
    return false;
  }
  const std::string chapterName = chapter > 0 ? tables_.chapters.nameOf(chapter) : std::string();
  if (chapterName.empty()) return false;
  if (!confirm("Copy Recipe?", formatText("Copy %s to %s?", name.c_str(), chapterName.c_str())))
    return false;
  if (tables_.recipes.find(name, chapter) != 0) {
    user_.message("Error!", "EXCLAMATION", Buttons::Ok, "A recipe with that name already exists.");
    return false;
  }
  toolkit::WaitPointer wait(user_);
  return copyRecipe(tables_.recipes, recipe, chapter) != 0;
}

bool ShelfEdits::copyChapterTo(long chapter, long book) {
  const std::string name = chapter > 0 ? tables_.chapters.nameOf(chapter) : std::string();
  const std::string bookName = book > 0 ? tables_.books.nameOf(book) : std::string();
  if (name.empty() || bookName.empty()) return false;
  if (tables_.chapters.bookOf(chapter) == book) {
    user_.message("Wait!", "HAND", Buttons::Ok,
                  formatText("%s is already in %s.", name.c_str(), bookName.c_str()));
    return false;
  }
  if (!confirm("Copy Chapter?",
               formatText("Copy the recipes in %s to %s?", name.c_str(), bookName.c_str())))
    return false;
  toolkit::WaitPointer wait(user_);
  return copyChapter(chapter, book, tables_.chapters, tables_.recipes).targetChapter != -1;
}

}  // namespace savora::bookshelf
