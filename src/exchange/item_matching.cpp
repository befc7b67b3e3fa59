#include "exchange/item_matching.h"

#include <vector>

#include "exchange/exchange_scratch.h"
#include "platform/file_ops.h"
#include "platform/log.h"

namespace savora::exchange {

namespace {

store::TableModule& exchangeTable(MatchMode mode, FoodTranslation& food) {
  if (mode == MatchMode::Units) return food.exchangeUnits();
  return food.exchangeIngredients();
}

}  // namespace

ItemMatching::ItemMatching(store::TableStore& store, MatchMode mode, FoodTranslation& food,
                           AutomaticChoices choices)
    : store_(store),
      mode_(mode),
      food_(food),
      alwaysAdd_(choices.alwaysAdd),
      alwaysMemorize_(choices.alwaysMemorize) {
  const char* table = kIngredientMemory;
  if (mode == MatchMode::Units) {
    makerTable_ = platform::fileExists(std::string(kMakerUnitTable) + ".dbf");
    table = makerTable_ ? kMakerUnitTable : kUnitMemory;
  }
  memory_ = std::make_unique<MemorizedTable>(store, table);
  memory_->open();
  advance();
}

// An import ended midway (its window closed) leaves the user's tables as they are.
ItemMatching::~ItemMatching() {
  if (!closed_) memory_->close();
}

bool ItemMatching::lacks(long uid) {
  if (mode_ == MatchMode::Units) {
    if (!food_.userLacksUnit(uid)) return false;
    const std::string abbreviation = food_.exchangeUnits().text("ABBREV");
    return abbreviation != kUnitAsInfo && abbreviation != kUnitDropped;
  }
  if (!food_.userLacksIngredient(uid)) return false;
  food_.exchangeIngredients().findUid(uid);
  return food_.exchangeIngredients().text("PLURAL") != kIngredientMemorized;
}

// The items are taken in the name order they had when the matching opened; those passed are
// decided for good (added, replaced or marked), so the walk goes on from the last one instead of
// from the top.
void ItemMatching::findNext() {
  if (order_.empty() && position_ == 0) {
    store::TableModule& table = exchangeTable(mode_, food_);
    for (bool on = table.first("NAME_TAG"); on; on = table.next()) {
      order_.push_back(table.number("UID"));
    }
  }
  while (position_ < order_.size() && !lacks(order_[position_])) ++position_;
  current_ = position_ < order_.size() ? order_[position_] : 0;
}

// Goes to the next item, deciding items at once while the check boxes say so. A decision made
// here comes back through advance(), which then leaves the walk to the loop, so a long run of
// automatic decisions does not nest.
void ItemMatching::advance() {
  if (advancing_) return;
  advancing_ = true;
  do {
    findNext();
  } while (current_ != 0 && decideAutomatically());
  advancing_ = false;
}

bool ItemMatching::decideAutomatically() {
  if (closing_) return false;
  if (alwaysMemorize_ && memorized()) {
    useMemorized();
  } else if (alwaysAdd_) {
    addToList();
  } else {
    return false;
  }
  return true;
}

std::string ItemMatching::itemName() {
  if (current_ == 0 || !exchangeTable(mode_, food_).seekUid(current_)) return "";
  return exchangeTable(mode_, food_).text("NAME");
}

long ItemMatching::uidOfUserItem(const std::string& name) {
  if (name.empty()) return 0;
  if (mode_ == MatchMode::Units) {
    return food_.user().units.findText(name, false) ? food_.user().units.number("UID") : 0;
  }
  return food_.user().ingredients.findByName(name) ? food_.user().ingredients.number("UID") : 0;
}

std::string ItemMatching::nameOfUserItem(long uid) {
  if (mode_ == MatchMode::Units) {
    return food_.user().units.findUid(uid) ? food_.user().units.text("NAME") : "";
  }
  return food_.user().ingredients.findUid(uid) ? food_.user().ingredients.text("NAME") : "";
}

std::optional<MemorizedShown> ItemMatching::memorized() {
  const std::optional<Memorized> found = memory_->find(itemName());
  if (!found) return std::nullopt;
  if (found->uid == 0 && mode_ == MatchMode::Units) {
    // A unit turned into text is remembered with "<info>" in its info text; without it the unit
    // was dropped.
    return MemorizedShown{found->info2 == kUnitAsInfo ? kUnitAsInfo : kUnitDropped, "", ""};
  }
  if (found->uid == 0) return MemorizedShown{"", found->info1, found->info2};
  const std::string name = nameOfUserItem(found->uid);
  if (name.empty()) return std::nullopt;  // the replacement was deleted since
  return MemorizedShown{name, found->info1, found->info2};
}

void ItemMatching::addToList() {
  if (current_ == 0) return;
  if (mode_ == MatchMode::Units) {
    food_.addUnit(current_);
  } else {
    food_.addIngredient(current_);
  }
  ++position_;  // decided, even when a table could not be written: the walk must go on
  advance();
}

// Writes the decision into the memorized table and its marker into the exchange record.
void ItemMatching::store(long uid, const std::string& info1, const std::string& info2,
                         const std::string& replacementName) {
  const std::string name = itemName();
  const bool unitAsText = mode_ == MatchMode::Units && replacementName == kUnitAsInfo;
  memory_->remember(name, uid, info1, unitAsText ? kUnitAsInfo : info2);
  store::TableModule& table = exchangeTable(mode_, food_);
  table.seekUid(current_);
  if (mode_ == MatchMode::Ingredients) {
    table.setText("PLURAL", kIngredientMemorized);
  } else if (uid == 0) {
    table.setText("ABBREV", replacementName);  // "<info>" or "<nothing>"
  } else {
    table.setText("NAME", replacementName);
  }
  table.table().flush();
  ++position_;
  advance();
}

bool ItemMatching::replace(const std::string& replacement, const std::string& info1,
                           const std::string& info2) {
  if (current_ == 0) return false;
  const long uid = uidOfUserItem(replacement);
  const bool allowed = mode_ == MatchMode::Units
                           ? replacement.empty() || uid != 0
                           : (replacement.empty() ? !info1.empty() || !info2.empty() : uid != 0);
  if (!allowed) {
    store_.user().message("Wait!", "ASTERISK", toolkit::Buttons::Ok, kNotOnListText);
    return false;
  }
  if (mode_ == MatchMode::Units) {
    store(uid, "", "", uid == 0 ? kUnitDropped : nameOfUserItem(uid));
  } else {
    store(uid, info1, info2, "");
  }
  return true;
}

void ItemMatching::makeText(const std::string& info1) {
  if (current_ == 0) return;
  if (mode_ == MatchMode::Units) {
    store(0, "", "", kUnitAsInfo);
  } else {
    replace("", info1, itemName());
  }
}

void ItemMatching::useMemorized() {
  const std::optional<MemorizedShown> shown = memorized();
  if (current_ == 0 || !shown) return;
  if (mode_ == MatchMode::Units) {
    const bool none = shown->replacement == kUnitDropped || shown->replacement == kUnitAsInfo;
    const long uid = none ? 0 : uidOfUserItem(shown->replacement);
    store(uid, "", "", shown->replacement);
  } else {
    store(uidOfUserItem(shown->replacement), shown->info1, shown->info2, "");
  }
}

void ItemMatching::setAlwaysAdd(bool on) {
  alwaysAdd_ = on;
  if (on) addToList();
}

void ItemMatching::setAlwaysMemorize(bool on) {
  alwaysMemorize_ = on;
  if (on && current_ != 0 && memorized()) useMemorized();
}

std::vector<std::string> ItemMatching::userItemNames() {
  std::vector<std::string> names;
  if (mode_ == MatchMode::Units) {
    store::TableModule& units = food_.user().units;
    for (bool on = units.first(food::kUnitNameTag); on; on = units.next()) {
      if (std::string name = units.text("NAME"); !name.empty()) names.push_back(name);
    }
    return names;
  }
  food::IngredientTable& ingredients = food_.user().ingredients;
  for (auto name = ingredients.firstByName(); name; name = ingredients.nextName()) {
    if (!name->empty()) names.push_back(*name);
  }
  return names;
}

void ItemMatching::close() {
  if (closed_) return;
  closed_ = true;
  closing_ = true;
  while (current_ != 0) addToList();
  if (mode_ == MatchMode::Units) {
    // Units added take their conversion units by name as they are copied.
    toolkit::StatusScope status(store_.user());
    status.show("Linking Units", "Linking New Units...");
  }
  memory_->close();
  for (const char* extension : {".dbf", ".cdx", ".fpt"}) {
    platform::logIfFailed(platform::deleteIfPresent(std::string(kMakerUnitTable) + extension),
                          std::string("cannot delete ") + kMakerUnitTable + extension);
  }
}

}  // namespace savora::exchange
