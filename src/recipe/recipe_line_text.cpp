#include "recipe/recipe_line_text.h"

#include <algorithm>

#include "bookshelf/book_table.h"
#include "bookshelf/chapter_table.h"
#include "food/brand_table.h"
#include "food/ingredient_table.h"
#include "food/quantity.h"
#include "food/unit_table.h"
#include "platform/text.h"
#include "store/recipe_table.h"

namespace savora::recipe {
namespace {

// Text beyond this is cut off the description and the instructions, leaving room in the buffer
// for the line breaks that follow them.
constexpr size_t kTextFormLimit = kTextFormBuffer - 5;
// Nothing goes past the buffer, whose last byte ends the text.
constexpr size_t kBufferLimit = kTextFormBuffer - 1;

std::string targetName(RecipeTables& tables, const store::RecipeLine& line) {
  const IngredientTarget target = decodeIngredientCode(line.ingredient);
  switch (target.kind) {
    case IngredientTarget::Kind::Ingredient:
      return tables.ingredients.nameForQuantity(target.uid, line.quantity);
    case IngredientTarget::Kind::Recipe:
      return tables.recipes.nameOf(target.uid);
    case IngredientTarget::Kind::Brand:
      return tables.brands.nameOf(target.uid);
    case IngredientTarget::Kind::None:
      break;
  }
  return {};
}

void appendWithin(std::string& text, std::string_view piece, size_t limit) {
  if (text.size() >= limit) return;
  text.append(piece.substr(0, limit - text.size()));
}

}  // namespace

bool lineIsEmpty(const store::RecipeLine& line) {
  return line.quantity.empty() && line.unit == 0 && line.ingredient == 0 && line.info1.empty() &&
         line.info2.empty();
}

void presentLineQuantity(food::ConversionList& units, store::RecipeLine& line) {
  if (line.quantity.find('.') != std::string::npos) {
    // Text that is not one quantity ("1.5 2") stays as typed.
    line.quantityValue = std::max(0.0, food::parseQuantity(line.quantity));
  }
  if (line.quantityValue == 0) return;
  double amount = line.quantityValue;
  long unit = line.unit;
  const std::string text = food::presentQuantity(units, amount, unit);
  line.quantity = text.substr(0, store::kQuantityLength);
  line.shownQuantity = line.quantity;
  line.quantityValue = amount;
  line.unit = unit;
}

std::string lineText(RecipeTables& tables, store::RecipeLine& line, bool present,
                     size_t maxLength) {
  if (present) {
    food::ConversionList units = tables.units.conversionList();
    presentLineQuantity(units, line);
  }
  std::string text;
  auto add = [&text](std::string_view piece, bool blankBefore = true) {
    if (piece.empty()) return;
    if (!text.empty() && blankBefore) text += ' ';
    text += piece;
  };
  add(line.quantity);
  add(food::unitNameForQuantity(tables.units, line.quantity, line.unit, tables.unitSettings));
  add(line.info1);
  add(targetName(tables, line));
  add(line.info2, !line.info2.starts_with(',') && !line.info2.starts_with(';'));

  if (!text.empty() && text.size() < kLineTextWidth) text.resize(kLineTextWidth, ' ');
  if (text.size() > maxLength) {
    // Only a text that was really cut is marked as continued.
    text.resize(maxLength);
    if (maxLength >= 3 && text.back() != ' ') text.replace(maxLength - 3, 3, "...");
  }
  if (!text.empty()) text[0] = platform::toUpperAscii(text[0]);
  return text;
}

ShelfPlace shelfPlaceOf(RecipeTables& tables, const store::Recipe& recipe) {
  return {tables.books.nameOf(tables.chapters.bookOf(recipe.chapter)),
          tables.chapters.nameOf(recipe.chapter)};
}

std::string recipeTextForm(RecipeTables& tables, const store::Recipe& recipe) {
  const ShelfPlace place = shelfPlaceOf(tables, recipe);
  std::string text = platform::formatText("Book: %s\r\nChapter: %s\r\n\r\n", place.book.c_str(),
                                          place.chapter.c_str());
  if (recipe.servings > 1) text += platform::formatText("Makes %ld servings\r\n", recipe.servings);
  appendWithin(text, recipe.description, kTextFormLimit);
  appendWithin(text, "\r\n\r\n", kBufferLimit);
  for (store::RecipeLine line : recipe.lines) {
    const std::string shown = lineText(tables, line, false, 1500);
    if (shown.empty()) continue;
    const std::string row = "    " + shown + "\r\n";
    // A line that would overflow the buffer is left out rather than cut in the middle.
    if (text.size() + row.size() > kTextFormLimit) break;
    text += row;
  }
  appendWithin(text, "\r\n", kBufferLimit);
  appendWithin(text, recipe.instructions, kTextFormLimit);
  return text;
}

}  // namespace savora::recipe
