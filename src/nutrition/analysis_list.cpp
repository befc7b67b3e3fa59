#include "nutrition/analysis_list.h"

#include "food/brand_table.h"
#include "food/food_conversion.h"
#include "food/ingredient_table.h"
#include "food/package_choice.h"
#include "food/quantity.h"
#include "food/unit_table.h"
#include "store/recipe_table.h"
#include "toolkit/user.h"

namespace savora::nutrition {

namespace {

using Kind = recipe::IngredientTarget::Kind;

// The number a line's quantity text stands for: empty or unreadable text counts as 1.
float lineQuantity(const store::RecipeLine& line) {
  if (line.quantity.empty()) return 1;
  const double value = food::parseQuantity(line.quantity);
  return value == -1 ? 1.0f : float(value);
}

}  // namespace

std::string AnalysisList::lineName(const recipe::IngredientTarget& target,
                                   const store::RecipeLine& line) {
  if (target.kind == Kind::Brand) return tables_.brands.nameOf(target.uid);
  return tables_.ingredients.nameForQuantity(target.uid, line.quantity);
}

AnalysisList::AnalysisList(recipe::RecipeTables& tables, toolkit::User& user, AnalysisModes modes)
    : tables_(tables),
      user_(user),
      modes_(std::move(modes)),
      units_(tables.units.conversionList()) {
  if (modes_.dayDivisor < 1) modes_.dayDivisor = 1;
}

void AnalysisList::addRecipeLines(const store::Recipe& recipe, bool listFlag) {
  // A recipe already on the way down contributes nothing the second time.
  if (recipe.uid != 0 && !addingRecipes_.insert(recipe.uid).second) return;

  float scale = float(modes_.multiplier);
  const bool adjusted =
      listFlag && modes_.adjustServings && recipe.servings > 0 && modes_.servingsSetting > 0;
  if (listFlag) {
    servingsDivisor_ = modes_.servingsSetting;
    if (adjusted)
      scale = float(modes_.servingsSetting) / float(recipe.servings) * float(modes_.multiplier);
  } else if (!servingsSet_) {
    // Only the recipe being analyzed sets the divisor; the recipes it uses keep it.
    servingsDivisor_ = recipe.servings;
    servingsSet_ = true;
  }
  // One serving is the recipe's own unless the list made the recipe for its people; a recipe of
  // 0 servings counts as 1. The recipes a recipe uses are eaten in its servings.
  if (depth_ == 0) {
    if (!listFlag) {
      lineDivisor_ = servingsDivisor_ > 0 ? double(servingsDivisor_) : 1.0;
    } else if (adjusted) {
      lineDivisor_ = modes_.divideNutrients ? double(modes_.servingsSetting) : 1.0;
    } else {
      lineDivisor_ = recipe.servings > 0 ? double(recipe.servings) : 1.0;
    }
  }
  ++depth_;

  for (const store::RecipeLine& line : recipe.lines) {
    if (line.ingredient == 0) continue;
    if (modes_.takesLine && !modes_.takesLine(line)) continue;
    const recipe::IngredientTarget target = recipe::decodeIngredientCode(line.ingredient);
    if (target.kind == Kind::Recipe) {
      store::Recipe used;
      if (tables_.recipes.load(target.uid, used) == 0 && used.uid == 0) continue;
      used.uid = target.uid;
      toolkit::statusWindow(user_, "Analyzing", "Analyzing %s", used.name.c_str());
      addRecipeLines(used, listFlag);
      continue;
    }
    addLine(line, lineQuantity(line) * scale);
  }
  --depth_;
  if (recipe.uid != 0) addingRecipes_.erase(recipe.uid);
}

void AnalysisList::addLine(const store::RecipeLine& line, float quantity) {
  const recipe::IngredientTarget target = recipe::decodeIngredientCode(line.ingredient);
  AnalysisItem item;
  item.ingredient = target.kind == Kind::Ingredient ? target.uid : 0;
  item.plain = tables_.units.plainUnit(line.unit);
  item.lineUnit = line.unit;
  item.lineAmount = quantity;
  item.servingAmount = float(quantity / lineDivisor_);
  item.name = lineName(target, line);

  food::BrandInfo brand = target.kind == Kind::Brand
                              ? tables_.brands.information(target.uid)
                              : tables_.ingredients.defaultPackage(target.uid, tables_.brands);
  if (brand.empty()) {
    item.amount = quantity;
    items_.push_back(item);
    return;
  }

  item.hasBrand = true;
  if (target.kind == Kind::Brand) item.brand = brand.uid;
  if (!item.plain) {
    // A compound unit ("16-oz can") is kept as the line gives it.
    item.amount = quantity;
    item.itemUnit = line.unit;
  } else {
    const auto divisible = tables_.brands.firstDivisible(brand.uid);
    if (divisible && !divisible->empty()) {
      brand = *divisible;
      item.brand = brand.uid;
    }
    item.itemUnit = brand.packageUnit;
    item.amount = food::convertFood(units_, quantity, line.unit, brand.packageUnit, brand);
    if (item.amount < 0) item.amount = -1;
  }
  if (modes_.groupOrderOf) item.groupOrder = modes_.groupOrderOf(brand.group) * 10;
  merge(item);
}

void AnalysisList::merge(AnalysisItem item) {
  for (AnalysisItem& existing : items_) {
    if (!existing.hasBrand || existing.ingredient != item.ingredient ||
        existing.brand != item.brand || existing.plain != item.plain ||
        existing.itemUnit != item.itemUnit)
      continue;
    // A line that did not convert joins only another such line, and the reverse: adding an
    // amount to the -1 mark would make a wrong amount and lose the line.
    if ((item.amount == -1) != (existing.amount == -1)) continue;
    if (item.amount != -1) existing.amount += item.amount;
    if (existing.lineUnit == item.lineUnit) {
      existing.lineAmount += item.lineAmount;
      existing.servingAmount += item.servingAmount;
    } else if (units_.typeOf(existing.lineUnit) >= 0 &&
               units_.typeOf(existing.lineUnit) == units_.typeOf(item.lineUnit)) {
      const float converted = units_.convert(item.lineAmount, item.lineUnit, existing.lineUnit);
      if (converted > 0) {
        existing.lineAmount += converted;
        existing.servingAmount += converted * (item.servingAmount / item.lineAmount);
      }
    }
    return;
  }
  items_.push_back(item);
}

void AnalysisList::completeItemsAndTotal() {
  for (AnalysisItem& item : items_) {
    if (item.brand == 0 && item.ingredient != 0) choosePackage(item);
  }
  totals_.fill(0);
  analyzedCount_ = 0;
  for (AnalysisItem& item : items_) {
    itemNutrients(item);
    if (item.analyzed) ++analyzedCount_;
  }
}

void AnalysisList::choosePackage(AnalysisItem& item) {
  const food::BrandInfo preferred =
      tables_.ingredients.defaultPackage(item.ingredient, tables_.brands);
  if (preferred.empty()) return;
  food::PackageNeed need{item.amount, item.itemUnit, preferred.uid};
  if (item.amount >= 0 && food::choosePackage(units_, tables_.brands, need)) {
    item.amount = float(need.amount);
    item.itemUnit = need.unit;
  }
  item.brand = need.brand;
}

food::BrandInfo AnalysisList::brandOf(const AnalysisItem& item) {
  if (item.brand != 0) return tables_.brands.information(item.brand);
  if (item.ingredient == 0) return {};
  return tables_.ingredients.defaultPackage(item.ingredient, tables_.brands);
}

void AnalysisList::itemNutrients(AnalysisItem& item) {
  item.analyzed = false;
  const food::BrandInfo brand = brandOf(item);
  if (brand.empty()) return;
  const double serving = food::parseQuantity(brand.serving);
  if (serving == 0 || serving == -1) return;
  float q = food::convertFood(units_, item.lineAmount, item.lineUnit, brand.servingUnit, brand);
  if (q < 0 && item.amount >= 0)
    q = food::convertFood(units_, item.amount, item.itemUnit, brand.servingUnit, brand);
  if (q < 0 || q / serving <= 0) return;

  item.analyzed = true;
  for (int n = 0; n < food::kNutrientCount; ++n)
    item.nutrients[size_t(n)] = brand.nutrients[n] * (q / serving);
  const Totals share = contributionOf(item);
  for (size_t n = 0; n < share.size(); ++n) totals_[n] += share[n];
}

Totals AnalysisList::contributionOf(const AnalysisItem& item) const {
  Totals share{};
  if (!item.analyzed || item.lineAmount == 0) return share;
  const double part = double(item.servingAmount) / double(item.lineAmount);
  for (size_t n = 0; n < share.size(); ++n)
    share[n] = float(item.nutrients[n] * part / double(modes_.dayDivisor));
  return share;
}

}  // namespace savora::nutrition
