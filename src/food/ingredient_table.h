// The ingredient table ("food"): the named foods that recipe lines point at, with singular and
// plural names, the interchangeable flag, the preferred brand and a usage count.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "food/brand.h"
#include "store/recipe_table.h"
#include "store/table_module.h"

namespace savora::food {

class BrandTable;

inline constexpr size_t kIngredientNameLength = 46;
inline constexpr const char* kIngredientNameTag = "NAME_TAG";

struct Ingredient {
  std::string name;    // singular; names added by typing are lower case
  std::string plural;  // empty: the singular serves for both
  bool interchangeable = false;
  long preferredBrand = 0;
  long frequency = 0;
};

// True when the user-visible parts differ: name, plural, interchangeable flag, preferred brand.
bool ingredientsDiffer(const Ingredient& a, const Ingredient& b);

// Whether a quantity text calls for an ingredient's plural name: a value above 1, or for 1 or
// less any "to" or "or" in the text, or a range "a-b" with a below b and b above 1.
bool ingredientQuantityIsPlural(std::string_view quantityText);

store::TableDefinition ingredientTableDefinition(const std::string& name = "food");

class IngredientTable : public store::TableModule {
 public:
  explicit IngredientTable(store::TableStore& store, const std::string& name = "food");

  // Walks by UID or by name, giving trimmed names; nothing at the end.
  std::optional<std::string> firstByUid();
  std::optional<std::string> firstByName();
  std::optional<std::string> nextName();

  bool findUid(long uid) { return seekUid(uid); }
  // The ingredient whose name equals the text ignoring case; it is then current.
  bool findByName(std::string_view text);
  // Scans for an ingredient whose non-empty plural equals the text ignoring case.
  bool findByPlural(std::string_view text);
  // The UID of the ingredient named by the text (singular or plural), or 0.
  long uidOfText(std::string_view text);
  // Matches "eggs" and "egg" alike: the text with a final "s" taken off, then with one added.
  bool findByNameWithPluralVariants(std::string_view text);

  // The name to show for a quantity text ("" when not found): the plural when the quantity
  // calls for it (or `forcePlural`) and the ingredient has one.
  std::string nameForQuantity(long uid, std::string_view quantityText, bool forcePlural = false);
  std::string nameForPluralFlag(long uid, bool plural);
  bool interchangeable(long uid);
  std::optional<Ingredient> read(long uid);
  void countUse(long uid);

  // Appends (uid 0, under the next UID) or overwrites the ingredient, then closes and reopens
  // the table. Returns its UID.
  long save(const Ingredient& ingredient, long uid);
  // Adds a typed name (trimmed, lower case) with no preferred brand; returns its UID.
  long addByName(std::string_view text);

  // Points everything that used `oldUid` at `newUid` (0: nothing) and deletes `oldUid`: brands
  // (through the hook) and every recipe line of `recipes`.
  void replace(long oldUid, long newUid, store::RecipeTable& recipes);
  void remove(long uid, store::RecipeTable& recipes) { replace(uid, 0, recipes); }

  // The information of the ingredient's preferred brand; empty when it has none.
  BrandInfo defaultPackage(long uid, BrandTable& brands);
  // Copies an ingredient of another ingredient table (`sourceUid` there) under this table's
  // next UID, with its brands from `sourceBrands` into `brands`; the preferred brand follows
  // its copy. `mapUnit` and `mapGroup` translate the source's unit and group identifiers.
  // Returns the new UID.
  long copyWithBrands(const Ingredient& ingredient, long sourceUid, BrandTable& sourceBrands,
                      BrandTable& brands, const std::function<long(long)>& mapUnit = {},
                      const std::function<long(long)>& mapGroup = {});

  // Moves every brand of one ingredient to another (0: unassigned). The brand table fills it.
  std::function<void(long oldUid, long newUid)> replaceInBrands;

 private:
  Ingredient current();
};

}  // namespace savora::food
