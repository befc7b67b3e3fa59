#include "usda/food_measures.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "platform/text.h"
#include "usda/food_catalog.h"

namespace savora::usda {
namespace {

// The volume words of the measures, as the file writes them, in the order they are preferred.
constexpr std::string_view kMeasureVolumeWords[] = {"cup", "tbsp", "tsp", "fl oz", "pint", "quart"};

// Graded sizes, smallest first.
const char* const kSizes[] = {"extra small", "small", "medium", "large", "extra large", "jumbo"};
const char* const kWholeItems[] = {"whole", "each", "item", "fruit"};

// True when the text is the word alone or the word followed by a space, comma or parenthesis
// ("cup", "cup, chopped", "cup (4.86 large eggs)").
bool namedBy(std::string_view text, std::string_view word) {
  if (!platform::startsWithIgnoreCase(text, word)) return false;
  return text.size() == word.size() || text[word.size()] == ' ' || text[word.size()] == ',' ||
         text[word.size()] == '(';
}

// The food's own noun, singular and lower case: the first word of its description ("leek" for
// "Leeks, (bulb and lower leaf-portion), raw").
std::string foodNoun(const Food& food) {
  const std::vector<std::string> words = searchWords(food.description);
  return words.empty() ? std::string() : words.front();
}

// The description without the food's noun in front ("medium (...)" for "Potato medium (...)").
std::string_view withoutNoun(const Measure& m, const std::string& noun) {
  std::string_view d = m.description;
  if (noun.empty() || !platform::startsWithIgnoreCase(d, noun)) return d;
  size_t end = noun.size();
  while (end < d.size() && std::isalpha(static_cast<unsigned char>(d[end]))) ++end;  // plural
  if (end == d.size() || d[end] != ' ') return d;
  return d.substr(end + 1);
}

int sizeRank(std::string_view description) {
  // Longest names first so that "extra large" is not read as "large".
  int found = -1;
  size_t longest = 0;
  for (int i = 0; i < int(std::size(kSizes)); ++i) {
    const std::string_view size = kSizes[i];
    if (size.size() > longest && namedBy(description, size)) {
      found = i;
      longest = size.size();
    }
  }
  return found;
}

bool mentions(std::string_view text, std::string_view word) {
  return platform::toLower(text).find(word) != std::string::npos;
}

// How well a measure of one volume word fits a line that names just the food: the fluid or plain
// measure first, a cut form next, and a whipped or sifted one (air beaten or shaken in) last.
int formRank(const Measure& m) {
  if (mentions(m.description, "fluid")) return 0;
  if (mentions(m.description, "whipped") || mentions(m.description, "sifted")) return 3;
  return m.description.size() == volumeWordOf(m).size() ? 1 : 2;
}

const Measure* bestOfWord(const Food& food, std::string_view word) {
  const Measure* best = nullptr;
  for (const Measure& m : food.measures) {
    if (volumeWordOf(m) == word && (best == nullptr || formRank(m) < formRank(*best))) best = &m;
  }
  return best;
}

}  // namespace

std::string_view volumeWordOf(const Measure& m) {
  for (std::string_view word : kMeasureVolumeWords) {
    if (namedBy(m.description, word)) return word;
  }
  return {};
}

const Measure* volumeMeasure(const Food& food) {
  for (std::string_view word : kMeasureVolumeWords) {
    if (const Measure* m = bestOfWord(food, word)) return m;
  }
  return nullptr;
}

const Measure* spoonMeasure(const Food& food, const Measure* volume) {
  const std::string_view taken = volume ? volumeWordOf(*volume) : std::string_view();
  for (std::string_view spoon : {std::string_view("tsp"), std::string_view("tbsp")}) {
    if (spoon == taken) return nullptr;
    if (const Measure* m = bestOfWord(food, spoon)) return m;
  }
  return nullptr;
}

const Measure* itemMeasure(const Food& food) {
  const std::string noun = foodNoun(food);
  std::vector<const Measure*> sizes;
  for (const Measure& m : food.measures) {
    if (sizeRank(withoutNoun(m, noun)) >= 0) sizes.push_back(&m);
  }
  if (!sizes.empty()) {
    std::stable_sort(sizes.begin(), sizes.end(), [&noun](const Measure* a, const Measure* b) {
      return sizeRank(withoutNoun(*a, noun)) < sizeRank(withoutNoun(*b, noun));
    });
    return sizes[sizes.size() / 2];
  }
  for (const char* word : kWholeItems) {
    for (const Measure& m : food.measures) {
      if (namedBy(m.description, word)) return &m;
    }
  }
  for (const Measure& m : food.measures) {
    const std::string_view d = m.description;
    const std::string_view first = d.substr(0, d.find_first_of(" ,("));
    if (!noun.empty() && normalisedWord(first) == noun) return &m;
  }
  return nullptr;
}

std::string missingWeightNote(const Food& food, LineMeasure line, std::string_view unitName) {
  if (line == LineMeasure::Weight) return {};
  if (line == LineMeasure::Volume && volumeMeasure(food) != nullptr) return {};
  if (line == LineMeasure::Items && itemMeasure(food) != nullptr) return {};
  std::string note = line == LineMeasure::Items
                         ? std::string("No USDA weight for one of this food.")
                         : platform::formatText("No USDA weight for a %.*s of this food.",
                                                int(unitName.size()), unitName.data());
  if (food.measures.empty()) return note + " It has no measures: give the line in grams.";
  note += " Its measures:";
  for (const Measure& m : food.measures) {
    note += platform::formatText(" %g %s = %g g;", double(m.amount), m.description.c_str(),
                                 double(m.grams));
  }
  note.back() = '.';
  return note;
}

}  // namespace savora::usda
