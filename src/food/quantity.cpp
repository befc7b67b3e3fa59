#include "food/quantity.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numeric>
#include <optional>
#include <utility>
#include <vector>

#include "food/unit_conversion.h"
#include "platform/text.h"

namespace savora::food {
namespace {

// Quantity text longer than this is read only this far.
constexpr size_t kMaxQuantityText = 31;
// Denominators above this are never tried: the search costs the square of the limit, and a
// smallest measure of thousands (a damaged or foreign table) would stall every written amount.
constexpr long kMaxFractionLimit = 1024;
// Without a unit, amounts are written in sixteenths.
constexpr long kLimitWithoutUnit = 16;
// Distances to candidate fractions closer than this are equal: k/d is accumulated in steps of
// 1/d, and its rounding must not let 6/12 beat an exact 1/2.
constexpr double kTieTolerance = 1e-9;

// Inside quantity text only the blank separates; a tab is trimmed at the ends but unreadable
// within.
bool isBlank(char c) {
  return c == ' ';
}
bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

std::string spellFractions(std::string_view text) {
  std::string spelled;
  for (char c : text) {
    const char* fraction = c == '\xBC'   ? "1/4"
                           : c == '\xBD' ? "1/2"
                           : c == '\xBE' ? "3/4"
                                         : nullptr;
    if (fraction == nullptr) {
      spelled += c;
      continue;
    }
    if (!spelled.empty() && isDigit(spelled.back())) spelled += ' ';
    spelled += fraction;
  }
  return spelled;
}

namespace {

// A mixed number that kept its dash may hold only these characters.
bool isMixedNumberText(std::string_view text) {
  for (char c : text) {
    if (!isDigit(c) && !isBlank(c) && c != '.' && c != '/' && c != '-') return false;
  }
  return true;
}

// The first range word ("to", "or") or dash of the text, left to right.
struct Marker {
  size_t position;
  bool dash;
};

std::optional<Marker> findMarker(std::string_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '-') return Marker{i, true};
    if (i + 1 < text.size()) {
      const std::string_view pair = text.substr(i, 2);
      if (pair == "to" || pair == "or") return Marker{i, false};
    }
  }
  return std::nullopt;
}

enum class Kind { NotAQuantity, Whole, Decimal, Fraction };

// A dash that survives range handling belongs to a mixed number ("1-1/2"), so it is read with
// the fractions; it may not follow the fraction bar or a decimal point.
Kind classify(std::string_view text) {
  if (text.empty()) return Kind::NotAQuantity;
  bool dot = false;
  bool slash = false;
  bool dash = false;
  for (char c : text) {
    if (isDigit(c) || isBlank(c)) continue;
    if (c == '.') {
      if (dot || slash || dash) return Kind::NotAQuantity;
      dot = true;
    } else if (c == '/') {
      if (slash || dot) return Kind::NotAQuantity;
      slash = true;
    } else if (c == '-') {
      if (dash || slash || dot) return Kind::NotAQuantity;
      dash = true;
    } else {
      return Kind::NotAQuantity;
    }
  }
  if (slash || dash) return Kind::Fraction;
  return dot ? Kind::Decimal : Kind::Whole;
}

// Reads a run of digits from `i` (none gives 0). Accumulated in double so that 31 digits
// cannot overflow.
double readDigits(std::string_view text, size_t& i) {
  double value = 0;
  while (i < text.size() && isDigit(text[i])) value = value * 10 + (text[i++] - '0');
  return value;
}

void skipBlanks(std::string_view text, size_t& i) {
  while (i < text.size() && isBlank(text[i])) ++i;
}

// "W/D", "W N/D" or "W-N/D"; -1 for a zero denominator or anything else.
double readFraction(std::string_view text) {
  size_t i = 0;
  skipBlanks(text, i);
  const double whole = readDigits(text, i);
  skipBlanks(text, i);
  if (i < text.size() && text[i] == '-') ++i;
  if (i < text.size() && text[i] == '/') {
    ++i;
    skipBlanks(text, i);
    const double denominator = readDigits(text, i);
    return denominator == 0 ? -1 : whole / denominator;
  }
  if (i < text.size() && isDigit(text[i])) {
    const double numerator = readDigits(text, i);
    skipBlanks(text, i);
    if (i < text.size()) ++i;  // the fraction bar
    skipBlanks(text, i);
    const double denominator = readDigits(text, i);
    skipBlanks(text, i);
    if (i < text.size() || denominator == 0) return -1;
    return whole + numerator / denominator;
  }
  return -1;
}

// The leading decimal number, as the C library's atof reads it but independent of the locale
// (the toolkit may set a locale with a decimal comma).
// Blanks next to the decimal point are typing slips ("1 .5", "1. 5" are 1.5); blanks between
// digits leave two numbers ("1 2", "1 2.5"), which are not one quantity (-1).
double readDecimal(std::string_view text) {
  std::string joined;
  for (size_t i = 0; i < text.size(); ++i) {
    const bool nextToPoint =
        (i > 0 && text[i - 1] == '.') || (i + 1 < text.size() && text[i + 1] == '.');
    if (isBlank(text[i]) && (nextToPoint || joined.empty() || joined.back() == '.')) continue;
    joined += text[i];
  }
  while (!joined.empty() && isBlank(joined.back())) joined.pop_back();
  if (joined.find(' ') != std::string::npos) return -1;
  double value = 0;
  std::from_chars(joined.data(), joined.data() + joined.size(), value);
  return value;
}

// Two whole numbers side by side ("1 2") are not one quantity: -1.
double readWhole(std::string_view text) {
  size_t i = 0;
  skipBlanks(text, i);
  const double value = readDigits(text, i);
  skipBlanks(text, i);
  return i < text.size() ? -1 : value;
}

}  // namespace

double parseQuantity(std::string_view text) {
  if (text.empty()) return 0;
  std::string work = platform::trim(spellFractions(text.substr(0, kMaxQuantityText)));
  if (const auto marker = findMarker(work)) {
    const size_t p = marker->position;
    if (!marker->dash) {
      // The character before the word goes too: "2 to 3" keeps "2".
      work.resize(p > 0 ? p - 1 : 0);
    } else {
      const double left = parseQuantity(std::string_view(work).substr(0, p));
      const double right = parseQuantity(std::string_view(work).substr(p + 1));
      if (!(right < left)) {
        work.resize(p);
      } else {
        // The dash stays: a mixed number ("1-1/2"), read by the fraction rule whatever the
        // left side is ("1/2-1/4" reads as 1/2).
        return isMixedNumberText(work) ? readFraction(work) : -1;
      }
    }
  }
  switch (classify(work)) {
    case Kind::Whole:
      return readWhole(work);
    case Kind::Decimal:
      return readDecimal(work);
    case Kind::Fraction:
      return readFraction(work);
    case Kind::NotAQuantity:
      break;
  }
  return -1;
}

std::optional<QuantityRange> parseRange(std::string_view text) {
  const std::string work = platform::trim(spellFractions(text.substr(0, kMaxQuantityText)));
  const std::string_view view(work);
  const auto marker = findMarker(view);
  if (!marker) return std::nullopt;
  const size_t p = marker->position;
  QuantityRange range;
  range.low = parseQuantity(platform::trim(view.substr(0, p)));
  range.high = parseQuantity(platform::trim(view.substr(p + (marker->dash ? 1 : 2))));
  range.separator = marker->dash ? "-" : " " + std::string(view.substr(p, 2)) + " ";
  // A descending pair is a mixed number ("1-1/2").
  if (!(range.low > 0) || !(range.high >= range.low)) return std::nullopt;
  return range;
}

bool isPluralQuantity(std::string_view text) {
  if (parseQuantity(text) > 1) return true;
  const std::string work = platform::trim(spellFractions(text.substr(0, kMaxQuantityText)));
  const std::string_view view(work);
  // The first range word or dash decides; what follows it is not looked at again.
  const auto marker = findMarker(view);
  if (!marker) return false;
  const size_t p = marker->position;
  if (!marker->dash) return parseQuantity(view.substr(p + 2)) > 1;
  const double left = parseQuantity(view.substr(0, p));
  const double right = parseQuantity(view.substr(p + 1));
  return left < right && right > 1;
}

Fraction nearestFraction(double f, long limit) {
  limit = std::min(limit, kMaxFractionLimit);
  Fraction best;
  double bestDistance = 1.0;
  for (long d = 2; d <= limit; ++d) {
    const bool unusual = (d >= 5 && d <= 7) || (d >= 9 && d <= 15);
    if (unusual && d != limit) continue;
    // k/d is accumulated step by step, as the ties between denominators depend on it.
    const double step = 1.0 / double(d);
    long k = 0;
    double above = 0;
    double below = 0;
    while (k < d && above < f) {
      below = above;
      above += step;
      ++k;
    }
    if (k > 0 && f - below < bestDistance - kTieTolerance) {
      best = {k - 1, d};
      bestDistance = f - below;
    }
    if (above - f < bestDistance - kTieTolerance) {
      best = {k, d};
      bestDistance = above - f;
    }
  }
  // A denominator skipped as unusual can leave an unreduced winner (12/20 for 3/5).
  if (best.numerator > 0 && best.numerator < best.denominator) {
    const long divisor = std::gcd(best.numerator, best.denominator);
    best = {best.numerator / divisor, best.denominator / divisor};
  }
  return best;
}

std::string writeQuantity(double amount, long limit) {
  if (!std::isfinite(amount)) return {};
  // Whole units only (a smallest measure of 1): the nearest whole number, not the part cut off.
  if (limit < 2) {
    const double rounded = std::round(amount);
    return rounded == 0 ? std::string() : platform::formatText("%.0f", rounded);
  }
  const double whole = std::trunc(amount);
  // Far beyond any kitchen amount a fraction means nothing and the whole part may not fit.
  if (std::fabs(whole) >= 1e15) return platform::formatText("%.0f", whole);
  const long long w = static_cast<long long>(whole);
  const Fraction fraction = nearestFraction(amount - whole, limit);
  if (fraction.numerator == fraction.denominator && fraction.denominator != 1) {
    return platform::formatText("%lld", w + 1);
  }
  std::string text = w != 0 ? platform::formatText("%lld", w) : std::string();
  if (fraction.numerator != 0 && fraction.numerator != fraction.denominator) {
    if (w != 0) text += ' ';
    text += platform::formatText("%ld/%ld", fraction.numerator, fraction.denominator);
  }
  return text;
}

namespace {

// A written amount this far from the exact one (as a share of it) reads as the same amount.
constexpr double kNearlyExact = 0.01;
// The furthest a written amount may be from the exact one before finer fractions name it.
constexpr double kCloseEnough = 0.05;

// How far the written text is from the amount, as a share of it; 1 for empty text.
double readingError(const std::string& text, double amount) {
  if (text.empty()) return 1;
  return std::fabs(parseQuantity(text) - amount) / amount;
}

struct Rung {
  float amount;
  long unit;
};

// Which rung of the ladder (smallest unit first) reads best: the first amount of at most 1,
// unless a count in the next smaller unit is easier to measure than the fraction.
size_t chooseRung(const std::vector<Rung>& ladder, const ConversionList& list) {
  size_t i = 0;
  while (i < ladder.size() && !(ladder[i].amount <= 1.0f)) ++i;
  if (i == ladder.size()) return ladder.size() - 1;
  if (ladder[i].amount == 1.0f || i == 0) return i;
  const ConversionEntry* entry = list.entry(ladder[i].unit);
  const long m = entry ? entry->smallestMeasure : 0;
  // Without fractions (a measure of 0 or less) only the smaller unit can show the amount.
  if (m <= 0) return i - 1;
  const float measure = float(m);
  if (ladder[i].amount < 1.0f / measure) return i - 1;
  if (ladder[i - 1].amount > 7.0f) return i;
  const float scaled = ladder[i].amount * measure;
  if (ladder[i - 1].amount > 2.0f && scaled - std::trunc(scaled) < 0.5f / measure) return i;
  return i - 1;
}

// The largest fraction denominator amounts of the unit are written with: its smallest measure,
// 16 without a unit or for a unit the list does not know.
long fractionLimit(const ConversionList& list, long unit) {
  const ConversionEntry* entry = unit != 0 ? list.entry(unit) : nullptr;
  return entry != nullptr ? entry->smallestMeasure : kLimitWithoutUnit;
}

struct Reading {
  size_t rung = 0;
  std::string text;
};

// What a cook writes for the ladder's amount, trying in turn, first for a nearly exact text
// (within 1%) and then for one within 5%: the rung the ladder's rule prefers and the larger units
// in the unit's own fractions ("1/3 cup" rather than "5 1/2 tablespoons"), the preferred rung in
// finer fractions ("1 7/8 cups" rather than "2 cups" or "30 tablespoons"), then the smaller units
// ("3 3/4 teaspoons"). When none comes within 5%: the preferred rung written by writeNear.
Reading chooseReading(const std::vector<Rung>& ladder, const ConversionList& list) {
  const size_t preferred = chooseRung(ladder, list);
  const auto text = [&](size_t i, bool finer) {
    const long limit = fractionLimit(list, ladder[i].unit);
    return writeQuantity(ladder[i].amount, finer ? std::max(limit, kLimitWithoutUnit) : limit);
  };
  for (double tolerance : {kNearlyExact, kCloseEnough}) {
    const auto reads = [&](size_t i, bool finer) {
      const std::string written = text(i, finer);
      return readingError(written, ladder[i].amount) <= tolerance;
    };
    for (size_t i = preferred; i < ladder.size(); ++i) {
      if (reads(i, false)) return {i, text(i, false)};
    }
    if (reads(preferred, true)) return {preferred, text(preferred, true)};
    for (size_t i = preferred; i-- > 0;) {
      if (reads(i, false)) return {i, text(i, false)};
    }
  }
  return {preferred,
          writeNear(ladder[preferred].amount, fractionLimit(list, ladder[preferred].unit))};
}

}  // namespace

std::string writeNear(double amount, long limit) {
  const std::string text = writeQuantity(amount, limit);
  if (!(amount > 0) || readingError(text, amount) <= kCloseEnough) return text;
  const long finer = std::max(limit, kLimitWithoutUnit);
  const std::string exact = writeQuantity(amount, finer);
  if (!exact.empty() && readingError(exact, amount) < readingError(text, amount)) return exact;
  if (!text.empty()) return text;
  // Below the smallest fraction: that fraction, as the least a cook can measure.
  return platform::formatText("1/%ld", finer);
}

std::string presentQuantity(ConversionList& list, double& amount, long& unit) {
  const ConversionEntry* own = unit != 0 ? list.entry(unit) : nullptr;
  // Only a unit of the ladder moves along it: grams, liters, pinches and dozens stay what the
  // cook wrote.
  if (own != nullptr && own->adjust != 0) {
    // Each step moves to another adjustable unit; a graph whose definitions contradict each
    // other could otherwise step forever.
    const size_t maxSteps = list.entries().size();
    float a = float(amount);
    long u = unit;
    for (size_t step = 0; step < maxSteps; ++step) {
      long smaller = u;
      const float result = list.nextSmaller(a, smaller);
      if (smaller == u) break;
      a = result;
      u = smaller;
    }
    std::vector<Rung> ladder{{a, u}};
    for (size_t step = 0; step < maxSteps; ++step) {
      long larger = ladder.back().unit;
      const float result = list.nextLarger(ladder.back().amount, larger);
      if (larger == ladder.back().unit) break;
      // Flour is not measured by the quart: only an amount written in one climbs into one.
      if (list.entry(larger)->bulk && !own->bulk) break;
      ladder.push_back({result, larger});
    }
    const Reading reading = chooseReading(ladder, list);
    amount = ladder[reading.rung].amount;
    unit = ladder[reading.rung].unit;
    return reading.text;
  }
  return writeAmount(list, amount, unit);
}

std::string writeAmount(const ConversionList& list, double amount, long unit) {
  const ConversionEntry* entry = unit != 0 ? list.entry(unit) : nullptr;
  if (entry == nullptr || !entry->metric || !(amount > 0)) {
    return writeNear(amount, fractionLimit(list, unit));
  }
  const int decimals = std::clamp(2 - int(std::floor(std::log10(amount))), 0, 3);
  std::string text = platform::formatText("%.*f", decimals, amount);
  if (text.find('.') != std::string::npos) {
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
  }
  return text;
}

}  // namespace savora::food
