// FOODS.DAT: the foods packed at build time into one binary file beside the program, read back
// in one pass. Little-endian: the tag "SVFOODS1", the food count (4 bytes), then per food its
// number (4), group (2), survey flag (1), description (2-byte length and bytes), the values
// (4-byte floats, NaN for none), the measure count (1) and per measure amount and grams (floats)
// and description (1-byte length and bytes).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "usda/usda_food.h"

namespace savora::usda {

inline constexpr const char* kFoodPackName = "FOODS.DAT";

std::string packFoods(const std::vector<Food>& foods);
// The foods of a packed file's bytes; nothing when the bytes are not a whole pack.
std::optional<std::vector<Food>> unpackFoods(std::string_view bytes);

// Reads and unpacks a file; nothing when it is missing or damaged.
std::optional<std::vector<Food>> readFoodPack(const std::string& path);

}  // namespace savora::usda
