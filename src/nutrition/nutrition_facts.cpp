#include "nutrition/nutrition_facts.h"

#include "platform/text.h"
#include "toolkit/user.h"

namespace savora::nutrition {

NutritionFacts factsOf(const AnalysisList& list, std::string amountOf) {
  NutritionFacts facts(list.totals());
  facts.amountOf = std::move(amountOf);
  facts.foodCount = list.items().size();
  for (const AnalysisItem& item : list.items()) {
    if (!item.analyzed) facts.notCounted.push_back(item.name);
  }
  return facts;
}

std::string notCountedText(const NutritionFacts& facts) {
  if (facts.notCounted.empty()) return {};
  std::string names;
  for (const std::string& name : facts.notCounted) names += (names.empty() ? "" : ", ") + name;
  return platform::formatText("%d of %d ingredients not counted: %s", int(facts.notCounted.size()),
                              int(facts.foodCount), names.c_str());
}

NutritionFacts analyzeRecipeFacts(recipe::RecipeTables& tables, toolkit::User& user,
                                  const store::Recipe& recipe) {
  toolkit::StatusScope status(user);
  AnalysisList list(tables, user);
  list.addRecipeLines(recipe);
  list.completeItemsAndTotal();
  return factsOf(list);
}

Totals analyzeRecipe(recipe::RecipeTables& tables, toolkit::User& user,
                     const store::Recipe& recipe) {
  return analyzeRecipeFacts(tables, user, recipe).totals;
}

}  // namespace savora::nutrition
