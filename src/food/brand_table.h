// The brand table ("brand"): the purchasable products of the ingredients, with package, price,
// serving and nutrients, equivalences and food group. The user's table and the exchange copies
// use this module.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "food/brand.h"
#include "store/table_module.h"

namespace savora::store {
class RecipeTable;
}

namespace savora::food {

class FoodGroupTable;
class IngredientTable;
class UnitTable;

store::TableDefinition brandTableDefinition(const std::string& name = "brand");

class BrandTable : public store::TableModule {
 public:
  // `units` gives the unit types the brand information needs (the user's unit table, or the
  // exchange unit table for an exchange brand table).
  BrandTable(store::TableStore& store, UnitTable& units, const std::string& name = "brand");

  // Walks in record order, by name, or the brands of one ingredient (callers stop when
  // ingredientOfCurrent() changes); each gives the brand's UID, nothing at the end.
  std::optional<long> firstByRecord();
  std::optional<long> firstByName();
  std::optional<long> firstOfIngredient(long ingredient);
  std::optional<long> nextBrand();
  long ingredientOfCurrent();
  // The UIDs of an ingredient's brands (0: the unassigned ones), in IN_TAG order.
  std::vector<long> brandsOf(long ingredient);

  bool findUid(long uid) { return seekUid(uid); }
  // True when a brand's name equals the text ignoring case; it is then current.
  bool findByName(std::string_view name);
  std::string nameOf(long uid);       // "" when missing
  long uidOf(std::string_view name);  // 0 when missing
  long ingredientOfName(std::string_view name);
  long ingredientOf(long uid);
  // Physical record number of a brand (0 when missing), and the brand at a record number.
  long recordNumberOf(long uid);
  long uidAtRecord(long recordNumber);

  // The brand; an empty record (UID 0) when missing.
  BrandRecord read(long uid);
  // Its information; empty (no name) when missing.
  BrandInfo information(long uid);
  // The first brand of the same ingredient as `uid` whose package may be divided.
  std::optional<BrandInfo> firstDivisible(long uid);

  // Appends the record under the next UID (uid 0) or writes it over the brand (a UID that is
  // not in the table is appended under that UID); then closes and reopens the table. Returns
  // the brand's UID.
  long save(const BrandRecord& record, long uid);
  // Sets the brand's ingredient (0: unassigned).
  void assign(long uid, long ingredient);
  // Deletes a brand. Recipe lines that named it name its ingredient instead.
  void remove(long uid, store::RecipeTable& recipes);

  // Cascades of the unit, ingredient and food group tables.
  void replaceUnit(long oldUid, long newUid);
  void replaceIngredient(long oldUid, long newUid);
  void moveGroup(long fromGroup, long toGroup);

  // Copies a brand of another brand table under this table's next UID, for the given
  // ingredient; `mapUnit` and `mapGroup` translate the source's identifiers (identity when
  // empty). Returns the new UID.
  long copyFrom(const BrandRecord& record, long ingredient,
                const std::function<long(long)>& mapUnit = {},
                const std::function<long(long)>& mapGroup = {});

 private:
  BrandRecord current();
  void write(const BrandRecord& record);
  std::optional<long> uidIfFound(bool found);

  UnitTable& units_;
};

// Makes unit replacements, ingredient replacements and food group deletions reach the brands.
void connectBrands(BrandTable& brands, UnitTable& units, IngredientTable& ingredients,
                   FoodGroupTable& groups);

}  // namespace savora::food
