#include "recipe/serving_scale.h"

#include <cmath>

#include "food/quantity.h"
#include "platform/text.h"

namespace savora::recipe {

namespace {

constexpr const char* kAdjustingTitle = "Adjusting Serving Sizes";
// Single precision's rounding, as a share of the amount.
constexpr double kRoundingStep = 1e-6;

// A range ("2-3") scales both ends and stays in the line's unit, so that both ends name one
// measure. Its value is left 0: the text, read again, is the amount.
bool scaleRange(store::RecipeLine& line, food::ConversionList& units, double factor) {
  const auto range = food::parseRange(line.quantity);
  if (!range) return false;
  line.quantity = (food::writeAmount(units, range->low * factor, line.unit) + range->separator +
                   food::writeAmount(units, range->high * factor, line.unit))
                      .substr(0, store::kQuantityLength);
  line.shownQuantity = line.quantity;
  line.quantityValue = 0;
  return true;
}

}  // namespace

double lineAmount(const store::RecipeLine& line) {
  if (line.quantityValue != 0 && line.quantity == line.shownQuantity) return line.quantityValue;
  return food::parseQuantity(line.quantity);
}

void presentLineAmount(store::RecipeLine& line, food::ConversionList& units, double amount) {
  const float exact = float(amount);
  double presented = exact;
  long unit = line.unit;
  const std::string text = food::presentQuantity(units, presented, unit);
  // Unchanged units keep the exact amount: the ladder's round trip through smaller units in
  // single precision can move it by a rounding step. So can a move to another unit, which the
  // text then names exactly (54 teaspoons are 18 tablespoons, not 18.0000019).
  const double written = food::parseQuantity(text);
  if (std::fabs(written - presented) <= kRoundingStep * presented) presented = written;
  line.quantityValue = unit == line.unit ? exact : float(presented);
  line.unit = unit;
  line.quantity = text;
  line.shownQuantity = text;
}

void scaleQuantities(store::Recipe& recipe, food::ConversionList& units, long servingsBefore,
                     long newServings, toolkit::User& user) {
  // Without servings there is nothing to divide by; the serving-size window showed such a
  // recipe as serving 1.
  const long before = servingsBefore < 1 ? 1 : servingsBefore;
  if (newServings < 1 || newServings == before) return;
  toolkit::WaitPointer wait(user);
  toolkit::StatusScope status(user, kAdjustingTitle, kAdjustingTitle);
  const double factor = double(newServings) / double(before);
  for (store::RecipeLine& line : recipe.lines) {
    if (scaleRange(line, units, factor)) continue;
    const double old = lineAmount(line);
    if (old <= 0) continue;
    presentLineAmount(line, units, double(newServings) * (old / double(before)));
  }
}

std::string servingsLabel(long servings) {
  if (servings == 1) return "Makes 1 serving";
  return platform::formatText("Makes %ld servings", servings);
}

std::string servingsTextLine(long servings) {
  return servings > 1 ? servingsLabel(servings) + "\r\n" : std::string();
}

}  // namespace savora::recipe
