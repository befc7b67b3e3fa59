// Writing a recipe book into an exchange archive another installation imports: the book, its
// chapters and recipes, their categories and every unit, ingredient and brand entry the
// recipes use, in the exchange tables, with the media lists they name in "cxp".
//
// The archive is written under a temporary name beside the chosen one and renamed over it only
// when every archive step succeeded, so a failed export leaves any earlier archive of that name
// as it was; success is reported only then.
#pragma once

#include <string>

#include "bookshelf/book_table.h"
#include "bookshelf/category_table.h"
#include "bookshelf/chapter_table.h"
#include "food/brand_table.h"
#include "food/ingredient_table.h"
#include "food/unit_table.h"
#include "store/recipe_table.h"
#include "toolkit/user.h"

namespace savora::book_export {

inline constexpr const char* kExportFilter = "Export Files (*.zel)";
inline constexpr const char* kExportedText = "Data has been exported successfully.";
inline constexpr const char* kExportFailedText = "The export file %s could not be written.";

// The tables a book is exported from: one bookshelf's books, chapters, categories and recipes
// (the user's or the catalogue's) and the units, ingredients and brands both shelves share.
//
// Either shelf writes the same exchange tables: `bookx`, `chapterx`, `recip65x` and `categx`.
// A catalogue book thus arrives on the recipe bookshelf of whatever installation imports it;
// no table is written that another installation's import would not read.
struct BookExportSources {
  bookshelf::BookTable& books;
  bookshelf::ChapterTable& chapters;
  bookshelf::CategoryTable& categories;
  store::RecipeTable& recipes;
  food::UnitTable& units;
  food::IngredientTable& ingredients;
  food::BrandTable& brands;
};

// The archive's name for a chosen one: the file's own extension (a dot in a folder name does not
// count) becomes ".zel"; ".zel" is appended to a name without one. A name already ending in
// ".zel" in any letter case is kept.
std::string exportArchivePath(const std::string& chosen);

// Tells the user how an export into `path` ended ("Finished!" or "Error!"); returns `written`.
bool tellExportResult(toolkit::User& user, bool written, const std::string& path);

// Exports the book into the archive for `chosenPath`, telling the user how it went. False (after
// the message) when the book does not exist, another exchange run holds the scratch files, or
// the archive could not be written.
bool exportBook(store::TableStore& store, const BookExportSources& sources, long book,
                const std::string& chosenPath);

}  // namespace savora::book_export
