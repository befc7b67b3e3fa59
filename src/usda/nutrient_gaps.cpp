#include "usda/nutrient_gaps.h"

#include <algorithm>
#include <set>

#include "food/brand_table.h"
#include "food/ingredient_table.h"
#include "usda/usda_brand.h"

namespace savora::usda {

bool ingredientHasNutrients(long ingredient, food::BrandTable& brands) {
  for (long brand : brands.brandsOf(ingredient)) {
    const auto nutrients = brands.read(brand).nutrients;
    if (std::any_of(nutrients.begin(), nutrients.end(), [](double n) { return n != 0; }))
      return true;
  }
  return false;
}

std::vector<NutrientGap> nutrientGaps(const store::Recipe& recipe, KitchenTables tables) {
  std::vector<NutrientGap> gaps;
  std::set<long> seen;
  for (int i = 0; i < store::kRecipeLines; ++i) {
    const long code = recipe.lines[size_t(i)].ingredient;
    if (code <= 0 || code > store::kRecipeCodeBase || !seen.insert(code).second) continue;
    const auto ingredient = tables.ingredients.read(code);
    if (!ingredient || ingredientHasNutrients(code, tables.brands)) continue;
    gaps.push_back({i, recipe.lines[size_t(i)].unit, code, ingredient->name});
  }
  return gaps;
}

long giveUsdaNutrients(const Food& food, long ingredient, KitchenTables tables) {
  const long brand =
      tables.brands.save(usdaBrand(food, ingredient, tables.units, tables.groups), 0);
  if (auto record = tables.ingredients.read(ingredient)) {
    record->preferredBrand = brand;
    tables.ingredients.save(*record, ingredient);
  }
  return brand;
}

}  // namespace savora::usda
