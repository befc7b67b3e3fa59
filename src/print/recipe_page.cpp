#include "print/recipe_page.h"

#include <algorithm>

#include "platform/text.h"
#include "print/nutrition_label.h"

namespace savora::print {

namespace {

// Room between the two ingredient columns.
constexpr double kColumnGap = 6;

std::string servingsLine(long servings) {
  return platform::formatText("Makes %ld servings", servings);
}

void printName(PageWriter& pen, const PrintedRecipe& recipe) {
  const PrintSettings& s = pen.settings();
  pen.useFont(Font::Title);
  const PageGeometry& g = pen.geometry();
  if (s.onCards() || pen.canvas().textWidth(recipe.name) > g.right - g.left) {
    pen.wrap(recipe.name);
    pen.lineDown();
  } else {
    pen.centred(recipe.name);
    pen.lineDown(s.reduceSpace ? 1 : 2);
  }
  pen.useFont(Font::Body);
  if (recipe.servings > 1) {
    pen.textAtLeft(servingsLine(recipe.servings));
    pen.lineDown();
  }
  if (s.onCards()) pen.lineDown();
}

void printIngredients(PageWriter& pen, const std::vector<std::string>& lines) {
  pen.useFont(Font::BodyBold);
  const PrintSettings& s = pen.settings();
  const PageGeometry& g = pen.geometry();
  if (!s.twoColumns || s.onCards()) {
    for (const std::string& line : lines) {
      pen.wrap(line, true);
      pen.lineDown();
    }
    return;
  }
  // Two columns divided at the middle: the first half of the lines on the left.
  const size_t half = (lines.size() + 1) / 2;
  for (size_t row = 0; row < half; ++row) {
    pen.makeRoom(pen.lineHeight());
    const double rowTop = pen.y();
    const double middle = pen.geometry().middle;
    pen.wrap(lines[row], g.left, g.left, middle - kColumnGap, true);
    double rowBottom = pen.y();
    if (half + row < lines.size()) {
      // The right column starts on the row's line even when the left one wrapped further.
      if (pen.y() >= rowTop) pen.setY(rowTop);
      pen.wrap(lines[half + row], middle, middle, pen.geometry().right, true);
      rowBottom = std::max(rowBottom, pen.y());
    }
    pen.setY(rowBottom);
    pen.lineDown();
  }
}

}  // namespace

void printRecipePage(PageWriter& pen, const PrintedRecipe& recipe) {
  const PrintSettings& s = pen.settings();
  printName(pen, recipe);
  if (!s.reduceSpace) {
    pen.useFont(Font::BodyItalic);
    pen.textAtLeft(recipe.book);
    pen.lineDown();
    pen.useFont(Font::Body);
    pen.textAtLeft(recipe.chapter);
    pen.lineDown(2);
  }
  if (!recipe.description.empty()) {
    pen.useFont(Font::BodyItalic);
    pen.wrap(recipe.description);
    pen.lineDown(s.reduceSpace ? 1 : 2);
  }
  if (!recipe.lines.empty()) {
    printIngredients(pen, recipe.lines);
    pen.lineDown();
  }
  pen.useFont(Font::Body);
  if (!recipe.instructions.empty()) {
    pen.wrap(recipe.instructions);
    pen.lineDown();
  }
  if (recipe.totals && s.printNutrition && !s.onCards()) printNutritionLabel(pen, *recipe.totals);
}

}  // namespace savora::print
