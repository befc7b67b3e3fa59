// What a Nutrition Facts label shows of an analysis: the totals, what they are the amount of
// ("Amount Per Serving"), and the foods the totals leave out, so that no gap goes unsaid.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "nutrition/analysis_list.h"

namespace savora::nutrition {

inline constexpr const char* kAmountPerServing = "Amount Per Serving";

struct NutritionFacts {
  // Totals alone: a label with every food counted.
  NutritionFacts(const Totals& totals = {}) : totals(totals) {}  // NOLINT: implicit on purpose

  Totals totals{};
  std::string amountOf = kAmountPerServing;
  size_t foodCount = 0;
  std::vector<std::string> notCounted;  // names of the foods without nutrients, in line order
};

// The facts of a completed analysis list.
NutritionFacts factsOf(const AnalysisList& list, std::string amountOf = kAmountPerServing);

// "2 of 9 ingredients not counted: leeks, chicken stock"; empty when every food was counted.
std::string notCountedText(const NutritionFacts& facts);

// The facts of one recipe, per serving (the recipe analysis start to end), and their totals.
NutritionFacts analyzeRecipeFacts(recipe::RecipeTables& tables, toolkit::User& user,
                                  const store::Recipe& recipe);
Totals analyzeRecipe(recipe::RecipeTables& tables, toolkit::User& user,
                     const store::Recipe& recipe);

}  // namespace savora::nutrition
