#include "cli/recipe_names.h"

#include <charconv>

#include "bookshelf/book_table.h"
#include "bookshelf/chapter_table.h"
#include "store/recipe_table.h"

namespace savora::cli {

std::optional<store::Recipe> findRecipe(recipe::RecipeTables& tables, std::string_view name) {
  long uid = 0;
  const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), uid);
  if (error != std::errc() || end != name.data() + name.size()) {
    const size_t first = name.find('/');
    const size_t second = first == std::string_view::npos ? first : name.find('/', first + 1);
    if (second == std::string_view::npos) return std::nullopt;
    const long book = tables.books.uidOf(name.substr(0, first));
    if (book < 0) return std::nullopt;
    const long chapter = tables.chapters.uidOf(name.substr(first + 1, second - first - 1), book);
    if (chapter < 0) return std::nullopt;
    uid = tables.recipes.find(name.substr(second + 1), chapter);
  }
  store::Recipe recipe;
  if (uid <= 0 || tables.recipes.load(uid, recipe) == 0) return std::nullopt;
  recipe.uid = uid;
  return recipe;
}

}  // namespace savora::cli
