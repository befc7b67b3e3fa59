#include "print/recipe_text_form.h"

#include <algorithm>

#include "platform/text.h"
#include "print/nutrition_label.h"

namespace savora::print {

namespace {

std::string withoutCarriageReturns(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
  return text;
}

}  // namespace

std::string recipeTextFile(const PrintedRecipe& recipe, bool withLabel) {
  std::string text = recipe.name + "\n\n";
  text += "Book: " + recipe.book + "\nChapter: " + recipe.chapter + "\n\n";
  if (!recipe.description.empty()) text += withoutCarriageReturns(recipe.description) + "\n";
  if (recipe.servings > 1) text += platform::formatText("Serves: %ld", recipe.servings) + "\n";
  text += "\n";
  for (const std::string& line : recipe.lines) text += line + "\n";
  text += "\n";
  text += withoutCarriageReturns(recipe.instructions);
  if (withLabel && recipe.totals) text += nutritionLabelText(*recipe.totals);
  text += "\n\n\n";
  return text;
}

}  // namespace savora::print
