#include "book_export/text_export_recipes.h"

#include <map>

namespace savora::book_export {
namespace {

class TextRecipeReader {
 public:
  explicit TextRecipeReader(const BookExportSources& tables) : tables_(tables) { readCategories(); }

  std::vector<long> recipesOf(long chapter) {
    std::vector<long> uids;
    for (auto name = tables_.recipes.first(chapter);
         name && tables_.recipes.chapterOfCurrent() == chapter; name = tables_.recipes.next()) {
      uids.push_back(tables_.recipes.uidOfCurrent());
    }
    return uids;
  }

  std::optional<recipe_formats::TextRecipe> read(long uid) {
    store::Recipe recipe;
    const long chapter = tables_.recipes.load(uid, recipe);
    if (chapter == 0) return std::nullopt;
    recipe_formats::TextRecipe text;
    text.name = recipe.name;
    text.description = recipe.description;
    text.instructions = recipe.instructions;
    text.servings = recipe.servings;
    text.chapter = tables_.chapters.nameOf(chapter);
    if (auto it = categories_.find(uid); it != categories_.end()) text.categories = it->second;
    for (const store::RecipeLine& line : recipe.lines) {
      recipe_formats::TextRecipeLine out{line.quantity, unitName(line.unit),
                                         ingredientName(line.ingredient), line.info1, line.info2};
      if (out != recipe_formats::TextRecipeLine{}) text.lines.push_back(std::move(out));
    }
    return text;
  }

 private:
  // Every recipe's categories by name, in the order the category table holds them.
  void readCategories() {
    std::map<long, std::string> names;
    std::vector<std::pair<long, long>> memberships;  // recipe, category
    for (bool on = tables_.categories.first(store::kUidTag); on; on = tables_.categories.next()) {
      const long category = tables_.categories.number("UID");
      const long reference = tables_.categories.number("RECIPE_UID");
      if (reference == bookshelf::kCategoryOwnRecord) {
        names[category] = tables_.categories.text("NAME");
      } else {
        memberships.emplace_back(reference, category);
      }
    }
    for (const auto& [recipe, category] : memberships) {
      if (auto it = names.find(category); it != names.end())
        categories_[recipe].push_back(it->second);
    }
  }

  std::string unitName(long uid) {
    if (uid == 0) return {};
    return tables_.units.readRecord(uid).name;
  }

  std::string ingredientName(long code) {
    if (code <= 0) return {};
    if (code < store::kRecipeCodeBase) {
      const auto ingredient = tables_.ingredients.read(code);
      return ingredient ? ingredient->name : "";
    }
    if (code > store::kBrandCodeBase) return tables_.brands.nameOf(code - store::kBrandCodeBase);
    return tables_.recipes.nameOf(code - store::kRecipeCodeBase);
  }

  const BookExportSources& tables_;
  std::map<long, std::vector<std::string>> categories_;
};

}  // namespace

std::vector<recipe_formats::TextRecipe> textRecipesOf(const BookExportSources& tables,
                                                      const RecipeSelection& selection) {
  TextRecipeReader reader(tables);
  std::vector<long> uids = selection.recipes;
  if (uids.empty() && selection.chapter > 0) uids = reader.recipesOf(selection.chapter);
  if (uids.empty() && selection.chapter <= 0 && selection.book > 0) {
    for (const bookshelf::ShelfEntry& chapter : tables.chapters.chaptersOf(selection.book)) {
      const std::vector<long> more = reader.recipesOf(chapter.uid);
      uids.insert(uids.end(), more.begin(), more.end());
    }
  }
  std::vector<recipe_formats::TextRecipe> recipes;
  for (long uid : uids) {
    if (auto recipe = reader.read(uid)) recipes.push_back(std::move(*recipe));
  }
  return recipes;
}

}  // namespace savora::book_export
