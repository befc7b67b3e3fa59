#include "print/print_service.h"

#include "print/text_file.h"
#include "toolkit/user.h"

namespace savora::print {

namespace {

// Writes the recipes' text forms to a file the person names.
void exportRecipesText(const PrintService& service, recipe::RecipeTables& tables, toolkit::User& user,
                       const std::vector<store::Recipe>& recipes) {
  const PrintSettings settings = service.keptSettings();
  const PrintJob job =
      recipesJob(PrintKind::RecipeList, tables, user, recipes, settings.printNutrition);
  const std::string name = recipes.size() == 1 ? recipes.front().name : "Recipes";
  const auto path = user.saveFileName("Save As...", "Text (*.txt)",
                                      toolkit::suggestedFileName(name, ".txt", "Recipes"),
                                      toolkit::Overwrite::CallerAsks);
  if (path) writeTextFile(user, *path, jobText(job, settings));
}

}  // namespace

std::function<void(const store::Recipe&)> recipePrinter(std::shared_ptr<PrintService> service,
                                                        recipe::RecipeTables tables,
                                                        toolkit::User& user) {
  return [service, tables, &user](const store::Recipe& recipe) mutable {
    service->openSetup(recipesJob(PrintKind::Recipe, tables, user, {recipe}));
  };
}

std::function<void(const std::vector<long>&, bool)> listedRecipesPrinter(
    std::shared_ptr<PrintService> service, recipe::RecipeTables tables, toolkit::User& user) {
  return [service, tables, &user](const std::vector<long>& uids, bool asText) mutable {
    const std::vector<store::Recipe> recipes = recipe::loadRecipes(tables, uids);
    if (asText) {
      exportRecipesText(*service, tables, user, recipes);
    } else {
      service->openSetup(recipesJob(PrintKind::RecipeList, tables, user, recipes));
    }
  };
}

std::function<void(const std::string&, const std::string&)> textPagePrinter(
    std::shared_ptr<PrintService> service) {
  return [service](const std::string& title, const std::string& text) {
    service->openSetup(textPageJob(title, text));
  };
}

}  // namespace savora::print
