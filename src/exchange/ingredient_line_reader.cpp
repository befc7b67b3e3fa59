#include "exchange/ingredient_line_reader.h"

#include <array>
#include <string>
#include <vector>

#include "exchange/text_lines.h"
#include "exchange/text_measures.h"

namespace savora::exchange {
namespace {

// Measures written out in full or abbreviated that a line's second word may be, as the kitchen
// names them (abbreviations and plurals are folded by masterCookMeasure first).
constexpr std::array<std::string_view, 40> kMeasures = {
    "teaspoon",    "tablespoon", "cup",        "pint",      "quart",   "gallon", "ounce",
    "pound",       "gram",       "kilogram",   "milligram", "liter",   "litre",  "milliliter",
    "millilitre",  "deciliter",  "centiliter", "can",       "package", "pinch",  "drop",
    "dash",        "carton",     "bunch",      "slice",     "clove",   "stick",  "head",
    "sprig",       "piece",      "jar",        "bottle",    "box",     "bag",    "handful",
    "fluid ounce", "packet",     "envelope",   "stalk",     "dozen"};

constexpr std::string_view kAmountCharacters = "0123456789/.-";

std::string_view nextWord(std::string_view text) {
  text = trimLeftBlanks(text);
  return text.substr(0, std::min(text.find(' '), text.size()));
}

bool isAmount(std::string_view word) {
  return !word.empty() && word.find_first_not_of(kAmountCharacters) == std::string_view::npos &&
         word.find_first_of("0123456789") != std::string_view::npos;
}

// "½" and its kin (Windows-1252 has three) written out, apart from a whole number before them.
std::string withFractionsWrittenOut(std::string_view text) {
  std::string out;
  for (char c : text) {
    const char* fraction = c == '\xBD'   ? "1/2"
                           : c == '\xBC' ? "1/4"
                           : c == '\xBE' ? "3/4"
                                         : nullptr;
    if (!fraction) {
      out += c == '\t' || c == '\xA0' ? ' ' : c;
      continue;
    }
    if (!out.empty() && out.back() >= '0' && out.back() <= '9') out += ' ';
    out += fraction;
  }
  return collapseBlanks(trimBlanks(out));
}

// The kitchen's name of a measure word (or two: "fluid ounces", "fl oz"); empty when the words
// are no measure.
std::string measureNamed(std::string_view words) {
  std::string lower = lowerCp1252(words);
  for (char& c : lower) {
    if (c == '.') c = ' ';
  }
  lower = collapseBlanks(trimBlanks(lower));
  if (lower == "fl oz") return "fluid ounce";
  const TextMeasure measure = masterCookMeasure(lower);
  if (!measure.words.empty()) return {};
  for (std::string_view known : kMeasures) {
    if (measure.unit == known)
      return measure.unit == "litre"        ? "liter"
             : measure.unit == "millilitre" ? "milliliter"
                                            : measure.unit;
  }
  return {};
}

bool isSize(std::string_view word) {
  const std::string lower = lowerCp1252(word);
  return lower == "small" || lower == "medium" || lower == "large";
}

}  // namespace

TextRecipeLine readIngredientLine(std::string_view original) {
  TextRecipeLine line;
  const std::string text = withFractionsWrittenOut(original);
  std::string_view rest = text;
  auto take = [&rest](std::string_view word) {
    rest = trimLeftBlanks(trimLeftBlanks(rest).substr(word.size()));
  };

  // The amount: numbers, fractions and ranges ("2 to 3"); "200g" is an amount and a measure.
  std::string amount;
  while (!rest.empty()) {
    std::string_view word = nextWord(rest);
    const size_t digits = word.find_first_not_of(kAmountCharacters);
    if (digits != std::string_view::npos && digits > 0 && isAmount(word.substr(0, digits)) &&
        !measureNamed(word.substr(digits)).empty()) {
      amount += (amount.empty() ? "" : " ") + std::string(word.substr(0, digits));
      rest = trimLeftBlanks(rest).substr(digits);
      break;
    }
    const bool joins = !amount.empty() && (word == "to" || word == "or") &&
                       isAmount(nextWord(trimLeftBlanks(trimLeftBlanks(rest).substr(word.size()))));
    if (!isAmount(word) && !joins) break;
    amount += (amount.empty() ? "" : " ") + std::string(word);
    take(word);
  }
  // "a pinch of salt": one of the measure.
  if (amount.empty()) {
    const std::string_view article = nextWord(rest);
    const std::string_view after = trimLeftBlanks(trimLeftBlanks(rest).substr(article.size()));
    if ((article == "a" || article == "A" || article == "an" || article == "An") &&
        !measureNamed(nextWord(after)).empty()) {
      amount = "1";
      take(article);
    }
  }
  line.quantity = amount;

  // A parenthesis right after the amount ("1 (14 oz) can") describes it: the first note.
  if (!amount.empty() && rest.starts_with('(')) {
    const size_t close = rest.find(')');
    if (close != std::string_view::npos) {
      line.info1 = rest.substr(0, close + 1);
      rest = trimLeftBlanks(rest.substr(close + 1));
    }
  }
  if (!amount.empty()) {
    const std::string_view first = nextWord(rest);
    const std::string_view afterFirst = trimLeftBlanks(trimLeftBlanks(rest).substr(first.size()));
    const std::string_view second = nextWord(afterFirst);
    if (std::string two = measureNamed(std::string(first) + " " + std::string(second));
        !second.empty() && two == "fluid ounce") {
      line.unit = two;
      take(first);
      take(second);
    } else if (std::string one = measureNamed(first); !one.empty()) {
      line.unit = one;
      take(first);
    }
    if (line.unit.empty() || line.info1.empty()) {
      if (const std::string_view size = nextWord(rest); isSize(size)) {
        line.info1 = lowerCp1252(size);
        take(size);
      }
    }
    if (!line.unit.empty() && nextWord(rest) == "of") take("of");
  }

  // The note: what follows the first comma, or a parenthesis at the end.
  std::string_view name = trimBlanks(rest);
  if (const size_t comma = name.find(','); comma != std::string_view::npos) {
    line.info2 = trimBlanks(name.substr(comma));
    name = trimRightBlanks(name.substr(0, comma));
  } else if (name.ends_with(')')) {
    if (const size_t open = name.rfind('('); open != std::string_view::npos && open > 0) {
      line.info2 = name.substr(open);
      name = trimRightBlanks(name.substr(0, open));
    }
  }
  line.ingredient = lowerCp1252(name);
  return line;
}

}  // namespace savora::exchange
