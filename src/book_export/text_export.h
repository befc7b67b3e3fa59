// Exporting recipes into a Meal-Master or MasterCook text file: the format chosen by name or by
// the file's extension, the character set the format's programs read (code page 437 for
// Meal-Master, Windows-1252 for MasterCook) or UTF-8 when asked for.
//
// The file is written under a temporary name beside the chosen one and renamed over it only
// when it was written whole, so a failed export leaves an earlier file of that name as it was.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "recipe_formats/text_encoding.h"
#include "recipe_formats/text_recipe.h"
#include "toolkit/user.h"

namespace savora::book_export {

enum class TextFormat { MealMaster, MasterCook };

inline constexpr const char* kNothingToExportText = "There are no recipes to export.";
// The save dialog's choices; the file's extension picks the format.
inline constexpr const char* kTextExportFilter =
    "Meal-Master Files (*.mmf);;MasterCook Files (*.mxp)";
inline constexpr const char* kUtf8Title = "Characters";
inline constexpr const char* kUtf8Text =
    "Some characters of these recipes have no place in the character set of %s\r\nfiles. "
    "Would you like to write the file in UTF-8, which keeps them all?\r\n\r\n(No writes the "
    "closest plain letters instead.)";

// "mmf" or "mxp" (any case); nothing for another name.
std::optional<TextFormat> textFormatNamed(std::string_view name);
// The format a file name's extension asks for; nothing for another extension.
std::optional<TextFormat> textFormatOfPath(std::string_view path);
const char* textFormatName(TextFormat format);
recipe_formats::TextEncoding nativeEncoding(TextFormat format);

// The recipes in the format, in Windows-1252.
std::string recipesText(const std::vector<recipe_formats::TextRecipe>& recipes, TextFormat format);

// Writes the recipes into `path` in the format and character set, telling the user how it went.
// False (after the message) when there are no recipes or the file could not be written.
bool exportRecipesText(toolkit::User& user, const std::vector<recipe_formats::TextRecipe>& recipes,
                       TextFormat format, recipe_formats::TextEncoding encoding,
                       const std::string& path);

}  // namespace savora::book_export
