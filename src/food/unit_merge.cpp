#include "food/unit_merge.h"

#include <charconv>
#include <optional>

#include "food/quantity.h"
#include "platform/text.h"

namespace savora::food {

using toolkit::Button;
using toolkit::Buttons;

namespace {

// A smallest measure typed as a whole number within the accepted range.
std::optional<long> readSmallestMeasure(std::string_view text) {
  const std::string trimmed = platform::trim(text);
  long value = 0;
  const char* end = trimmed.data() + trimmed.size();
  const auto [stop, error] = std::from_chars(trimmed.data(), end, value);
  if (trimmed.empty() || error != std::errc() || stop != end) return std::nullopt;
  if (value < kMinimumSmallestMeasure || value > kMaximumSmallestMeasure) return std::nullopt;
  return value;
}

// The name as units keep it: trimmed, without a plural "s".
std::string singularName(std::string_view typed) {
  std::string name = platform::trim(typed);
  if (!name.empty() && (name.back() == 's' || name.back() == 'S')) name.pop_back();
  return platform::trimRight(name);
}

// The unit record the entries make, or nothing after telling the user what is wrong.
std::optional<UnitRecord> checkedRecord(toolkit::User& user, const UnitRecord& loaded,
                                        const UnitEntries& entries) {
  UnitRecord edited = loaded;
  edited.name = singularName(entries.name);
  if (edited.name.empty()) {
    user.message("Error!", "EXCLAMATION", Buttons::Ok, "You must enter a name!");
    return std::nullopt;
  }
  edited.abbreviation = platform::trim(entries.abbreviation);
  if (edited.abbreviation.empty()) {
    user.message("Error!", "EXCLAMATION", Buttons::Ok, "You must enter an abbreviation!");
    return std::nullopt;
  }
  edited.type = entries.type;
  edited.conversion = platform::trim(entries.conversion);
  edited.conversionUnit = entries.conversionUnit;
  edited.adjust = entries.adjust ? 1 : 0;
  const auto measure = readSmallestMeasure(entries.smallestMeasure);
  if (parseQuantity(edited.conversion) < 0 || !measure) {
    user.message("Wait!", "HAND", Buttons::Ok,
                 "The conversion number is negative or\r\notherwise invalid. This will cause "
                 "an\r\nerror when the shopping list is generated.\r\nPlease check the numbers "
                 "entered. Press\r\nF1 for more help.\r\n");
    return std::nullopt;
  }
  edited.smallestMeasure = *measure;
  return edited;
}

}  // namespace

UnitSaved saveUnit(UnitTable& units, store::RecipeTable& recipes, toolkit::User& user, long uid,
                   const UnitRecord& loaded, const UnitEntries& entries) {
  const auto edited = checkedRecord(user, loaded, entries);
  if (!edited) return {};
  if (!unitRecordsDiffer(loaded, *edited)) return {true, 0};

  // The unit that already has the name (or the abbreviation), when it is another one.
  auto owner = [&](const std::string& text, const std::string& loadedText, bool abbreviation) {
    if (!loadedText.empty() && platform::equalsIgnoreCase(text, loadedText)) return 0L;
    if (!units.findText(text, abbreviation)) return 0L;
    const long found = units.number("UID");
    return found == uid ? 0L : found;
  };
  const long nameOwner = owner(edited->name, loaded.name, false);
  const long abbreviationOwner = owner(edited->abbreviation, loaded.abbreviation, true);

  if (uid == 0 || (nameOwner == 0 && abbreviationOwner == 0)) {
    if (nameOwner != 0 || abbreviationOwner != 0) {
      user.message("Error!", "EXCLAMATION", Buttons::Ok, "That name is already on the list!");
      return {};
    }
    const long saved = units.saveRecord(*edited, uid);
    if (saved == 0) return {};  // the table could not be written: the entries stay on screen
    return {true, saved};
  }

  // An existing unit renamed to another unit: the user may merge the two.
  const long other = nameOwner != 0 ? nameOwner : abbreviationOwner;
  if (user.message("Replace Unit?", "QUESTION", Buttons::YesNo,
                   "That unit already exists!\r\nDo you want to replace it?") != Button::Yes)
    return {true, 0};
  units.replace(uid, other, recipes);
  return {true, other};
}

}  // namespace savora::food
