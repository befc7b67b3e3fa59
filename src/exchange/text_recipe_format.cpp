#include "exchange/text_recipe_format.h"

#include "exchange/exchange_scratch.h"
#include "exchange/master_cook_parser.h"
#include "exchange/meal_master_parser.h"
#include "exchange/text_lines.h"
#include "exchange/text_recipe_writer.h"
#include "platform/text.h"

namespace savora::exchange {

RecipeFileResult readRecipeFile(store::TableStore& store, const std::string& path) {
  RecipeFileResult result;
  if (platform::endsWithIgnoreCase(path, "zel")) return result;
  const TextFile file = readTextFile(path);
  size_t first = 0;
  while (first < file.lines.size() && trimBlanks(file.lines[first]).empty()) ++first;
  if (first == file.lines.size()) return result;
  const std::string& line = file.lines[first];
  const bool masterCook = isMasterCookMark(line);
  if (!masterCook && line.find(kMealMasterMark) == std::string::npos) return result;

  TextRecipeWriter writer(store, masterCook ? kMasterCookBook : kMealMasterBook);
  const TextRecipeSink sink = [&writer](TextRecipe& recipe) { writer.add(recipe); };
  result.error = masterCook ? parseMasterCook(file.lines, first, sink)
                            : parseMealMaster(file.lines, first, sink);
  writer.close();
  if (result.error) {
    removeExchangeFiles();  // nothing of a malformed file is imported
    result.format = RecipeFileFormat::Malformed;
    return result;
  }
  result.format = masterCook ? RecipeFileFormat::MasterCook : RecipeFileFormat::MealMaster;
  result.recipes = writer.recipesWritten();
  return result;
}

std::string malformedFileText(const std::string& path, const TextParseError& error) {
  std::string text = platform::formatText(kNotRecipeFormatText, path.c_str());
  text += platform::formatText("\r\n\r\nReading stopped at line %zu, in recipe %ld", error.line,
                               error.recipe);
  if (!error.title.empty()) text += " (" + error.title + ")";
  return text + ".";
}

}  // namespace savora::exchange
