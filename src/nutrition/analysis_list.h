// The nutrition analysis: the ingredient lines of recipes merged into items, each item matched
// with the brand that stands for it, and the items' nutrients summed into 14 totals.
//
// A recipe analysis gives the totals per serving of that recipe. The shopping list runs the same
// list in its own mode: it sets the multiplier, its servings setting, the adjust-servings and
// divide-nutrients switches, the day divisor and a line filter (perishable foods only) in
// `AnalysisModes` and adds the lines of every recipe of its menus. Its totals are per serving
// of each recipe (per person eating one serving of each) unless it adjusts the recipes to its
// servings setting; then they are per person when it divides nutrients, else for everyone.
#pragma once

#include <array>
#include <functional>
#include <set>
#include <string>
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
  std::string name;  // the food as the first of its lines names it ("leeks")
  // The part of `lineAmount` one serving (or person) eats: each line's amount divided by the
  // servings of its recipe, or by the people the list is for.
  float servingAmount = 0;
};

class AnalysisList {
 public:
  // Builds the unit conversion list the analysis uses for its whole life.
  AnalysisList(recipe::RecipeTables& tables, toolkit::User& user, AnalysisModes modes = {});

  // Adds the recipe's lines (`listFlag`: the shopping list's scaling rules apply). A reference to
  // another recipe adds that recipe's lines as written, showing "Analyzing %s"; a reference to a
  // recipe already being added contributes nothing, so recipes that use themselves end.
  void addRecipeLines(const store::Recipe& recipe, bool listFlag = false);
  // Gives brandless items a package, then computes every item's nutrients and the totals (each
  // line divided as it was added: by its serving, see addRecipeLines).
  void completeItemsAndTotal();

  const std::vector<AnalysisItem>& items() const { return items_; }
  const Totals& totals() const { return totals_; }
  // What one item adds to the totals: its nutrients for one serving (or person), per day.
  Totals contributionOf(const AnalysisItem& item) const;
  long analyzedCount() const { return analyzedCount_; }
  long servingsDivisor() const { return servingsDivisor_; }
  food::ConversionList& units() { return units_; }

 private:
  void addLine(const store::RecipeLine& line, float quantity);
  std::string lineName(const recipe::IngredientTarget& target, const store::RecipeLine& line);
  void merge(AnalysisItem item);
  void choosePackage(AnalysisItem& item);
  void itemNutrients(AnalysisItem& item);
  food::BrandInfo brandOf(const AnalysisItem& item);

  recipe::RecipeTables& tables_;
  toolkit::User& user_;
  AnalysisModes modes_;
  food::ConversionList units_;
  long servingsDivisor_ = 1;
  bool servingsSet_ = false;
  // What the lines being added are divided by for one serving, set by the outermost recipe.
  double lineDivisor_ = 1;
  int depth_ = 0;
  std::set<long> addingRecipes_;
  std::vector<AnalysisItem> items_;
  Totals totals_{};
  long analyzedCount_ = 0;
};

}  // namespace savora::nutrition
