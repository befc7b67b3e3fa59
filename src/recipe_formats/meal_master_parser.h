// Reads the recipes of a Meal-Master file. The format is positional: a header line, the title,
// the categories and the yield, an ingredient block in one or two columns of 40 characters
// (quantity in columns 1 to 8, unit in 9 to 11, ingredient from 12), the directions, and an end
// line "MMMMM" or "-----". Real files differ from that layout in small ways this reader takes
// in: section headings with or without "MMMMM" (also after a blank line), "-" and "--"
// continuation lines in either column, "Servings:" lines, amounts too long for their columns,
// one-column lines longer than 40 characters, missing blank or header lines, directions that
// start without a blank line (":" or a hard break mark them) and blank lines at the end.
// A two-column block is filed left column first, then right, before the heading after it; a
// yield that is not servings opens the directions; the unit codes become the kitchen's names.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "recipe_formats/text_recipe.h"

namespace savora::recipe_formats {

inline constexpr const char* kMealMasterMark = "Meal-Master";

// The header line that starts a recipe ("MMMMM----- Recipe via Meal-Master ...").
bool isMealMasterHeader(std::string_view line);

// Reads the recipes after the header line `lines[headerLine]`, handing each to `sink`; where
// reading stopped when a recipe's title, categories or yield line is not where it should be.
// With `skipped`, such a recipe is listed there instead and reading goes on at the next one.
std::optional<TextParseError> parseMealMaster(const std::vector<std::string>& lines,
                                              size_t headerLine, const TextRecipeSink& sink,
                                              std::vector<TextParseError>* skipped = nullptr);

// One ingredient entry of a column, cut into its parts.
TextRecipeLine mealMasterLine(std::string_view entry);

}  // namespace savora::recipe_formats
