// Reads the recipes of a MasterCook export: per recipe the export mark, the title, the
// "Recipe By", "Serving Size" and "Categories" lines, the ingredient table under its
// "Amount  Measure  Ingredient" heading (amount in columns 1 to 9, measure in 11 to 23,
// ingredient from 25), and the directions up to the next export mark. Notes after the directions
// belong to them; the "- - - -" separator and the "Nutr. Assoc." line are dropped. Every
// category becomes one (names stand apart by runs of blanks, also on indented lines under the
// field), the first also the chapter; other lines before the table (a yield) open the
// directions. An ingredient's " -- preparation" goes into its note, as written. Text with
// neither amount nor measure that starts with "-" and reads as words continues the ingredient
// above; other such text (in capitals, ending in ":" or set off with "--") is a section line.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "recipe_formats/text_recipe.h"

namespace savora::recipe_formats {

// The mark, compared with runs of blanks made one blank.
inline constexpr const char* kMasterCookMark = "Exported from MasterCook";

bool isMasterCookMark(std::string_view line);

// Reads the recipes after the export mark `lines[markLine]`, handing each to `sink`; where
// reading stopped when a recipe's "Recipe By", "Serving Size" or "Categories" line is missing.
// With `skipped`, such a recipe is listed there instead and reading goes on at the next one.
std::optional<TextParseError> parseMasterCook(const std::vector<std::string>& lines,
                                              size_t markLine, const TextRecipeSink& sink,
                                              std::vector<TextParseError>* skipped = nullptr);

// One line of the ingredient table; nothing when the line is not one.
std::optional<TextRecipeLine> masterCookLine(std::string_view line);

}  // namespace savora::recipe_formats
