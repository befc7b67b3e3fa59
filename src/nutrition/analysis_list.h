// The nutrition analysis: the ingredient lines of recipes merged into items, each item matched
// with the brand that stands for it, and the items' nutrients summed into 14 totals.
//
// A recipe analysis gives the totals per serving of that recipe. The shopping list runs the same
// list in its own mode: it sets the multiplier, its servings setting, the adjust-servings and
// divide-nutrients switches, the day divisor and a line filter (perishable foods only) in
// `AnalysisModes` and adds the lines of every recipe of its menus.
#pragma once

#include <array>
#include <functional>
#include <set>
#include <vector>

#include "food/brand.h"
#include "food/unit_conversion.h"
#include "recipe/recipe_tables.h"
#include "store/recipe.h"

namespace savora::toolkit {
class User;
}

namespace savora::nutrition {

using Totals = std::array<float, food::kNutrientCount>;

struct AnalysisModes {
  enum class Mode { Recipe, ShoppingList };
  Mode mode = Mode::Recipe;
  long multiplier = 1;           // factor on every line quantity
  long servingsSetting = 1;      // shopping list: the number of people it is for
  bool adjustServings = false;   // shopping list: scale recipes to the servings setting
  bool divideNutrients = false;  // shopping list: totals per person
  long dayDivisor = 1;           // shopping list: totals per day
  // Shopping list: lines of the foods it takes (the perishable filter); empty takes every line.
  std::function<bool(const store::RecipeLine&)> takesLine;
  // Shopping list: the order of a food group, for sorting items by group; empty gives 0.
  std::function<long(long group)> groupOrderOf;
};

// One merged line.
struct AnalysisItem {
  float amount = 0;      // in `itemUnit`; -1 when the line did not convert
  float lineAmount = 0;  // in `lineUnit`
  bool analyzed = false;
  long ingredient = 0;  // 0 for a line that names a brand
  long brand = 0;       // the brand that stands for the line; 0 until chosen
  long itemUnit = 0;
  bool plain = true;  // the line unit's name has no "-"
  long lineUnit = 0;
  long groupOrder = 0;    // the brand's food group order × 10
  bool hasBrand = false;  // made with brand information; items without are never merged
  std::array<double, food::kNutrientCount> nutrients{};
};

class AnalysisList {
 public:
  // Builds the unit conversion list the analysis uses for its whole life.
  AnalysisList(recipe::RecipeTables& tables, toolkit::User& user, AnalysisModes modes = {});

  // Adds the recipe's lines (`listFlag`: the shopping list's scaling rules apply). A reference to
  // another recipe adds that recipe's lines as written, showing "Analyzing %s"; a reference to a
  // recipe already being added contributes nothing, so recipes that use themselves end.
  void addRecipeLines(const store::Recipe& recipe, bool listFlag = false);
  // Gives brandless items a package, then computes every item's nutrients and the totals.
  void completeItemsAndTotal(bool listFlag = false);

  const std::vector<AnalysisItem>& items() const { return items_; }
  const Totals& totals() const { return totals_; }
  long analyzedCount() const { return analyzedCount_; }
  long servingsDivisor() const { return servingsDivisor_; }
  food::ConversionList& units() { return units_; }

 private:
  void addLine(const store::RecipeLine& line, float quantity);
  void merge(AnalysisItem item);
  void choosePackage(AnalysisItem& item);
  void itemNutrients(AnalysisItem& item, bool listFlag);
  food::BrandInfo brandOf(const AnalysisItem& item);

  recipe::RecipeTables& tables_;
  toolkit::User& user_;
  AnalysisModes modes_;
  food::ConversionList units_;
  long servingsDivisor_ = 1;
  bool servingsSet_ = false;
  std::set<long> addingRecipes_;
  std::vector<AnalysisItem> items_;
  Totals totals_{};
  long analyzedCount_ = 0;
};

// The totals per serving of one recipe (the recipe mode start to end).
Totals analyzeRecipe(recipe::RecipeTables& tables, toolkit::User& user,
                     const store::Recipe& recipe);

}  // namespace savora::nutrition
