#include "food/brand_table.h"

#include "food/food_group_table.h"
#include "food/ingredient_table.h"
#include "food/unit_table.h"
#include "platform/text.h"
#include "store/recipe.h"
#include "store/recipe_table.h"

namespace savora::food {
namespace {

constexpr const char* kNameTag = "NAME_TAG";
constexpr const char* kIngredientTag = "IN_TAG";
// The six unit fields a unit replacement rewrites.
constexpr const char* kUnitFields[] = {"PRICE_UNIT", "SERVE_UNIT", "VOL_UNIT",
                                       "WT_UNIT",    "VOL_UNIT2",  "WT_UNIT2"};

std::string nutrientField(int index) {
  return "NUTRIENT" + std::to_string(index);
}

long mapped(const std::function<long(long)>& map, long uid) {
  return map && uid != 0 ? map(uid) : uid;
}

}  // namespace

store::TableDefinition brandTableDefinition(const std::string& name) {
  store::TableDefinition def;
  def.name = name;
  def.fields = {{"UID", 'N', 5, 0},        {"IN", 'N', 5, 0},         {"GROUP", 'N', 5, 0},
                {"NAME", 'C', 120, 0},     {"DOLLAR", 'N', 6, 2},     {"PRICE", 'C', 20, 0},
                {"PRICE_UNIT", 'N', 5, 0}, {"DIVIDE", 'N', 1, 0},     {"SERVE", 'C', 20, 0},
                {"SERVE_UNIT", 'N', 5, 0}, {"SERVINCONT", 'N', 7, 1}, {"UPC", 'C', 12, 0},
                {"VOLUME", 'C', 20, 0},    {"VOL_UNIT", 'N', 5, 0},   {"WEIGHT", 'C', 20, 0},
                {"WT_UNIT", 'N', 5, 0},    {"VOLUME2", 'C', 20, 0},   {"VOL_UNIT2", 'N', 5, 0},
                {"WEIGHT2", 'C', 20, 0},   {"WT_UNIT2", 'N', 5, 0},   {"MEDIA", 'C', 260, 0}};
  for (int i = 0; i < kNutrientCount; ++i) def.fields.push_back({nutrientField(i), 'N', 9, 2});
  def.tags = {{store::kUidTag, "UID", store::kNotDeleted, false, false},
              {kNameTag, "NAME", store::kNotDeleted, false, false},
              {kIngredientTag, "IN", store::kNotDeleted, false, false},
              {"GROUP_TAG", "GROUP", store::kNotDeleted, false, false}};
  def.packAfterDeletions = 10;
  def.packText = "Compressing Brand List Data...Please Wait.";
  return def;
}

BrandTable::BrandTable(store::TableStore& store, UnitTable& units, const std::string& name)
    : TableModule(store, brandTableDefinition(name)), units_(units) {}

std::optional<long> BrandTable::uidIfFound(bool found) {
  if (!found) return std::nullopt;
  return number("UID");
}

std::optional<long> BrandTable::firstByRecord() {
  return uidIfFound(first(""));
}

std::optional<long> BrandTable::firstByName() {
  return uidIfFound(first(kNameTag));
}

std::optional<long> BrandTable::firstOfIngredient(long ingredient) {
  if (!isOpen() || !table().selectTag(kIngredientTag)) return std::nullopt;
  if (table().seek(double(ingredient)) != xbase::SeekResult::Found) return std::nullopt;
  while (table().deleted()) {
    if (!table().skip(1)) return std::nullopt;
  }
  return number("IN") == ingredient ? uidIfFound(true) : std::nullopt;
}

std::optional<long> BrandTable::nextBrand() {
  return uidIfFound(next());
}

long BrandTable::ingredientOfCurrent() {
  return number("IN");
}

std::vector<long> BrandTable::brandsOf(long ingredient) {
  std::vector<long> uids;
  for (auto b = firstOfIngredient(ingredient); b && ingredientOfCurrent() == ingredient;
       b = nextBrand()) {
    uids.push_back(*b);
  }
  return uids;
}

bool BrandTable::findByName(std::string_view name) {
  return findIgnoringCase(kNameTag, "NAME", name);
}

std::string BrandTable::nameOf(long uid) {
  return findUid(uid) ? text("NAME") : std::string();
}

long BrandTable::uidOf(std::string_view name) {
  return findByName(name) ? number("UID") : 0;
}

long BrandTable::ingredientOfName(std::string_view name) {
  return findByName(name) ? number("IN") : 0;
}

long BrandTable::ingredientOf(long uid) {
  return findUid(uid) ? number("IN") : 0;
}

long BrandTable::recordNumberOf(long uid) {
  return findUid(uid) ? long(table().recordNumber()) : 0;
}

long BrandTable::uidAtRecord(long recordNumber) {
  if (!isOpen() || recordNumber < 1 || recordNumber > long(table().recordCount())) return 0;
  table().selectTag("");
  if (!table().go(uint32_t(recordNumber)) || table().deleted()) return 0;
  return number("UID");
}

BrandRecord BrandTable::current() {
  BrandRecord r;
  r.uid = number("UID");
  r.ingredient = number("IN");
  r.group = number("GROUP");
  r.name = text("NAME");
  r.price = decimal("DOLLAR");
  r.packageSize = text("PRICE");
  r.packageUnit = number("PRICE_UNIT");
  r.divisible = number("DIVIDE") != 0;
  r.serving = text("SERVE");
  r.servingUnit = number("SERVE_UNIT");
  r.servingsInPackage = decimal("SERVINCONT");
  r.upc = text("UPC");
  r.equivalence1 = {text("VOLUME"), number("VOL_UNIT"), text("WEIGHT"), number("WT_UNIT")};
  r.equivalence2 = {text("VOLUME2"), number("VOL_UNIT2"), text("WEIGHT2"), number("WT_UNIT2")};
  r.media = text("MEDIA");
  for (int i = 0; i < kNutrientCount; ++i) r.nutrients[size_t(i)] = decimal(nutrientField(i));
  return r;
}

BrandRecord BrandTable::read(long uid) {
  return findUid(uid) ? current() : BrandRecord{};
}

BrandInfo BrandTable::information(long uid) {
  if (!findUid(uid)) return {};
  return brandInformation(current(), [this](long unit) { return units_.type(unit); });
}

std::optional<BrandInfo> BrandTable::firstDivisible(long uid) {
  if (!findUid(uid)) return std::nullopt;
  for (long b : brandsOf(number("IN"))) {
    if (findUid(b) && number("DIVIDE") != 0) return information(b);
  }
  return std::nullopt;
}

void BrandTable::write(const BrandRecord& r) {
  setFittedNumber("IN", double(r.ingredient));
  setFittedNumber("GROUP", double(r.group));
  setText("NAME", platform::trim(r.name).substr(0, kBrandNameLength));
  setFittedNumber("DOLLAR", r.price);
  setText("PRICE", r.packageSize);
  setFittedNumber("PRICE_UNIT", double(r.packageUnit));
  setNumber("DIVIDE", r.divisible ? 1 : 0);
  setText("SERVE", r.serving);
  setFittedNumber("SERVE_UNIT", double(r.servingUnit));
  setFittedNumber("SERVINCONT", r.servingsInPackage);
  setText("UPC", r.upc);
  setText("VOLUME", r.equivalence1.volume);
  setFittedNumber("VOL_UNIT", double(r.equivalence1.volumeUnit));
  setText("WEIGHT", r.equivalence1.weight);
  setFittedNumber("WT_UNIT", double(r.equivalence1.weightUnit));
  setText("VOLUME2", r.equivalence2.volume);
  setFittedNumber("VOL_UNIT2", double(r.equivalence2.volumeUnit));
  setText("WEIGHT2", r.equivalence2.weight);
  setFittedNumber("WT_UNIT2", double(r.equivalence2.weightUnit));
  setText("MEDIA", r.media);
  for (int i = 0; i < kNutrientCount; ++i)
    setFittedNumber(nutrientField(i), r.nutrients[size_t(i)]);
}

long BrandTable::save(const BrandRecord& record, long uid) {
  if (!isOpen()) return 0;
  return storeRecord(uid, [&] { write(record); });
}

void BrandTable::assign(long uid, long ingredient) {
  if (!findUid(uid)) return;
  setFittedNumber("IN", double(ingredient));
  table().flush();
}

void BrandTable::remove(long uid, store::RecipeTable& recipes) {
  if (!findUid(uid)) return;
  const long ingredient = number("IN");
  // A line that named this product still calls for the food; an unassigned brand leaves the
  // line without an ingredient.
  recipes.replaceIngredientCode(uid + store::kBrandCodeBase, ingredient);
  if (findUid(uid)) deleteCurrent();
}

void BrandTable::replaceUnit(long oldUid, long newUid) {
  if (oldUid == newUid || !isOpen()) return;
  for (bool on = first(store::kUidTag); on; on = next()) {
    for (const char* f : kUnitFields) {
      if (number(f) == oldUid) setFittedNumber(f, double(newUid));
    }
  }
  table().flush();
}

void BrandTable::replaceIngredient(long oldUid, long newUid) {
  if (oldUid == newUid || !isOpen()) return;
  // IN is a tag key: walking by UID keeps the walk in place while IN changes.
  for (bool on = first(store::kUidTag); on; on = next()) {
    if (number("IN") == oldUid) setFittedNumber("IN", double(newUid));
  }
  table().flush();
}

void BrandTable::moveGroup(long fromGroup, long toGroup) {
  if (fromGroup == toGroup || !isOpen()) return;
  for (bool on = first(store::kUidTag); on; on = next()) {
    if (number("GROUP") == fromGroup) setFittedNumber("GROUP", double(toGroup));
  }
  table().flush();
}

long BrandTable::copyFrom(const BrandRecord& record, long ingredient,
                          const std::function<long(long)>& mapUnit,
                          const std::function<long(long)>& mapGroup) {
  BrandRecord copy = record;
  copy.ingredient = ingredient;
  copy.group = mapped(mapGroup, record.group);
  copy.packageUnit = mapped(mapUnit, record.packageUnit);
  copy.servingUnit = mapped(mapUnit, record.servingUnit);
  for (Equivalence* e : {&copy.equivalence1, &copy.equivalence2}) {
    e->volumeUnit = mapped(mapUnit, e->volumeUnit);
    e->weightUnit = mapped(mapUnit, e->weightUnit);
  }
  return save(copy, 0);
}

void connectBrands(BrandTable& brands, UnitTable& units, IngredientTable& ingredients,
                   FoodGroupTable& groups) {
  units.replaceInBrands = [&brands](long from, long to) { brands.replaceUnit(from, to); };
  ingredients.replaceInBrands = [&brands](long from, long to) {
    brands.replaceIngredient(from, to);
  };
  groups.moveBrands = [&brands](long from, long to) { brands.moveGroup(from, to); };
}

}  // namespace savora::food
