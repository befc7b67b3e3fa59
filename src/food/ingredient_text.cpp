#include "food/ingredient_text.h"

#include <array>
#include <cctype>
#include <utility>
#include <vector>

#include "food/quantity.h"
#include "platform/text.h"

namespace savora::food {
namespace {

// A no-break space (Windows-1252) parts words as a blank does.
bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\xA0';
}
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }

}  // namespace

std::string withFractionsTypedOut(std::string_view line) {
  static constexpr std::array<std::pair<std::string_view, std::string_view>, 9> kFractions = {{
      {"\xC2\xBC", "1/4"},
      {"\xC2\xBD", "1/2"},
      {"\xC2\xBE", "3/4"},
      {"\xE2\x85\x93", "1/3"},
      {"\xE2\x85\x94", "2/3"},
      {"\xE2\x85\x95", "1/5"},
      {"\xE2\x85\x9B", "1/8"},
      {"\xE2\x85\x9C", "3/8"},
      {"\xE2\x85\x9D", "5/8"},
  }};
  std::string out;
  for (size_t i = 0; i < line.size();) {
    bool replaced = false;
    for (const auto& [code, typed] : kFractions) {
      if (line.substr(i).starts_with(code)) {
        if (!out.empty() && isDigit(out.back())) out += ' ';
        out += typed;
        i += code.size();
        replaced = true;
        break;
      }
    }
    if (!replaced) out += line[i++];
  }
  return out;
}

namespace {

// Marks that start the lines of a list: a dash, a star, a bullet (Windows-1252 or UTF-8), a
// check box (UTF-8).
std::string withoutListMark(std::string line) {
  for (std::string_view mark : {"-", "*", "\x95", "\xB7", "\xE2\x80\xA2", "\xE2\x96\xA2"}) {
    if (line.starts_with(mark) && line.size() > mark.size() && isBlank(line[mark.size()])) {
      return platform::trim(std::string_view(line).substr(mark.size()));
    }
  }
  return line;
}

std::vector<std::string> wordsOf(std::string_view text) {
  std::vector<std::string> words;
  std::string word;
  for (char c : text) {
    if (isBlank(c)) {
      if (!word.empty()) words.push_back(std::move(word));
      word.clear();
    } else {
      word += c;
    }
  }
  if (!word.empty()) words.push_back(std::move(word));
  return words;
}

std::string joined(const std::vector<std::string>& words, size_t from, size_t to) {
  std::string text;
  for (size_t i = from; i < to && i < words.size(); ++i) {
    if (!text.empty()) text += ' ';
    text += words[i];
  }
  return text;
}

bool isAmount(std::string_view text) { return parseQuantity(text) > 0; }

// A word an amount can end with: a number or a Windows-1252 fraction, never a unit that the
// lenient quantity reading passes over ("1 to 2 cups").
bool endsAmount(std::string_view word) {
  const char last = word.back();
  return isDigit(last) || last == '\xBC' || last == '\xBD' || last == '\xBE';
}

// How many leading words make the amount; an amount joined to a unit ("250g") is split into two
// words first.
size_t takeAmount(std::vector<std::string>& words, const MeasureReader& measure) {
  size_t taken = 0;
  for (size_t count = 1; count <= std::min<size_t>(4, words.size()); ++count) {
    if (endsAmount(words[count - 1]) && isAmount(joined(words, 0, count))) taken = count;
  }
  if (taken > 0 || words.empty()) return taken;
  const std::string& first = words[0];
  size_t letter = 0;
  while (letter < first.size() && !isLetter(first[letter])) ++letter;
  if (letter == 0 || letter == first.size() || !isAmount(first.substr(0, letter))) return 0;
  std::string unit = first.substr(letter);
  if (measure(unit).unit.empty()) return 0;  // "2a" is no amount joined to a unit
  words[0].resize(letter);
  words.insert(words.begin() + 1, std::move(unit));
  return 1;
}

MeasureWord readMeasure(const MeasureReader& measure, std::string_view word) {
  std::string_view bare = word;
  while (!bare.empty() && (bare.back() == '.' || bare.back() == ',')) bare.remove_suffix(1);
  if (bare.empty()) return {};
  return measure(bare);
}

bool isOf(const std::vector<std::string>& words, size_t i) {
  return i < words.size() && platform::equalsIgnoreCase(words[i], "of");
}

}  // namespace

IngredientText splitIngredientText(std::string_view line, const MeasureReader& measure) {
  const std::string typed = spellFractions(withFractionsTypedOut(line));
  std::vector<std::string> words = wordsOf(withoutListMark(platform::trim(typed)));
  IngredientText parts;
  size_t amount = takeAmount(words, measure);
  parts.quantity = joined(words, 0, amount);
  // "a pinch of salt": one of the measure.
  if (amount == 0 && words.size() > 1 &&
      (platform::equalsIgnoreCase(words[0], "a") || platform::equalsIgnoreCase(words[0], "an")) &&
      !readMeasure(measure, words[1]).unit.empty()) {
    parts.quantity = "1";
    amount = 1;
  }
  size_t next = amount;

  // A package size: "1 (14.5 oz) can".
  if (amount > 0 && next < words.size() && words[next].starts_with('(')) {
    size_t close = next;
    while (close < words.size() && !words[close].ends_with(')')) ++close;
    if (close < words.size()) {
      parts.words = joined(words, next, close + 1);
      next = close + 1;
    }
  }

  // The unit: two words first ("fl oz"), then one. Without an amount only "pinch of salt".
  const bool measured = next > 0;
  for (size_t length : {2, 1}) {
    if (next + length > words.size() || !parts.unit.empty()) continue;
    const MeasureWord found = readMeasure(measure, joined(words, next, next + length));
    if (!found.unit.empty() && (measured || isOf(words, next + length))) {
      parts.unit = found.unit;
      next += length;
    } else if (length == 1 && !found.words.empty() && measured) {
      parts.words = parts.words.empty() ? found.words : parts.words + " " + found.words;
      next += length;
    }
  }
  if (!parts.unit.empty() && isOf(words, next)) ++next;

  // The preparation: from the first comma on, or a parenthesis that ends the line.
  std::string rest = joined(words, next, words.size());
  if (const size_t comma = rest.find(','); comma != std::string::npos) {
    parts.preparation = platform::trim(std::string_view(rest).substr(comma));
    rest.resize(comma);
  } else if (const size_t open = rest.rfind('(');
             rest.ends_with(')') && open != std::string::npos && open > 0) {
    parts.preparation = rest.substr(open);
    rest.resize(open);
  }
  parts.ingredient = platform::trim(rest);
  return parts;
}

bool isAmountOnly(std::string_view text) {
  const std::string trimmed = platform::trim(text);
  return trimmed.empty() || parseQuantity(trimmed) != -1;
}

}  // namespace savora::food
