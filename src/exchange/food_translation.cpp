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

FoodTranslation::FoodTranslation(store::TableStore& store, UserFood user, food::UnitTable& units,
                                 food::IngredientTable& ingredients, food::BrandTable& brands)
    : store_(store),
      user_(user),
      xUnits_(units),
      xIngredients_(ingredients),
      xBrands_(brands),
      userUnitNames_(user.units, food::kUnitNameTag, "NAME"),
      userIngredientNames_(user.ingredients, food::kIngredientNameTag, "NAME") {}

FoodTranslation::~FoodTranslation() {
  if (memory_) memory_->close();
}

long FoodTranslation::userUnitByName(const std::string& name) {
  return userUnitNames_.uidOf(name);
}

bool FoodTranslation::userLacksUnit(long exchangeUid) {
  if (!xUnits_.findUid(exchangeUid)) return false;
  const std::string name = xUnits_.text("NAME");
  return !name.empty() && userUnitByName(name) == 0;
}

bool FoodTranslation::userLacksIngredient(long exchangeUid) {
  ingredientCache_.erase(exchangeUid);
  return xIngredients_.findUid(exchangeUid) && !xIngredients_.text("NAME").empty() &&
         ingredient(exchangeUid) == 0;
}

long FoodTranslation::addUnit(long exchangeUid) {
  unitCache_.clear();
  // The unit's conversion unit is found (or added) by name, so units the user already had keep
  // their own conversions.
  const food::UnitRecord unit = xUnits_.readRecord(exchangeUid);
  const long uid = user_.units.copyWithNewUid(unit, xUnits_);
  userUnitNames_.appended(unit.name);
  return uid;
}

long FoodTranslation::addIngredient(long exchangeUid) {
  ingredientCache_.clear();
  brandCache_.clear();
  const std::optional<food::Ingredient> found = xIngredients_.read(exchangeUid);
  if (!found) return 0;
  food::Ingredient copy = *found;
  copy.preferredBrand = 0;
  copy.frequency = 0;
  const long newUid = user_.ingredients.save(copy, 0);
  userIngredientNames_.appended(copy.name);
  for (long brandUid : xBrands_.brandsOf(exchangeUid)) {
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
  return newUid;
}

long FoodTranslation::unit(long exchangeUid) {
  if (exchangeUid <= 0) return 0;
  if (auto it = unitCache_.find(exchangeUid); it != unitCache_.end()) return it->second;
  long found = 0;
  if (xUnits_.findUid(exchangeUid) && xUnits_.text("ABBREV") != kUnitAsInfo &&
      xUnits_.text("ABBREV") != kUnitDropped) {
    found = userUnitByName(xUnits_.text("NAME"));
  }
  unitCache_[exchangeUid] = found;
  return found;
}

long FoodTranslation::ingredient(long exchangeUid) {
  if (auto it = ingredientCache_.find(exchangeUid); it != ingredientCache_.end()) return it->second;
  long found = 0;
  if (const auto read = xIngredients_.read(exchangeUid); read && !read->name.empty()) {
    found = userIngredientNames_.uidOf(read->name);
    if (found == 0) found = userIngredientNames_.uidOf(togglePlural(read->name));
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
    const long exchangeUnit = line.unit;
    line.unit = unit(exchangeUnit);
    if (exchangeUnit > 0 && xUnits_.findUid(exchangeUnit) &&
        xUnits_.text("ABBREV") == kUnitAsInfo) {
      line.info1 = xUnits_.text("NAME") + (line.info1.empty() ? "" : " ") + line.info1;
    }
    const long exchangeCode = line.ingredient;
    if (exchangeCode > 0 && exchangeCode < store::kRecipeCodeBase &&
        xIngredients_.findUid(exchangeCode) &&
        xIngredients_.text("PLURAL") == kIngredientMemorized) {
      if (!memory_) {
        memory_ = std::make_unique<MemorizedTable>(store_, kIngredientMemory);
        memory_->open();
      }
      const std::optional<Memorized> decided = memory_->find(xIngredients_.text("NAME"));
      line.ingredient = decided ? decided->uid : 0;
      if (decided && !decided->info1.empty()) {
        line.info1 += (line.info1.empty() ? "" : " ") + decided->info1;
      }
      if (decided && !decided->info2.empty()) {
        line.info2 = decided->info2 + (line.info2.empty() ? "" : ", ") + line.info2;
      }
      continue;
    }
    line.ingredient = ingredientCode(exchangeCode);
  }
}

}  // namespace savora::exchange
