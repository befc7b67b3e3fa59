#include "print/print_job.h"

#include <optional>

#include "nutrition/nutrition_facts.h"
#include "print/page_writer.h"
#include "print/recipe_page.h"
#include "print/recipe_text_form.h"

namespace savora::print {

bool printRecipes(toolkit::Canvas& canvas, const PrintSettings& settings,
                  recipe::RecipeTables& tables, toolkit::User& user,
                  const std::vector<store::Recipe>& recipes) {
  PageWriter pen(canvas, settings);
  // The label prints on sheets only: cards need no analysis.
  const bool label = settings.printNutrition && !settings.onCards();
  for (size_t i = 0; i < recipes.size(); ++i) {
    // A recipe that ended by moving on to a fresh card or page starts there.
    if (i > 0 && pen.areaUsed()) {
      if (settings.onCards()) {
        pen.nextArea();
      } else if (settings.twoOnAPage) {
        pen.useFont(Font::Body);
        pen.lineDown(2);
      } else {
        pen.nextSheet();
      }
    }
    std::optional<nutrition::NutritionFacts> totals;
    if (label) totals = nutrition::analyzeRecipeFacts(tables, user, recipes[i]);
    printRecipePage(pen, tables, recipes[i], totals);
  }
  return canvas.finish();
}

std::string recipesText(recipe::RecipeTables& tables, toolkit::User& user,
                        const std::vector<store::Recipe>& recipes, bool withLabel) {
  std::string text;
  for (const store::Recipe& recipe : recipes) {
    std::optional<nutrition::NutritionFacts> totals;
    if (withLabel) totals = nutrition::analyzeRecipeFacts(tables, user, recipe);
    text += recipeTextFile(tables, recipe, totals);
  }
  return text;
}

}  // namespace savora::print
