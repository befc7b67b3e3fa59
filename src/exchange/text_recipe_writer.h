// Writes the recipes read from a MasterCook or Meal-Master file into the exchange tables the
// import then merges: one book for the file, a chapter per first category, a unit and an
// ingredient record per distinct text, the recipes and their categories. Names are looked up in
// memory, so the cost per recipe stays flat however long the file is.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>

#include "recipe_formats/text_recipe.h"
#include "store/recipe_table.h"
#include "store/table_module.h"

namespace savora::exchange {

inline constexpr const char* kExtractingTitle = "Extracting Recipes";
inline constexpr const char* kExtractingText = "Extracting %s";
// The chapter of a recipe that names no category.
inline constexpr const char* kNoCategoryChapter = "Miscellaneous";

class TextRecipeWriter {
 public:
  // Deletes the exchange files, creates the eight exchange tables empty and the file's book.
  TextRecipeWriter(store::TableStore& store, std::string_view bookName);
  ~TextRecipeWriter();
  TextRecipeWriter(const TextRecipeWriter&) = delete;
  TextRecipeWriter& operator=(const TextRecipeWriter&) = delete;

  // Appends the recipe with its chapter, units, ingredients and categories. Servings are kept
  // within 1 to 9999; ingredient lines past the 23 a recipe holds go in front of the
  // instructions as text, and an ingredient text longer than a name puts the rest into the
  // line's note, so nothing of the file is lost.
  void add(const recipe_formats::TextRecipe& recipe);
  // Closes the tables and the status window.
  void close();
  long recipesWritten() const { return recipes_; }

 private:
  long unitUid(const std::string& name);
  long ingredientUid(const std::string& name);
  long chapterUid(const std::string& name);
  void addToCategory(const std::string& name, long recipe);

  store::TableStore& store_;
  std::unique_ptr<store::TableModule> units_, foods_, groups_, brands_, books_, chapters_,
      categories_;
  std::unique_ptr<store::RecipeTable> recipeTable_;
  long book_ = 1;
  long recipes_ = 0;
  long nextCategory_ = 1;
  std::unordered_map<std::string, long> unitUids_, ingredientUids_, chapterUids_, categoryUids_;
};

// "These recipes were downloaded on %s." with today's date.
std::string downloadedBookDescription();

}  // namespace savora::exchange
