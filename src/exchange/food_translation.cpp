#include "exchange/food_translation.h"

#include <vector>

#include "platform/text.h"

namespace savora::exchange {
namespace {

// "egg" <-> "eggs": the one retry an ingredient name gets.
std::string togglePlural(const std::string& name) {
  if (!name.empty() && (name.back() == 's' || name.back() == 'S')) {
    return name.substr(0, name.size() - 1);
  }
  return name + "s";
}

}  // namespace

FoodTranslation::FoodTranslation(UserFood user, food::UnitTable& units,
                                 food::IngredientTable& ingredients, food::BrandTable& brands)
    : user_(user), xUnits_(units), xIngredients_(ingredients), xBrands_(brands) {}

long FoodTranslation::userUnitByName(const std::string& name) {
  if (name.empty() || !user_.units.findText(name, false)) return 0;
  return user_.units.number("UID");
}

void FoodTranslation::addMissingUnits() {
  std::vector<long> uids;
  for (bool on = xUnits_.first(store::kUidTag); on; on = xUnits_.next()) {
    uids.push_back(xUnits_.number("UID"));
  }
  for (long uid : uids) {
    const food::UnitRecord record = xUnits_.readRecord(uid);
    if (record.name.empty() || userUnitByName(record.name) != 0) continue;
    user_.units.copyWithNewUid(record, xUnits_);
  }
  unitCache_.clear();
}

void FoodTranslation::addMissingIngredients() {
  std::vector<long> uids;
  for (bool on = xIngredients_.first(store::kUidTag); on; on = xIngredients_.next()) {
    uids.push_back(xIngredients_.number("UID"));
  }
  for (long uid : uids) {
    const std::optional<food::Ingredient> found = xIngredients_.read(uid);
    // An ingredient the user has under the other number ("eggs" for "egg") is not added again.
    if (!found || found->name.empty() || ingredient(uid) != 0) continue;
    food::Ingredient copy = *found;
    copy.preferredBrand = 0;
    copy.frequency = 0;
    const long newUid = user_.ingredients.save(copy, 0);
    for (long brandUid : xBrands_.brandsOf(uid)) {
      food::BrandRecord brand = xBrands_.read(brandUid);
      brand.ingredient = newUid;
      brand.packageUnit = unit(brand.packageUnit);
      brand.servingUnit = unit(brand.servingUnit);
      brand.equivalence1.volumeUnit = unit(brand.equivalence1.volumeUnit);
      brand.equivalence1.weightUnit = unit(brand.equivalence1.weightUnit);
      brand.equivalence2.volumeUnit = unit(brand.equivalence2.volumeUnit);
      brand.equivalence2.weightUnit = unit(brand.equivalence2.weightUnit);
      brand.media.clear();
      const long newBrand = user_.brands.save(brand, 0);
      if (found->preferredBrand == brandUid) {
        copy.preferredBrand = newBrand;
        user_.ingredients.save(copy, newUid);
      }
    }
  }
  ingredientCache_.clear();
  brandCache_.clear();
}

long FoodTranslation::unit(long exchangeUid) {
  if (exchangeUid <= 0) return 0;
  if (auto it = unitCache_.find(exchangeUid); it != unitCache_.end()) return it->second;
  long found = 0;
  if (xUnits_.findUid(exchangeUid)) found = userUnitByName(xUnits_.text("NAME"));
  unitCache_[exchangeUid] = found;
  return found;
}

long FoodTranslation::ingredient(long exchangeUid) {
  if (auto it = ingredientCache_.find(exchangeUid); it != ingredientCache_.end()) return it->second;
  long found = 0;
  if (const auto read = xIngredients_.read(exchangeUid); read && !read->name.empty()) {
    if (user_.ingredients.findByName(read->name) ||
        user_.ingredients.findByName(togglePlural(read->name))) {
      found = user_.ingredients.number("UID");
    }
  }
  ingredientCache_[exchangeUid] = found;
  return found;
}

long FoodTranslation::brandCode(long exchangeBrand) {
  if (auto it = brandCache_.find(exchangeBrand); it != brandCache_.end()) return it->second;
  long code = 0;
  if (xBrands_.findUid(exchangeBrand)) {
    const std::string name = xBrands_.nameOf(exchangeBrand);
    const long owner = ingredient(xBrands_.ingredientOf(exchangeBrand));
    // The brand of that name under the ingredient the exchange brand's ingredient became; when
    // there is none, the line keeps at least its ingredient.
    code = owner;
    if (owner != 0) {
      for (long brand : user_.brands.brandsOf(owner)) {
        if (platform::equalsIgnoreCase(user_.brands.nameOf(brand), name)) {
          code = brand + store::kBrandCodeBase;
          break;
        }
      }
    }
  }
  brandCache_[exchangeBrand] = code;
  return code;
}

long FoodTranslation::ingredientCode(long exchangeCode) {
  if (exchangeCode <= 0 || exchangeCode == store::kRecipeCodeBase ||
      exchangeCode == store::kBrandCodeBase) {
    return 0;
  }
  if (exchangeCode < store::kRecipeCodeBase) return ingredient(exchangeCode);
  if (exchangeCode < store::kBrandCodeBase) return exchangeCode;  // renumbered after the pass
  return brandCode(exchangeCode - store::kBrandCodeBase);
}

void FoodTranslation::translateLines(store::Recipe& recipe) {
  for (store::RecipeLine& line : recipe.lines) {
    line.unit = unit(line.unit);
    line.ingredient = ingredientCode(line.ingredient);
  }
}

}  // namespace savora::exchange
