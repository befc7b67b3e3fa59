// Recognises the format of a file handed to the import and, for a MasterCook or Meal-Master
// text file, reads its recipes into the exchange tables, so the import goes on as it does after
// unpacking an exchange archive.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "exchange/text_recipe.h"
#include "store/table_store.h"

namespace savora::exchange {

enum class RecipeFileFormat { ExchangeArchive, MasterCook, MealMaster, Malformed };

inline constexpr const char* kMasterCookBook = "MasterCook Recipes";
inline constexpr const char* kMealMasterBook = "Downloaded Recipes";
inline constexpr const char* kUnableToDownloadTitle = "Unable to Download";
inline constexpr const char* kNotRecipeFormatText =
    "The file %s is not in the Savora,\r\nMealMaster, nor MasterCook format.";

struct RecipeFileResult {
  RecipeFileFormat format = RecipeFileFormat::ExchangeArchive;
  std::optional<TextParseError> error;  // where a malformed file stopped
  std::vector<TextParseError> skipped;  // recipes left out when bad recipes are skipped
  long recipes = 0;                     // recipes written into the exchange tables
};

// A name ending in "zel" (any case) is an exchange archive without being opened. Otherwise the
// first header line decides: the MasterCook mark or "Meal-Master" on the first non-blank line,
// or a MasterCook mark or Meal-Master header line after leading lines within the first 8 KB,
// make it that format, which is read into the exchange tables from that line (malformed when a
// recipe's fixed lines are missing, and then the tables are left empty); anything else is taken
// for an archive. With `skipBadRecipes`, a malformed recipe is left out (listed in the result)
// and the file's other recipes are read.
RecipeFileResult readRecipeFile(store::TableStore& store, const std::string& path,
                                bool skipBadRecipes = false);

// The format message, with the recipe and line where reading stopped.
std::string malformedFileText(const std::string& path, const TextParseError& error);

}  // namespace savora::exchange
