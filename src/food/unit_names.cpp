#include "food/unit_names.h"

#include <algorithm>
#include <optional>

#include "food/quantity.h"
#include "food/unit_table.h"
#include "platform/text.h"

namespace savora::food {
namespace {

bool takesEs(std::string_view word) {
  return word.find("box") != std::string_view::npos ||
         word.find("pouch") != std::string_view::npos ||
         word.find("dash") != std::string_view::npos;
}

bool isDozen(std::string_view word) {
  return platform::equalsIgnoreCase(word, "dozen");
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
  if (isDozen(word)) return plural;
  plural += takesEs(word) ? "es" : "s";
  return plural;
}

std::string singularize(std::string_view word) {
  if (isDozen(word)) return std::string(word);
  const bool twoLetters = word.find("boxes") != std::string_view::npos ||
                          word.find("pouches") != std::string_view::npos ||
                          word.find("dashes") != std::string_view::npos;
  const size_t drop = std::min(word.size(), size_t(twoLetters ? 2 : 1));
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
  const size_t ending = takesEs(text) ? 2 : 1;
  const std::string_view stem = text.substr(0, text.size() - std::min(ending, text.size()));
  if (units.findText(stem, byAbbreviation)) return units.number("UID");
  return 0;
}

}  // namespace savora::food
