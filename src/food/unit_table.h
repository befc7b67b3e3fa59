// The unit table module: the user's list of units (and the exchange copies of it), its
// lookups, saving, copying between tables, and replacing a unit everywhere it is used.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "food/unit_conversion.h"
#include "food/unit_names.h"
#include "store/table_module.h"

namespace savora::store {
class RecipeTable;
}

namespace savora::food {

inline constexpr const char* kUnitNameTag = "NAME_TAG";
inline constexpr const char* kUnitAbbreviationTag = "ABBREV_TAG";
// TYPE values.
inline constexpr long kVolumeUnit = 0;
inline constexpr long kWeightUnit = 1;

// The in-memory copy of a unit that windows edit and that is copied between tables.
struct UnitRecord {
  std::string name;          // singular, up to 46 characters (the table keeps 25)
  std::string abbreviation;  // up to 46 characters (the table keeps 25)
  long type = kVolumeUnit;
  std::string conversion;   // quantity text: 1 unit = conversion conversionUnit
  long conversionUnit = 0;  // 0: the conversion counts items ("dozen" = 12)
  long smallestMeasure = 2;
  long adjust = 0;
  long frequency = 0;  // usage count
};

// True when the records differ in anything the user edits (the usage count is not compared).
bool unitRecordsDiffer(const UnitRecord& a, const UnitRecord& b);

store::TableDefinition unitTableDefinition(const std::string& name);

class UnitTable : public store::TableModule {
 public:
  explicit UnitTable(store::TableStore& store, const std::string& name = "unit");

  // Walks the units in name order (abbreviation order when `byName` is false and the switch is
  // on), giving the trimmed name or abbreviation; nothing at the end.
  std::optional<std::string> firstName(bool byName, UnitSettings settings);
  std::optional<std::string> nextName();

  // True when the unit exists and is not deleted; it is then current. 0 never matches.
  bool findUid(long uid) { return seekUid(uid); }
  // True when a unit's name (or abbreviation) equals the trimmed text ignoring case; it is then
  // current. False for empty text.
  bool findText(std::string_view text, bool byAbbreviation);

  // Field values of a unit; -1 when it is not found.
  long type(long uid);
  long smallestMeasure(long uid);
  long adjustFlag(long uid);
  // Items one unit counts ("dozen": 12): the parsed conversion number when the unit has no
  // conversion unit; 0 otherwise or when not found (-1 for unreadable conversion text).
  double countFactor(long uid);
  // True for no unit (0) and for a unit whose name holds no "-" (compound units such as
  // "fl-oz" are not plain).
  bool plainUnit(long uid);
  // The first plain unit of the type, walking from the top in the currently selected order;
  // 0 when none.
  long firstPlainUnitOfType(long type);
  // One more recipe line took the unit.
  void countUse(long uid);

  // The unit, or a blank record when not found.
  UnitRecord readRecord(long uid);
  // Appends the record under the next UID (uid 0) or writes it over the unit; then closes the
  // table (packing by the rule) and opens it again. Returns the unit's UID (0 when the table
  // could not be written).
  long saveRecord(const UnitRecord& record, long uid);
  // Saves a new unit (uid 0) or rewrites one with both name and abbreviation set to `name` and
  // everything else blank.
  long addByName(std::string_view name, long uid);

  // Points every reference to `oldUid` at `newUid` (recipe lines, brands through the hook,
  // definitions of other units), then deletes the old unit. Nothing happens when both are the
  // same unit or oldUid is 0.
  void replace(long oldUid, long newUid, store::RecipeTable& recipes);
  // Deletes a unit: its recipe lines, brands and definitions lose their unit.
  void remove(long uid, store::RecipeTable& recipes) { replace(uid, 0, recipes); }

  // Copies a unit of `source` keeping its UID (written over a unit of this table with that
  // UID), and the units its definition depends on that this table lacks, recursively.
  void copyInto(const UnitRecord& record, long uid, UnitTable& source);
  // Copies a unit of `source` under this table's next UID. The unit its definition refers to
  // is looked up here by name, copied first when missing (recursively), and the copy refers to
  // the unit of this table. Returns the new UID.
  long copyWithNewUid(const UnitRecord& record, UnitTable& source);

  // The conversion list of the units as they are now.
  ConversionList conversionList();

  // Called by replace() with the old and new UID: brands point their units at the new one.
  std::function<void(long oldUid, long newUid)> replaceInBrands;

 private:
  struct CopyState;
  void writeRecord(const UnitRecord& record);
  long copyWithNewUid(const UnitRecord& record, UnitTable& source, CopyState& state);

  std::string walkField_ = "NAME";
};

}  // namespace savora::food
