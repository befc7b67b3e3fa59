// A recipe as a print shows it, read from the tables once when the print is asked for: the page,
// the PDF and the text form are drawn from this value and never read a table again.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "nutrition/nutrition_facts.h"
#include "recipe/recipe_tables.h"
#include "store/recipe.h"

namespace savora::print {

struct PrintedRecipe {
  std::string name;
  long servings = 1;
  std::string book;
  std::string chapter;
  std::string description;
  std::vector<std::string> lines;  // the ingredient lines that have text
  std::string instructions;
  std::optional<nutrition::NutritionFacts> totals;  // the label's content; none: no label
};

// The recipe with its book and chapter and the texts of its ingredient lines read now (worded as
// the recipe window words them, trailing blanks and tabs removed, empty lines left out), and the
// totals given.
PrintedRecipe printedRecipe(recipe::RecipeTables& tables, const store::Recipe& recipe,
                            std::optional<nutrition::NutritionFacts> totals);

}  // namespace savora::print
