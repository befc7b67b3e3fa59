// The in-memory recipe that every part of the program works with, as the recipe tables store it.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace savora::store {

inline constexpr int kRecipeLines = 23;
inline constexpr size_t kRecipeNameLength = 80;
inline constexpr size_t kQuantityLength = 20;
inline constexpr size_t kServingsDigits = 4;  // at most 9999 servings
inline constexpr size_t kMediaReferenceLength = 259;

// Ingredient codes of a line: 0 none, 1..30000 an ingredient UID, 30001..60000 another recipe's
// UID + 30000, above 60000 a brand UID + 60000.
inline constexpr long kRecipeCodeBase = 30000;
inline constexpr long kBrandCodeBase = 60000;

struct RecipeLine {
  std::string quantity;  // the quantity text as typed, at most 20 characters
  long unit = 0;         // unit UID, 0 for none
  long ingredient = 0;   // ingredient code (above)
  std::string info1;     // first note
  std::string info2;     // second note
  // Working values of the recipe window; loading clears them, the tables do not keep them.
  std::string shownQuantity;
  double quantityValue = 0;

  bool operator==(const RecipeLine&) const = default;
};

struct Recipe {
  long uid = 0;  // 0 for a recipe never saved
  long chapter = 0;
  std::string name;
  std::string description;
  std::string instructions;
  long servings = 0;
  std::array<std::string, 3> media;  // photo, sound, video
  std::array<RecipeLine, kRecipeLines> lines;

  bool operator==(const Recipe&) const = default;
};

// The three references of a MEDIA memo: split at the first two '|'; whatever follows the second
// (further '|' included) is the third.
std::array<std::string, 3> splitMedia(std::string_view media);
std::string joinMedia(const std::array<std::string, 3>& media);

// True when the recipes differ in what the user edits: name, description, instructions,
// servings (0 and 1 count as equal when a has 0), media, or any line's quantity, unit,
// ingredient or notes. The third media reference is compared only when b's does not end in
// "wmv" (a video replaced by its other format is no change).
bool recipesDiffer(const Recipe& a, const Recipe& b);

}  // namespace savora::store
