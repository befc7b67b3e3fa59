#include "print/recipe_text_form.h"

#include <algorithm>

#include "bookshelf/book_table.h"
#include "bookshelf/chapter_table.h"
#include "platform/text.h"
#include "print/nutrition_label.h"
#include "print/recipe_page.h"

namespace savora::print {

namespace {

std::string withoutCarriageReturns(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
  return text;
}

}  // namespace

std::string recipeTextFile(recipe::RecipeTables& tables, const store::Recipe& recipe,
                           const std::optional<nutrition::NutritionFacts>& label) {
  const long book = tables.chapters.bookOf(recipe.chapter);
  std::string text = recipe.name + "\n\n";
  text += "Book: " + tables.books.nameOf(book) +
          "\nChapter: " + tables.chapters.nameOf(recipe.chapter) + "\n\n";
  if (!recipe.description.empty()) text += withoutCarriageReturns(recipe.description) + "\n";
  if (recipe.servings > 1) text += platform::formatText("Serves: %ld", recipe.servings) + "\n";
  text += "\n";
  for (const std::string& line : ingredientLineTexts(tables, recipe)) text += line + "\n";
  text += "\n";
  text += withoutCarriageReturns(recipe.instructions);
  if (label) text += nutritionLabelText(*label);
  text += "\n\n\n";
  return text;
}

}  // namespace savora::print
