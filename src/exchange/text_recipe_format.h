// Recognises the format of a file handed to the import and, for a MasterCook or Meal-Master
// text file or a web page, reads its recipes into the exchange tables, so the import goes on as it does after
// unpacking an exchange archive.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "recipe_formats/text_recipe.h"
#include "store/table_store.h"

namespace savora::exchange {

enum class RecipeFileFormat {
  ExchangeArchive,
  MasterCook,
  MealMaster,
  Malformed,
  WebPage,
  WebPageWithoutRecipe,
  MasterCookXml,
  BrokenXml,  // starts as MasterCook XML, but is no well-formed XML
  Unknown,  // none of the formats the import reads
};

inline constexpr const char* kMasterCookBook = "MasterCook Recipes";
inline constexpr const char* kMealMasterBook = "Downloaded Recipes";
inline constexpr const char* kWebRecipesBook = "Web Recipes";
inline constexpr const char* kUnableToDownloadTitle = "Unable to Download";
inline constexpr const char* kNotRecipeFormatText =
    "The file %s is not in the Savora,\r\nMealMaster, nor MasterCook format.";

inline constexpr const char* kUnknownFormatText =
    "The file %s is in none of the formats Savora reads:\r\nSavora export files (.zel), "
    "Meal-Master files (.mmf), MasterCook files (.mxp),\r\nMasterCook XML files (.mx2) and web "
    "pages with recipes (.html).";
inline constexpr const char* kNoRecipeInPageText =
    "The web page %s holds no recipe:\r\nit carries no schema.org Recipe data. Nothing was "
    "imported.";

inline constexpr const char* kBrokenXmlText =
    "The file %s looks like MasterCook XML (.mx2),\r\nbut it is not well-formed XML. Nothing "
    "was imported.";

// Fetches a recipe photo's web address into a local file; the file's name, or "" when it could
// not be fetched.
using PhotoFetcher = std::function<std::string(const std::string& address)>;

struct RecipeFileResult {
  RecipeFileFormat format = RecipeFileFormat::ExchangeArchive;
  std::optional<recipe_formats::TextParseError> error;  // where a malformed file stopped
  std::vector<recipe_formats::TextParseError>
      skipped;                          // recipes left out when bad recipes are skipped
  long recipes = 0;                     // recipes written into the exchange tables
};

// A name ending in "zel" (any case) is an exchange archive without being opened, and so is a
// ZIP file. Otherwise the first header line decides: the MasterCook mark or "Meal-Master" on the
// first non-blank line, or a MasterCook mark or Meal-Master header line after leading lines
// within the first 8 KB, make it that format, which is read into the exchange tables from that
// line (malformed when a recipe's fixed lines are missing, and then the tables are left empty).
// With `skipBadRecipes`, a malformed recipe is left out (listed in the result) and the file's
// other recipes are read. A MasterCook XML file's recipes go into "MasterCook Recipes"; a web
// page's into the book "Web Recipes", their photos
// fetched with `fetchPhoto` when given. An unreadable file is taken for an archive (whose
// extraction then fails); anything else is of no known format.
RecipeFileResult readRecipeFile(store::TableStore& store, const std::string& path,
                                bool skipBadRecipes = false, const PhotoFetcher& fetchPhoto = {});

// The format message, with the recipe and line where reading stopped.
std::string malformedFileText(const std::string& path, const recipe_formats::TextParseError& error);

}  // namespace savora::exchange
