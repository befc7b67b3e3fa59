#include "food/unit_table.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "food/quantity.h"
#include "platform/text.h"
#include "store/recipe_table.h"

namespace savora::food {
namespace {

using platform::equalsIgnoreCase;

// Quarts and gallons measure liquids; a unit of that name (singular, as stored) is marked so.
bool isBulkMeasure(std::string_view name) {
  return equalsIgnoreCase(name, "quart") || equalsIgnoreCase(name, "gallon");
}

// Metric units are written in decimals ("1.5 liters"), as metric recipes write them.
bool isMetric(std::string_view name) {
  for (const char* metric : {"gram", "kilogram", "milligram", "liter", "litre", "milliliter",
                             "millilitre", "deciliter", "centiliter"}) {
    if (equalsIgnoreCase(name, metric)) return true;
  }
  return false;
}

// Numbers are kept in the range their field can hold: a value from an import or a foreign
// table that does not fit would otherwise stop the write.
double fitN5(long value) {
  return double(std::clamp(value, -9999L, 99999L));
}
double fitN1(long value) {
  return double(std::clamp(value, 0L, 9L));
}

}  // namespace

bool unitRecordsDiffer(const UnitRecord& a, const UnitRecord& b) {
  return a.name != b.name || a.abbreviation != b.abbreviation || a.type != b.type ||
         a.conversion != b.conversion || a.conversionUnit != b.conversionUnit ||
         a.smallestMeasure != b.smallestMeasure || a.adjust != b.adjust;
}

store::TableDefinition unitTableDefinition(const std::string& name) {
  store::TableDefinition def;
  def.name = name;
  def.packAfterDeletions = 10;
  def.packText = "Compressing Unit List Data...Please Wait.";
  def.fields = {{"UID", 'N', 5, 0},     {"NAME", 'C', 25, 0},       {"ABBREV", 'C', 25, 0},
                {"TYPE", 'N', 5, 0},    {"CONVERSION", 'C', 20, 0}, {"CONV_UNIT", 'N', 5, 0},
                {"MEASURE", 'N', 5, 0}, {"ADJUST", 'N', 1, 0},      {"FREQUENCY", 'N', 5, 0}};
  def.tags = {{store::kUidTag, "UID", store::kNotDeleted, false, false},
              {kUnitNameTag, "NAME", store::kNotDeleted, false, false},
              {kUnitAbbreviationTag, "ABBREV", store::kNotDeleted, false, false}};
  return def;
}

UnitTable::UnitTable(store::TableStore& store, const std::string& name)
    : TableModule(store, unitTableDefinition(name)) {}

std::optional<std::string> UnitTable::firstName(bool byName, UnitSettings settings) {
  const bool byAbbreviation = !byName && settings.abbreviatedUnits;
  walkField_ = byAbbreviation ? "ABBREV" : "NAME";
  if (!first(byAbbreviation ? kUnitAbbreviationTag : kUnitNameTag)) return std::nullopt;
  return text(walkField_);
}

std::optional<std::string> UnitTable::nextName() {
  if (!next()) return std::nullopt;
  return text(walkField_);
}

bool UnitTable::findText(std::string_view text, bool byAbbreviation) {
  return byAbbreviation ? findIgnoringCase(kUnitAbbreviationTag, "ABBREV", text)
                        : findIgnoringCase(kUnitNameTag, "NAME", text);
}

long UnitTable::type(long uid) {
  return findUid(uid) ? number("TYPE") : -1;
}
long UnitTable::smallestMeasure(long uid) {
  return findUid(uid) ? number("MEASURE") : -1;
}
long UnitTable::adjustFlag(long uid) {
  return findUid(uid) ? number("ADJUST") : -1;
}

double UnitTable::countFactor(long uid) {
  if (!findUid(uid)) return 0;
  const double factor = parseQuantity(text("CONVERSION"));
  return factor != 0 && number("CONV_UNIT") == 0 ? factor : 0;
}

bool UnitTable::plainUnit(long uid) {
  if (uid == 0 || !findUid(uid)) return true;
  return text("NAME").find('-') == std::string::npos;
}

long UnitTable::firstPlainUnitOfType(long type) {
  if (!isOpen()) return 0;
  xbase::Table& t = table();
  for (bool on = t.top(); on; on = t.skip(1)) {
    if (t.deleted()) continue;
    if (number("TYPE") == type && text("NAME").find('-') == std::string::npos) {
      return number("UID");
    }
  }
  return 0;
}

void UnitTable::countUse(long uid) {
  if (!findUid(uid)) return;
  setNumber("FREQUENCY", fitN5(number("FREQUENCY") + 1));
  table().flush();
}

UnitRecord UnitTable::readRecord(long uid) {
  UnitRecord record;
  if (!findUid(uid)) return record;
  record.name = text("NAME");
  record.abbreviation = text("ABBREV");
  record.type = number("TYPE");
  record.conversion = text("CONVERSION");
  record.conversionUnit = number("CONV_UNIT");
  record.smallestMeasure = number("MEASURE");
  record.adjust = number("ADJUST");
  record.frequency = number("FREQUENCY");
  return record;
}

void UnitTable::writeRecord(const UnitRecord& record) {
  setText("NAME", record.name);
  setText("ABBREV", record.abbreviation);
  setNumber("TYPE", fitN5(record.type));
  setText("CONVERSION", record.conversion);
  setNumber("CONV_UNIT", fitN5(record.conversionUnit));
  setNumber("MEASURE", fitN5(record.smallestMeasure));
  setNumber("ADJUST", fitN1(record.adjust));
  setNumber("FREQUENCY", fitN5(record.frequency));
}

long UnitTable::saveRecord(const UnitRecord& record, long uid) {
  if (!isOpen()) return 0;
  return storeRecord(uid, [&] { writeRecord(record); });
}

long UnitTable::addByName(std::string_view name, long uid) {
  UnitRecord record;
  record.name = std::string(name);
  record.abbreviation = std::string(name);
  return saveRecord(record, uid);
}

void UnitTable::replace(long oldUid, long newUid, store::RecipeTable& recipes) {
  // Replacing a unit by itself would delete it under its own references; replacing "no unit"
  // would give every line without a unit this one.
  if (oldUid == newUid || oldUid == 0) return;
  recipes.replaceUnit(oldUid, newUid);
  if (replaceInBrands) replaceInBrands(oldUid, newUid);
  // CONV_UNIT is in no tag, so rewriting it does not move the walk.
  for (bool on = first(store::kUidTag); on; on = next()) {
    if (number("CONV_UNIT") == oldUid) setNumber("CONV_UNIT", fitN5(newUid));
  }
  if (isOpen()) table().flush();
  if (findUid(oldUid)) deleteCurrent();
}

void UnitTable::copyInto(const UnitRecord& record, long uid, UnitTable& source) {
  if (uid <= 0) return;
  // A second record with the same UID would make both unreachable by UID; the copy replaces
  // the unit that holds it.
  if (findUid(uid)) {
    writeRecord(record);
    table().flush();
  } else {
    appendStart(uid);
    writeRecord(record);
    append();
  }
  // The unit is in the table before its dependencies are copied, so a chain of definitions
  // that comes back to it ends here.
  const long conversionUnit = record.conversionUnit;
  if (conversionUnit != 0 && !findUid(conversionUnit) && source.findUid(conversionUnit)) {
    copyInto(source.readRecord(conversionUnit), conversionUnit, source);
  }
}

// Units of one copyWithNewUid() call: names whose copy is under way (a definition that refers
// back to one of them is completed once that copy exists), and copies waiting for them.
struct UnitTable::CopyState {
  std::vector<std::string> underWay;
  std::vector<std::pair<long, std::string>> waiting;  // new UID, name of its conversion unit
};

long UnitTable::copyWithNewUid(const UnitRecord& record, UnitTable& source) {
  CopyState state;
  return copyWithNewUid(record, source, state);
}

long UnitTable::copyWithNewUid(const UnitRecord& record, UnitTable& source, CopyState& state) {
  UnitRecord copy = record;
  std::optional<std::string> waitFor;
  state.underWay.push_back(record.name);
  if (record.conversionUnit != 0) {
    if (!source.findUid(record.conversionUnit)) {
      copy.conversionUnit = 0;  // the source itself has lost that unit
    } else {
      const UnitRecord dependency = source.readRecord(record.conversionUnit);
      const bool underWay = std::any_of(
          state.underWay.begin(), state.underWay.end(),
          [&](const std::string& name) { return equalsIgnoreCase(name, dependency.name); });
      if (findText(dependency.name, false)) {
        copy.conversionUnit = number("UID");
      } else if (underWay) {
        copy.conversionUnit = 0;
        waitFor = dependency.name;
      } else {
        copy.conversionUnit = copyWithNewUid(dependency, source, state);
      }
    }
  }
  const long uid = nextUid();
  appendStart(uid);
  writeRecord(copy);
  append();
  if (waitFor) state.waiting.emplace_back(uid, *waitFor);
  std::erase_if(state.waiting, [&](const std::pair<long, std::string>& waiting) {
    if (!equalsIgnoreCase(waiting.second, record.name) || !findUid(waiting.first)) return false;
    setNumber("CONV_UNIT", fitN5(uid));
    table().flush();
    return true;
  });
  state.underWay.pop_back();
  return uid;
}

ConversionList UnitTable::conversionList() {
  std::vector<ConversionEntry> entries;
  for (bool on = first(kUnitNameTag); on; on = next()) {
    ConversionEntry entry;
    entry.uid = number("UID");
    entry.factor = float(parseQuantity(text("CONVERSION")));
    entry.conversionUnit = number("CONV_UNIT");
    entry.adjust = number("ADJUST");
    entry.smallestMeasure = number("MEASURE");
    entry.type = number("TYPE");
    entry.bulk = isBulkMeasure(platform::trim(text("NAME")));
    entry.metric = isMetric(platform::trim(text("NAME")));
    entries.push_back(entry);
  }
  return ConversionList(std::move(entries));
}

}  // namespace savora::food
