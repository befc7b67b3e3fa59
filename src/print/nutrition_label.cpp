#include "print/nutrition_label.h"

#include <algorithm>
#include <string>

#include "nutrition/daily_values.h"
#include "platform/text.h"

namespace savora::print {

namespace {

using food::Nutrient;
using nutrition::Totals;

double percent(const Totals& totals, Nutrient n) {
  return double(nutrition::percentOfDailyValue(n, totals[n]));
}

// The printf formats below end a value with a literal percent sign; it is appended outside the
// format so that no format carries a stray "%".
std::string withPercent(const std::string& text) {
  return text + "%";
}

}  // namespace

std::string nutritionLabelText(const nutrition::NutritionFacts& facts) {
  using platform::formatText;
  const Totals& t = facts.totals;
  std::string s = "\n\nNUTRITION FACTS\n";
  s += facts.amountOf + "\n";
  s += formatText("Calories %5.0f         Calories from Fat %.0f\n", double(t[food::kCalories]),
                  double(t[food::kCaloriesFromFat]));
  s += "                            % Daily Value*\n";
  auto row = [&](const char* format, Nutrient n) {
    s += withPercent(formatText(format, double(t[n]), percent(t, n))) + "\n";
  };
  row("Total Fat %5.0fg%20.0f", food::kTotalFat);
  row("    Saturated Fat %5.0fg   %9.0f", food::kSaturatedFat);
  row("Cholesterol %5.0fmg        %9.0f", food::kCholesterol);
  row("Sodium %5.0fmg             %9.0f", food::kSodium);
  row("Total Carbohydrate %5.0fg  %9.0f", food::kTotalCarbohydrate);
  row("    Dietary Fiber %5.0fg   %9.0f", food::kDietaryFiber);
  s += formatText("    Sugars %5.0fg\n", double(t[food::kSugars]));
  s += formatText("Protein %5.0fg\n", double(t[food::kProtein]));
  s += withPercent(formatText("Vitamin A %5.0f", double(t[food::kVitaminA])));
  s += withPercent(formatText("     Vitamin C %5.0f", double(t[food::kVitaminC]))) + "\n";
  s += withPercent(formatText("Calcium %5.0f", double(t[food::kCalcium])));
  s += withPercent(formatText("       Iron      %5.0f", double(t[food::kIron]))) + "\n\n";
  s += "* Percent Daily Values are based on a 2,000 calorie diet.";
  if (const std::string missing = nutrition::notCountedText(facts); !missing.empty())
    s += "\n" + missing;
  return s;
}

namespace {

// Draws label lines across a fixed width with a rule under each.
class LabelPen {
 public:
  LabelPen(PageWriter& pen, double left, double right) : pen_(pen), left_(left), right_(right) {}

  void line(Font font, const std::string& atLeft, const std::string& atRight = {},
            double rule = 0.5, double gapAfter = 0) {
    pen_.useFont(font);
    if (!atLeft.empty()) pen_.textAt(left_, atLeft);
    if (!atRight.empty()) pen_.textAt(right_ - pen_.canvas().textWidth(atRight), atRight);
    finish(rule, gapAfter);
  }

  // A nutrient line: its name in the emphasized font, the amount after it in the value font.
  void nutrient(const std::string& name, const std::string& amount, const std::string& atRight = {},
                double rule = 0.5) {
    pen_.useFont(Font::BodyBold);
    pen_.textAt(left_, name);
    const double x = left_ + pen_.canvas().textWidth(name);
    pen_.useFont(Font::Body);
    pen_.textAt(x, amount);
    if (!atRight.empty()) pen_.textAt(right_ - pen_.canvas().textWidth(atRight), atRight);
    finish(rule, rule > 1 ? 2 : 0);
  }

 private:
  void finish(double rule, double gapAfter) {
    const double bottom = pen_.y() + pen_.lineHeight();
    pen_.canvas().line(left_, bottom + rule / 2, right_, bottom + rule / 2, rule);
    pen_.moveDown(pen_.lineHeight() + rule + gapAfter);
  }

  PageWriter& pen_;
  double left_, right_;
};

// The label's width: wide enough for its longest line, never wider than the printed area.
constexpr double kLabelWidth = 3.25 * toolkit::Canvas::kUnitsPerInch;
constexpr double kThickRule = 3;
constexpr int kLabelLines = 16;

}  // namespace

void printNutritionLabel(PageWriter& pen, const nutrition::NutritionFacts& facts) {
  const Totals& t = facts.totals;
  using platform::formatText;
  const PageGeometry& g = pen.geometry();
  pen.useFont(Font::Body);
  pen.lineDown(2);
  pen.makeRoom(kLabelLines * pen.lineHeight());
  const double left = pen.geometry().left;
  const double right = std::min(g.right, left + kLabelWidth);
  LabelPen label(pen, left, right);
  auto value = [&](const char* format, Nutrient n) { return formatText(format, double(t[n])); };
  auto pct = [&](Nutrient n) { return withPercent(formatText("%.0f", percent(t, n))); };

  const double top = pen.y() - 4;
  label.line(Font::Title, "Nutrition Facts", {}, kThickRule, 3);
  label.line(Font::BodyBold, facts.amountOf);
  label.line(Font::BodyBold, "Calories " + value("%.0f", food::kCalories),
             value("Calories from Fat %.0f", food::kCaloriesFromFat), kThickRule, 3);
  label.line(Font::BodyBold, "", "% Daily Value*");
  label.nutrient("Total Fat ", value("%.0fg", food::kTotalFat), pct(food::kTotalFat));
  label.line(Font::Body, value("    Saturated Fat %.0fg", food::kSaturatedFat),
             pct(food::kSaturatedFat));
  label.nutrient("Cholesterol ", value("%.0fmg", food::kCholesterol), pct(food::kCholesterol));
  label.nutrient("Sodium ", value("%.0fmg", food::kSodium), pct(food::kSodium));
  label.nutrient("Total Carbohydrate ", value("%.0fg", food::kTotalCarbohydrate),
                 pct(food::kTotalCarbohydrate));
  label.line(Font::Body, value("    Dietary Fiber %.0fg", food::kDietaryFiber),
             pct(food::kDietaryFiber));
  label.line(Font::Body, value("    Sugars %.0fg", food::kSugars));
  label.nutrient("Protein ", value("%.0fg", food::kProtein), {}, kThickRule);
  label.line(Font::Body, withPercent(value("Vitamin A %.0f", food::kVitaminA)),
             withPercent(value("Vitamin C %.0f", food::kVitaminC)));
  label.line(Font::Body, withPercent(value("Calcium %.0f", food::kCalcium)),
             withPercent(value("Iron %.0f", food::kIron)));
  pen.useFont(Font::Body);
  pen.wrap("* Percent Daily Values are based on a 2,000 calorie diet.", left, left, right);
  if (const std::string missing = nutrition::notCountedText(facts); !missing.empty()) {
    pen.lineDown();
    pen.wrap(missing, left, left, right);
  }
  // The label's frame, a little outside its text.
  const double bottom = pen.y() + pen.lineHeight() + 3;
  toolkit::Canvas& c = pen.canvas();
  c.line(left - 4, top, right + 4, top, 1);
  c.line(right + 4, top, right + 4, bottom, 1);
  c.line(right + 4, bottom, left - 4, bottom, 1);
  c.line(left - 4, bottom, left - 4, top, 1);
  pen.lineDown();
}

}  // namespace savora::print
