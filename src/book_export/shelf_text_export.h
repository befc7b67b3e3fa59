// The bookshelf's Export into a recipe text file: what to export (the selected recipe alone, or
// the selected chapter, or the book) and, when the format's own character set cannot hold the
// recipes, whether to write UTF-8, are asked; then the file is written.
#pragma once

#include <string>

#include "book_export/book_export.h"
#include "book_export/text_export.h"
#include "book_export/text_export_recipes.h"

namespace savora::book_export {

inline constexpr const char* kExportWhatTitle = "Export";
inline constexpr const char* kOnlyRecipeText =
    "Would you like to export only the recipe %s?\r\n\r\n(No exports the whole %s.)";

// `selected` names the book and the selected chapter and recipe (0 for none). False when the
// person cancelled or nothing was written.
bool exportShelfAsText(toolkit::User& user, const BookExportSources& tables,
                       const RecipeSelection& selected, TextFormat format, const std::string& path);

}  // namespace savora::book_export
