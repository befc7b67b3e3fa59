#include "food/unit_conversion.h"

namespace savora::food {

const ConversionEntry* ConversionList::entry(long uid) const {
  for (const ConversionEntry& e : entries_) {
    if (e.uid == uid) return &e;
  }
  return nullptr;
}

ConversionEntry* ConversionList::find(long uid) {
  for (ConversionEntry& e : entries_) {
    if (e.uid == uid) return &e;
  }
  return nullptr;
}

long ConversionList::typeOf(long uid) const {
  const ConversionEntry* e = uid == 0 ? nullptr : entry(uid);
  return e ? e->type : -1;
}

float ConversionList::countFactor(long uid) const {
  const ConversionEntry* e = uid == 0 ? nullptr : entry(uid);
  return e && e->conversionUnit == 0 ? e->factor : 0;
}

float ConversionList::convert(float amount, long from, long to) {
  for (ConversionEntry& e : entries_) e.visited = false;
  target_ = to;
  if (from == to) return amount;
  return search(amount, from);
}

// Depth first from `unit`: first along the unit's own definition, then backwards along the
// definitions of the units defined by it. Visited marks keep every unit to one visit, so the
// search ends on any graph; the order of the steps decides which path answers when several do.
float ConversionList::search(float amount, long unit) {
  ConversionEntry* e = find(unit);
  if (!e) return -1;
  if (e->factor != 0 && e->conversionUnit != 0 && !e->visited) {
    // A unit defined directly by this one answers first (a factor of 0 would divide by zero).
    for (const ConversionEntry& x : entries_) {
      if (!x.visited && x.conversionUnit == unit && x.uid == target_ && x.factor != 0) {
        return amount / x.factor;
      }
    }
    e->visited = true;
    if (e->conversionUnit == target_ && e->factor != -1) return amount * e->factor;
    const float result = search(amount * e->factor, e->conversionUnit);
    if (result >= 0) return result;
  }
  e->visited = true;
  for (size_t i = 0; i < entries_.size(); ++i) {
    const ConversionEntry& x = entries_[i];
    if (x.visited || x.conversionUnit != unit) continue;
    if (x.uid == target_ && x.factor > 0) return amount / x.factor;
    if (x.factor != 0) {
      const float result = search(amount / x.factor, x.uid);
      if (result >= 0) return result;
    }
  }
  return -1;
}

float ConversionList::step(float amount, long& unit, Direction direction) {
  bool found = false;
  long chosen = 0;
  float chosenFactor = 0;
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].adjust == 0) continue;
    const long candidate = entries_[i].uid;
    const float f = convert(1.0f, unit, candidate);
    const bool fits =
        direction == Direction::Smaller ? f > 1.0f && f < 10000.0f : f < 1.0f && f > 0.0f;
    if (!fits) continue;
    const bool better =
        !found || (direction == Direction::Smaller ? f < chosenFactor : f > chosenFactor);
    if (better) {
      found = true;
      chosen = candidate;
      chosenFactor = f;
    }
  }
  if (!found) return -1;
  const float result = convert(amount, unit, chosen);
  unit = chosen;
  return result;
}

float ConversionList::nextSmaller(float amount, long& unit) {
  return step(amount, unit, Direction::Smaller);
}

float ConversionList::nextLarger(float amount, long& unit) {
  return step(amount, unit, Direction::Larger);
}

}  // namespace savora::food
