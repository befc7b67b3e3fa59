#include "store/recipe.h"

#include "platform/text.h"

namespace savora::store {

std::array<std::string, 3> splitMedia(std::string_view media) {
  std::array<std::string, 3> parts;
  const size_t first = media.find('|');
  if (first == std::string_view::npos) {
    parts[0] = media;
    return parts;
  }
  parts[0] = media.substr(0, first);
  const size_t second = media.find('|', first + 1);
  if (second == std::string_view::npos) {
    parts[1] = media.substr(first + 1);
    return parts;
  }
  parts[1] = media.substr(first + 1, second - first - 1);
  parts[2] = media.substr(second + 1);
  return parts;
}

std::string joinMedia(const std::array<std::string, 3>& media) {
  return media[0] + "|" + media[1] + "|" + media[2];
}

bool recipesDiffer(const Recipe& a, const Recipe& b) {
  if (a.name != b.name || a.description != b.description || a.instructions != b.instructions) {
    return true;
  }
  const bool sameServings = a.servings == b.servings || (a.servings == 0 && b.servings == 1);
  if (!sameServings) return true;
  if (a.media[0] != b.media[0] || a.media[1] != b.media[1]) return true;
  if (a.media[2] != b.media[2] && !platform::endsWithIgnoreCase(b.media[2], "wmv")) return true;
  for (int i = 0; i < kRecipeLines; ++i) {
    const RecipeLine& x = a.lines[size_t(i)];
    const RecipeLine& y = b.lines[size_t(i)];
    if (x.quantity != y.quantity || x.unit != y.unit || x.ingredient != y.ingredient ||
        x.info1 != y.info1 || x.info2 != y.info2) {
      return true;
    }
  }
  return false;
}

}  // namespace savora::store
