#include "food/unit_names.h"

#include <algorithm>
#include <optional>

#include "food/quantity.h"
#include "food/unit_table.h"
#include "platform/text.h"

namespace savora::food {
namespace {

// English plurals of the words units are named with: a word ending in s, x, z, ch or sh takes
// "es" ("box", "pinch", "bunch", "glass"), any other "s".
bool takesEs(std::string_view word) {
  const std::string lower = platform::toLower(word);
  return lower.ends_with('s') || lower.ends_with('x') || lower.ends_with('z') ||
         lower.ends_with("ch") || lower.ends_with("sh");
}

// How many letters the plural ending of `plural` has: 2 for "es" after a stem that takes it.
size_t pluralEnding(std::string_view plural) {
  const std::string lower = platform::toLower(plural);
  if (lower.size() <= 3 || !lower.ends_with("es")) return 1;
  // "cases" and "slices" drop the s alone; a stem of one s ("cas") is taken for a word in -se.
  const std::string_view stem = std::string_view(lower).substr(0, lower.size() - 2);
  const bool es = stem.ends_with("ss") || stem.ends_with('x') || stem.ends_with('z') ||
                  stem.ends_with("ch") || stem.ends_with("sh");
  return es ? 2 : 1;
}

// Abbreviations written with a full stop ("pkg.") have no plural.
bool keepsItsForm(std::string_view word) {
  return platform::equalsIgnoreCase(word, "dozen") || word.ends_with('.');
}

// The shown name of a unit: its abbreviation under the switch, else its name; nothing when the
// unit is not found.
std::optional<std::string> shownName(UnitTable& units, long uid, UnitSettings settings) {
  if (!units.findUid(uid)) return std::nullopt;
  return units.text(settings.abbreviatedUnits ? "ABBREV" : "NAME");
}

}  // namespace

std::string pluralize(std::string_view word) {
  std::string plural(word);
  if (keepsItsForm(word) || word.empty()) return plural;
  plural += takesEs(word) ? "es" : "s";
  return plural;
}

std::string singularize(std::string_view word) {
  if (keepsItsForm(word)) return std::string(word);
  const size_t drop = std::min(word.size(), pluralEnding(word));
  return std::string(word.substr(0, word.size() - drop));
}

std::string unitNameForQuantity(UnitTable& units, std::string_view quantity, long uid,
                                UnitSettings settings) {
  return unitNameForPlural(units, isPluralQuantity(quantity), uid, settings);
}

std::string unitNameForPlural(UnitTable& units, bool plural, long uid, UnitSettings settings) {
  const auto name = shownName(units, uid, settings);
  if (!name) return {};
  return plural && !settings.abbreviatedUnits ? pluralize(*name) : *name;
}

std::string unitFullNameForPlural(UnitTable& units, bool plural, long uid) {
  const auto name = shownName(units, uid, UnitSettings{});
  if (!name) return {};
  return plural ? pluralize(*name) : *name;
}

long unitUidOfText(UnitTable& units, std::string_view text, bool byAbbreviation,
                   UnitSettings settings) {
  if (units.findText(text, byAbbreviation)) return units.number("UID");
  if (settings.abbreviatedUnits || text.empty()) return 0;
  const char last = text.back();
  if (last != 's' && last != 'S') return 0;
  const size_t ending = pluralEnding(text);
  const std::string_view stem = text.substr(0, text.size() - std::min(ending, text.size()));
  if (units.findText(stem, byAbbreviation)) return units.number("UID");
  return 0;
}

}  // namespace savora::food
