#include "food/plural_words.h"

#include "platform/text.h"

namespace savora::food {
namespace {

bool endsWith(std::string_view word, std::string_view ending) {
  return platform::endsWithIgnoreCase(word, ending);
}

}  // namespace

bool looksPlural(std::string_view word) {
  if (word.size() < 3 || !endsWith(word, "s")) return false;
  return !endsWith(word, "ss") && !endsWith(word, "us") && !endsWith(word, "is");
}

std::string singularOf(std::string_view word) {
  if (!looksPlural(word)) return {};
  const std::string text(word);
  if (endsWith(word, "ies") && word.size() > 4) return text.substr(0, text.size() - 3) + "y";
  for (std::string_view ending : {"oes", "ches", "shes", "sses", "xes", "zes"}) {
    if (endsWith(word, ending)) return text.substr(0, text.size() - 2);
  }
  return text.substr(0, text.size() - 1);
}

}  // namespace savora::food
