#include "print/print_job.h"

#include "nutrition/nutrition_facts.h"
#include "print/page_writer.h"
#include "print/recipe_page.h"
#include "print/recipe_text_form.h"

namespace savora::print {

namespace {

void drawRecipes(PageWriter& pen, const std::vector<PrintedRecipe>& recipes) {
  const PrintSettings& settings = pen.settings();
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
    printRecipePage(pen, recipes[i]);
  }
}

}  // namespace

PrintJob recipesJob(PrintKind kind, recipe::RecipeTables& tables, toolkit::User& user,
                    const std::vector<store::Recipe>& recipes, bool analyse) {
  PrintJob job{kind, std::vector<PrintedRecipe>{}, recipes.size() == 1 ? recipes.front().name : ""};
  auto& printed = std::get<std::vector<PrintedRecipe>>(job.content);
  for (const store::Recipe& recipe : recipes) {
    std::optional<nutrition::NutritionFacts> totals;
    if (analyse) totals = nutrition::analyzeRecipeFacts(tables, user, recipe);
    printed.push_back(printedRecipe(tables, recipe, std::move(totals)));
  }
  return job;
}

PrintJob documentJob(PrintKind kind, PrintDocument document) {
  return {kind, std::move(document), {}};
}

PrintJob textPageJob(std::string title, std::string text) {
  std::string name = title;
  return {PrintKind::TextPage, TextPage{std::move(title), std::move(text)}, std::move(name)};
}

bool drawJob(toolkit::Canvas& canvas, const PrintSettings& settings, const PrintJob& job) {
  PageWriter pen(canvas, settings);
  if (const auto* recipes = std::get_if<std::vector<PrintedRecipe>>(&job.content)) {
    drawRecipes(pen, *recipes);
  } else if (const auto* document = std::get_if<PrintDocument>(&job.content)) {
    printDocument(pen, *document);
  } else {
    const auto& page = std::get<TextPage>(job.content);
    printTextPage(pen, page.title, page.text);
  }
  return canvas.finish();
}

std::string jobText(const PrintJob& job, const PrintSettings& settings) {
  if (const auto* recipes = std::get_if<std::vector<PrintedRecipe>>(&job.content)) {
    std::string text;
    for (const PrintedRecipe& recipe : *recipes)
      text += recipeTextFile(recipe, settings.printNutrition);
    return text;
  }
  if (const auto* document = std::get_if<PrintDocument>(&job.content))
    return documentText(*document, settings.printNutrition);
  const auto& page = std::get<TextPage>(job.content);
  return textPageText(page.title, page.text);
}

}  // namespace savora::print
