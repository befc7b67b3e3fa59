#include "food/ingredient_table.h"

#include <algorithm>
#include <vector>

#include "food/brand_table.h"
#include "food/quantity.h"
#include "platform/text.h"

namespace savora::food {
namespace {

std::string cut(std::string_view text) {
  return platform::trim(text).substr(0, kIngredientNameLength);
}

bool containsWord(std::string_view text, std::string_view word) {
  return platform::toLower(text).find(word) != std::string::npos;
}

}  // namespace

bool ingredientsDiffer(const Ingredient& a, const Ingredient& b) {
  return a.name != b.name || a.plural != b.plural || a.interchangeable != b.interchangeable ||
         a.preferredBrand != b.preferredBrand;
}

bool ingredientQuantityIsPlural(std::string_view text) {
  const double value = parseQuantity(text);
  if (value > 1) return true;
  if (containsWord(text, "to") || containsWord(text, "or")) return true;
  const size_t dash = text.find('-');
  if (dash == std::string_view::npos) return false;
  const double left = parseQuantity(text.substr(0, dash));
  const double right = parseQuantity(text.substr(dash + 1));
  return left < right && right > 1;
}

store::TableDefinition ingredientTableDefinition(const std::string& name) {
  store::TableDefinition def;
  def.name = name;
  def.fields = {{"UID", 'N', 5, 0},     {"NAME", 'C', 46, 0}, {"PLURAL", 'C', 46, 0},
                {"ICHANGE", 'N', 1, 0}, {"BRAND", 'N', 5, 0}, {"FREQUENCY", 'N', 5, 0}};
  def.tags = {{store::kUidTag, "UID", store::kNotDeleted, false, false},
              {kIngredientNameTag, "NAME", store::kNotDeleted, false, false},
              {"BRAND_TAG", "BRAND", store::kNotDeleted, false, false}};
  def.packAfterDeletions = 10;
  def.packText = "Compressing Ingredient List Data...Please Wait.";
  return def;
}

IngredientTable::IngredientTable(store::TableStore& store, const std::string& name)
    : TableModule(store, ingredientTableDefinition(name)) {}

std::optional<std::string> IngredientTable::firstByUid() {
  if (!first(store::kUidTag)) return std::nullopt;
  return text("NAME");
}

std::optional<std::string> IngredientTable::firstByName() {
  if (!first(kIngredientNameTag)) return std::nullopt;
  return text("NAME");
}

std::optional<std::string> IngredientTable::nextName() {
  if (!next()) return std::nullopt;
  return text("NAME");
}

bool IngredientTable::findByName(std::string_view text) {
  return findIgnoringCase(kIngredientNameTag, "NAME", text);
}

bool IngredientTable::findByPlural(std::string_view wanted) {
  const std::string plural = platform::trim(wanted);
  if (plural.empty() || !isOpen()) return false;
  xbase::Table& t = table();
  t.selectTag("");
  for (bool on = t.top(); on; on = t.skip(1)) {
    if (t.deleted()) continue;
    const std::string stored = text("PLURAL");
    if (!stored.empty() && platform::equalsIgnoreCase(stored, plural)) return true;
  }
  return false;
}

long IngredientTable::uidOfText(std::string_view text) {
  return findByName(text) || findByPlural(text) ? number("UID") : 0;
}

bool IngredientTable::findByNameWithPluralVariants(std::string_view text) {
  const std::string name = platform::trim(text);
  if (name.empty()) return false;
  const bool endsInS = name.back() == 's' || name.back() == 'S';
  const std::string singular = endsInS ? name.substr(0, name.size() - 1) : name;
  const std::string withS = endsInS ? name : name + "s";
  return findByName(singular) || findByName(withS);
}

Ingredient IngredientTable::current() {
  return {text("NAME"), text("PLURAL"), number("ICHANGE") != 0, number("BRAND"),
          number("FREQUENCY")};
}

std::string IngredientTable::nameForQuantity(long uid, std::string_view quantityText,
                                             bool forcePlural) {
  return nameForPluralFlag(uid, forcePlural || ingredientQuantityIsPlural(quantityText));
}

std::string IngredientTable::nameForPluralFlag(long uid, bool plural) {
  if (!findUid(uid)) return {};
  const std::string pluralName = text("PLURAL");
  return plural && !pluralName.empty() ? pluralName : text("NAME");
}

bool IngredientTable::interchangeable(long uid) {
  return findUid(uid) && number("ICHANGE") != 0;
}

std::optional<Ingredient> IngredientTable::read(long uid) {
  if (!findUid(uid)) return std::nullopt;
  return current();
}

void IngredientTable::countUse(long uid) {
  if (!findUid(uid)) return;
  setNumber("FREQUENCY", double(std::min(number("FREQUENCY") + 1, 99999L)));
  table().flush();
}

long IngredientTable::save(const Ingredient& ingredient, long uid) {
  return storeRecord(uid, [&] {
    setText("NAME", cut(ingredient.name));
    setText("PLURAL", cut(ingredient.plural));
    setNumber("ICHANGE", ingredient.interchangeable ? 1 : 0);
    setFittedNumber("BRAND", double(ingredient.preferredBrand));
    setFittedNumber("FREQUENCY", double(ingredient.frequency));
  });
}

long IngredientTable::addByName(std::string_view text) {
  Ingredient ingredient;
  ingredient.name = platform::toLower(platform::trim(text));
  return save(ingredient, 0);
}

void IngredientTable::replace(long oldUid, long newUid, store::RecipeTable& recipes) {
  if (oldUid == 0 || oldUid == newUid) return;
  if (replaceInBrands) replaceInBrands(oldUid, newUid);
  recipes.replaceFood(oldUid, newUid);
  if (findUid(oldUid)) deleteCurrent();
}

BrandInfo IngredientTable::defaultPackage(long uid, BrandTable& brands) {
  if (!findUid(uid)) return {};
  const long preferred = number("BRAND");
  return preferred == 0 ? BrandInfo{} : brands.information(preferred);
}

long IngredientTable::copyWithBrands(const Ingredient& ingredient, long sourceUid,
                                     BrandTable& sourceBrands, BrandTable& brands,
                                     const std::function<long(long)>& mapUnit,
                                     const std::function<long(long)>& mapGroup) {
  std::vector<BrandRecord> sourceRecords;
  if (sourceUid != 0) {
    for (long b : sourceBrands.brandsOf(sourceUid)) sourceRecords.push_back(sourceBrands.read(b));
  }
  Ingredient copy = ingredient;
  copy.preferredBrand = 0;
  const long uid = save(copy, 0);
  for (const BrandRecord& record : sourceRecords) {
    const long brand = brands.copyFrom(record, uid, mapUnit, mapGroup);
    if (record.uid == ingredient.preferredBrand) copy.preferredBrand = brand;
  }
  if (copy.preferredBrand != 0) save(copy, uid);
  return uid;
}

}  // namespace savora::food
